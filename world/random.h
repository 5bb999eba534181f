#pragma once

#include <cstdint>
#include <random>

namespace plexaro {

// The program's one source of random numbers: uniform in [0, 1).
class UniformRandom {
 public:
  explicit UniformRandom(std::uint64_t seed = 0) : engine_(seed) {}

  void seed(std::uint64_t s) { engine_.seed(s); }

  // 53 random bits scaled into [0, 1); never returns 1.0, unlike some
  // std::generate_canonical implementations.
  double next() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

 private:
  std::mt19937_64 engine_;
};

}  // namespace plexaro
