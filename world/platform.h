#pragma once

#include <cstdint>

namespace plexaro {

enum class LineMode { Plain, FilledBox };

struct AreaSize {
  float width = 0;
  float height = 0;
};

// Everything the world and the generators need from the window: the size of
// the drawing area, the line primitive, the random source and the "Save
// Pattern" menu item. The Qt window implements it; tests implement it in
// memory at any size with a scripted random source.
class WindowPlatform {
 public:
  virtual ~WindowPlatform() = default;

  // Width and height of the drawing area in pixels.
  virtual AreaSize drawingArea() const = 0;

  // A plain line from (x1, y1) towards (x2, y2) with a one-pixel pen that
  // does not draw its end point, so (x, y) -> (x + 1, y + 1) sets exactly
  // pixel (x, y). A filled box covers the whole rectangle between the two
  // corners. Both are clipped to the drawing area. `color` is packed RGB;
  // only its low 24 bits are shown.
  virtual void line(float x1, float y1, float x2, float y2, std::int32_t color, LineMode mode) = 0;

  // One draw from the program's uniform generator, in [0, 1).
  virtual double rnd() = 0;

  // Enables the "Save Pattern" menu item.
  virtual void enableSavePattern() = 0;
};

// Sets pixel (x, y) the way every generator does: a plain line to
// (x + 1, y + 1).
inline void drawCell(WindowPlatform& platform, int x, int y, std::int32_t color) {
  platform.line(static_cast<float>(x), static_cast<float>(y), static_cast<float>(x + 1),
                static_cast<float>(y + 1), color, LineMode::Plain);
}

}  // namespace plexaro
