#include "application.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QIcon>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include <X11/XKBlib.h>  // last: its macros would clash with Qt's names

namespace plexaro {

void describeApplication() {
  QApplication::setApplicationName(QStringLiteral("Plexaro"));
  QApplication::setDesktopFileName(QStringLiteral("org.plexaro.Plexaro"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/plexaro.png")));
}

void repeatHeldKeysAsPresses() {
  // Other platforms may offer the interface too (offscreen does) with no
  // display behind it.
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 && x11->display()) XkbSetDetectableAutoRepeat(x11->display(), True, nullptr);
}

// --- termination signals ---------------------------------------------------------

namespace {

int signalPipe[2] = {-1, -1};

void onTerminationSignal(int) {
  const char byte = 1;
  // Nothing more may be done inside a signal handler; the event loop reads it.
  [[maybe_unused]] const ssize_t n = ::write(signalPipe[0], &byte, 1);
}

}  // namespace

void closeOnTerminationSignals() {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, qApp);
  QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
    char byte;
    [[maybe_unused]] const ssize_t n = ::read(signalPipe[1], &byte, 1);
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
  });
  struct sigaction action {};
  action.sa_handler = onTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP})
    ::sigaction(signal, &action, nullptr);
}

// --- a display that cannot be reached ----------------------------------------------

namespace {

bool holding = false;
// Qt's own options that choose where the window goes, when given.
std::string platformOption;
std::string displayOption;
bool noSuchPlatform = false;
int realStderr = -1;
int heldStderr = -1;
QtMessageHandler qtHandler = nullptr;

std::string describeVariable(const char* name) {
  const char* value = std::getenv(name);
  return std::string(name) + (value && *value ? "=\"" + std::string(value) + "\"" : " is not set");
}

void restoreStderr() {
  if (realStderr < 0) return;
  ::dup2(realStderr, STDERR_FILENO);
  ::close(realStderr);
  realStderr = -1;
}

// What Qt lists after a platform failed to start, as " (Qt's platforms here:
// a, b, c)", or nothing.
std::string availablePlatforms(const QString& fatal) {
  const QString lead = QStringLiteral("Available platform plugins are: ");
  const qsizetype at = fatal.indexOf(lead);
  if (at < 0) return {};
  QString list = fatal.mid(at + lead.size()).trimmed();
  if (list.endsWith(u'.')) list.chop(1);
  return " (Qt's platforms here: " + list.toStdString() + ")";
}

// The paragraph for a failure that the command line caused, or "".
std::string blameOption(const QString& fatal) {
  if (!platformOption.empty()) {
    return "plexaro: cannot start the platform \"" + platformOption + "\" given with -platform: " +
           (noSuchPlatform ? "Qt has no platform of that name" + availablePlatforms(fatal)
                           : "it cannot reach its display server") +
           ". Leave -platform out to show the window on the desktop's own display.\n";
  }
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (displayOption.empty() || (platform && *platform && std::strncmp(platform, "xcb", 3) != 0))
    return {};
  return "plexaro: cannot reach the X display \"" + displayOption +
         "\" given with -display. Name a display server that is running, or leave -display out "
         "to use the DISPLAY variable (" +
         describeVariable("DISPLAY") + ").\n";
}

// The paragraphs stay in English, outside tr(): they are written from inside
// QApplication's constructor, before any translator can be installed.
void onStartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) {
    if (text.contains(QStringLiteral("Could not find the Qt platform plugin")))
      noSuchPlatform = true;
    if (qtHandler) qtHandler(type, context, text);
    return;
  }
  // Only a platform that cannot start is fatal this early.
  restoreStderr();
  std::string paragraph = blameOption(text);
  if (paragraph.empty())
    paragraph =
        "plexaro: cannot reach a display to show its window on (" + describeVariable("DISPLAY") +
        ", " + describeVariable("WAYLAND_DISPLAY") + ", " + describeVariable("QT_QPA_PLATFORM") +
        "). Start Plexaro from a terminal of a running desktop session, or make DISPLAY or "
        "WAYLAND_DISPLAY name a display server that is running: a value left over from an "
        "earlier ssh or tmux session is a common cause. Without a desktop, xvfb-run plexaro "
        "gives it a virtual one.\n";
  std::fputs(paragraph.c_str(), stderr);
  std::_Exit(1);
}

}  // namespace

DisplayCheck::DisplayCheck(int argc, char** argv) {
  holding = true;
  for (int i = 1; i + 1 < argc; ++i) {  // Qt takes "--platform" as "-platform" too
    std::string_view option = argv[i];
    if (option.starts_with("--")) option.remove_prefix(1);
    if (option == "-platform") platformOption = argv[++i];
    if (option == "-display") displayOption = argv[++i];
  }
  qtHandler = qInstallMessageHandler(onStartupMessage);
  // The platform libraries also write to stderr themselves (libwayland does);
  // a file in memory takes that until the display is known to be there.
  heldStderr = ::memfd_create("plexaro-startup", MFD_CLOEXEC);
  realStderr = heldStderr < 0 ? -1 : ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
  if (realStderr >= 0) ::dup2(heldStderr, STDERR_FILENO);
}

DisplayCheck::~DisplayCheck() {
  passed();
}

void DisplayCheck::passed() {
  if (!holding) return;
  holding = false;
  qInstallMessageHandler(qtHandler);
  restoreStderr();
  if (heldStderr < 0) return;
  char buffer[4096];
  ::lseek(heldStderr, 0, SEEK_SET);
  for (ssize_t n; (n = ::read(heldStderr, buffer, sizeof buffer)) > 0;)
    if (::write(STDERR_FILENO, buffer, static_cast<std::size_t>(n)) != n) break;
  ::close(heldStderr);
  heldStderr = -1;
}

}  // namespace plexaro
