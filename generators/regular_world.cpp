#include <algorithm>

#include "generators.h"
#include "world/color.h"
#include "world/spiral_walk.h"

namespace plexaro {

namespace {

// Paints columns 0..lastX of rows 0..lastY, as far as the drawing area has
// pixels for them, each in colorOf(its cell); cells beyond the grid read 0.
template <class ColorOf>
void paintRows(const Grid& cells, const WalkFrame& f, const PixelView& pixels, ColorOf colorOf) {
  const int rows = std::min(f.lastY + 1, pixels.height);
  const int columns = std::max(0, std::min(f.lastX + 1, pixels.width));
  for (int y = 0; y < rows; ++y) {
    std::uint32_t* out = pixels.row(y);
    const int inGrid = y < cells.rows() ? std::min(columns, cells.columns()) : 0;
    const CellValue* row = cells.row(std::min(y, cells.rows() - 1));
    for (int x = 0; x < inGrid; ++x)
      out[x] = colorOf(row[x]);
    std::fill(out + inGrid, out + columns, colorOf(0));
  }
}

}  // namespace

bool createRegularWorld(WorldState& world, WindowPlatform& platform) {
  const bool grown = startWorld(world, platform, kRegularWorld, ClearFirst::IfAnotherKind);
  // Drawn in both colour modes, so every press uses exactly one number.
  world.foregroundColor = randomColor(platform.random());

  const WalkFrame frame = walkFrame(platform);
  const PixelView pixels = platform.pixels();
  if (world.colorMode == ColorMode::ManyColors) {
    // Every cell in its own value, a cell holding 1 included.
    paintRows(world.cellGrid, frame, pixels, [](CellValue v) { return toScreen(v); });
    return grown;
  }
  const std::uint32_t foreground = toScreen(world.foregroundColor);
  const std::uint32_t background = toScreen(world.backgroundColor);
  paintRows(world.cellGrid, frame, pixels,
            [=](CellValue v) { return v == 1 ? foreground : background; });
  return grown;
}

}  // namespace plexaro
