#include <gtest/gtest.h>

#include <vector>

#include "support/world_fixture.h"
#include "world/spiral_walk.h"

namespace plexaro {
namespace {

using testing::Block;
using testing::blockAround;
using testing::countEqual;
using Path = std::vector<std::pair<int, int>>;

constexpr int kCx = 251, kCy = 266;  // the centre at the start-up size
const Path kFirstRing = {{kCx + 1, kCy},     {kCx + 1, kCy + 1}, {kCx, kCy + 1},
                         {kCx - 1, kCy + 1}, {kCx - 1, kCy},     {kCx - 1, kCy - 1},
                         {kCx, kCy - 1},     {kCx + 1, kCy - 1}, {kCx + 2, kCy - 1}};

Path walkPath(float w, float h) {
  Path path;
  walkSpiral(walkFrame(w, h), [&](int x, int y) { path.push_back({x, y}); });
  return path;
}

TEST(SpiralWalk, TurnsClockwiseAndEndsAtTheFirstStepOutside) {
  EXPECT_EQ(walkPath(4, 4), (Path{{3, 2},
                                  {3, 3},
                                  {2, 3},
                                  {1, 3},
                                  {1, 2},
                                  {1, 1},
                                  {2, 1},
                                  {3, 1},
                                  {4, 1},
                                  {4, 2},
                                  {4, 3},
                                  {4, 4},
                                  {3, 4},
                                  {2, 4},
                                  {1, 4}}));
  EXPECT_EQ(walkPath(5, 3), (Path{{3, 1}, {3, 2}, {2, 2}, {1, 2}, {1, 1}}));
  // At the start-up size it ends on ring 251's bottom side, at column 0.
  const Path full = walkPath(503, 533);
  EXPECT_EQ(full.size(), 252003u);
  EXPECT_EQ(full.back(), std::make_pair(1, 517));
  EXPECT_EQ(Path(full.begin(), full.begin() + 9), kFirstRing);
}

TEST(Createworld, GrowsTheWorkedExamplesInTwoColours) {
  testing::TestWorld t(503, 533);
  const Grid& cells = t.world.cellGrid;
  createworld(t.world, t.platform);
  EXPECT_EQ(
      blockAround(cells, kCx, kCy),
      (Block{
          {{0, 1, 1, 0, 1}, {0, 1, 0, 1, 1}, {1, 1, 1, 1, 0}, {0, 0, 0, 1, 1}, {0, 0, 0, 0, 1}}}));
  EXPECT_EQ(countEqual(cells, 1), 125786);
  EXPECT_TRUE(t.platform.savePatternEnabled);
  // shadowGrid holds the same; nothing outside columns 1..502, rows 16..517.
  for (int y = 0; y < cells.rows(); ++y)
    for (int x = 0; x < cells.columns(); ++x) {
      ASSERT_EQ(t.world.shadowGrid.at(x, y), cells.at(x, y));
      if (x < 1 || x > 502 || y < 16 || y > 517) ASSERT_EQ(cells.at(x, y), 0) << x << "," << y;
    }
  // Grown again without a reset, the world develops further.
  createworld(t.world, t.platform);
  EXPECT_EQ(
      blockAround(cells, kCx, kCy),
      (Block{
          {{1, 0, 0, 0, 0}, {0, 0, 1, 1, 1}, {0, 0, 1, 0, 0}, {1, 0, 1, 0, 1}, {1, 1, 0, 0, 1}}}));
  EXPECT_EQ(countEqual(cells, 1), 126457);
}

TEST(Createworld, ManyColoursSumEachChannelModulo256AndKeepTheRawSum) {
  testing::TestWorld t(503, 533);
  t.world.colorMode = 1;
  createworld(t.world, t.platform);
  const WorldState& w = t.world;
  EXPECT_EQ(w.cellGrid.at(kCx, kCy), 65793);
  const CellValue channels[] = {1, 1, 2, 2, 3, 3, 4, 5};
  for (int i = 0; i < 8; ++i) {
    const auto [x, y] = kFirstRing[i];
    EXPECT_EQ(w.cellGrid.at(x, y), channels[i] * 65793) << i;
    EXPECT_EQ(w.blueGrid.at(x, y), channels[i]) << i;
  }
  // The shadow is the unreduced sum of five packed colours: with equal
  // channels a multiple of 65793 that reduces to the cell's channel.
  long above24Bits = 0;
  for (int y = 16; y <= 517; ++y)
    for (int x = 1; x <= 502; ++x) {
      const CellValue s = w.shadowGrid.at(x, y);
      if (x == kCx && y == kCy) continue;
      ASSERT_EQ(s % 65793, 0);
      ASSERT_EQ(s / 65793 % 256, w.redGrid.at(x, y)) << x << "," << y;
      above24Bits += s > 16777215;
    }
  EXPECT_GT(above24Bits, 0);
}

TEST(Resetpattern, ClearsCellGridUpToColumnWPlus1AndRowHPlus1AndNothingElse) {
  testing::TestWorld t(7, 5);
  WorldState& w = t.world;
  for (Grid* g : {&w.cellGrid, &w.shadowGrid, &w.redGrid, &w.greenGrid, &w.blueGrid})
    std::fill(g->row(0), g->row(0) + g->size(), 9);
  resetpattern(w, t.platform);
  for (int y = 0; y < w.cellGrid.rows(); ++y)
    for (int x = 0; x < w.cellGrid.columns(); ++x) {
      EXPECT_EQ(w.cellGrid.at(x, y), x <= 8 && y <= 6 ? 0 : 9) << x << "," << y;
      EXPECT_EQ(w.shadowGrid.at(x, y) + w.redGrid.at(x, y) + w.blueGrid.at(x, y), 27);
    }
  // After a reset the world grows from a single seed again.
  testing::TestWorld again(503, 533);
  createworld(again.world, again.platform);
  createworld(again.world, again.platform);
  resetpattern(again.world, again.platform);
  createworld(again.world, again.platform);
  EXPECT_EQ(countEqual(again.world.cellGrid, 1), 125786);
}

}  // namespace
}  // namespace plexaro
