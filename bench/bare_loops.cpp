#include "bare_loops.h"

#include <cstring>

namespace plexaro::bench {

namespace {

inline std::uint32_t screen(std::int32_t c) {
  const auto v = static_cast<std::uint32_t>(c);
  return 0xff000000u | ((v & 0xffu) << 16) | (v & 0xff00u) | ((v >> 16) & 0xffu);
}

// The spiral as a tight loop: calls f(index, x, y) for every cell visited.
template <class F>
void walk(const BareWorld& w, F&& f) {
  const int cx = w.width / 2, cy = w.height / 2, lastX = w.width + 1, lastY = w.height + 1;
  int x = cx, y = cy, dx = 1, dy = 0, minX = cx, maxX = cx, minY = cy, maxY = cy;
  for (;;) {
    x += dx;
    y += dy;
    if (x > lastX || x < 1 || y > lastY || y < 1) return;
    if (x > maxX) maxX = x, dx = 0, dy = 1;
    if (y > maxY) maxY = y, dx = -1, dy = 0;
    if (x < minX) minX = x, dx = 0, dy = -1;
    if (y < minY) minY = y, dx = 1, dy = 0;
    f(y * w.stride + x, x, y);
  }
}

}  // namespace

BareWorld::BareWorld(int w, int h)
    : width(w),
      height(h),
      stride(w + 3),
      rows(h + 3),
      cells(static_cast<std::size_t>(stride) * rows),
      shadow(cells.size()),
      red(cells.size()),
      green(cells.size()),
      blue(cells.size()),
      pixels(static_cast<std::size_t>(w) * h) {}

void bareReset(BareWorld& w) {
  for (int y = 0; y <= w.height + 1; ++y)
    std::memset(&w.cells[static_cast<std::size_t>(y) * w.stride], 0,
                sizeof(std::int32_t) * (w.width + 2));
}

void bareGrow(BareWorld& w, bool manyColors) {
  std::int32_t* c = w.cells.data();
  std::int32_t* s = w.shadow.data();
  const int st = w.stride;
  const int centre = (w.height / 2) * st + w.width / 2;
  c[centre] = s[centre] = 1;
  if (!manyColors) {
    walk(w, [&](int i, int, int) {
      c[i] = s[i] = (c[i] + c[i - 1] + c[i - st] + c[i + 1] + c[i + st]) & 1;
    });
    return;
  }
  std::int32_t *r = w.red.data(), *g = w.green.data(), *b = w.blue.data();
  r[centre] = g[centre] = b[centre] = 1;
  c[centre] = 65793;
  walk(w, [&](int i, int, int) {
    s[i] = c[i] + c[i - 1] + c[i - st] + c[i + 1] + c[i + st];
    r[i] = (r[i] + r[i - 1] + r[i - st] + r[i + 1] + r[i + st]) & 255;
    g[i] = (g[i] + g[i - 1] + g[i - st] + g[i + 1] + g[i + st]) & 255;
    b[i] = (b[i] + b[i - 1] + b[i - st] + b[i + 1] + b[i + st]) & 255;
    c[i] = r[i] + 256 * g[i] + 65536 * b[i];
  });
}

void bareRegular(BareWorld& w, bool manyColors, std::uint32_t foreground) {
  for (int y = 0; y < w.height; ++y) {
    const std::int32_t* row = &w.cells[static_cast<std::size_t>(y) * w.stride];
    std::uint32_t* out = &w.pixels[static_cast<std::size_t>(y) * w.width];
    for (int x = 0; x < w.width; ++x)
      out[x] = manyColors    ? screen(row[x])
               : row[x] == 1 ? screen(static_cast<std::int32_t>(foreground))
                             : 0xff000000u;
  }
}

void bareSpiral(BareWorld& w) {
  std::int32_t* c = w.cells.data();
  std::int32_t* s = w.shadow.data();
  const int st = w.stride;
  int red = 1, green = 1, blue = 1;
  walk(w, [&](int i, int x, int y) {
    if (c[i] == 0) {
      for (int n : {i - 1, i + 1, i - st, i + st})
        if (c[n] > 1) c[i] = c[n];
      for (int n : {i - 1, i + 1, i - st, i + st})
        if (s[n] > 1) s[i] = s[n];
      if (c[i] == 0) {
        red = red == 255 ? 0 : red + 1;
        green = green == 255 ? 0 : green + 1;
        blue = blue == 255 ? 0 : blue + 1;
        c[i] = red + 256 * green + 65536 * blue;
        s[i] = (255 - red) + 256 * green + 65536 * blue;
      }
    }
    if (x < w.width && y < w.height)
      w.pixels[static_cast<std::size_t>(y) * w.width + x] = screen(s[i]);
  });
}

void bareRainbow(BareWorld& w, std::uint64_t& state) {
  std::int32_t* c = w.cells.data();
  const int st = w.stride;
  for (int y = 1; y <= w.height + 1; ++y)
    for (int x = 1; x <= w.width + 1; ++x) {
      const int i = y * st + x;
      std::int32_t color = 0;
      if (c[i] == 1) {
        for (int n : {i - 1, i + 1, i - st, i + st})
          if (c[n] > 1) c[i] = c[n];
        if (c[i] == 1) {
          state = state * 6364136223846793005ull + 1442695040888963407ull;
          c[i] = static_cast<std::int32_t>((state >> 40) % 16777214) + 2;
        }
        color = c[i];
      }
      if (x < w.width && y < w.height)
        w.pixels[static_cast<std::size_t>(y) * w.width + x] = screen(color);
    }
}

}  // namespace plexaro::bench
