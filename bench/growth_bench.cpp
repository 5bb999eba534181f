// Growth: a "Reset World" and a growth per iteration, on grids of a given
// size, against the bare loop doing the same arithmetic on flat arrays.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "bare_loops.h"
#include "world/memory_platform.h"
#include "world/world_state.h"

namespace plexaro::bench {
namespace {

// Cells the walk visits: the largest square around the centre that fits.
double walkedCells(int w, int h) {
  const int side = 2 * std::min(w / 2, h / 2);
  return static_cast<double>(side) * side - 1;
}

// Nanoseconds per walked cell, from the wall time of the whole loop.
template <class Body>
void timePerCell(benchmark::State& state, int w, int h, Body&& body) {
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state)
    body();
  const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
  state.counters["ns_per_cell"] =
      spent.count() / (walkedCells(w, h) * static_cast<double>(state.iterations()));
}

void growth(benchmark::State& state, int w, int h, bool many) {
  MemoryPlatform platform(1, 1);
  platform.resize(w, h);
  WorldState world;
  world.create(platform.drawingArea());
  world.colorMode = many ? ColorMode::ManyColors : ColorMode::TwoColors;
  timePerCell(state, w, h, [&] {
    resetPattern(world, platform);
    growWorld(world, platform);
    benchmark::DoNotOptimize(world.cellGrid.row(0));
  });
}

void bareGrowth(benchmark::State& state, int w, int h, bool many) {
  BareWorld world(w, h);
  timePerCell(state, w, h, [&] {
    bareReset(world);
    bareGrow(world, many);
    benchmark::DoNotOptimize(world.cells.data());
  });
}

struct Size {
  int w, h;
};

const bool registered = [] {
  struct Case {
    const char* mode;
    bool many;
    Size size;
  };
  for (const Case& c :
       {Case{"two_colors", false, {503, 533}}, Case{"many_colors", true, {503, 533}},
        Case{"two_colors", false, {1006, 1066}}, Case{"two_colors", false, {2012, 2132}}}) {
    const std::string suffix =
        std::string(c.mode) + "/" + std::to_string(c.size.w) + "x" + std::to_string(c.size.h);
    benchmark::RegisterBenchmark(("growth/" + suffix).c_str(), growth, c.size.w, c.size.h, c.many)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("bare/growth/" + suffix).c_str(), bareGrowth, c.size.w, c.size.h,
                                 c.many)
        ->Unit(benchmark::kMicrosecond);
  }
  return true;
}();

}  // namespace
}  // namespace plexaro::bench
