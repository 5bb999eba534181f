#include <gtest/gtest.h>

#include "support/world_fixture.h"
#include "world/spiral_walk.h"

namespace plexaro {
namespace {

using testing::Block;
using testing::blockAround;
using testing::countEqual;
using testing::firstRing;
using testing::TestWorld;

constexpr int kCx = 251, kCy = 266;

std::vector<std::pair<int, int>> walkPath(float w, float h, std::pair<int, int>* end = nullptr) {
  const WalkFrame f = walkFrame(w, h);
  SpiralWalk walk(f.cx, f.cy, f.lastX, f.lastY);
  std::vector<std::pair<int, int>> path;
  while (walk.next())
    path.push_back({walk.x, walk.y});
  if (end) *end = {walk.x, walk.y};
  return path;
}

TEST(WorldState, CreatesFiveEmptyGridsWithABorderAndTheStartValues) {
  TestWorld t(503, 533);
  for (const Grid* g : {&t.world.cellGrid, &t.world.shadowGrid, &t.world.redGrid,
                        &t.world.greenGrid, &t.world.blueGrid}) {
    EXPECT_EQ(g->columns(), 506);
    EXPECT_EQ(g->rows(), 536);
    EXPECT_EQ(countEqual(*g, 0), 506L * 536);
  }
  EXPECT_EQ(t.world.worldKind, 0);
  EXPECT_EQ(t.world.foregroundColor, 16777215);
  EXPECT_EQ(t.world.backgroundColor, 0);
  EXPECT_EQ(t.world.seedRed + t.world.seedGreen + t.world.seedBlue, 3);
  // Halves round to even: 2.5 + 2 = 4.5 -> 4, so columns 0..4.
  WorldState half;
  half.create({2.5f, 3.5f});
  EXPECT_EQ(half.cellGrid.columns(), 5);
  EXPECT_EQ(half.cellGrid.rows(), 7);
}

TEST(SpiralWalk, TurnsClockwiseAndEndsAtTheFirstStepOutside) {
  std::pair<int, int> end;
  const auto square = walkPath(4, 4, &end);
  const std::vector<std::pair<int, int>> expected4 = {{3, 2}, {3, 3}, {2, 3}, {1, 3}, {1, 2},
                                                      {1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2},
                                                      {4, 3}, {4, 4}, {3, 4}, {2, 4}, {1, 4}};
  EXPECT_EQ(square, expected4);
  EXPECT_EQ(end, std::make_pair(0, 4));

  const auto wide = walkPath(5, 3, &end);
  const std::vector<std::pair<int, int>> expected53 = {{3, 1}, {3, 2}, {2, 2}, {1, 2}, {1, 1}};
  EXPECT_EQ(wide, expected53);
  EXPECT_EQ(end, std::make_pair(1, 0));

  // At the start-up size the walk ends on ring 251's bottom side at column 0.
  const auto full = walkPath(503, 533, &end);
  EXPECT_EQ(full.size(), 252003u);
  EXPECT_EQ(end, std::make_pair(0, 517));
  std::vector<std::pair<int, int>> ring(full.begin(), full.begin() + 8);
  EXPECT_EQ(ring, firstRing(kCx, kCy));
  EXPECT_EQ(full[8], std::make_pair(kCx + 2, kCy - 1));  // ring 2 entered at (2, -1)
}

TEST(Createworld, TwoColoursOnFreshGridsAtStartupSize) {
  TestWorld t(503, 533);
  createworld(t.world, t.platform);
  const Grid& cells = t.world.cellGrid;

  const Block expected = {
      {{0, 1, 1, 0, 1}, {0, 1, 0, 1, 1}, {1, 1, 1, 1, 0}, {0, 0, 0, 1, 1}, {0, 0, 0, 0, 1}}};
  EXPECT_EQ(blockAround(cells, kCx, kCy), expected);
  const std::vector<CellValue> firstEight = {1, 1, 0, 0, 1, 1, 0, 1};
  std::vector<CellValue> got;
  for (auto [x, y] : firstRing(kCx, kCy))
    got.push_back(cells.at(x, y));
  EXPECT_EQ(got, firstEight);
  EXPECT_EQ(countEqual(cells, 1), 125786);
  EXPECT_TRUE(t.platform.savePatternEnabled);
  EXPECT_EQ(t.platform.lineCalls, 0);  // growth draws nothing
  EXPECT_EQ(t.platform.draws, 0);      // nor draws random numbers

  // shadowGrid holds the same 0s and 1s; nothing outside the walked
  // rectangle (columns 1..502, rows 16..517) is touched.
  long touchedOutside = 0, shadowDiffers = 0;
  for (int y = 0; y < cells.rows(); ++y)
    for (int x = 0; x < cells.columns(); ++x) {
      shadowDiffers += cells.at(x, y) != t.world.shadowGrid.at(x, y);
      const bool walked = x >= 1 && x <= 502 && y >= 16 && y <= 517;
      if (!walked) touchedOutside += cells.at(x, y) != 0 || t.world.shadowGrid.at(x, y) != 0;
    }
  EXPECT_EQ(shadowDiffers, 0);
  EXPECT_EQ(touchedOutside, 0);
  EXPECT_EQ(countEqual(t.world.redGrid, 0), 506L * 536);  // channels only in many colours

  // Grown again without a reset, the world develops further.
  t.platform.savePatternEnabled = false;
  createworld(t.world, t.platform);
  const Block second = {
      {{1, 0, 0, 0, 0}, {0, 0, 1, 1, 1}, {0, 0, 1, 0, 0}, {1, 0, 1, 0, 1}, {1, 1, 0, 0, 1}}};
  EXPECT_EQ(blockAround(cells, kCx, kCy), second);
  EXPECT_EQ(cells.at(kCx + 1, kCy), 0);
  EXPECT_EQ(countEqual(cells, 1), 126457);
  EXPECT_TRUE(t.platform.savePatternEnabled);
}

TEST(Createworld, ManyColoursSumsEachChannelModulo256AndKeepsTheRawSum) {
  TestWorld t(503, 533);
  t.world.colorMode = 1;
  createworld(t.world, t.platform);
  const WorldState& w = t.world;
  EXPECT_EQ(w.cellGrid.at(kCx, kCy), 65793);
  EXPECT_EQ(w.shadowGrid.at(kCx, kCy), 1);
  const std::vector<CellValue> channels = {1, 1, 2, 2, 3, 3, 4, 5};
  std::vector<CellValue> red, colour;
  for (auto [x, y] : firstRing(kCx, kCy)) {
    red.push_back(w.redGrid.at(x, y));
    EXPECT_EQ(w.greenGrid.at(x, y), w.redGrid.at(x, y));
    EXPECT_EQ(w.blueGrid.at(x, y), w.redGrid.at(x, y));
    colour.push_back(w.cellGrid.at(x, y) / 65793);
  }
  EXPECT_EQ(red, channels);
  EXPECT_EQ(colour, channels);

  // With equal channels every packed colour is a multiple of 65793, and the
  // shadow is the unreduced sum of five of them: its channel sum reduced
  // modulo 256 gives the cell's channel, and it passes 16777215 somewhere.
  long visited = 0, above24Bits = 0;
  for (auto [x, y] : walkPath(503, 533)) {
    ++visited;
    const CellValue s = w.shadowGrid.at(x, y);
    ASSERT_EQ(s % 65793, 0) << x << "," << y;
    ASSERT_EQ((s / 65793) % 256, w.redGrid.at(x, y)) << x << "," << y;
    ASSERT_EQ(w.cellGrid.at(x, y), w.redGrid.at(x, y) * 65793);
    above24Bits += s > 16777215;
  }
  EXPECT_EQ(visited, 252003);
  EXPECT_GT(above24Bits, 0);
}

TEST(Resetpattern, ClearsOnlyCellGridColumns0ToWPlus1OfRows0ToHPlus1) {
  TestWorld t(7, 5);
  WorldState& w = t.world;
  for (Grid* g : {&w.cellGrid, &w.shadowGrid, &w.redGrid, &w.greenGrid, &w.blueGrid})
    for (int y = 0; y < g->rows(); ++y)
      for (int x = 0; x < g->columns(); ++x)
        g->at(x, y) = 9;
  w.worldKind = kSpiralWorld;
  resetpattern(w, t.platform);
  for (int y = 0; y < w.cellGrid.rows(); ++y)
    for (int x = 0; x < w.cellGrid.columns(); ++x) {
      const bool cleared = x <= 8 && y <= 6;
      EXPECT_EQ(w.cellGrid.at(x, y), cleared ? 0 : 9) << x << "," << y;
      EXPECT_EQ(
          w.shadowGrid.at(x, y) + w.redGrid.at(x, y) + w.greenGrid.at(x, y) + w.blueGrid.at(x, y),
          36);
    }
  EXPECT_EQ(w.worldKind, kSpiralWorld);  // only "Reset World" changes the kind
  EXPECT_EQ(t.platform.lineCalls, 0);

  // After a reset the world grows from a single seed again, while the
  // channel grids still feed the next many-colour growth.
  TestWorld fresh(503, 533), again(503, 533);
  createworld(again.world, again.platform);
  createworld(again.world, again.platform);
  resetpattern(again.world, again.platform);
  createworld(fresh.world, fresh.platform);
  createworld(again.world, again.platform);
  EXPECT_EQ(blockAround(again.world.cellGrid, kCx, kCy),
            blockAround(fresh.world.cellGrid, kCx, kCy));
  EXPECT_EQ(countEqual(again.world.cellGrid, 1), 125786);
}

}  // namespace
}  // namespace plexaro
