// Start-up and memory: the time from starting the program to its first
// painted window, and the resident memory the world state takes.

#include "startup_bench.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "shell/application.h"
#include "shell/canvas.h"
#include "shell/world5.h"
#include "world/memory_platform.h"

extern char** environ;

namespace plexaro::bench {
namespace {

// Reports on fd 3 once the drawing area has been painted for the first time.
class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      // After this paint event has been handled, not before it.
      QTimer::singleShot(0, [] {
        const char done = '!';
        if (write(3, &done, 1) != 1) std::_Exit(3);
        QCoreApplication::exit(0);
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool seen_ = false;
};

void firstFrame(benchmark::State& state, const char* self) {
  for (auto _ : state) {
    int fds[2];
    if (pipe(fds) != 0) {
      state.SkipWithError("pipe failed");
      return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    char* argv[] = {const_cast<char*>(self), const_cast<char*>(kFirstFrameChild), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, self, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    char done = 0;
    const bool painted = spawned == 0 && read(fds[0], &done, 1) == 1;
    const auto painted_at = std::chrono::steady_clock::now();
    close(fds[0]);
    int status = 0;
    if (spawned == 0) waitpid(pid, &status, 0);
    if (!painted) {
      state.SkipWithError("the window was never painted");
      return;
    }
    state.SetIterationTime(std::chrono::duration<double>(painted_at - start).count());
  }
}

long residentBytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * sysconf(_SC_PAGESIZE);
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
    world.colorMode = 1;  // touches all five grids
    createworld(world, platform);
    const long after = residentBytes();
    state.counters["resident_MB"] = static_cast<double>(after - before) / (1024.0 * 1024.0);
    state.counters["grids_MB"] = static_cast<double>(world.gridBytes()) / (1024.0 * 1024.0);
    benchmark::DoNotOptimize(world.cellGrid.row(0));
  }
}

}  // namespace

int firstFrameChild(int argc, char** argv) {
  QApplication app(argc, argv);
  describeApplication();
  world5 window;
  FirstPaint probe;
  window.canvas()->installEventFilter(&probe);
  window.show();
  return QApplication::exec();
}

void registerStartupBenchmarks(const char* self) {
  benchmark::RegisterBenchmark("startup/first_frame", firstFrame, self)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond)
      ->Iterations(20);
  benchmark::RegisterBenchmark("world_state/memory/503x533", worldMemory)->Iterations(1);
}

}  // namespace plexaro::bench
