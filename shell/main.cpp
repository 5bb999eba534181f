#include <QApplication>

#include "world5.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Plexaro"));
  QApplication::setDesktopFileName(QStringLiteral("plexaro"));
  plexaro::world5 window;
  window.show();
  return QApplication::exec();
}
