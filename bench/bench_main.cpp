#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <cstring>

#include "startup_bench.h"

int main(int argc, char** argv) {
  // Everything runs under the offscreen platform: no display needed.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (argc == 2 && std::strcmp(argv[1], plexaro::bench::kFirstFrameChild) == 0)
    return plexaro::bench::firstFrameChild(argc, argv);

  // Measured first, before this process has warmed anything up.
  plexaro::bench::registerStartupBenchmarks("/proc/self/exe");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
