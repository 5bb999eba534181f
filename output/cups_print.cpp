#include "cups_print.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <ctime>
#include <memory>
#include <span>

#include "cups_library.h"
#include "print_page.h"

namespace plexaro {

static_assert(alignof(int) >= std::atomic_ref<int>::required_alignment);

namespace {

// Whether `a` and `b` are descriptors of one socket. Not their numbers: a
// socket opened after another was closed usually gets the old one's number.
// A registered socket is held open by its duplicate, so a new one cannot
// share its inode.
bool sameSocket(int a, int b) {
  struct stat first {};
  struct stat second {};
  return ::fstat(a, &first) == 0 && ::fstat(b, &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

// What a TCP connection has brought so far, counted by the kernel. glibc's
// struct tcp_info stops short of the count, and linux/tcp.h, which has it,
// cannot be included beside glibc's header (cups.h includes that); the
// kernel's layout only ever grows at its end. A local socket (the machine's
// own CUPS server) has no such count: zero.
std::uint64_t bytesReceived(int fd) {
  struct {
    tcp_info known;
    std::uint64_t pacingRate, maxPacingRate, bytesAcked, bytesReceived;
  } info{};
  socklen_t size = sizeof info;
  if (::getsockopt(fd, IPPROTO_TCP, TCP_INFO, &info, &size) != 0 || size < sizeof info) return 0;
  return info.bytesReceived;
}

}  // namespace

void PrintControl::end(Stage stage) {
  std::lock_guard lock(mutex_);
  endLocked(stage);
}

void PrintControl::endLocked(Stage stage) {
  for (int s = 0; s <= stage; ++s)
    std::atomic_ref<int>(flags_[s]).store(1);
  if (fd_ >= 0 && fdStage_ <= stage) ::shutdown(fd_, SHUT_RDWR);
}

bool PrintControl::ended(Stage stage) {
  return std::atomic_ref<int>(flags_[stage]).load() != 0;
}

bool PrintControl::endIfReceivedOver(std::uint64_t most) {
  std::lock_guard lock(mutex_);
  if (fd_ < 0 || ended(fdStage_) || bytesReceived(fd_) <= most) return false;
  endLocked(fdStage_);
  return true;
}

// The socket registered is a duplicate, a descriptor of our own: it stays the
// connection's socket until detach(), even once libcups has closed its own
// descriptor to the socket.
bool PrintControl::attach(int fd, Stage stage) {
  std::lock_guard lock(mutex_);
  if (fd_ >= 0 && fdStage_ == stage && sameSocket(fd, fd_)) return !ended(stage);
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (ended(stage)) return false;
  fd_ = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
  fdStage_ = stage;
  return fd_ >= 0;
}

void PrintControl::detach() {
  std::lock_guard lock(mutex_);
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

namespace {

// A wait on the server that has lasted this long, in seconds, looks at
// whether the print has ended before it goes on.
constexpr double kPollSeconds = 0.2;
// Longer than anyone waits for a print; the print's end cuts it short.
constexpr int kConnectMsec = 60'000;
// Less room than this across, inside the margins, shows nothing of use.
constexpr double kLeastPictureMm = 20;

// libcups, once printOnDefaultDestination has found that it can be opened.
const CupsLibrary& cups() {
  return *cupsLibrary();
}

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

// A connection to the user's CUPS server for one stage of a print, its
// socket registered with the print's control while it is open.
class Connection {
 public:
  Connection(PrintControl& control, PrintControl::Stage stage) : control_(control), stage_(stage) {
    http_ = cups().httpConnect2(cups().cupsServer(), cups().ippPort(), nullptr, AF_UNSPEC,
                                HTTP_ENCRYPTION_IF_REQUESTED, 1, kConnectMsec, control.flag(stage));
    if (http_ && !control.attach(cups().httpGetFd(http_), stage)) close();
    if (!http_) return;
    cups().httpSetTimeout(http_, kPollSeconds, keepWaiting, this);
    // Encryption only now that the socket is registered, so that its
    // handshake is cut short like any other wait on the server.
    if (cups().httpEncryption(http_, cups().cupsEncryption()) != 0) close();
  }
  ~Connection() { close(); }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  http_t* get() const { return http_; }
  void close() {
    if (!http_) return;
    control_.detach();
    cups().httpClose(http_);
    http_ = nullptr;
  }

 private:
  // libcups calls this each time the server has kept it waiting kPollSeconds:
  // 1 waits on, 0 gives up. A connection libcups has opened again meanwhile
  // is registered afresh.
  static int keepWaiting(http_t* http, void* self) {
    auto* connection = static_cast<Connection*>(self);
    return connection->control_.attach(cups().httpGetFd(http), connection->stage_) ? 1 : 0;
  }

  PrintControl& control_;
  PrintControl::Stage stage_;
  http_t* http_ = nullptr;
};

struct Destination {
  std::unique_ptr<cups_dest_t, DestDeleter> dest;
  std::unique_ptr<cups_dinfo_t, InfoDeleter> info;
};

// The default destination, with the user's options for it, and what its
// printer supports.
bool findDestination(http_t* http, Destination& to, std::string& why) {
  to.dest.reset(cups().cupsGetNamedDest(http, nullptr, nullptr));
  if (!to.dest) {
    why = cupsError("no default destination");
    return false;
  }
  to.info.reset(cups().cupsCopyDestInfo(http, to.dest.get()));
  if (!to.info) why = cupsError(to.dest->name);
  return bool(to.info);
}

struct Paper {
  QPageSize size{QPageSize::A4};
  QMarginsF marginsMm{10, 10, 10, 10};
  std::string media;  // as the user or the printer named it; empty if neither did
};

// The size of paper `media`, with the printer's margins where it lists it.
// Sizes and margins come in hundredths of a millimetre. False if neither
// the printer nor libcups knows it.
bool measure(http_t* http, const Destination& to, const char* media, cups_size_t& size) {
  // The printer's list gives the margins too, but libcups matches a custom
  // size ("custom_148.52x209.9mm_...", a PPD's A5) to the wrong entry of it:
  // where the name itself tells the size, the name wins.
  const bool listed = cups().cupsGetDestMediaByName(http, to.dest.get(), to.info.get(), media,
                                                    CUPS_MEDIA_FLAGS_DEFAULT, &size);
  pwg_media_t* named = cups().pwgMediaForPWG(media);
  if (!named) named = cups().pwgMediaForLegacy(media);
  if (!named) named = cups().pwgMediaForPPD(media);
  if (named && (!listed || size.width != named->width || size.length != named->length)) {
    size = cups_size_t{};
    size.width = named->width;
    size.length = named->length;
  }
  return size.width > 0 && size.length > 0;
}

// The paper the printer uses unless told otherwise: the user's own "media"
// choice if there is one, else the printer's default. (cupsGetDestMediaDefault
// is no help here: it answers Letter for a printer whose default is A4.)
// False, with why, for a choice of the user's whose size is unknown: laid
// out for another paper, the page would change theirs unasked.
bool choosePaper(http_t* http, const Destination& to, Paper& paper, std::string& why) {
  cups_dest_t* dest = to.dest.get();
  const char* media = cups().cupsGetOption("media", dest->num_options, dest->options);
  const bool chosen = media != nullptr;
  if (!chosen) {
    ipp_attribute_t* preset = cups().cupsFindDestDefault(http, dest, to.info.get(), "media");
    media = preset ? cups().ippGetString(preset, 0, nullptr) : nullptr;
  }
  cups_size_t size{};
  if (!media || !measure(http, to, media, size)) {
    if (chosen) why = std::string("unknown paper ") + media;
    return !chosen;  // the printer's default, unknown here: A4, and no media sent
  }
  paper.media = media;
  paper.size = QPageSize(QSizeF(size.width / 100.0, size.length / 100.0), QPageSize::Millimeter,
                         QString(), QPageSize::FuzzyMatch);
  // At least 10 mm all round, more where the printer cannot print.
  const auto margin = [](int hundredths) { return std::max(10.0, hundredths / 100.0); };
  paper.marginsMm =
      QMarginsF(margin(size.left), margin(size.top), margin(size.right), margin(size.bottom));
  return true;
}

// The page as PDF, unless the paper leaves too little room for the picture.
bool layOut(const QImage& image, const Paper& paper, QByteArray& pdf, std::string& why) {
  const QRectF inside = QRectF(QPointF(), paper.size.size(QPageSize::Millimeter)) - paper.marginsMm;
  if (std::min(inside.width(), inside.height()) < kLeastPictureMm) {
    why = "the paper leaves no room for the picture";
    return false;
  }
  QBuffer buffer(&pdf);
  if (!buffer.open(QIODevice::WriteOnly) ||
      !writePrintPdf(image, &buffer, paper.size, paper.marginsMm,
                     QString::fromUtf8(kPrintJobTitle))) {
    why = "cannot make the page";
    return false;
  }
  return true;
}

// The job's options: the paper the page was laid out for, and the user's
// other choices for the destination that its printer supports. (The server's
// facts about the printer come as options of the destination too; the
// printer supports none of them as a job's.)
int jobOptions(http_t* http, const Destination& to, const Paper& paper, cups_option_t** options) {
  int count = 0;
  const cups_dest_t* dest = to.dest.get();
  for (const cups_option_t& option : std::span(dest->options, dest->num_options)) {
    if (std::strcmp(option.name, "media") != 0 &&
        cups().cupsCheckDestSupported(http, to.dest.get(), to.info.get(), option.name,
                                      option.value))
      count = cups().cupsAddOption(option.name, option.value, count, options);
  }
  if (!paper.media.empty())
    count = cups().cupsAddOption("media", paper.media.c_str(), count, options);
  return count;
}

// How far a print got on the server.
struct Job {
  int id = 0;
  time_t unanswered = 0;  // when a Create-Job went out that was never answered
};

// Creates the job and sends its page. True only once the server has
// confirmed the whole page: the status cupsFinishDestDocument returns can be
// the one left over from Create-Job when the connection broke on the way.
bool send(http_t* http, const Destination& to, const Paper& paper, const QByteArray& pdf, Job& job,
          std::string& why) {
  cups_dest_t* dest = to.dest.get();
  cups_option_t* options = nullptr;
  const int count = jobOptions(http, to, paper, &options);
  const time_t asked = std::time(nullptr);
  const ipp_status_t created =
      cups().cupsCreateDestJob(http, dest, to.info.get(), &job.id, kPrintJobTitle, count, options);
  cups().cupsFreeOptions(count, options);
  if (!succeeded(created) || job.id <= 0) {
    if (cups().httpGetStatus(http) != HTTP_STATUS_OK) job.unanswered = asked;
    why = cupsError(std::string(dest->name) + " refused the job");
    return false;
  }
  const bool sent =
      cups().cupsStartDestDocument(http, dest, to.info.get(), job.id, kPrintJobTitle,
                                   CUPS_FORMAT_PDF, 0, nullptr, 1) == HTTP_STATUS_CONTINUE &&
      cups().cupsWriteRequestData(http, pdf.constData(), size_t(pdf.size())) ==
          HTTP_STATUS_CONTINUE &&
      succeeded(cups().cupsFinishDestDocument(http, dest, to.info.get())) &&
      cups().httpGetStatus(http) == HTTP_STATUS_OK && succeeded(cups().cupsLastError());
  if (!sent) why = cupsError(std::string(dest->name) + " did not take the page");
  return sent;
}

// Whether the server lists job `id` of `dest` as printed.
bool completed(http_t* http, const cups_dest_t& dest, int id) {
  cups_job_t* jobs = nullptr;
  const int count =
      std::max(0, cups().cupsGetJobs2(http, &jobs, dest.name, 1, CUPS_WHICHJOBS_COMPLETED));
  const bool done = std::any_of(jobs, jobs + count, [id](const cups_job_t& job) {
    return job.id == id && job.state == IPP_JSTATE_COMPLETED;
  });
  cups().cupsFreeJobs(count, jobs);
  return done;
}

// A job the server made for a Create-Job whose answer never came: one of the
// user's under this program's title, made since then, still without a page.
// (A print of another window of the user's, just then between creating its
// job and sending the page, would lose its job too, and say so.)
void cancelUnanswered(http_t* http, cups_dest_t& dest, time_t since) {
  cups_job_t* jobs = nullptr;
  const int count =
      std::max(0, cups().cupsGetJobs2(http, &jobs, dest.name, 1, CUPS_WHICHJOBS_ACTIVE));
  for (const cups_job_t& job : std::span(jobs, count))
    if (job.creation_time >= since && job.size == 0 && std::strcmp(job.title, kPrintJobTitle) == 0)
      cups().cupsCancelDestJob(http, &dest, job.id);
  cups().cupsFreeJobs(count, jobs);
}

// Takes back a job the print did not finish, on a connection of its own (the
// print's may be broken), so that it does not wait in the queue. True when
// the server printed the job before it could be cancelled.
bool withdraw(PrintControl& control, cups_dest_t& dest, const Job& job) {
  if (job.id <= 0 && !job.unanswered) return false;  // no job was made
  Connection connection(control, PrintControl::kWithdrawing);
  http_t* http = connection.get();
  if (!http) return false;
  if (job.id <= 0) {
    cancelUnanswered(http, dest, job.unanswered);
    return false;
  }
  return !succeeded(cups().cupsCancelDestJob(http, &dest, job.id)) && completed(http, dest, job.id);
}

}  // namespace

PrintResult printOnDefaultDestination(const QImage& image, PrintControl& control) {
  if (!cupsLibrary()) return {false, "libcups cannot be opened"};
  cups().cupsSetPasswordCB2(noPassword, nullptr);  // for this thread

  Connection connection(control, PrintControl::kSending);
  http_t* http = connection.get();
  if (!http) return {false, std::string("cannot connect to ") + cups().cupsServer()};
  PrintResult result;
  Destination to;
  if (!findDestination(http, to, result.why)) return result;
  Paper paper;
  QByteArray pdf;
  if (!choosePaper(http, to, paper, result.why) || !layOut(image, paper, pdf, result.why))
    return result;
  Job job;
  if (!control.ended(PrintControl::kSending) && send(http, to, paper, pdf, job, result.why))
    return {true, {}};
  if (control.ended(PrintControl::kSending)) result.why = "given up: " + result.why;
  connection.close();
  if (withdraw(control, *to.dest, job)) return {true, {}};
  return result;
}

}  // namespace plexaro
