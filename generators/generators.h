#pragma once

#include "world/world_state.h"

namespace plexaro {

// "Create Regular World": grows the world and paints every cell as it is.
void createRegularWorld(WorldState& world, WindowPlatform& platform);

// "Create Spiral World": grows the world, then walks the spiral again and
// fills the empty cells with colour sequences chosen at random.
void createSpiralWorld(WorldState& world, WindowPlatform& platform);

// "Create Rainbow World": grows a fresh world and gives its set cells the
// colour of a coloured neighbour, or a new random colour.
void createRainbowWorld(WorldState& world, WindowPlatform& platform);

}  // namespace plexaro
