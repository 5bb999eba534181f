#include "generators.h"
#include "neighbours.h"
#include "world/color.h"
#include "world/spiral_walk.h"

namespace plexaro {

void createRainbowWorld(WorldState& world, WindowPlatform& platform) {
  resetpattern(world, platform);
  world.worldKind = kRainbowWorld;
  createworld(world, platform);
  paintRainbow(world, platform);
}

void paintRainbow(WorldState& world, WindowPlatform& platform) {
  const AreaSize area = platform.drawingArea();
  const WalkFrame frame = walkFrame(area.width, area.height);
  Grid& cells = world.cellGrid;
  for (int y = 1; y <= frame.lastY; ++y) {
    for (int x = 1; x <= frame.lastX; ++x) {
      CellValue c = world.backgroundColor;
      if (cells.get(x, y) == 1) {
        copyFromNeighbours(cells, x, y);
        // A cell outside the grid reads 0 and is simply not coloured.
        if (cells.get(x, y) == 1) cells.set(x, y, randomColor(platform.rnd()));
        c = cells.get(x, y);
      }
      drawCell(platform, x, y, c);
    }
  }
}

}  // namespace plexaro
