#include <QApplication>

#include "application.h"
#include "world5.h"

int main(int argc, char** argv) {
  plexaro::DisplayCheck displayCheck(argc, argv);
  QApplication app(argc, argv);
  displayCheck.passed();
  plexaro::describeApplication();
  plexaro::closeOnTerminationSignals();
  plexaro::world5 window;
  window.show();
  return QApplication::exec();
}
