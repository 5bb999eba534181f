#pragma once

#include "world/world_state.h"

namespace plexaro {

// The three buttons' worlds, each grown and painted. Each returns what
// growWorld does: true, a world to save.

// "Create Regular World": grows the world and paints every cell as it is.
bool createRegularWorld(WorldState& world, WindowPlatform& platform);

// "Create Spiral World": grows the world, then walks the spiral again and
// fills the empty cells with colour sequences chosen at random.
bool createSpiralWorld(WorldState& world, WindowPlatform& platform);

// "Create Rainbow World": grows a fresh world and gives its set cells the
// colour of a coloured neighbour, or a new random colour.
bool createRainbowWorld(WorldState& world, WindowPlatform& platform);

// The painting steps on their own, after the world has grown: the Spiral
// World's second walk, and the Rainbow World's scan of rows 1..H + 1.
void paintSpiral(WorldState& world, WindowPlatform& platform);
void paintRainbow(WorldState& world, WindowPlatform& platform);

}  // namespace plexaro
