#pragma once

#include <QImage>
#include <QMarginsF>
#include <QPageSize>
#include <optional>
#include <string>

namespace plexaro {

// The printer a print goes to, as the print system describes it.
struct PrintDestination {
  std::string name;
  bool acceptingJobs = true;
  QPageSize pageSize{QPageSize::A4};
  QMarginsF marginsMm{10, 10, 10, 10};
};

// The print system, as far as printing the pattern needs it. The real one is
// CUPS (cups_spooler.h); tests put their own in its place.
class Spooler {
 public:
  virtual ~Spooler() = default;
  // The default destination; nothing when there is none or no print system
  // can be reached.
  virtual std::optional<PrintDestination> defaultDestination() = 0;
  // Queues the PDF file at `path` on `destination` as one job named
  // `title`. Returns the job id, or 0 if the job was not accepted.
  virtual int submit(const PrintDestination& destination, const std::string& path,
                     const std::string& title) = 0;
  // Why the last call failed, in the print system's words.
  virtual std::string lastError() const = 0;
};

struct PrintResult {
  bool printed = false;
  int jobId = 0;
  std::string diagnostic;  // why it was not printed; never shown to the user
};

// Every print is a job of its own under this name.
inline constexpr const char* kPrintJobTitle = "Plexaro";

// Prints `image` on the default destination of `spooler`, scaled to fit the
// page and centred, as one job named "Plexaro". Printed means the print
// system took the job: a job held by a paused printer counts, one refused by
// a printer that rejects jobs does not. The temporary PDF is gone when this
// returns.
PrintResult printPattern(const QImage& image, Spooler& spooler);

// The same on the system's default printer.
PrintResult printPattern(const QImage& image);

}  // namespace plexaro
