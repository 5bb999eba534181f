#pragma once

#include "world/grid.h"

namespace plexaro {

// Copies into (x, y) the value of every neighbour above 1, visiting left,
// right, above, below in that order, so the last such neighbour wins. Cells
// outside the grid read as 0 and are never written.
inline void copyFromNeighbours(Grid& g, int x, int y) {
  const int nx[4] = {x - 1, x + 1, x, x};
  const int ny[4] = {y, y, y - 1, y + 1};
  for (int i = 0; i < 4; ++i) {
    const CellValue v = g.get(nx[i], ny[i]);
    if (v > 1) g.set(x, y, v);
  }
}

}  // namespace plexaro
