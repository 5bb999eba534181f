#pragma once

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform.h"

namespace plexaro {

// Rasterises the line primitive onto a width x height pixel area and calls
// put(x, y) for every pixel it covers inside the area. Shared by the window's
// canvas and the in-memory canvas of the tests so both draw the same pixels.
template <class Put>
void rasterize(int width, int height, float x1, float y1, float x2, float y2, LineMode mode,
               Put&& put) {
  const long ax = std::lrint(x1), ay = std::lrint(y1);
  const long bx = std::lrint(x2), by = std::lrint(y2);
  if (mode == LineMode::FilledBox) {
    const long left = std::max(0L, std::min(ax, bx));
    const long right = std::min<long>(width - 1, std::max(ax, bx));
    const long top = std::max(0L, std::min(ay, by));
    const long bottom = std::min<long>(height - 1, std::max(ay, by));
    for (long y = top; y <= bottom; ++y)
      for (long x = left; x <= right; ++x)
        put(static_cast<int>(x), static_cast<int>(y));
    return;
  }
  // Bresenham with a one-pixel pen, stopping before the end point; a line of
  // zero length draws its single point.
  const long dx = std::labs(bx - ax), dy = -std::labs(by - ay);
  const long sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
  long err = dx + dy, x = ax, y = ay;
  do {
    if (x >= 0 && y >= 0 && x < width && y < height) put(static_cast<int>(x), static_cast<int>(y));
    const long e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  } while (x != bx || y != by);
}

}  // namespace plexaro
