#include "world_state.h"

#include <algorithm>
#include <cstring>

#include "color.h"
#include "spiral_walk.h"

namespace plexaro {

void WorldState::create(AreaSize area) {
  const int columns = roundHalfEven(area.width + 2.0) + 1;
  const int rows = roundHalfEven(area.height + 2.0) + 1;
  cellGrid = Grid(columns, rows);
  shadowGrid = Grid(columns, rows);
  redGrid = Grid(columns, rows);
  greenGrid = Grid(columns, rows);
  blueGrid = Grid(columns, rows);
  worldKind = kNoWorld;
  seedRed = seedGreen = seedBlue = 1;
  backgroundColor = kBlack;
  foregroundColor = kWhite;
}

namespace {

template <class Cells>
void grow(WorldState& w, const WalkFrame& f) {
  Cells cells(w.cellGrid), shadow(w.shadowGrid);
  cells.set(f.cx, f.cy, 1);
  shadow.set(f.cx, f.cy, 1);
  if (w.colorMode == ColorMode::TwoColors) {
    walkSpiral(f, [&](int x, int y) {
      // The sum is never negative, so its parity is its lowest bit.
      const CellValue s = cells.neighbourhood(x, y) & 1;
      cells.set(x, y, s);
      shadow.set(x, y, s);
    });
    return;
  }
  Cells red(w.redGrid), green(w.greenGrid), blue(w.blueGrid);
  red.set(f.cx, f.cy, w.seedRed);
  green.set(f.cx, f.cy, w.seedGreen);
  blue.set(f.cx, f.cy, w.seedBlue);
  cells.set(f.cx, f.cy, rgb(red.get(f.cx, f.cy), green.get(f.cx, f.cy), blue.get(f.cx, f.cy)));
  walkSpiral(f, [&](int x, int y) {
    shadow.set(x, y, cells.neighbourhood(x, y));
    const CellValue r = red.neighbourhood(x, y) & 255;
    const CellValue g = green.neighbourhood(x, y) & 255;
    const CellValue b = blue.neighbourhood(x, y) & 255;
    red.set(x, y, r);
    green.set(x, y, g);
    blue.set(x, y, b);
    cells.set(x, y, rgb(r, g, b));
  });
}

}  // namespace

bool growWorld(WorldState& world, WindowPlatform& platform) {
  const WalkFrame frame = walkFrame(platform);
  withCellAccess(world.cellGrid, frame, [&]<class Cells>() { grow<Cells>(world, frame); });
  return true;
}

bool startWorld(WorldState& world, WindowPlatform& platform, WorldKind kind, ClearFirst clear) {
  if (clear == ClearFirst::Always || (world.worldKind != kNoWorld && world.worldKind != kind))
    resetPattern(world, platform);
  world.worldKind = kind;
  return growWorld(world, platform);
}

void resetPattern(WorldState& world, WindowPlatform& platform) {
  const WalkFrame frame = walkFrame(platform);
  Grid& cells = world.cellGrid;
  const int lastColumn = std::min(frame.lastX, cells.columns() - 1);
  const int lastRow = std::min(frame.lastY, cells.rows() - 1);
  if (lastColumn < 0) return;
  for (int y = 0; y <= lastRow; ++y)
    std::memset(cells.row(y), 0, sizeof(CellValue) * static_cast<std::size_t>(lastColumn + 1));
}

}  // namespace plexaro
