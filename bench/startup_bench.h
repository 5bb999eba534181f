#pragma once

namespace plexaro::bench {

// The argument that makes the benchmark binary act as the program being
// started, for the first-frame measurement.
inline constexpr const char* kFirstFrameChild = "--first-frame-child";

int firstFrameChild(int argc, char** argv);
void registerStartupBenchmarks(const char* self);

}  // namespace plexaro::bench
