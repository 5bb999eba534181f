#pragma once

#include <cmath>

#include "grid.h"
#include "platform.h"

namespace plexaro {

// The square spiral both the growth and the Spiral World walk: from the
// centre one cell per step, turning clockwise on the screen whenever the walk
// passes the largest or smallest column or row reached so far, until the
// first step outside columns 1..lastX or rows 1..lastY.
class SpiralWalk {
 public:
  SpiralWalk(int cx, int cy, int lastX, int lastY)
      : x(cx), y(cy), minX_(cx), maxX_(cx), minY_(cy), maxY_(cy), lastX_(lastX), lastY_(lastY) {}

  // Takes one step; false once the step has left the area (that cell is not
  // to be touched).
  bool next() {
    x += dx_;
    y += dy_;
    if (x > lastX_ || x < 1 || y > lastY_ || y < 1) return false;
    // A step passes at most one extreme; the tests keep the walk's own order.
    if (x > maxX_) {
      maxX_ = x;
      dx_ = 0;
      dy_ = 1;
    }
    if (y > maxY_) {
      maxY_ = y;
      dx_ = -1;
      dy_ = 0;
    }
    if (x < minX_) {
      minX_ = x;
      dx_ = 0;
      dy_ = -1;
    }
    if (y < minY_) {
      minY_ = y;
      dx_ = 1;
      dy_ = 0;
    }
    return true;
  }

  int x, y;

 private:
  int dx_ = 1, dy_ = 0;
  int minX_, maxX_, minY_, maxY_;
  int lastX_, lastY_;
};

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

// The frame for the drawing area as it is now.
inline WalkFrame walkFrame(const WindowPlatform& platform) {
  const AreaSize area = platform.drawingArea();
  return walkFrame(area.width, area.height);
}

// True when the grid holds every cell a walk or scan of `f` reads, its
// neighbours included: columns 0..lastX + 1 and rows 0..lastY + 1.
inline bool covers(const Grid& g, const WalkFrame& f) {
  return f.cx >= 0 && f.cy >= 0 && f.lastX + 1 < g.columns() && f.lastY + 1 < g.rows();
}

}  // namespace plexaro
