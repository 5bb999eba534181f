#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>

#include "cell_value.h"

namespace plexaro {

// A fixed-size two-dimensional grid indexed (x, y), column first, stored row
// by row so that painting, which runs row by row, reads memory in order.
//
// A new grid is all zeros. Its memory comes zeroed from the system and is not
// touched until a cell is written, so a grid that no world ever reaches (the
// channel grids in two-colour mode) costs no resident memory at all.
//
// `at` is unchecked; `get` and `set` are checked: outside the grid a read
// gives 0 and a write is dropped.
class Grid {
 public:
  Grid() = default;
  Grid(int columns, int rows)
      : columns_(columns > 0 ? columns : 0),
        rows_(rows > 0 ? rows : 0),
        cells_(static_cast<CellValue*>(std::calloc(size() ? size() : 1, sizeof(CellValue)))) {
    if (!cells_) throw std::bad_alloc();
    adviseHugePages();
  }

  int columns() const { return columns_; }
  int rows() const { return rows_; }
  std::size_t size() const {
    return static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_);
  }
  std::size_t byteSize() const { return size() * sizeof(CellValue); }

  bool contains(int x, int y) const {
    return static_cast<unsigned>(x) < static_cast<unsigned>(columns_) &&
           static_cast<unsigned>(y) < static_cast<unsigned>(rows_);
  }

  CellValue& at(int x, int y) { return cells_.get()[index(x, y)]; }
  CellValue at(int x, int y) const { return cells_.get()[index(x, y)]; }

  CellValue get(int x, int y) const { return contains(x, y) ? at(x, y) : 0; }
  void set(int x, int y, CellValue v) {
    if (contains(x, y)) at(x, y) = v;
  }

  CellValue* row(int y) { return cells_.get() + index(0, y); }
  const CellValue* row(int y) const { return cells_.get() + index(0, y); }

 private:
  // A walk down or up a large grid steps a whole row at a time, onto another
  // page at almost every step; huge pages, 512 times larger, keep those steps
  // within a few TLB entries. Only grids of several megabytes (drawing areas
  // of a million pixels or more) have room for one; smaller ones, the
  // window's among them, stay as they are.
  void adviseHugePages() {
    constexpr std::size_t kPage = 4096;
    if (byteSize() < (std::size_t{4} << 20)) return;
    const auto start = (reinterpret_cast<std::uintptr_t>(cells_.get()) + kPage - 1) & ~(kPage - 1);
    ::madvise(reinterpret_cast<void*>(start), byteSize() - kPage, MADV_HUGEPAGE);
  }

  struct Free {
    void operator()(CellValue* p) const { std::free(p); }
  };

  std::size_t index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(columns_) +
           static_cast<std::size_t>(x);
  }

  int columns_ = 0;
  int rows_ = 0;
  std::unique_ptr<CellValue, Free> cells_;
};

// The two ways the walks and scans reach a grid, so that each is written once
// over both. InsideCells is for loops known to stay inside the grid with
// their neighbours: plain array access. ClippedCells is for a drawing area
// that has grown beyond the grids: outside, cells read as 0 and are not
// written.
class InsideCells {
 public:
  explicit InsideCells(Grid& g) : cells_(g.row(0)), stride_(g.columns()) {}
  CellValue get(int x, int y) const { return cells_[index(x, y)]; }
  void set(int x, int y, CellValue v) { cells_[index(x, y)] = v; }
  CellValue neighbourhood(int x, int y) const {
    const CellValue* p = cells_ + index(x, y);
    return p[0] + p[-1] + p[-stride_] + p[1] + p[stride_];
  }

 private:
  std::ptrdiff_t index(int x, int y) const { return y * stride_ + x; }
  CellValue* cells_;
  std::ptrdiff_t stride_;
};

class ClippedCells {
 public:
  explicit ClippedCells(Grid& g) : grid_(g) {}
  CellValue get(int x, int y) const { return grid_.get(x, y); }
  void set(int x, int y, CellValue v) { grid_.set(x, y, v); }
  CellValue neighbourhood(int x, int y) const {
    return get(x, y) + get(x - 1, y) + get(x, y - 1) + get(x + 1, y) + get(x, y + 1);
  }

 private:
  Grid& grid_;
};

// Copies into (x, y) the value of every neighbour above 1, visiting left,
// right, above, below in that order, so that the last such neighbour wins.
template <class Cells>
void copyFromNeighbours(Cells& cells, int x, int y) {
  const int nx[4] = {x - 1, x + 1, x, x};
  const int ny[4] = {y, y, y - 1, y + 1};
  for (int i = 0; i < 4; ++i) {
    const CellValue v = cells.get(nx[i], ny[i]);
    if (v > 1) cells.set(x, y, v);
  }
}

}  // namespace plexaro
