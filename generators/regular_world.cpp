#include "generators.h"
#include "world/color.h"
#include "world/spiral_walk.h"

namespace plexaro {

void createRegularWorld(WorldState& world, WindowPlatform& platform) {
  if (world.worldKind != kNoWorld && world.worldKind != kRegularWorld)
    resetpattern(world, platform);
  world.worldKind = kRegularWorld;
  createworld(world, platform);
  // Drawn in both colour modes, so every press uses exactly one number.
  world.foregroundColor = randomColor(platform.rnd());

  const AreaSize area = platform.drawingArea();
  const WalkFrame frame = walkFrame(area.width, area.height);
  const Grid& cells = world.cellGrid;
  const bool manyColors = world.colorMode != 0;
  // Columns 0..W + 1 of rows 0..H + 1; cells beyond the grid read as 0.
  for (int y = 0; y <= frame.lastY; ++y) {
    for (int x = 0; x <= frame.lastX; ++x) {
      const CellValue value = cells.get(x, y);
      CellValue c = value == 1 ? world.foregroundColor : world.backgroundColor;
      if (manyColors) c = value;
      drawCell(platform, x, y, c);
    }
  }
}

}  // namespace plexaro
