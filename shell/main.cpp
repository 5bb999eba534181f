#include <QApplication>

#include "application.h"
#include "world5.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  plexaro::describeApplication();
  plexaro::world5 window;
  window.show();
  return QApplication::exec();
}
