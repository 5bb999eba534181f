#pragma once

#include "world/cell_value.h"
#include "world/platform.h"

namespace plexaro {

// The colour scheme a Spiral World draws with, chosen at random per press.
struct SpiralScheme {
  int channelOrder = 1;  // 1..6, which permutation the drawn colour uses
  bool invertRed = false;
  bool invertGreen = false;
  bool invertBlue = false;
  int progression = 1;  // 1..3, how the channels advance per fresh colour
  bool randomGreen = false;
  bool randomBlue = false;
  bool freshRandom = false;
};

struct Channels {
  int red = 1, green = 1, blue = 1;
};

// Draws the scheme: channel order, inversion, progression and (for
// progression 2) the random channels, which may also set starting values in
// `channels`.
SpiralScheme chooseSpiralScheme(WindowPlatform& platform, Channels& channels);

// Advances the plain channel values to the next fresh colour.
void advanceChannels(const SpiralScheme& scheme, Channels& channels, WindowPlatform& platform);

// The colour actually drawn for plain channels: inverted, then permuted.
CellValue drawnColor(const SpiralScheme& scheme, const Channels& channels);

}  // namespace plexaro
