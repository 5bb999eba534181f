#include "print_pattern.h"

#include <QImage>
#include <QLoggingCategory>
#include <QTimer>
#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <thread>

#include "cups_print.h"

namespace plexaro {

// Why a print failed, for whoever looks into it:
// QT_LOGGING_RULES="plexaro.print.info=true". The user sees one message only.
Q_LOGGING_CATEGORY(lcPrint, "plexaro.print", QtWarningMsg)

namespace {

// Prints at once at most; one more is told at once that the printer is busy.
constexpr std::size_t kMostInFlight = 3;
// After the deadline a print takes back its job on the server, which a busy
// server or machine may take seconds to do. The user hears of the failure
// once it has, or kTellMsec after the deadline at the latest, while the
// taking back goes on, up to kWithdrawMsec after the deadline.
constexpr int kTellMsec = 2000, kWithdrawMsec = 10'000;
// How long the printer's end waits for the prints it has stopped outright,
// once the closing grace is over.
constexpr std::chrono::milliseconds kStopGrace{300};
// The most one connection of a print may bring from the server, so that
// what a print holds of its answers, which libcups keeps in memory at about
// five times their size, stays at a few megabytes whatever the server
// sends. Real answers are far smaller: a printer's whole description
// through CUPS takes some tens of kilobytes.
constexpr std::uint64_t kMostReceivedBytes = 512 * 1024;
// How often the prints' connections are looked at for that.
constexpr int kAnswerWatchMsec = 100;

}  // namespace

// One print, shared by the printer and its thread.
struct PatternPrinter::Request {
  PrintControl control;
};

// Threads and lifetimes: each print runs on a detached thread that owns its
// connections and shares only its Request and this block (both through
// shared_ptr) with the printer, so either may end first. The printer lives
// on the window's thread: it alone settles a print and arms its deadline,
// and reaches the thread only through PrintControl. A thread reaches the
// printer only through report(), which posts a call only while `owner` is
// set, under the mutex; the printer's destructor takes it to clear `owner`.
struct PatternPrinter::Workers {
  std::mutex mutex;
  std::condition_variable finished;
  std::vector<std::shared_ptr<Request>> running;  // prints whose thread has not ended
  PatternPrinter* owner = nullptr;                // null once the printer is gone

  template <typename Call>
  void report(Call call) {
    std::lock_guard lock(mutex);
    if (PatternPrinter* printer = owner)
      QMetaObject::invokeMethod(
          printer, [printer, call] { call(printer); }, Qt::QueuedConnection);
  }
};

PatternPrinter::PatternPrinter(QObject* parent, std::chrono::milliseconds closingGrace)
    : QObject(parent),
      workers_(std::make_shared<Workers>()),
      closingGrace_(closingGrace),
      answerWatch_(new QTimer(this)) {
  workers_->owner = this;
  answerWatch_->setInterval(kAnswerWatchMsec);
  connect(answerWatch_, &QTimer::timeout, this, &PatternPrinter::watchAnswers);
}

PatternPrinter::~PatternPrinter() {
  std::unique_lock lock(workers_->mutex);
  workers_->owner = nullptr;
  const auto endAll = [this](PrintControl::Stage stage) {
    for (const auto& request : workers_->running)
      request->control.end(stage);
  };
  const auto stopped = [this] { return workers_->running.empty(); };
  endAll(PrintControl::kSending);
  if (workers_->finished.wait_for(lock, closingGrace_, stopped)) return;
  endAll(PrintControl::kWithdrawing);
  workers_->finished.wait_for(lock, std::min(closingGrace_, kStopGrace), stopped);
}

void PatternPrinter::print(const QImage& image) {
  auto request = std::make_shared<Request>();
  pending_.push_back(request);
  if (admit(request)) start(request, image);
}

bool PatternPrinter::admit(const std::shared_ptr<Request>& request) {
  std::unique_lock lock(workers_->mutex);
  if (workers_->running.size() < kMostInFlight) return true;
  lock.unlock();
  refuse(request, "the printer is busy");
  return false;
}

void PatternPrinter::start(const std::shared_ptr<Request>& request, const QImage& image) {
  std::lock_guard lock(workers_->mutex);
  try {
    // A copy of the thread's own, whatever pixels `image` wraps.
    std::thread(&PatternPrinter::run, workers_, request, image.copy()).detach();
  } catch (const std::system_error& e) {
    refuse(request, std::string("no thread: ") + e.what());
    return;
  }
  workers_->running.push_back(request);
  answerWatch_->start();
}

// A print's thread. It reports when it begins, so that the deadline counts
// the print's own time and not the wait for a thread to run.
void PatternPrinter::run(const std::shared_ptr<Workers>& workers,
                         const std::shared_ptr<Request>& request, const QImage& page) {
  workers->report([request](PatternPrinter* printer) { printer->armDeadline(request); });
  const PrintResult result = printOnDefaultDestination(page, request->control);
  workers->report([request, result](PatternPrinter* printer) { printer->settle(request, result); });
  std::lock_guard lock(workers->mutex);
  std::erase(workers->running, request);
  workers->finished.notify_all();
}

void PatternPrinter::armDeadline(const std::shared_ptr<Request>& request) {
  QTimer::singleShot(kDeadlineMsec, this,
                     [request] { request->control.end(PrintControl::kSending); });
  QTimer::singleShot(kDeadlineMsec + kTellMsec, this, [this, request] {
    settle(request, {false, "no answer before the deadline"});
  });
  QTimer::singleShot(kDeadlineMsec + kWithdrawMsec, this,
                     [request] { request->control.end(PrintControl::kWithdrawing); });
}

void PatternPrinter::watchAnswers() {
  std::lock_guard lock(workers_->mutex);
  if (workers_->running.empty()) answerWatch_->stop();
  for (const auto& request : workers_->running)
    if (request->control.endIfReceivedOver(kMostReceivedBytes))
      qCInfo(lcPrint, "an answer passed %llu bytes: given up",
             static_cast<unsigned long long>(kMostReceivedBytes));
}

// Told like any other outcome, through the event loop: print() returns first.
void PatternPrinter::refuse(const std::shared_ptr<Request>& request, const std::string& why) {
  QMetaObject::invokeMethod(
      this,
      [this, request, why] {
        settle(request, {false, why});
      },
      Qt::QueuedConnection);
}

// The first word on a print, from its thread or from the deadline, is the
// one that counts; the user hears of a failure once.
void PatternPrinter::settle(const std::shared_ptr<Request>& request, const PrintResult& result) {
  const auto it = std::find(pending_.begin(), pending_.end(), request);
  if (it == pending_.end()) return;
  pending_.erase(it);
  if (result.printed) return;
  qCInfo(lcPrint, "not printed: %s", result.why.c_str());
  emit failed();
}

}  // namespace plexaro
