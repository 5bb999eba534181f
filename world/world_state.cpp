#include "world_state.h"

#include <algorithm>
#include <cstring>

#include "color.h"
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

// The walk on grids known to cover it: every neighbour is one step away in
// a flat array, so a cell costs five loads and two stores.
void growUnchecked(WorldState& w, const WalkFrame& f) {
  const std::ptrdiff_t stride = w.cellGrid.columns();
  CellValue* const cells = w.cellGrid.row(0);
  CellValue* const shadow = w.shadowGrid.row(0);
  auto sum = [stride](const CellValue* p) { return p[0] + p[-1] + p[-stride] + p[1] + p[stride]; };
  const std::ptrdiff_t centre = f.cy * stride + f.cx;
  cells[centre] = shadow[centre] = 1;

  SpiralWalk walk(f.cx, f.cy, f.lastX, f.lastY);
  if (w.colorMode == 0) {
    while (walk.next()) {
      const std::ptrdiff_t i = walk.y * stride + walk.x;
      // The sum is never negative, so its parity is its lowest bit.
      cells[i] = shadow[i] = sum(cells + i) & 1;
    }
    return;
  }
  CellValue* const red = w.redGrid.row(0);
  CellValue* const green = w.greenGrid.row(0);
  CellValue* const blue = w.blueGrid.row(0);
  red[centre] = w.seedRed;
  green[centre] = w.seedGreen;
  blue[centre] = w.seedBlue;
  cells[centre] = rgb(red[centre], green[centre], blue[centre]);
  while (walk.next()) {
    const std::ptrdiff_t i = walk.y * stride + walk.x;
    // shadowGrid keeps the unreduced sum of the five packed colours.
    shadow[i] = sum(cells + i);
    red[i] = sum(red + i) & 255;
    green[i] = sum(green + i) & 255;
    blue[i] = sum(blue + i) & 255;
    cells[i] = rgb(red[i], green[i], blue[i]);
  }
}

// The same walk where the drawing area reaches beyond the grids: outside
// them cells read as 0 and are not written.
CellValue checkedSum(const Grid& g, int x, int y) {
  return g.get(x, y) + g.get(x - 1, y) + g.get(x, y - 1) + g.get(x + 1, y) + g.get(x, y + 1);
}

void growChecked(WorldState& w, const WalkFrame& f) {
  Grid& cells = w.cellGrid;
  Grid& shadow = w.shadowGrid;
  cells.set(f.cx, f.cy, 1);
  shadow.set(f.cx, f.cy, 1);
  const bool many = w.colorMode != 0;
  if (many) {
    w.redGrid.set(f.cx, f.cy, w.seedRed);
    w.greenGrid.set(f.cx, f.cy, w.seedGreen);
    w.blueGrid.set(f.cx, f.cy, w.seedBlue);
    cells.set(
        f.cx, f.cy,
        rgb(w.redGrid.get(f.cx, f.cy), w.greenGrid.get(f.cx, f.cy), w.blueGrid.get(f.cx, f.cy)));
  }
  SpiralWalk walk(f.cx, f.cy, f.lastX, f.lastY);
  while (walk.next()) {
    const int x = walk.x, y = walk.y;
    const CellValue s = checkedSum(cells, x, y);
    if (!many) {
      cells.set(x, y, s & 1);
      shadow.set(x, y, s & 1);
      continue;
    }
    shadow.set(x, y, s);
    const CellValue r = checkedSum(w.redGrid, x, y) & 255;
    const CellValue g = checkedSum(w.greenGrid, x, y) & 255;
    const CellValue b = checkedSum(w.blueGrid, x, y) & 255;
    w.redGrid.set(x, y, r);
    w.greenGrid.set(x, y, g);
    w.blueGrid.set(x, y, b);
    cells.set(x, y, rgb(r, g, b));
  }
}

}  // namespace

void createworld(WorldState& world, WindowPlatform& platform) {
  const AreaSize area = platform.drawingArea();
  const WalkFrame frame = walkFrame(area.width, area.height);
  // Every grid has the same bounds, so checking one decides for all five.
  if (frame.cx >= 0 && frame.cy >= 0 && coversArea(world.cellGrid, frame.lastX, frame.lastY))
    growUnchecked(world, frame);
  else
    growChecked(world, frame);
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
