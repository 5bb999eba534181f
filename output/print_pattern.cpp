#include "print_pattern.h"

#include <QImage>
#include <QLoggingCategory>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <condition_variable>
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
constexpr int kMostInFlight = 3;
// How long a print given up at its deadline may take to cancel its job: a
// busy server or machine can take a second or more to answer.
constexpr int kWithdrawMsec = 2000;
// How long the end of the program waits for the prints to stop, first while
// they cancel their jobs, then once they are told to stop at once.
constexpr std::chrono::milliseconds kWithdrawGrace{600}, kStopGrace{300};

}  // namespace

// One print, shared by the printer and its thread.
struct PatternPrinter::Request {
  PrintControl control;
};

// Threads and lifetimes: each print runs on a detached thread that owns its
// connections and shares only its Request (through a shared_ptr) and this
// block (likewise) with the printer, so either may end first. The printer
// lives on the window's thread: it alone settles a print, from the
// thread's queued report or from the deadline, and reaches the thread only
// through PrintControl::end. A thread reports only while `owner` is set,
// under the mutex, which the printer's destructor takes to clear it; the
// destructor ends every print and waits a little for `running` to fall.
struct PatternPrinter::Workers {
  std::mutex mutex;
  std::condition_variable finished;
  int running = 0;
  PatternPrinter* owner = nullptr;  // null once the printer is gone
};

PatternPrinter::PatternPrinter(QObject* parent)
    : QObject(parent), workers_(std::make_shared<Workers>()) {
  workers_->owner = this;
}

PatternPrinter::~PatternPrinter() {
  std::unique_lock lock(workers_->mutex);
  workers_->owner = nullptr;
  const auto stopped = [this] { return workers_->running == 0; };
  for (const auto& request : pending_)
    request->control.end(PrintControl::kSending);
  if (workers_->finished.wait_for(lock, kWithdrawGrace, stopped)) return;
  for (const auto& request : pending_)
    request->control.end(PrintControl::kWithdrawing);
  workers_->finished.wait_for(lock, kStopGrace, stopped);
}

void PatternPrinter::print(const QImage& image) {
  auto request = std::make_shared<Request>();
  pending_.push_back(request);
  std::lock_guard lock(workers_->mutex);
  if (workers_->running >= kMostInFlight) {
    QMetaObject::invokeMethod(
        this,
        [this, request] {
          settle(request, {false, "the printer is busy"});
        },
        Qt::QueuedConnection);
    return;
  }
  // At the deadline the print stops sending and cancels its job, whose
  // outcome it reports; a little later it is stopped outright.
  QTimer::singleShot(kDeadlineMsec, this,
                     [request] { request->control.end(PrintControl::kSending); });
  QTimer::singleShot(kDeadlineMsec + kWithdrawMsec, this, [this, request] {
    request->control.end(PrintControl::kWithdrawing);
    settle(request, {false, "no answer before the deadline"});
  });
  try {
    // The canvas keeps drawing into its image: the thread gets a copy.
    std::thread([workers = workers_, request, page = image.copy()] {
      const PrintResult result = printOnDefaultDestination(page, request->control);
      std::lock_guard lock(workers->mutex);
      if (PatternPrinter* owner = workers->owner)
        QMetaObject::invokeMethod(
            owner, [owner, request, result] { owner->settle(request, result); },
            Qt::QueuedConnection);
      --workers->running;
      workers->finished.notify_all();
    }).detach();
    ++workers_->running;
  } catch (const std::system_error& e) {
    const PrintResult result{false, std::string("no thread: ") + e.what()};
    QMetaObject::invokeMethod(
        this, [this, request, result] { settle(request, result); }, Qt::QueuedConnection);
  }
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
