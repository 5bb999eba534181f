#pragma once

#include <cmath>
#include <cstdint>

#include "cell_value.h"
#include "color.h"
#include "grid.h"
#include "platform.h"

namespace plexaro {

// Rounds half to even, the way every size and conversion in the world does.
inline int roundHalfEven(double v) {
  return static_cast<int>(std::nearbyint(v));
}

enum class ColorMode : std::int16_t { TwoColors = 0, ManyColors = 1 };

// Everything the world holds. The window owns one instance from start-up to
// the end of the program.
struct WorldState {
  Grid cellGrid;    // the world: 0/1 in two colours, packed colours in many
  Grid shadowGrid;  // raw growth sums; the Spiral World's drawn colours
  Grid redGrid;     // channels of cells grown in many colours
  Grid greenGrid;
  Grid blueGrid;

  ColorMode colorMode = ColorMode::TwoColors;
  CellValue foregroundColor = kWhite;
  CellValue backgroundColor = kBlack;
  WorldKind worldKind = kNoWorld;
  std::int16_t seedRed = 1;
  std::int16_t seedGreen = 1;
  std::int16_t seedBlue = 1;

  // Creates the five grids for a drawing area of `area` (columns 0 to W + 2,
  // rows 0 to H + 2, every element empty) and sets the start-up values.
  void create(AreaSize area);
};

// Grows a world along the spiral from the centre of the drawing area into the
// grids. Never clears a grid. Returns true: the grids now hold a world, so
// there is a pattern to save.
bool growWorld(WorldState& world, WindowPlatform& platform);

// The start of a press of a world button: clears the pattern if it holds a
// world of another kind (with ClearFirst::Always, whatever it holds), then
// grows a world of `kind`; growWorld's result.
enum class ClearFirst { IfAnotherKind, Always };
bool startWorld(WorldState& world, WindowPlatform& platform, WorldKind kind, ClearFirst clear);

// Clears columns 0 to W + 1 of rows 0 to H + 1 of cellGrid; nothing else.
void resetPattern(WorldState& world, WindowPlatform& platform);

}  // namespace plexaro
