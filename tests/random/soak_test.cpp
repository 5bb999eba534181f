// Two thousand world presses on the real window must not make the program
// grow: the grids are made once at start-up and every press reuses them, as
// do the canvas and the paint path.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <fstream>
#include <iostream>
#include <string>

#include "shell/world5.h"

#if defined(__SANITIZE_ADDRESS__)
#define PLEXARO_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PLEXARO_ASAN 1
#endif
#endif

namespace plexaro {
namespace {

// VmRSS of this process in kB; -1 if it cannot be read.
long residentKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

TEST(Soak, ResidentMemoryStaysFlatOverTwoThousandPresses) {
#ifdef PLEXARO_ASAN
  GTEST_SKIP() << "built with AddressSanitizer: its quarantine holds on to freed memory, so "
                  "the resident size says nothing about the program's own";
#endif
  world5 w;
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  QPushButton* const buttons[] = {w.Command3, w.Command4, w.Command5};
  long warm = -1;
  for (int i = 0; i < 2000; ++i) {
    QTest::mouseClick(buttons[i % 3], Qt::LeftButton);
    // After each round of three the other colour mode, so that both kinds of
    // growth and painting are in the warm-up and in the soak.
    if (i % 3 == 2) (w.world().colorMode == 0 ? w.manycolors : w.twocolors)->trigger();
    QCoreApplication::processEvents();
    if (i + 1 == 100) warm = residentKb();
  }
  const long end = residentKb();
  std::cout << "soak: VmRSS " << warm << " kB after 100 presses, " << end << " kB after 2000"
            << std::endl;
  ASSERT_GT(warm, 0) << "no VmRSS in /proc/self/status";
  EXPECT_LE(end - warm, 2048) << "the program grew by " << end - warm << " kB";
  // The last press, number 2000, was on "Create Spiral World".
  EXPECT_EQ(w.world().worldKind, kSpiralWorld) << "the presses did not reach the buttons";
}

}  // namespace
}  // namespace plexaro
