#pragma once

#include <QColor>
#include <cstdint>

namespace plexaro {

// The one place a packed colour (red + 256 * green + 65536 * blue) becomes a
// screen pixel (0xAARRGGBB). Only the low 24 bits are shown, so the unreduced
// sums a many-colour growth leaves in shadowGrid still draw as a colour.
constexpr QRgb toScreen(std::int32_t packed) {
  const auto v = static_cast<std::uint32_t>(packed);
  return 0xff000000u | ((v & 0xffu) << 16) | (v & 0xff00u) | ((v >> 16) & 0xffu);
}

}  // namespace plexaro
