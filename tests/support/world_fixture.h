#pragma once

#include <array>
#include <vector>

#include "world/memory_platform.h"
#include "world/world_state.h"

namespace plexaro::testing {

// A world with its in-memory platform, created the way start-up creates it.
struct TestWorld {
  TestWorld(int width, int height) : platform(width, height) {
    world.create(platform.drawingArea());
  }

  MemoryPlatform platform;
  WorldState world;
};

using Block = std::array<std::array<CellValue, 5>, 5>;

// The 5 x 5 block of a grid around (cx, cy), row by row from the top.
inline Block blockAround(const Grid& g, int cx, int cy) {
  Block b{};
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 5; ++c)
      b[r][c] = g.get(cx - 2 + c, cy - 2 + r);
  return b;
}

inline long countEqual(const Grid& g, CellValue v) {
  long n = 0;
  for (int y = 0; y < g.rows(); ++y)
    for (int x = 0; x < g.columns(); ++x)
      n += g.at(x, y) == v;
  return n;
}

// The walk's first eight cells around a centre, in order.
inline std::vector<std::pair<int, int>> firstRing(int cx, int cy) {
  return {{cx + 1, cy}, {cx + 1, cy + 1}, {cx, cy + 1}, {cx - 1, cy + 1},
          {cx - 1, cy}, {cx - 1, cy - 1}, {cx, cy - 1}, {cx + 1, cy - 1}};
}

// Every element of the five grids, for checking that nothing changed them.
inline std::vector<CellValue> allCells(const WorldState& s) {
  std::vector<CellValue> out;
  for (const Grid* g : {&s.cellGrid, &s.shadowGrid, &s.redGrid, &s.greenGrid, &s.blueGrid})
    out.insert(out.end(), g->row(0), g->row(0) + g->columns() * g->rows());
  return out;
}

}  // namespace plexaro::testing
