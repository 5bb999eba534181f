#include <algorithm>

#include "generators.h"
#include "world/color.h"
#include "world/spiral_walk.h"

namespace plexaro {

namespace {

template <class Cells>
void scan(WorldState& world, WindowPlatform& platform, const WalkFrame& f) {
  Cells cells(world.cellGrid);
  const PixelView pixels = platform.pixels();
  const std::uint32_t background = toScreen(world.backgroundColor);
  for (int y = 1; y <= f.lastY; ++y) {
    // Columns W and W + 1, row H and below lie beyond the drawing area.
    std::uint32_t* const out = y < pixels.height ? pixels.row(y) : nullptr;
    const int visible = out ? pixels.width : 0;
    for (int x = 1; x <= f.lastX; ++x) {
      std::uint32_t c = background;
      if (cells.get(x, y) == 1) {
        copyFromNeighbours(cells, x, y);
        if (cells.get(x, y) == 1) cells.set(x, y, randomColor(platform.random()));
        c = toScreen(cells.get(x, y));
      }
      if (x < visible) out[x] = c;
    }
  }
}

}  // namespace

bool createRainbowWorld(WorldState& world, WindowPlatform& platform) {
  const bool grown = startWorld(world, platform, kRainbowWorld, ClearFirst::Always);
  paintRainbow(world, platform);
  return grown;
}

void paintRainbow(WorldState& world, WindowPlatform& platform) {
  const WalkFrame frame = walkFrame(platform);
  withCellAccess(world.cellGrid, frame,
                 [&]<class Cells>() { scan<Cells>(world, platform, frame); });
}

}  // namespace plexaro
