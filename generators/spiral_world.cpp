#include "generators.h"
#include "spiral_scheme.h"
#include "world/color.h"
#include "world/spiral_walk.h"

namespace plexaro {

namespace {

bool coinIs(WindowPlatform& platform, int side) {
  return randomWhole(platform.random(), 2) == side;
}

int wrap(int channel) {
  return channel > 255 ? 0 : channel;
}

}  // namespace

SpiralScheme chooseSpiralScheme(WindowPlatform& platform, Channels& channels) {
  SpiralScheme s;
  s.channelOrder = randomWhole(platform.random(), 6);
  if (coinIs(platform, 2)) {
    do {
      s.invertRed = coinIs(platform, 1);
      s.invertGreen = coinIs(platform, 1);
      s.invertBlue = coinIs(platform, 1);
    } while (!s.invertRed && !s.invertGreen && !s.invertBlue);
  }
  s.progression = randomWhole(platform.random(), 3);
  if (s.progression == 2) {
    s.freshRandom = coinIs(platform, 2);
    do {
      platform.random();  // red's turn: it never becomes random, but the draw is made
      s.randomGreen = coinIs(platform, 1);
      if (s.randomGreen) channels.green = randomChannel(platform.random());
      s.randomBlue = coinIs(platform, 1);
      if (s.randomBlue) channels.blue = randomChannel(platform.random());
    } while (!s.randomGreen && !s.randomBlue);
  }
  return s;
}

void advanceChannels(const SpiralScheme& s, Channels& c, WindowPlatform& platform) {
  if (s.progression == 3) {
    // An odometer with red as the lowest digit.
    if (++c.red > 255) {
      c.red = 0;
      if (++c.green > 255) {
        c.green = 0;
        if (++c.blue > 255) c.blue = 0;
      }
    }
    return;
  }
  if (s.progression == 2 && s.freshRandom) {
    if (s.randomGreen) c.green = randomChannel(platform.random());
    if (s.randomBlue) c.blue = randomChannel(platform.random());
  }
  // Progression 1 has no random channels, so this covers both.
  c.red = wrap(c.red + 1);
  if (!s.randomGreen) c.green = wrap(c.green + 1);
  if (!s.randomBlue) c.blue = wrap(c.blue + 1);
}

CellValue drawnColor(const SpiralScheme& s, const Channels& c) {
  const int r = s.invertRed ? 255 - c.red : c.red;
  const int g = s.invertGreen ? 255 - c.green : c.green;
  const int b = s.invertBlue ? 255 - c.blue : c.blue;
  switch (s.channelOrder) {
    case 2:
      return rgb(r, b, g);
    case 3:
      return rgb(g, r, b);
    case 4:
      return rgb(g, b, r);
    case 5:
      return rgb(b, r, g);
    case 6:
      return rgb(b, g, r);
    default:
      return rgb(r, g, b);
  }
}

bool createSpiralWorld(WorldState& world, WindowPlatform& platform) {
  const bool grown = startWorld(world, platform, kSpiralWorld, ClearFirst::IfAnotherKind);
  paintSpiral(world, platform);
  return grown;
}

namespace {

template <class Cells>
void walkAndColor(WorldState& world, WindowPlatform& platform, const WalkFrame& f) {
  Channels channels;
  const SpiralScheme scheme = chooseSpiralScheme(platform, channels);
  Cells cells(world.cellGrid), shadow(world.shadowGrid);
  const PixelView pixels = platform.pixels();
  walkSpiral(f, [&](int x, int y) {
    if (cells.get(x, y) == 0) {
      // The two grids copy independently, each from its own neighbours.
      copyFromNeighbours(cells, x, y);
      copyFromNeighbours(shadow, x, y);
      if (cells.get(x, y) == 0) {
        advanceChannels(scheme, channels, platform);
        cells.set(x, y, rgb(channels.red, channels.green, channels.blue));
        shadow.set(x, y, drawnColor(scheme, channels));
      }
    }
    if (pixels.contains(x, y)) pixels.row(y)[x] = toScreen(shadow.get(x, y));
  });
}

}  // namespace

void paintSpiral(WorldState& world, WindowPlatform& platform) {
  const WalkFrame frame = walkFrame(platform);
  withCellAccess(world.cellGrid, frame,
                 [&]<class Cells>() { walkAndColor<Cells>(world, platform, frame); });
}

}  // namespace plexaro
