#pragma once

#include <cstdint>
#include <deque>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform.h"
#include "random.h"
#include "raster.h"

namespace plexaro {

// A platform that draws into memory, at any size: for tests, benchmarks and
// the tool that grows the program's own artwork. Pixels hold packed colours.
// Random numbers come from a script when one is given (and running past its
// end is an error), from a seeded generator otherwise.
class MemoryPlatform : public WindowPlatform {
 public:
  MemoryPlatform(int width, int height, std::uint64_t seed = 1)
      : width_(width),
        height_(height),
        pixels_(static_cast<std::size_t>(width) * height, -1),
        random_(seed) {}

  AreaSize drawingArea() const override {
    return {static_cast<float>(width_), static_cast<float>(height_)};
  }

  void line(float x1, float y1, float x2, float y2, std::int32_t color, LineMode mode) override {
    ++lineCalls;
    if (recordPlots && mode == LineMode::Plain)
      plots.push_back({static_cast<int>(x1), static_cast<int>(y1)});
    if (recordPlots && mode == LineMode::Plain) plotColors.push_back(color);
    rasterize(width_, height_, x1, y1, x2, y2, mode,
              [&](int x, int y) { pixels_[static_cast<std::size_t>(y) * width_ + x] = color; });
  }

  double rnd() override {
    ++draws;
    if (!scripted_) return random_.next();
    if (script_.empty()) throw std::logic_error("random script exhausted");
    const double r = script_.front();
    script_.pop_front();
    return r;
  }

  void enableSavePattern() override { savePatternEnabled = true; }

  // From now on rnd() returns exactly these numbers, in order.
  void script(std::initializer_list<double> values) {
    scripted_ = true;
    script_.insert(script_.end(), values);
  }
  std::size_t scriptLeft() const { return script_.size(); }

  void resize(int width, int height) {
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * height, -1);
  }

  // The packed colour at (x, y); -1 where nothing was ever drawn.
  std::int32_t pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) throw std::out_of_range("pixel outside");
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
  }
  int width() const { return width_; }
  int height() const { return height_; }

  // With recordPlots set, the start point and colour of every plain line, in
  // order; they also cover lines that start outside the drawing area.
  bool recordPlots = false;
  std::vector<std::pair<int, int>> plots;
  std::vector<std::int32_t> plotColors;

  bool savePatternEnabled = false;
  long lineCalls = 0;
  long draws = 0;

 private:
  int width_, height_;
  std::vector<std::int32_t> pixels_;
  UniformRandom random_;
  bool scripted_ = false;
  std::deque<double> script_;
};

}  // namespace plexaro
