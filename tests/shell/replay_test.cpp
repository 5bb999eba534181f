// A few hundred seeded user actions on the real window, digested: the
// picture and all five grids after every action must come out exactly as
// they always have. Any change to growth, painting or the order of random
// draws shows here.
#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <cstdint>
#include <random>

#include "shell/canvas.h"
#include "shell/world5.h"

namespace plexaro {
namespace {

// FNV-1a over 32-bit words: pixels and cells are both 32 bits wide.
struct Digest {
  std::uint64_t h = 14695981039346656037ull;
  void add(const void* data, std::size_t words) {
    for (const auto* p = static_cast<const std::uint32_t*>(data); words--; ++p)
      h = (h ^ *p) * 1099511628211ull;
  }
};

TEST(Replay, PicturesAndGridsStayByteIdentical) {
  world5 w;
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.randomSource().seed(20261206);
  auto button = [&](const char* name) { return w.findChild<QPushButton*>(name); };
  auto item = [&](const char* name) { return w.findChild<QAction*>(name); };
  std::mt19937 dice(7);
  Digest d;
  for (int i = 0; i < 300; ++i) {
    switch (dice() % 8) {
      case 0:
      case 1:
        button("Command3")->click();
        break;
      case 2:
        button("Command4")->click();
        break;
      case 3:
        button("Command5")->click();
        break;
      case 4:
        button("Command6")->click();
        break;
      case 5:
        item("manycolors")->trigger();
        break;
      default:
        item("twocolors")->trigger();
    }
    const QImage& image = w.canvas()->image();
    for (int y = 0; y < image.height(); ++y)
      d.add(image.constScanLine(y), static_cast<std::size_t>(image.width()));
    const WorldState& s = w.world();
    for (const Grid* g : {&s.cellGrid, &s.shadowGrid, &s.redGrid, &s.greenGrid, &s.blueGrid})
      d.add(g->row(0), static_cast<std::size_t>(g->columns()) * g->rows());
  }
  EXPECT_EQ(d.h, 7892432102687752154u);
}

}  // namespace
}  // namespace plexaro
