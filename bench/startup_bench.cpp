// Start-up and memory: the time from starting a program to its first painted
// window, and the resident memory it then holds, for Plexaro and for a bare
// Qt window of the same size; and the resident memory the world state takes.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>

#include "world/memory_platform.h"
#include "world/world_state.h"

extern char** environ;

namespace plexaro::bench {
namespace {

long residentKb(const std::string& pid) {
  std::ifstream status("/proc/" + pid + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

void firstFrame(benchmark::State& state, const char* program) {
  double residentMb = 0;
  for (auto _ : state) {
    int fds[2];
    if (pipe(fds) != 0) return state.SkipWithError("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    char* argv[] = {const_cast<char*>(program), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    char done = 0;
    const bool painted = spawned == 0 && read(fds[0], &done, 1) == 1;
    const auto paintedAt = std::chrono::steady_clock::now();
    close(fds[0]);
    if (painted) {
      usleep(200'000);  // settled and idle
      residentMb = residentKb(std::to_string(pid)) / 1024.0;
    }
    if (spawned == 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
    if (!painted) return state.SkipWithError("the window was never painted");
    state.SetIterationTime(std::chrono::duration<double>(paintedAt - start).count());
  }
  state.counters["idle_resident_MB"] = residentMb;
}

long residentBytes() {
  return residentKb("self") * 1024;
}

void worldMemory(benchmark::State& state) {
  for (auto _ : state) {
    MemoryPlatform platform(503, 533);  // its pixels are not the world's
    // Hand memory freed by earlier benchmarks back to the system, so the
    // grids are counted when they are touched rather than found resident.
    malloc_trim(0);
    const long before = residentBytes();
    WorldState world;
    world.create(platform.drawingArea());
    const long created = residentBytes();
    world.colorMode = ColorMode::ManyColors;  // touches all five grids
    growWorld(world, platform);
    const long after = residentBytes();
    state.counters["created_MB"] = static_cast<double>(created - before) / (1024.0 * 1024.0);
    state.counters["grown_MB"] = static_cast<double>(after - before) / (1024.0 * 1024.0);
    benchmark::DoNotOptimize(world.cellGrid.row(0));
  }
}

const bool registered = [] {
  for (auto [name, program] : {std::pair{"startup/first_frame", PLEXARO_FIRST_FRAME},
                               std::pair{"startup/bare_qt_window", PLEXARO_BARE_WINDOW}})
    benchmark::RegisterBenchmark(name, firstFrame, program)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(20);
  benchmark::RegisterBenchmark("world_state/memory/503x533", worldMemory)->Iterations(1);
  return true;
}();

}  // namespace
}  // namespace plexaro::bench
