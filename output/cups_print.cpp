#include "cups_print.h"

#include <QBuffer>
#include <algorithm>
#include <memory>

#include "cups_library.h"
#include "print_page.h"

namespace plexaro {

namespace {

// A wait on the server that has lasted this long, in seconds, looks at the
// cancel flag before it goes on.
constexpr double kPollSeconds = 0.2;
// Longer than anyone waits for a print; the cancel flag ends it sooner.
constexpr int kConnectMsec = 60'000;

// libcups, once printOnDefaultDestination has found that it can be opened.
const CupsLibrary& cups() {
  return *cupsLibrary();
}

struct HttpCloser {
  void operator()(http_t* http) const { cups().httpClose(http); }
};
struct DestDeleter {
  void operator()(cups_dest_t* dest) const { cups().cupsFreeDests(1, dest); }
};
struct InfoDeleter {
  void operator()(cups_dinfo_t* info) const { cups().cupsFreeDestInfo(info); }
};

std::string cupsError(const std::string& what) {
  return what + ": " + cups().cupsLastErrorString();
}

bool succeeded(ipp_status_t status) {
  return status <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

// libcups asks this for a password when the server wants one. Its own way is
// a prompt on the terminal the program was started from, which would wait
// for ever; without a password the request fails instead.
const char* noPassword(const char*, http_t*, const char*, const char*, void*) {
  return nullptr;
}

// libcups calls this each time the server has kept it waiting kPollSeconds:
// 1 waits on, 0 gives up.
int keepWaiting(http_t*, void* cancel) {
  return static_cast<const std::atomic<int>*>(cancel)->load() ? 0 : 1;
}

struct Paper {
  QPageSize size{QPageSize::A4};
  QMarginsF marginsMm{10, 10, 10, 10};
};

// The paper the printer uses unless told otherwise: the user's own "media"
// choice if there is one, else the printer's default. (cupsGetDestMediaDefault
// is no help here: it answers Letter for a printer whose default is A4.)
// Sizes and margins come in hundredths of a millimetre.
Paper defaultPaper(http_t* http, cups_dest_t* dest, cups_dinfo_t* info) {
  Paper paper;
  const char* media = cups().cupsGetOption("media", dest->num_options, dest->options);
  if (!media) {
    ipp_attribute_t* preset = cups().cupsFindDestDefault(http, dest, info, "media");
    media = preset ? cups().ippGetString(preset, 0, nullptr) : nullptr;
  }
  if (!media) return paper;

  // The printer's list gives the margins too, but libcups matches a custom
  // size ("custom_148.52x209.9mm_...", a PPD's A5) to the wrong entry of it:
  // where the name itself tells the size, the name wins.
  cups_size_t size{};
  const bool listed =
      cups().cupsGetDestMediaByName(http, dest, info, media, CUPS_MEDIA_FLAGS_DEFAULT, &size);
  pwg_media_t* named = cups().pwgMediaForPWG(media);
  if (!named) named = cups().pwgMediaForLegacy(media);
  if (!named) named = cups().pwgMediaForPPD(media);
  if (named && (!listed || size.width != named->width || size.length != named->length)) {
    size = cups_size_t{};
    size.width = named->width;
    size.length = named->length;
  }
  if (size.width <= 0 || size.length <= 0) return paper;
  paper.size = QPageSize(QSizeF(size.width / 100.0, size.length / 100.0), QPageSize::Millimeter,
                         QString(), QPageSize::FuzzyMatch);
  // At least 10 mm all round, more where the printer cannot print.
  const auto margin = [](int hundredths) { return std::max(10.0, hundredths / 100.0); };
  paper.marginsMm =
      QMarginsF(margin(size.left), margin(size.top), margin(size.right), margin(size.bottom));
  return paper;
}

}  // namespace

bool printOnDefaultDestination(const QImage& image, std::atomic<int>& cancel, std::string& why) {
  if (!cupsLibrary()) {
    why = "libcups cannot be opened";
    return false;
  }
  cups().cupsSetPasswordCB2(noPassword, nullptr);  // for this thread

  // httpConnect2 looks at *cancel between waits of 100 ms. It takes a plain
  // int, which is how an atomic int is laid out.
  static_assert(sizeof(std::atomic<int>) == sizeof(int) && std::atomic<int>::is_always_lock_free);
  const std::unique_ptr<http_t, HttpCloser> connection(cups().httpConnect2(
      cups().cupsServer(), cups().ippPort(), nullptr, AF_UNSPEC, cups().cupsEncryption(), 1,
      kConnectMsec, reinterpret_cast<int*>(&cancel)));
  http_t* http = connection.get();
  if (!http) {
    why = std::string("cannot connect to ") + cups().cupsServer();
    return false;
  }
  cups().httpSetTimeout(http, kPollSeconds, keepWaiting, &cancel);

  const std::unique_ptr<cups_dest_t, DestDeleter> dest(
      cups().cupsGetNamedDest(http, nullptr, nullptr));
  if (!dest) {
    why = cupsError("no default destination");
    return false;
  }
  const std::unique_ptr<cups_dinfo_t, InfoDeleter> info(cups().cupsCopyDestInfo(http, dest.get()));
  if (!info) {
    why = cupsError(dest->name);
    return false;
  }
  const Paper paper = defaultPaper(http, dest.get(), info.get());
  if (cancel) {
    why = "cancelled";
    return false;
  }

  QByteArray pdf;
  QBuffer buffer(&pdf);
  if (!buffer.open(QIODevice::WriteOnly) ||
      !writePrintPdf(image, &buffer, paper.size, paper.marginsMm,
                     QString::fromUtf8(kPrintJobTitle))) {
    why = "cannot make the page";
    return false;
  }

  int job = 0;
  if (!succeeded(cups().cupsCreateDestJob(http, dest.get(), info.get(), &job, kPrintJobTitle, 0,
                                          nullptr)) ||
      job <= 0) {
    why = cupsError(std::string(dest->name) + " refused the job");
    return false;
  }
  if (cups().cupsStartDestDocument(http, dest.get(), info.get(), job, kPrintJobTitle,
                                   CUPS_FORMAT_PDF, 0, nullptr, 1) != HTTP_STATUS_CONTINUE ||
      cups().cupsWriteRequestData(http, pdf.constData(), static_cast<size_t>(pdf.size())) !=
          HTTP_STATUS_CONTINUE ||
      !succeeded(cups().cupsFinishDestDocument(http, dest.get(), info.get()))) {
    why = cupsError(std::string(dest->name) + " did not take the page");
    // A job without its page would only wait in the queue.
    if (!cancel) cups().cupsCancelDestJob(http, dest.get(), job);
    return false;
  }
  return true;
}

}  // namespace plexaro
