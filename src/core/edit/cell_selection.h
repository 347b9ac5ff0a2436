#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <optional>

#include "core/mesh/grid_cell.h"

namespace koravel {

/// A set of cells of the 200 × 200 grid, one bit each (5 KiB however many
/// are chosen). Plain value: copy it, compare it, combine it.
class CellSelection {
 public:
  /// Every cell of the grid.
  static CellSelection All();
  /// The cells between two corner cells in any order, clipped to the grid.
  static CellSelection Rectangle(GridCell corner, GridCell opposite);

  bool Contains(GridCell cell) const;
  /// Cells off the grid are ignored.
  void Add(GridCell cell);
  void Remove(GridCell cell);
  void Add(const CellSelection& other);
  void Remove(const CellSelection& other);

  int Count() const;
  bool Empty() const { return Count() == 0; }
  /// The smallest rectangle holding every chosen cell; nothing when empty.
  std::optional<CellRect> Bounds() const;

  /// Calls `visit(GridCell)` for each chosen cell, row by row from the north,
  /// west to east within a row.
  template <typename Visit>
  void ForEachCell(Visit visit) const {
    for (int y = 1; y <= kMeshSize; ++y) {
      for (int word = 0; word < kWordsPerRow; ++word) {
        for (std::uint64_t bits = words_[WordIndex(y, word)]; bits != 0; bits &= bits - 1) {
          visit(GridCell{word * 64 + std::countr_zero(bits) + 1, y});
        }
      }
    }
  }

  friend bool operator==(const CellSelection&, const CellSelection&) = default;

 private:
  static constexpr int kWordsPerRow = (kMeshSize + 63) / 64;
  static int WordIndex(int y, int word) { return (y - 1) * kWordsPerRow + word; }

  std::array<std::uint64_t, kMeshSize * kWordsPerRow> words_{};
};

}  // namespace koravel
