#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <stdexcept>
#include <vector>

#include "color.h"
#include "platform.h"
#include "random.h"

namespace plexaro {

// A platform that draws into memory, at any size: for tests, benchmarks and
// the tool that grows the program's own artwork. Random numbers come from a
// script when one is given (and running past its end is an error), from a
// seeded generator otherwise.
class MemoryPlatform : public WindowPlatform {
 public:
  MemoryPlatform(int width, int height, std::uint64_t seed = 1) : random_(seed) {
    resize(width, height);
  }

  AreaSize drawingArea() const override {
    return {static_cast<float>(width_), static_cast<float>(height_)};
  }
  PixelView pixels() override { return {pixels_.data(), width_, height_}; }
  double random() override {
    if (!scripted_) return random_.next();
    if (script_.empty()) throw std::logic_error("random script exhausted");
    const double r = script_.front();
    script_.pop_front();
    return r;
  }

  // From now on random() returns exactly these numbers, in order.
  void script(std::initializer_list<double> values) {
    scripted_ = true;
    script_.insert(script_.end(), values);
  }
  std::size_t scriptLeft() const { return script_.size(); }

  // A new drawing area of this size, never drawn on.
  void resize(int width, int height) {
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * height, 0);
  }

  // The colour at (x, y), packed, as far as the screen shows it (24 bits);
  // -1 where nothing was ever drawn.
  std::int32_t pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) throw std::out_of_range("pixel outside");
    const std::uint32_t p = pixels_[static_cast<std::size_t>(y) * width_ + x];
    if (p == 0) return -1;  // every drawn pixel is opaque
    return static_cast<std::int32_t>(((p >> 16) & 0xffu) | (p & 0xff00u) | ((p & 0xffu) << 16));
  }

 private:
  int width_ = 0, height_ = 0;
  std::vector<std::uint32_t> pixels_;
  UniformRandom random_;
  bool scripted_ = false;
  std::deque<double> script_;
};

}  // namespace plexaro
