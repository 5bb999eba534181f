#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "application.h"
#include "world5.h"

namespace {

bool hasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // Without a display Qt would abort with a message about platform plugins;
  // say plainly what is missing instead.
  if (!hasDisplay()) {
    std::fputs(
        "plexaro: there is no display to show the window on (DISPLAY and WAYLAND_DISPLAY are "
        "not set).\nStart it from a desktop session, or give it a virtual one with xvfb-run.\n",
        stderr);
    return 1;
  }
  QApplication app(argc, argv);
  plexaro::describeApplication();
  plexaro::world5 window;
  window.show();
  return QApplication::exec();
}
