#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// Offscreen, and with a print system that does not exist: no test prints.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("CUPS_SERVER", "/nonexistent/plexaro-test/cups.sock", 1);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
