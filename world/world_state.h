#pragma once

#include <cmath>
#include <cstdint>

#include "cell_value.h"
#include "grid.h"
#include "platform.h"

namespace plexaro {

// Rounds half to even, the way every size and conversion in the world does.
inline int roundHalfEven(double v) {
  return static_cast<int>(std::nearbyint(v));
}

// Everything the world holds. The window owns one instance from start-up to
// the end of the program.
struct WorldState {
  Grid cellGrid;    // the world: 0/1 in two colours, packed colours in many
  Grid shadowGrid;  // raw growth sums; the Spiral World's drawn colours
  Grid redGrid;     // channels of cells grown in many colours
  Grid greenGrid;
  Grid blueGrid;

  std::int16_t colorMode = 0;  // 0 = two colours, 1 = many colours
  CellValue foregroundColor = 16777215;
  CellValue backgroundColor = 0;
  std::int16_t worldKind = kNoWorld;
  std::int16_t seedRed = 1;
  std::int16_t seedGreen = 1;
  std::int16_t seedBlue = 1;

  // Creates the five grids for a drawing area of `area` (columns 0 to W + 2,
  // rows 0 to H + 2, every element empty) and sets the start-up values.
  void create(AreaSize area);
};

// Grows a world along the spiral from the centre of the drawing area into the
// grids, then enables "Save Pattern". Never clears a grid.
void createworld(WorldState& world, WindowPlatform& platform);

// Clears columns 0 to W + 1 of rows 0 to H + 1 of cellGrid; nothing else.
void resetpattern(WorldState& world, WindowPlatform& platform);

}  // namespace plexaro
