// Entry point of the window tests: the real window under Qt's offscreen
// platform, and a print system that does not exist, so that no test ever
// reaches a real printer.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("CUPS_SERVER", "/nonexistent/plexaro-test/cups.sock", 1);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
