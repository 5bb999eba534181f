#include <gtest/gtest.h>

#include "support/world_fixture.h"

namespace plexaro {
namespace {

using testing::centreBlock;
using testing::countEqual;

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

}  // namespace
}  // namespace plexaro
