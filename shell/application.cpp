#include "application.h"

#include <QApplication>
#include <QIcon>

namespace plexaro {

void describeApplication() {
  QApplication::setApplicationName(QStringLiteral("Plexaro"));
  QApplication::setDesktopFileName(QStringLiteral("org.plexaro.Plexaro"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/plexaro.png")));
}

}  // namespace plexaro
