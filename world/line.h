#pragma once

#include "color.h"
#include "platform.h"

namespace plexaro {

enum class LineMode { Plain, FilledBox };

// The window's line primitive. A plain line from (x1, y1) towards (x2, y2)
// with a one-pixel pen that does not draw its end point, so (x, y) ->
// (x + 1, y + 1) sets exactly pixel (x, y); a filled box covers the whole
// rectangle between the two corners. Both are clipped to the drawing area.
void line(const PixelView& pixels, float x1, float y1, float x2, float y2, CellValue color,
          LineMode mode);

}  // namespace plexaro
