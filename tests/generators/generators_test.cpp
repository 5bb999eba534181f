#include "generators/generators.h"

#include <gtest/gtest.h>

#include "generators/spiral_scheme.h"
#include "support/world_fixture.h"
#include "world/color.h"

namespace plexaro {
namespace {

using testing::TestWorld;

// The draw that makes "a random whole number from 1 to n" come out as k.
double pick(int k, int n) {
  return (k - 0.5) / n;
}

TEST(RegularWorld, PaintsSetCellsInANewForegroundOrEveryCellInItsOwnColor) {
  for (ColorMode mode : {ColorMode::TwoColors, ColorMode::ManyColors}) {
    TestWorld t(9, 7);
    t.world.colorMode = mode;
    t.world.worldKind = kRegularWorld;  // column 0 is never grown: these stay
    t.world.cellGrid.at(0, 0) = 1;
    t.world.cellGrid.at(0, 1) = 7;
    t.platform.script({0.0});
    createRegularWorld(t.world, t.platform);
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 9; ++x) {
        const CellValue v = t.world.cellGrid.at(x, y);
        const bool many = mode == ColorMode::ManyColors;
        ASSERT_EQ(t.platform.pixel(x, y), many ? v : v == 1 ? 2 : 0) << many << " " << x << y;
      }
  }
}

TEST(SpiralWorld, CopiesEachGridFromItsOwnNeighboursOrStartsTheNextColor) {
  // W = H = 3: the walk visits (2, 1), (2, 2), (1, 2). Row 0 and column 3
  // are never grown, so what is planted there stays: (2, 1) sees 101 to its
  // right and 50 above in cellGrid (above wins), only 300 in shadowGrid.
  TestWorld t(3, 3);
  t.world.cellGrid.at(3, 1) = 101;
  t.world.cellGrid.at(2, 0) = 50;
  t.world.shadowGrid.at(3, 1) = 300;
  t.platform.script({pick(1, 6), pick(1, 2), pick(1, 3)});
  createSpiralWorld(t.world, t.platform);
  EXPECT_EQ(t.world.cellGrid.at(2, 2), 50);
  for (auto [x, y, shown] : {std::tuple{2, 1, 300}, {2, 2, 300}, {1, 2, 1}, {1, 1, -1}})
    EXPECT_EQ(t.platform.pixel(x, y), shown) << x << "," << y;  // the centre is never drawn

  // On fresh grids (1, 2) is left empty by growth and takes the first fresh
  // colour: grey 2, drawn with red inverted, channels in order blue, green, red.
  TestWorld fresh(3, 3);
  fresh.platform.script({pick(6, 6), pick(2, 2), pick(1, 2), pick(2, 2), pick(2, 2), pick(1, 3)});
  createSpiralWorld(fresh.world, fresh.platform);
  EXPECT_EQ(fresh.world.cellGrid.at(1, 2), rgb(2, 2, 2));
  EXPECT_EQ(fresh.platform.pixel(1, 2), rgb(2, 2, 253));
}

TEST(SpiralWorld, ChannelsWrapOrCountLikeAnOdometerAndAreDrawnInvertedAndPermuted) {
  MemoryPlatform p(1, 1);
  SpiralScheme s;
  for (auto [progression, from, to] : {std::tuple{1, Channels{255, 255, 7}, rgb(0, 0, 8)},
                                       {3, {255, 1, 1}, rgb(0, 2, 1)},
                                       {3, {255, 255, 255}, 0}}) {
    s.progression = progression;
    advanceChannels(s, from, p);
    EXPECT_EQ(rgb(from.red, from.green, from.blue), to) << progression;
  }
  s.channelOrder = 4;  // green, blue, red
  s.invertRed = s.invertBlue = true;
  EXPECT_EQ(drawnColor(s, Channels{1, 2, 3}), rgb(2, 252, 254));
}

TEST(RainbowWorld, SetCellsTakeTheLastColoredNeighbourOrANewColor) {
  // W = 5, H = 3. Planted: 77 right of (5, 1), 88 below (4, 1).
  TestWorld t(5, 3);
  Grid& g = t.world.cellGrid;
  for (auto [x, y] : {std::pair{1, 1}, {3, 1}, {4, 1}, {5, 1}, {1, 2}, {2, 2}, {3, 2}})
    g.at(x, y) = 1;
  g.at(6, 1) = 77;
  g.at(4, 2) = 88;
  t.platform.script({0.1, 0.6});
  const CellValue a = randomColor(0.1), b = randomColor(0.6);
  paintRainbow(t.world, t.platform);
  const CellValue cells[3][7] = {{}, {0, a, 0, b, 88, 77, 77}, {0, a, a, b, 88, 0, 0}};
  const CellValue shown[3][5] = {{-1, -1, -1, -1, -1}, {-1, a, 0, b, 88}, {-1, a, a, b, 0}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) {
      EXPECT_EQ(g.at(x, y), cells[y][x]) << x << "," << y;
      EXPECT_EQ(x < 5 ? t.platform.pixel(x, y) : 0, x < 5 ? shown[y][x] : 0) << x << "," << y;
    }
}

}  // namespace
}  // namespace plexaro
