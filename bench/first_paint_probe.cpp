// Linked into a program started by the startup benchmarks: once the first
// paint event of any of its widgets has been handled, it writes one byte to
// file descriptor 3, and the benchmark stops its clock.
#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

namespace {

class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      // After this paint event has been handled, not before it.
      QTimer::singleShot(0, [] {
        const char done = '!';
        if (::write(3, &done, 1) != 1) ::_exit(3);
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool seen_ = false;
};

void installProbe() {
  qApp->installEventFilter(new FirstPaint);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
