#include <gtest/gtest.h>

#include <algorithm>

#include "support/world_fixture.h"

namespace plexaro {
namespace {

using testing::centreBlock;
using testing::countEqual;
using testing::kCx;
using testing::kCy;

// Each growth grows the world further, until a reset: then the next grows
// from one seed again, however far the last ones grew.
TEST(GrowWorld, GrowsTheWorkedExamplesInTwoColorsAndAfterAResetFromOneSeed) {
  testing::TestWorld t(503, 533);
  const Grid& cells = t.world.cellGrid;
  EXPECT_TRUE(growWorld(t.world, t.platform));
  EXPECT_EQ(centreBlock(cells), testing::kFirstGrowth);
  EXPECT_EQ(countEqual(cells, 1), 125786);
  EXPECT_EQ(countEqual(t.world.shadowGrid, 1), 125786);  // the same 0s and 1s
  growWorld(t.world, t.platform);                        // again, without a reset: it grows further
  EXPECT_EQ(centreBlock(cells), testing::kSecondGrowth);
  EXPECT_EQ(countEqual(cells, 1), 126457);
  resetPattern(t.world, t.platform);
  growWorld(t.world, t.platform);
  EXPECT_EQ(countEqual(cells, 1), 125786);
}

TEST(GrowWorld, ManyColorsSumEachChannelModulo256AndKeepTheRawSum) {
  testing::TestWorld t(503, 533);
  t.world.colorMode = ColorMode::ManyColors;
  growWorld(t.world, t.platform);
  // The centre's seed, then the first ring in walk order: channels 1, 1, 2,
  // 2, 3, 3, 4, 5 (right, down, left, up), all three equal.
  EXPECT_EQ(centreBlock(t.world.blueGrid, 3), "345311221");
  EXPECT_EQ(t.world.cellGrid.at(kCx + 1, kCy - 1), 5 * 65793);
  // Each channel reduced modulo 256; shadowGrid the sum of five packed
  // colours, unreduced.
  auto largest = [](const Grid& g) { return *std::max_element(g.row(0), g.row(0) + g.size()); };
  EXPECT_EQ(largest(t.world.redGrid), 255);
  EXPECT_GT(largest(t.world.shadowGrid), 16777215);
}

}  // namespace
}  // namespace plexaro
