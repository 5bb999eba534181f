#pragma once

// Reference loops for the benchmarks: the same arithmetic as the program's
// growth and painting, written straight onto flat arrays with no grid
// class, no platform and no image. They show what the real code costs over
// the bare minimum.

#include <cstdint>
#include <vector>

namespace plexaro::bench {

struct BareWorld {
  BareWorld(int width, int height);

  int width, height, stride, rows;
  std::vector<std::int32_t> cells, shadow, red, green, blue;
  std::vector<std::uint32_t> pixels;  // width x height, 0xAARRGGBB
};

void bareReset(BareWorld& w);
void bareGrow(BareWorld& w, bool manyColors);
void bareRegular(BareWorld& w, bool manyColors, std::uint32_t foreground);
void bareSpiral(BareWorld& w);
void bareRainbow(BareWorld& w, std::uint64_t& state);

}  // namespace plexaro::bench
