// Two thousand world presses on the real window must not make the program
// grow: the grids are made once at start-up and every press reuses them, as
// do the canvas and the window's paint path.
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
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      long kb = -1;
      status >> kb;
      return kb;
    }
    status.ignore(1 << 16, '\n');
  }
  return -1;
}

TEST(Soak, ResidentMemoryStaysFlatOverTwoThousandPresses) {
#ifdef PLEXARO_ASAN
  GTEST_SKIP() << "built with AddressSanitizer: its quarantine holds on to freed memory, so "
                  "the resident size says nothing about the program's own";
#endif
  constexpr int kPresses = 2000;
  constexpr int kWarmUp = 100;
  constexpr long kToleranceKb = 2048;
  ASSERT_GT(residentKb(), 0) << "no VmRSS in /proc/self/status";

  world5 w;
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  QPushButton* const buttons[] = {w.Command3, w.Command4, w.Command5};

  long warm = 0;
  for (int i = 0; i < kPresses; ++i) {
    QTest::mouseClick(buttons[i % 3], Qt::LeftButton);
    // After each round of the three, the other colour mode, so both kinds
    // of growth and painting are in the warm-up and in the soak.
    if (i % 3 == 2) (w.world().colorMode == 0 ? w.manycolors : w.twocolors)->trigger();
    QCoreApplication::processEvents();
    if (i + 1 == kWarmUp) warm = residentKb();
  }
  const long end = residentKb();
  std::cout << "soak: VmRSS " << warm << " kB after " << kWarmUp << " presses, " << end
            << " kB after " << kPresses << std::endl;
  EXPECT_LE(end - warm, kToleranceKb) << "the program grew by " << end - warm << " kB";
  // The last press, number 2000, was on "Create Spiral World".
  EXPECT_EQ(w.world().worldKind, kSpiralWorld) << "the presses did not reach the buttons";
}

}  // namespace
}  // namespace plexaro
