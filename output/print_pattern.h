#pragma once

#include <QObject>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

class QImage;
class QTimer;

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
  // How long the printer's end waits at most for the prints under way to
  // take back their jobs on the server. The window is gone by then; a slow
  // server still gets time to answer.
  static constexpr std::chrono::milliseconds kClosingGrace{3000};

  // With a `closingGrace` of zero the printer's end does not wait at all.
  explicit PatternPrinter(QObject* parent = nullptr,
                          std::chrono::milliseconds closingGrace = kClosingGrace);
  // Ends the prints still under way, each taking back its job, and waits for
  // them up to the closing grace; one stuck where it cannot be interrupted is
  // left to end on its own, touching nothing of the printer.
  ~PatternPrinter() override;

  // Starts printing a copy of `image` on the default printer, as one job
  // (see cups_print.h), and returns at once.
  void print(const QImage& image);

 signals:
  // A print did not reach a printer: no print system, no default printer, a
  // printer that refuses the job or wants a password, paper too small for
  // the picture or unknown, a printer busy with prints already, an answer
  // too long to hold, or no confirmation within the deadline. Once for each
  // such print.
  void failed();

 private:
  struct Request;
  struct Workers;
  bool admit(const std::shared_ptr<Request>& request);
  void start(const std::shared_ptr<Request>& request, const QImage& image);
  static void run(const std::shared_ptr<Workers>& workers, const std::shared_ptr<Request>& request,
                  const QImage& page);
  void armDeadline(const std::shared_ptr<Request>& request);
  void watchAnswers();
  void refuse(const std::shared_ptr<Request>& request, const std::string& why);
  void settle(const std::shared_ptr<Request>& request, const PrintResult& result);

  std::shared_ptr<Workers> workers_;
  std::vector<std::shared_ptr<Request>> pending_;
  std::chrono::milliseconds closingGrace_;
  QTimer* answerWatch_;
};

}  // namespace plexaro
