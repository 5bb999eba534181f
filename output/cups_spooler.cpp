#include "cups_spooler.h"

#include <cups/cups.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace plexaro {

namespace {

struct DestDeleter {
  void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
struct InfoDeleter {
  void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
};

std::string lastCupsError() {
  const char* text = cupsLastErrorString();
  return text ? text : "unknown error";
}

// The paper the printer uses unless told otherwise: the user's own "media"
// choice if there is one, else the printer's default. (cupsGetDestMediaDefault
// is no help here: it answers Letter for a printer whose default is A4.)
// Sizes and margins come in hundredths of a millimetre.
void readPaper(cups_dest_t* dest, PrintDestination& out) {
  std::unique_ptr<cups_dinfo_t, InfoDeleter> info(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest));
  const char* media = cupsGetOption("media", dest->num_options, dest->options);
  if (!media && info) {
    ipp_attribute_t* preset = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info.get(), "media");
    media = preset ? ippGetString(preset, 0, nullptr) : nullptr;
  }
  if (!media) return;

  cups_size_t size{};
  if (!info || !cupsGetDestMediaByName(CUPS_HTTP_DEFAULT, dest, info.get(), media,
                                       CUPS_MEDIA_FLAGS_DEFAULT, &size)) {
    pwg_media_t* known = pwgMediaForPWG(media);
    if (!known) known = pwgMediaForLegacy(media);
    if (!known) known = pwgMediaForPPD(media);
    if (!known) return;
    size.width = known->width;
    size.length = known->length;
  }
  if (size.width <= 0 || size.length <= 0) return;
  out.pageSize = QPageSize(QSizeF(size.width / 100.0, size.length / 100.0), QPageSize::Millimeter,
                           QString(), QPageSize::FuzzyMatch);
  // At least 10 mm all round, more where the printer cannot print.
  const auto margin = [](int hundredths) { return std::max(10.0, hundredths / 100.0); };
  out.marginsMm =
      QMarginsF(margin(size.left), margin(size.top), margin(size.right), margin(size.bottom));
}

}  // namespace

std::optional<PrintDestination> CupsSpooler::defaultDestination() {
  std::unique_ptr<cups_dest_t, DestDeleter> dest(
      cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr));
  if (!dest) {
    lastError_ = lastCupsError();
    return std::nullopt;
  }
  PrintDestination result;
  result.name = dest->name;
  const char* accepting =
      cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
  result.acceptingJobs = !accepting || std::strcmp(accepting, "false") != 0;
  readPaper(dest.get(), result);
  return result;
}

int CupsSpooler::submit(const PrintDestination& destination, const std::string& path,
                        const std::string& title) {
  cups_option_t* options = nullptr;
  const int count = cupsAddOption("document-format", "application/pdf", 0, &options);
  const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, destination.name.c_str(), path.c_str(),
                                 title.c_str(), count, options);
  cupsFreeOptions(count, options);
  if (job == 0) lastError_ = lastCupsError();
  return job;
}

}  // namespace plexaro
