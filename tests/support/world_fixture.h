#pragma once

#include <algorithm>
#include <array>

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
  return std::count(g.row(0), g.row(0) + g.size(), v);
}

}  // namespace plexaro::testing
