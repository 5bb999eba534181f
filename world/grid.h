#pragma once

#include <cstddef>
#include <vector>

#include "cell_value.h"

namespace plexaro {

// A fixed-size two-dimensional grid indexed (x, y), column first.
// Storage is row by row so that painting, which runs row by row, reads
// memory in order.
//
// `at` is unchecked and meant for loops that have already established that
// they stay inside the grid; `get` and `set` are checked: outside the grid a
// read gives 0 and a write is dropped.
class Grid {
 public:
  Grid() = default;
  Grid(int columns, int rows)
      : columns_(columns > 0 ? columns : 0),
        rows_(rows > 0 ? rows : 0),
        cells_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), 0) {}

  int columns() const { return columns_; }
  int rows() const { return rows_; }

  bool contains(int x, int y) const {
    return static_cast<unsigned>(x) < static_cast<unsigned>(columns_) &&
           static_cast<unsigned>(y) < static_cast<unsigned>(rows_);
  }

  CellValue& at(int x, int y) { return cells_[index(x, y)]; }
  CellValue at(int x, int y) const { return cells_[index(x, y)]; }

  CellValue get(int x, int y) const { return contains(x, y) ? at(x, y) : 0; }
  void set(int x, int y, CellValue v) {
    if (contains(x, y)) at(x, y) = v;
  }

  CellValue* row(int y) { return cells_.data() + index(0, y); }
  const CellValue* row(int y) const { return cells_.data() + index(0, y); }

  std::size_t byteSize() const { return cells_.capacity() * sizeof(CellValue); }

 private:
  std::size_t index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(columns_) +
           static_cast<std::size_t>(x);
  }

  int columns_ = 0;
  int rows_ = 0;
  std::vector<CellValue> cells_;
};

}  // namespace plexaro

namespace plexaro {

// True when the grid holds columns 0..lastX + 1 and rows 0..lastY + 1: every
// cell a walk or scan up to (lastX, lastY) reads, neighbours included.
inline bool coversArea(const Grid& g, int lastX, int lastY) {
  return lastX + 1 < g.columns() && lastY + 1 < g.rows();
}

}  // namespace plexaro
