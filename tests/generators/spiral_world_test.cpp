#include <gtest/gtest.h>

#include <set>

#include "generators/generators.h"
#include "generators/spiral_scheme.h"
#include "support/world_fixture.h"
#include "world/color.h"

namespace plexaro {
namespace {

using testing::TestWorld;

// The uniform draw that makes "a random whole number from 1 to n" give k.
double pick(int k, int n) {
  return (k - 0.5) / n;
}

TEST(SpiralScheme, DrawsOrderInversionAndProgressionInOrder) {
  MemoryPlatform p(4, 4);
  Channels c;
  // Order 4, no inversion, progression 1: exactly three draws.
  p.script({pick(4, 6), pick(1, 2), pick(1, 3)});
  SpiralScheme s = chooseSpiralScheme(p, c);
  EXPECT_EQ(s.channelOrder, 4);
  EXPECT_FALSE(s.invertRed || s.invertGreen || s.invertBlue);
  EXPECT_EQ(s.progression, 1);
  EXPECT_EQ(p.scriptLeft(), 0u);

  // Inversion: the loop repeats while no channel came out inverted.
  p.script({pick(1, 6), pick(2, 2), pick(2, 2), pick(2, 2), pick(2, 2), pick(2, 2), pick(1, 2),
            pick(2, 2), pick(3, 3)});
  s = chooseSpiralScheme(p, c);
  EXPECT_TRUE(!s.invertRed && s.invertGreen && !s.invertBlue);
  EXPECT_EQ(s.progression, 3);
  EXPECT_EQ(p.scriptLeft(), 0u);
}

TEST(SpiralScheme, ProgressionTwoPicksRandomChannelsWithTheirOwnDraws) {
  MemoryPlatform p(4, 4);
  Channels c;
  // freshRandom; pass 1: red's discarded draw, neither channel random;
  // pass 2: red's draw, green random (value 0.5 -> 128), blue not.
  p.script({pick(1, 6), pick(1, 2), pick(2, 3), pick(2, 2),  //
            0.9, pick(2, 2), pick(2, 2),                     //
            0.1, pick(1, 2), 0.5, pick(2, 2)});
  const SpiralScheme s = chooseSpiralScheme(p, c);
  EXPECT_EQ(s.progression, 2);
  EXPECT_TRUE(s.freshRandom);
  EXPECT_TRUE(s.randomGreen);
  EXPECT_FALSE(s.randomBlue);
  EXPECT_EQ(p.scriptLeft(), 0u);
  EXPECT_EQ(c.green, 128);
  EXPECT_EQ(c.blue, 1);

  // A fresh random value for the random channel, the others count up.
  p.script({0.25});
  advanceChannels(s, c, p);
  EXPECT_EQ(p.scriptLeft(), 0u);
  EXPECT_EQ(rgb(c.red, c.green, c.blue), rgb(2, 64, 2));

  // Without freshRandom a random channel keeps its one value.
  SpiralScheme kept = s;
  kept.freshRandom = false;
  advanceChannels(kept, c, p);
  EXPECT_EQ(rgb(c.red, c.green, c.blue), rgb(3, 64, 3));
}

TEST(SpiralScheme, ProgressionsWrapEachChannelOrCountLikeAnOdometer) {
  MemoryPlatform p(4, 4);
  SpiralScheme s;
  Channels c{255, 255, 255};
  s.progression = 1;
  advanceChannels(s, c, p);
  EXPECT_EQ(rgb(c.red, c.green, c.blue), 0);

  s.progression = 3;
  c = {255, 1, 1};
  advanceChannels(s, c, p);
  EXPECT_EQ(rgb(c.red, c.green, c.blue), rgb(0, 2, 1));
  c = {255, 255, 7};
  advanceChannels(s, c, p);
  EXPECT_EQ(rgb(c.red, c.green, c.blue), rgb(0, 0, 8));
  c = {255, 255, 255};
  advanceChannels(s, c, p);
  EXPECT_EQ(rgb(c.red, c.green, c.blue), 0);
  EXPECT_EQ(p.draws, 0);
}

TEST(SpiralScheme, DrawnColourInvertsThenPermutes) {
  const Channels c{1, 2, 3};
  SpiralScheme s;
  const CellValue expected[6] = {rgb(1, 2, 3), rgb(1, 3, 2), rgb(2, 1, 3),
                                 rgb(2, 3, 1), rgb(3, 1, 2), rgb(3, 2, 1)};
  for (int order = 1; order <= 6; ++order) {
    s.channelOrder = order;
    EXPECT_EQ(drawnColor(s, c), expected[order - 1]) << order;
  }
  s.channelOrder = 4;  // green, blue, red
  s.invertRed = s.invertBlue = true;
  EXPECT_EQ(drawnColor(s, c), rgb(2, 252, 254));
}

TEST(SpiralWorld, DrawsTheWalkInOrderButNeverTheCentre) {
  TestWorld square(4, 4);
  square.platform.recordPlots = true;
  square.platform.script({pick(1, 6), pick(1, 2), pick(1, 3), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  createSpiralWorld(square.world, square.platform);
  const std::vector<std::pair<int, int>> expected = {{3, 2}, {3, 3}, {2, 3}, {1, 3}, {1, 2},
                                                     {1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2},
                                                     {4, 3}, {4, 4}, {3, 4}, {2, 4}, {1, 4}};
  EXPECT_EQ(square.platform.plots, expected);

  TestWorld wide(5, 3);
  wide.platform.recordPlots = true;
  createSpiralWorld(wide.world, wide.platform);
  const std::vector<std::pair<int, int>> expected53 = {{3, 1}, {3, 2}, {2, 2}, {1, 2}, {1, 1}};
  EXPECT_EQ(wide.platform.plots, expected53);

  TestWorld full(503, 533);
  full.platform.recordPlots = true;
  createSpiralWorld(full.world, full.platform);
  const auto& plots = full.platform.plots;
  EXPECT_EQ(plots.size(), 252003u);
  std::set<std::pair<int, int>> distinct(plots.begin(), plots.end());
  EXPECT_EQ(distinct.size(), plots.size());
  EXPECT_EQ(distinct.count({251, 266}), 0u);
  for (auto [x, y] : plots)
    ASSERT_TRUE(x >= 1 && x <= 502 && y >= 16 && y <= 517);
  EXPECT_EQ(full.world.worldKind, kSpiralWorld);
}

TEST(SpiralWorld, CopiesNeighboursInEachGridOnItsOwnAndTheLastOneWins) {
  // W = H = 2: the centre is (1, 1) and the walk visits (2, 1), (2, 2),
  // (1, 2). Cells in row 0 and column 3 are never grown, so values planted
  // there survive growth: (2, 1) sees 101 to its right and 50 above in
  // cellGrid, but only 300 to its right in shadowGrid.
  TestWorld t(2, 2);
  t.platform.recordPlots = true;
  t.world.worldKind = kSpiralWorld;
  t.world.cellGrid.at(3, 1) = 101;
  t.world.cellGrid.at(2, 0) = 50;  // keeps (2, 1)'s growth sum even: 0
  t.world.shadowGrid.at(3, 1) = 300;
  t.platform.script({pick(1, 6), pick(1, 2), pick(1, 3)});
  createSpiralWorld(t.world, t.platform);
  EXPECT_EQ(t.platform.scriptLeft(), 0u);    // no fresh colour was needed
  EXPECT_EQ(t.world.cellGrid.at(2, 1), 50);  // above comes after right
  EXPECT_EQ(t.world.shadowGrid.at(2, 1), 300);
  EXPECT_EQ(t.world.cellGrid.at(2, 2), 50);
  EXPECT_EQ(t.world.shadowGrid.at(2, 2), 300);
  EXPECT_EQ(t.world.cellGrid.at(1, 2), 1);  // a set cell keeps its value
  const std::vector<std::pair<int, int>> order = {{2, 1}, {2, 2}, {1, 2}};
  EXPECT_EQ(t.platform.plots, order);
  const std::vector<std::int32_t> colours = {300, 300, 1};  // 1 is RGB(1, 0, 0)
  EXPECT_EQ(t.platform.plotColors, colours);
}

TEST(SpiralWorld, AnEmptyCellWithoutColouredNeighboursStartsTheNextColour) {
  // On fresh grids at 2 x 2 growth sets (2, 1) and (2, 2) and leaves (1, 2)
  // empty, so (1, 2) takes the first fresh colour: grey 2 plain, drawn with
  // red inverted and the channels in order 6 (blue, green, red).
  TestWorld t(2, 2);
  t.platform.recordPlots = true;
  t.platform.script({pick(6, 6), pick(2, 2), pick(1, 2), pick(2, 2), pick(2, 2), pick(1, 3)});
  createSpiralWorld(t.world, t.platform);
  EXPECT_EQ(t.platform.scriptLeft(), 0u);
  EXPECT_EQ(t.world.cellGrid.at(1, 2), rgb(2, 2, 2));
  EXPECT_EQ(t.world.shadowGrid.at(1, 2), rgb(2, 2, 253));
  const std::vector<std::int32_t> colours = {1, 1, rgb(2, 2, 253)};
  EXPECT_EQ(t.platform.plotColors, colours);
  EXPECT_EQ(t.platform.pixel(1, 1), -1);  // the centre is never drawn
}

TEST(SpiralWorld, AFreshColourThatPacksTo0StillReadsAsEmpty) {
  // Progression 1 runs greys 2..255 and then 0; that cell stays empty in
  // cellGrid, so no neighbour ever copies it.
  TestWorld t(503, 533);
  t.platform.script({pick(1, 6), pick(1, 2), pick(1, 3)});
  createSpiralWorld(t.world, t.platform);
  long emptyAfter = 0;
  for (int y = 16; y <= 517; ++y)
    for (int x = 1; x <= 502; ++x)
      if (t.world.cellGrid.at(x, y) == 0) {
        ++emptyAfter;
        ASSERT_EQ(t.world.shadowGrid.at(x, y), 0);
        ASSERT_EQ(t.platform.pixel(x, y), 0);
      }
  EXPECT_GT(emptyAfter, 0);
}

TEST(SpiralWorld, ManyColoursColourOnlyEmptyCellsAndDrawTheRestFromTheShadow) {
  TestWorld t(503, 533);
  t.world.colorMode = 1;
  TestWorld grown(503, 533);
  grown.world.colorMode = 1;
  createworld(grown.world, grown.platform);
  createSpiralWorld(t.world, t.platform);
  long kept = 0;
  for (int y = 16; y <= 517; ++y)
    for (int x = 1; x <= 502; ++x) {
      if (x == 251 && y == 266) continue;
      ASSERT_EQ(t.platform.pixel(x, y), t.world.shadowGrid.at(x, y));
      if (grown.world.cellGrid.at(x, y) != 0) {
        ++kept;
        ASSERT_EQ(t.world.cellGrid.at(x, y), grown.world.cellGrid.at(x, y));
        ASSERT_EQ(t.world.shadowGrid.at(x, y), grown.world.shadowGrid.at(x, y));
      }
    }
  EXPECT_GT(kept, 100000);
}

}  // namespace
}  // namespace plexaro
