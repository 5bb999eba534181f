#pragma once

#include "grid.h"

namespace plexaro {

// Two ways of reaching grid cells, chosen once per operation: when the grids
// cover everything the drawing area can reach, the hot loops use plain
// indexing; otherwise every access is checked (outside reads 0, writes are
// dropped). The choice is a template argument so the hot loops carry no
// per-cell branch or call for it.
struct UncheckedAccess {
  static CellValue get(const Grid& g, int x, int y) { return g.at(x, y); }
  static void set(Grid& g, int x, int y, CellValue v) { g.at(x, y) = v; }
};

struct CheckedAccess {
  static CellValue get(const Grid& g, int x, int y) { return g.get(x, y); }
  static void set(Grid& g, int x, int y, CellValue v) { g.set(x, y, v); }
};

// True when the grid holds columns 0..lastX + 1 and rows 0..lastY + 1, that
// is every cell a walk or scan up to (lastX, lastY) reads with its
// neighbours.
inline bool coversArea(const Grid& g, int lastX, int lastY) {
  return lastX + 1 < g.columns() && lastY + 1 < g.rows();
}

}  // namespace plexaro
