#include <QApplication>

#include "application.h"
#include "main_window.h"
#include "translations.h"

int main(int argc, char** argv) {
  plexaro::DisplayCheck displayCheck(argc, argv);
  QApplication app(argc, argv);
  displayCheck.passed();
  plexaro::describeApplication();
  plexaro::closeOnTerminationSignals();
  plexaro::repeatHeldKeysAsPresses();
  const plexaro::Translations translations;
  plexaro::MainWindow window;
  window.show();
  return QApplication::exec();
}
