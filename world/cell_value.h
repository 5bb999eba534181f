#pragma once

#include <cstdint>

namespace plexaro {

// The element type of every grid and of the world's values.
//
// A grid element is conceptually a tagged number that may also be "never
// written". Every value this program ever stores is a whole number in
// [0, 2^31): cells are 0 or 1, packed colours (at most 16777215), or the
// unreduced sum of five packed colours (at most 5 * 16777215 = 83886075).
// Sums of such values are exact in 32 bits, and a never-written element
// behaves exactly like 0 in every sum and comparison, so a plain 32-bit
// integer with 0 for "empty" keeps every rule at a quarter of the memory a
// tagged variant would take.
using CellValue = std::int32_t;

// Values of `worldKind`: which generator grew the world `cellGrid` holds.
enum WorldKind : std::int16_t {
  kNoWorld = 0,
  kRegularWorld = 1,
  kRainbowWorld = 2,
  kSpiralWorld = 3,
};

}  // namespace plexaro
