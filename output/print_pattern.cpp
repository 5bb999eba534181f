#include "print_pattern.h"

#include <QImage>
#include <QLoggingCategory>
#include <QTimer>
#include <algorithm>
#include <atomic>
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

// How long the end of the program waits for cancelled prints to stop.
constexpr std::chrono::milliseconds kGrace{1500};

}  // namespace

// One print, shared by the printer and its thread.
struct PatternPrinter::Request {
  std::atomic<int> cancel{0};
};

// The printing threads, which may outlive the printer.
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
  for (const auto& request : pending_)
    request->cancel = 1;
  std::unique_lock lock(workers_->mutex);
  workers_->owner = nullptr;
  workers_->finished.wait_for(lock, kGrace, [this] { return workers_->running == 0; });
}

void PatternPrinter::print(const QImage& image) {
  auto request = std::make_shared<Request>();
  pending_.push_back(request);
  QTimer::singleShot(kDeadlineMsec, this, [this, request] {
    if (settle(request, false)) qCInfo(lcPrint, "not printed: no answer in %d ms", kDeadlineMsec);
  });

  // Held until the count includes the new thread, which takes the lock to
  // leave it.
  std::lock_guard lock(workers_->mutex);
  try {
    // The canvas keeps drawing into its image: the thread gets a copy.
    std::thread([workers = workers_, request, page = image.copy()] {
      std::string why;
      const bool printed = printOnDefaultDestination(page, request->cancel, why);
      if (!printed) qCInfo(lcPrint, "not printed: %s", why.c_str());
      std::lock_guard lock(workers->mutex);
      if (PatternPrinter* owner = workers->owner)
        QMetaObject::invokeMethod(
            owner, [owner, request, printed] { owner->settle(request, printed); },
            Qt::QueuedConnection);
      --workers->running;
      workers->finished.notify_all();
    }).detach();
    ++workers_->running;
  } catch (const std::system_error& e) {
    qCInfo(lcPrint, "not printed: no thread: %s", e.what());
    QMetaObject::invokeMethod(
        this, [this, request] { settle(request, false); }, Qt::QueuedConnection);
  }
}

// The first word on a print, from its thread or from the deadline, is the
// one that counts; the user hears of a failure once. False for a print
// already settled.
bool PatternPrinter::settle(const std::shared_ptr<Request>& request, bool printed) {
  const auto it = std::find(pending_.begin(), pending_.end(), request);
  if (it == pending_.end()) return false;
  pending_.erase(it);
  request->cancel = 1;  // a thread still at work stops where it is
  if (!printed) emit failed();
  return true;
}

}  // namespace plexaro
