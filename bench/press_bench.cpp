// Button presses through the real window: each iteration a "Reset World" and
// one press, painting into the window's image, against bare loops that grow
// and write the same pixels straight into a flat pixel buffer.

#include <benchmark/benchmark.h>

#include <QAction>
#include <QPushButton>
#include <string>

#include "bare_loops.h"
#include "shell/main_window.h"

namespace plexaro::bench {
namespace {

void press(benchmark::State& state, const char* button, bool many) {
  MainWindow window;
  window.show();
  if (many) window.findChild<QAction*>("manycolors")->trigger();
  QPushButton* const reset = window.findChild<QPushButton*>("Command6");
  QPushButton* const pressed = window.findChild<QPushButton*>(button);
  for (auto _ : state) {
    reset->click();
    pressed->click();
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
    const char* button;  // the button's object name
    const char* world;
    Kind kind;
  };
  for (const Case& c :
       {Case{"Command3", "regular", Kind::Regular}, Case{"Command4", "spiral", Kind::Spiral},
        Case{"Command5", "rainbow", Kind::Rainbow}}) {
    for (bool many : {false, true}) {
      const std::string name =
          std::string("press/") + c.world + (many ? "/many_colors" : "/two_colors");
      benchmark::RegisterBenchmark(name.c_str(), press, c.button, many)
          ->Unit(benchmark::kMillisecond);
      benchmark::RegisterBenchmark(("bare/" + name).c_str(), bare, c.kind, many)
          ->Unit(benchmark::kMillisecond);
    }
  }
  return true;
}();

}  // namespace
}  // namespace plexaro::bench
