// Button presses through the real window: each iteration a "Reset World" and
// one press, painting into the window's image, against bare loops that grow
// and write the same pixels straight into a flat pixel buffer.

#include <benchmark/benchmark.h>

#include <string>

#include "bare_loops.h"
#include "shell/world5.h"

namespace plexaro::bench {
namespace {

void press(benchmark::State& state, void (world5::*handler)(), bool many) {
  world5 window;
  window.show();
  if (many) window.manycolors_Click();
  for (auto _ : state) {
    window.Command6_Click();
    (window.*handler)();
  }
}

enum class Kind { Regular, Spiral, Rainbow };

void bare(benchmark::State& state, Kind kind, bool many) {
  BareWorld world(503, 533);
  std::uint64_t seed = 1;
  for (auto _ : state) {
    bareReset(world);
    bareGrow(world, many);
    switch (kind) {
      case Kind::Regular:
        bareRegular(world, many, 0x123456);
        break;
      case Kind::Spiral:
        bareSpiral(world);
        break;
      case Kind::Rainbow:
        bareRainbow(world, seed);
        break;
    }
    benchmark::DoNotOptimize(world.pixels.data());
  }
}

const bool registered = [] {
  struct Case {
    const char* name;
    void (world5::*handler)();
    Kind kind;
  };
  for (const Case& c : {Case{"Command3_Click", &world5::Command3_Click, Kind::Regular},
                        Case{"Command4_Click", &world5::Command4_Click, Kind::Spiral},
                        Case{"Command5_Click", &world5::Command5_Click, Kind::Rainbow}}) {
    for (bool many : {false, true}) {
      const std::string name = std::string(c.name) + (many ? "/many_colors" : "/two_colors");
      benchmark::RegisterBenchmark(name.c_str(), press, c.handler, many)
          ->Unit(benchmark::kMillisecond);
      benchmark::RegisterBenchmark(("bare/" + name).c_str(), bare, c.kind, many)
          ->Unit(benchmark::kMillisecond);
    }
  }
  return true;
}();

}  // namespace
}  // namespace plexaro::bench
