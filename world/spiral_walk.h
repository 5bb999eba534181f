#pragma once

#include <cmath>

#include "grid.h"
#include "platform.h"

namespace plexaro {

// Where the walks and scans of one operation run, from the drawing area's
// size W x H: the centre (floor(W / 2), floor(H / 2)) and the last column
// and row, W + 1 and H + 1.
struct WalkFrame {
  int cx, cy, lastX, lastY;
};

inline WalkFrame walkFrame(float w, float h) {
  return {static_cast<int>(std::floor(w / 2.0f)), static_cast<int>(std::floor(h / 2.0f)),
          static_cast<int>(std::floor(w + 1.0f)), static_cast<int>(std::floor(h + 1.0f))};
}

inline WalkFrame walkFrame(const WindowPlatform& platform) {
  const AreaSize area = platform.drawingArea();
  return walkFrame(area.width, area.height);
}

namespace detail {

// How many cells of a straight run along one axis, starting at `from` and
// going `length` cells in direction `step` (+1 or -1), lie in 1..last
// before the first one outside.
inline int leadingInside(int from, int step, int length, int last) {
  if (from < 1 || from > last) return 0;
  const int room = step > 0 ? last - from + 1 : from;
  return room < length ? room : length;
}

inline bool inRange(int v, int last) {
  return v >= 1 && v <= last;
}

}  // namespace detail

// The square spiral both the growth and the Spiral World walk. From the
// centre it goes one cell per step, turning clockwise on the screen whenever
// it passes the largest or smallest column or row reached so far, until the
// first step outside columns 1..lastX or rows 1..lastY; that cell is not
// visited. Calls visit(x, y) for each cell in order; the centre is not one
// of them.
//
// The turns make rings: ring k is entered at (cx + k, cy - k + 1) and
// walked down its right side, left along its bottom, up its left side and
// right along its top, 2k cells each, to (cx + k, cy - k). So the walk runs
// side by side, each side a straight loop cut short where it leaves the area.
template <class Visit>
void walkSpiral(const WalkFrame& f, Visit&& visit) {
  using detail::inRange;
  using detail::leadingInside;
  for (int k = 1;; ++k) {
    const int n = 2 * k;
    const int right = f.cx + k, bottom = f.cy + k, left = f.cx - k, top = f.cy - k;
    int m = inRange(right, f.lastX) ? leadingInside(top + 1, +1, n, f.lastY) : 0;
    for (int i = 0, y = top + 1; i < m; ++i, ++y)
      visit(right, y);
    if (m < n) return;
    m = inRange(bottom, f.lastY) ? leadingInside(right - 1, -1, n, f.lastX) : 0;
    for (int i = 0, x = right - 1; i < m; ++i, --x)
      visit(x, bottom);
    if (m < n) return;
    m = inRange(left, f.lastX) ? leadingInside(bottom - 1, -1, n, f.lastY) : 0;
    for (int i = 0, y = bottom - 1; i < m; ++i, --y)
      visit(left, y);
    if (m < n) return;
    m = inRange(top, f.lastY) ? leadingInside(left + 1, +1, n, f.lastX) : 0;
    for (int i = 0, x = left + 1; i < m; ++i, ++x)
      visit(x, top);
    if (m < n) return;
  }
}

// True when the grid holds every cell a walk or scan of `f` reads, its
// neighbours included: columns 0..lastX + 1 and rows 0..lastY + 1.
inline bool covers(const Grid& g, const WalkFrame& f) {
  return f.cx >= 0 && f.cy >= 0 && f.lastX + 1 < g.columns() && f.lastY + 1 < g.rows();
}

// Runs `run` with the grid access that fits: plain array access where the
// grids (all of one size) cover the frame, checked access where the drawing
// area has grown beyond them. `run` is a lambda template: []<class Cells>() {}.
template <class Run>
void withCellAccess(const Grid& g, const WalkFrame& f, Run&& run) {
  if (covers(g, f))
    run.template operator()<InsideCells>();
  else
    run.template operator()<ClippedCells>();
}

}  // namespace plexaro
