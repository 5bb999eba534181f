#include <gtest/gtest.h>

#include "generators/generators.h"
#include "support/world_fixture.h"
#include "world/color.h"

namespace plexaro {
namespace {

using testing::TestWorld;

TEST(RainbowWorld, SetCellsTakeANeighboursColourOrStartANewOne) {
  // W = 3, H = 2: the scan covers columns 1..4 of rows 1..3.
  TestWorld t(3, 2);
  t.platform.recordPlots = true;
  Grid& g = t.world.cellGrid;
  for (auto [x, y] : {std::pair{1, 1}, {3, 1}, {1, 2}, {2, 2}, {3, 2}})
    g.at(x, y) = 1;
  t.platform.script({0.1, 0.6});
  const CellValue a = randomColor(0.1), b = randomColor(0.6);
  paintRainbow(t.world, t.platform);
  EXPECT_EQ(t.platform.scriptLeft(), 0u);
  EXPECT_EQ(g.at(1, 1), a);
  EXPECT_EQ(g.at(3, 1), b);
  EXPECT_EQ(g.at(1, 2), a);  // from above
  EXPECT_EQ(g.at(2, 2), a);  // from the left; above is empty
  EXPECT_EQ(g.at(3, 2), b);  // left is A, above is B: above comes later
  // Columns 1..4 of rows 1..3, row by row; column 0 and row 0 untouched.
  const std::vector<std::int32_t> colours = {a, 0, b, 0, a, a, b, 0, 0, 0, 0, 0};
  EXPECT_EQ(t.platform.plotColors, colours);
  EXPECT_EQ(t.platform.plots.front(), std::make_pair(1, 1));
  EXPECT_EQ(t.platform.plots.back(), std::make_pair(4, 3));
  EXPECT_EQ(t.platform.pixel(0, 0), -1);
}

TEST(RainbowWorld, CopiesFromTheRightAndBelowAndLeavesAllButExactly1Alone) {
  TestWorld t(5, 4);
  Grid& g = t.world.cellGrid;
  g.at(1, 1) = 1;
  g.at(2, 1) = 77;  // right of (1, 1), not yet scanned
  g.at(4, 1) = 1;
  g.at(4, 2) = 88;  // below (4, 1)
  g.at(3, 3) = 5;   // a colour: drawn in the background
  t.world.backgroundColor = 9;
  t.platform.script({});
  paintRainbow(t.world, t.platform);
  EXPECT_EQ(g.at(1, 1), 77);
  EXPECT_EQ(g.at(4, 1), 88);
  EXPECT_EQ(g.at(3, 3), 5);
  EXPECT_EQ(t.platform.pixel(1, 1), 77);
  EXPECT_EQ(t.platform.pixel(2, 1), 9);
  EXPECT_EQ(t.platform.pixel(3, 3), 9);
  EXPECT_EQ(t.platform.pixel(1, 3), 9);
}

TEST(RainbowWorld, EveryPressClearsFirstAndColoursOnlyTheSetCells) {
  TestWorld t(503, 533);
  TestWorld grown(503, 533);
  createworld(grown.world, grown.platform);
  t.world.colorMode = 0;
  for (int press = 0; press < 2; ++press) {
    t.world.cellGrid.at(0, 0) = 5;
    createRainbowWorld(t.world, t.platform);
    EXPECT_EQ(t.world.cellGrid.at(0, 0), 0);
    EXPECT_EQ(t.world.worldKind, kRainbowWorld);
    for (int y = 1; y <= 533; ++y)
      for (int x = 1; x <= 502; ++x) {
        const bool set = grown.world.cellGrid.at(x, y) == 1;
        ASSERT_EQ(t.world.cellGrid.at(x, y) > 1, set) << x << "," << y;
        if (x < 503 && y < 533) {
          ASSERT_EQ(t.platform.pixel(x, y) != 0, set);
        }
      }
  }
}

}  // namespace
}  // namespace plexaro
