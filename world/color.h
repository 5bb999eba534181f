#pragma once

#include <cmath>
#include <cstdint>

#include "cell_value.h"

namespace plexaro {

// Colours are packed red + 256 * green + 65536 * blue, each channel 0..255.
constexpr CellValue rgb(int red, int green, int blue) {
  return red + 256 * green + 65536 * blue;
}

constexpr CellValue kBlack = 0;
constexpr CellValue kWhite = 16777215;

// The one place a packed colour becomes a pixel (0xffRRGGBB). Only the low
// 24 bits are shown, so the unreduced sums a many-colour growth leaves in
// shadowGrid still draw as a colour.
constexpr std::uint32_t toScreen(CellValue packed) {
  const auto v = static_cast<std::uint32_t>(packed);
  return 0xff000000u | ((v & 0xffu) << 16) | (v & 0xff00u) | ((v >> 16) & 0xffu);
}

// The three ways a uniform draw r in [0, 1) becomes a number.
inline int randomWhole(double r, int n) {
  return static_cast<int>(std::floor(r * n)) + 1;
}
inline int randomChannel(double r) {
  return static_cast<int>(std::floor(r * 256.0));
}
// A colour, never 0 (empty) nor 1 (a set cell): hence the 2.
inline CellValue randomColor(double r) {
  return static_cast<CellValue>(std::floor(r * 16777214.0)) + 2;
}

}  // namespace plexaro
