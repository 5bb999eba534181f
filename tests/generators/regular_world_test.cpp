#include <gtest/gtest.h>

#include <cmath>

#include "generators/generators.h"
#include "support/world_fixture.h"

namespace plexaro {
namespace {

using testing::TestWorld;

TEST(RegularWorld, TwoColoursPaintOnlyCellsHoldingExactly1InTheForeground) {
  TestWorld t(9, 7);
  t.world.worldKind = kRegularWorld;  // so the planted cells are not cleared
  // Column 0 is never grown, so these keep what they are given.
  t.world.cellGrid.at(0, 0) = 1;
  t.world.cellGrid.at(0, 1) = 7;
  t.platform.script({0.5});
  createRegularWorld(t.world, t.platform);

  const CellValue fg = static_cast<CellValue>(std::floor(0.5 * 16777214)) + 2;
  EXPECT_EQ(t.world.foregroundColor, fg);
  EXPECT_EQ(t.platform.draws, 1);
  EXPECT_EQ(t.world.worldKind, kRegularWorld);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x)
      ASSERT_EQ(t.platform.pixel(x, y), t.world.cellGrid.at(x, y) == 1 ? fg : 0) << x << "," << y;
  EXPECT_EQ(t.platform.pixel(0, 0), fg);
  EXPECT_EQ(t.platform.pixel(0, 1), 0);
  // Columns 0..W + 1 of rows 0..H + 1, one plain line each.
  EXPECT_EQ(t.platform.lineCalls, 11 * 9);
}

TEST(RegularWorld, ManyColoursPaintEveryCellInItsOwnValueYetStillDrawTheForeground) {
  TestWorld t(9, 7);
  t.world.colorMode = 1;
  t.world.worldKind = kRegularWorld;
  t.world.cellGrid.at(0, 0) = 1;
  t.platform.script({0.25});
  createRegularWorld(t.world, t.platform);
  EXPECT_EQ(t.platform.scriptLeft(), 0u);
  EXPECT_EQ(t.world.foregroundColor, static_cast<CellValue>(std::floor(0.25 * 16777214)) + 2);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x)
      ASSERT_EQ(t.platform.pixel(x, y), t.world.cellGrid.at(x, y));
  EXPECT_EQ(t.platform.pixel(0, 0), 1);  // colour 1, not the foreground
  EXPECT_EQ(t.platform.pixel(4, 3), 65793);
}

TEST(RegularWorld, ForegroundSpansTwoToWhite) {
  TestWorld t(4, 4);
  t.platform.script({0.0, std::nextafter(1.0, 0.0)});
  createRegularWorld(t.world, t.platform);
  EXPECT_EQ(t.world.foregroundColor, 2);
  createRegularWorld(t.world, t.platform);
  EXPECT_EQ(t.world.foregroundColor, 16777215);
}

TEST(Generators, ClearFirstOnlyAfterAnotherKindOfWorldAndOtherwiseGrowFurther) {
  using Generator = void (*)(WorldState&, WindowPlatform&);
  const std::pair<Generator, std::int16_t> generators[] = {{createRegularWorld, kRegularWorld},
                                                           {createSpiralWorld, kSpiralWorld}};
  for (auto [generate, own] : generators)
    for (std::int16_t kind : {kNoWorld, kRegularWorld, kRainbowWorld, kSpiralWorld}) {
      TestWorld t(20, 20);
      t.world.worldKind = kind;
      t.world.cellGrid.at(0, 0) = 5;  // outside the growth: survives unless cleared
      generate(t.world, t.platform);
      const bool cleared = kind != kNoWorld && kind != own;
      EXPECT_EQ(t.world.cellGrid.at(0, 0), cleared ? 0 : 5) << own << " after " << kind;
      EXPECT_EQ(t.world.worldKind, own);
    }
  // Two presses grow the world twice, exactly like two growths.
  TestWorld pressed(503, 533), grown(503, 533);
  createRegularWorld(pressed.world, pressed.platform);
  createRegularWorld(pressed.world, pressed.platform);
  createworld(grown.world, grown.platform);
  createworld(grown.world, grown.platform);
  EXPECT_EQ(testing::countEqual(pressed.world.cellGrid, 1), 126457);
  EXPECT_EQ(testing::blockAround(pressed.world.cellGrid, 251, 266),
            testing::blockAround(grown.world.cellGrid, 251, 266));
  // Foreground pixels lie only where growth reaches; the centre is one.
  const CellValue fg = pressed.world.foregroundColor;
  EXPECT_EQ(pressed.platform.pixel(251, 266), fg);
  for (int y = 0; y < 533; ++y)
    for (int x = 0; x < 503; ++x)
      if (pressed.platform.pixel(x, y) == fg) {
        ASSERT_TRUE(x >= 1 && x <= 502 && y >= 16 && y <= 517);
      }
}

TEST(Generators, StayInsideTheGridsWhenTheDrawingAreaHasGrown) {
  // Grids made for 24 x 16, then a larger area: reads beyond the grids give
  // 0 and nothing is written there (the sanitizer build checks that part).
  TestWorld t(24, 16);
  t.platform.resize(40, 30);
  for (std::int16_t mode : {0, 1}) {
    t.world.colorMode = mode;
    createRegularWorld(t.world, t.platform);
    createSpiralWorld(t.world, t.platform);
    createRainbowWorld(t.world, t.platform);
  }
  // The whole grown area is still painted; cells beyond the grids read 0,
  // while the grids hold a world grown from the centre outward.
  EXPECT_EQ(t.platform.pixel(39, 29), 0);
  EXPECT_EQ(t.world.cellGrid.columns(), 27);
  EXPECT_TRUE(t.platform.savePatternEnabled);
  EXPECT_GT(testing::countEqual(t.world.cellGrid, 0), 0);
  EXPECT_LT(testing::countEqual(t.world.cellGrid, 0), 27L * 19);
}

}  // namespace
}  // namespace plexaro
