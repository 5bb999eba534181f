#pragma once

#include <QObject>
#include <memory>
#include <vector>

class QImage;

namespace plexaro {

struct PrintResult;

// Prints the pattern without ever holding up the window: each print runs
// on a thread of its own while the window goes on, and its outcome comes
// back as a queued call on the printer's thread.
class PatternPrinter : public QObject {
  Q_OBJECT

 public:
  // How long a print may take before it is given up and called failed,
  // whatever the print system does meanwhile.
  static constexpr int kDeadlineMsec = 10'000;

  explicit PatternPrinter(QObject* parent = nullptr);
  // Cancels the prints still under way and waits a little for them to stop;
  // one stuck where it cannot be interrupted is left to end with the program.
  ~PatternPrinter() override;

  // Starts printing a copy of `image` on the default printer, as one job
  // (see cups_print.h), and returns at once.
  void print(const QImage& image);

 signals:
  // A print did not reach a printer: no print system, no default printer, a
  // printer that refuses the job or wants a password, paper too small for
  // the picture, a printer busy with prints already, or no confirmation
  // within the deadline. Once for each such print.
  void failed();

 private:
  struct Request;
  struct Workers;
  void settle(const std::shared_ptr<Request>& request, const PrintResult& result);

  std::shared_ptr<Workers> workers_;
  std::vector<std::shared_ptr<Request>> pending_;
};

}  // namespace plexaro
