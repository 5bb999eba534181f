// Entry point of every test binary that needs a QApplication. The tests run
// under the offscreen platform and must never reach a real printer: the
// print system is pointed at a socket that does not exist.
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
