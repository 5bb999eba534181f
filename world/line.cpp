#include "line.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace plexaro {

void line(const PixelView& pixels, float x1, float y1, float x2, float y2, CellValue color,
          LineMode mode) {
  const std::uint32_t pixel = toScreen(color);
  const long ax = std::lrint(x1), ay = std::lrint(y1);
  const long bx = std::lrint(x2), by = std::lrint(y2);
  if (mode == LineMode::FilledBox) {
    const long left = std::max(0L, std::min(ax, bx));
    const long right = std::min<long>(pixels.width - 1, std::max(ax, bx));
    const long top = std::max(0L, std::min(ay, by));
    const long bottom = std::min<long>(pixels.height - 1, std::max(ay, by));
    if (left > right) return;
    for (long y = top; y <= bottom; ++y)
      std::fill(pixels.row(static_cast<int>(y)) + left, pixels.row(static_cast<int>(y)) + right + 1,
                pixel);
    return;
  }
  // Bresenham, stopping before the end point; a line of zero length draws
  // its single point.
  const long dx = std::labs(bx - ax), dy = -std::labs(by - ay);
  const long sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
  long err = dx + dy, x = ax, y = ay;
  do {
    if (x >= 0 && y >= 0 && x < pixels.width && y < pixels.height)
      pixels.row(static_cast<int>(y))[x] = pixel;
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
