#pragma once

#include <cstddef>
#include <cstdint>

namespace plexaro {

struct AreaSize {
  float width = 0;
  float height = 0;
};

// The drawing area's pixels as the window keeps them: `width` x `height`,
// row by row, each 0xffRRGGBB (see toScreen in color.h).
struct PixelView {
  std::uint32_t* data = nullptr;
  int width = 0;
  int height = 0;

  std::uint32_t* row(int y) const { return data + static_cast<std::ptrdiff_t>(y) * width; }
  bool contains(int x, int y) const {
    return static_cast<unsigned>(x) < static_cast<unsigned>(width) &&
           static_cast<unsigned>(y) < static_cast<unsigned>(height);
  }
};

// Everything the world and the generators need from the window: the size of
// the drawing area, its pixels and the random source. The generators set a
// quarter of a million single pixels a press, so they write into the pixels
// directly rather than through a call per pixel. The Qt window implements
// it; tests implement it in memory at any size, with a scripted random
// source.
class WindowPlatform {
 public:
  virtual ~WindowPlatform() = default;

  virtual AreaSize drawingArea() const = 0;

  // The pixels of the drawing area; what is written there is what the
  // window shows once the handler returns.
  virtual PixelView pixels() = 0;

  // One draw from the program's uniform generator, in [0, 1).
  virtual double random() = 0;
};

}  // namespace plexaro
