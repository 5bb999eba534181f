#pragma once

#include <algorithm>
#include <string>

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

// The centre at the start-up size, and the 5 x 5 block around it that the
// first growth there leaves, and the second: row by row from the top.
constexpr int kCx = 251, kCy = 266;
constexpr const char* kFirstGrowth = "0110101011111100001100001";
constexpr const char* kSecondGrowth = "1000000111001001010111001";

// The size x size block of a grid around the centre, a digit a cell.
inline std::string centreBlock(const Grid& g, int size = 5) {
  std::string digits;
  for (int y = kCy - size / 2; y <= kCy + size / 2; ++y)
    for (int x = kCx - size / 2; x <= kCx + size / 2; ++x)
      digits += std::to_string(g.get(x, y));
  return digits;
}

inline long countEqual(const Grid& g, CellValue v) {
  return std::count(g.row(0), g.row(0) + g.size(), v);
}

}  // namespace plexaro::testing
