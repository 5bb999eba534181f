#include "world_state.h"

#include <algorithm>
#include <cstring>

#include "color.h"
#include "grid_access.h"
#include "spiral_walk.h"

namespace plexaro {

void WorldState::create(AreaSize area) {
  // Columns 0 to W + 2 and rows 0 to H + 2, both limits rounded half to even.
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

template <class A>
CellValue neighbourhoodSum(const Grid& g, int x, int y) {
  return A::get(g, x, y) + A::get(g, x - 1, y) + A::get(g, x, y - 1) + A::get(g, x + 1, y) +
         A::get(g, x, y + 1);
}

template <class A>
void grow(WorldState& w, const WalkFrame& f) {
  Grid& cells = w.cellGrid;
  Grid& shadow = w.shadowGrid;
  A::set(cells, f.cx, f.cy, 1);
  A::set(shadow, f.cx, f.cy, 1);

  SpiralWalk walk(f.cx, f.cy, f.lastX, f.lastY);
  if (w.colorMode == 0) {
    while (walk.next()) {
      // The sum is never negative, so its parity is its lowest bit.
      const CellValue s = neighbourhoodSum<A>(cells, walk.x, walk.y) & 1;
      A::set(cells, walk.x, walk.y, s);
      A::set(shadow, walk.x, walk.y, s);
    }
    return;
  }

  Grid& red = w.redGrid;
  Grid& green = w.greenGrid;
  Grid& blue = w.blueGrid;
  A::set(red, f.cx, f.cy, w.seedRed);
  A::set(green, f.cx, f.cy, w.seedGreen);
  A::set(blue, f.cx, f.cy, w.seedBlue);
  A::set(cells, f.cx, f.cy,
         rgb(A::get(red, f.cx, f.cy), A::get(green, f.cx, f.cy), A::get(blue, f.cx, f.cy)));
  while (walk.next()) {
    const int x = walk.x, y = walk.y;
    // shadowGrid keeps the unreduced sum of the five packed colours.
    A::set(shadow, x, y, neighbourhoodSum<A>(cells, x, y));
    const CellValue r = neighbourhoodSum<A>(red, x, y) & 255;
    const CellValue g = neighbourhoodSum<A>(green, x, y) & 255;
    const CellValue b = neighbourhoodSum<A>(blue, x, y) & 255;
    A::set(red, x, y, r);
    A::set(green, x, y, g);
    A::set(blue, x, y, b);
    A::set(cells, x, y, rgb(r, g, b));
  }
}

}  // namespace

void createworld(WorldState& world, WindowPlatform& platform) {
  const AreaSize area = platform.drawingArea();
  const WalkFrame frame = walkFrame(area.width, area.height);
  // Every grid has the same bounds, so checking one decides for all five.
  if (frame.cx >= 0 && frame.cy >= 0 && coversArea(world.cellGrid, frame.lastX, frame.lastY))
    grow<UncheckedAccess>(world, frame);
  else
    grow<CheckedAccess>(world, frame);
  platform.enableSavePattern();
}

void resetpattern(WorldState& world, WindowPlatform& platform) {
  const AreaSize area = platform.drawingArea();
  const WalkFrame frame = walkFrame(area.width, area.height);
  Grid& cells = world.cellGrid;
  // Columns 0..W + 1 of rows 0..H + 1, never beyond the grid.
  const int lastColumn = std::min(frame.lastX, cells.columns() - 1);
  const int lastRow = std::min(frame.lastY, cells.rows() - 1);
  if (lastColumn < 0) return;
  for (int y = 0; y <= lastRow; ++y)
    std::memset(cells.row(y), 0, sizeof(CellValue) * static_cast<std::size_t>(lastColumn + 1));
}

}  // namespace plexaro
