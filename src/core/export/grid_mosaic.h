#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "core/export/cell_area.h"
#include "core/export/parallel_for_each.h"

namespace koravel {

/// Grids placed on one frame (meshes, or tiles of the newer model), each
/// read from its file only while the part of the frame being written needs
/// it. The frame is written in parts of one size (tiles, or rows) in any
/// order, each part prepared, filled and released once: a grid is read when
/// the first part that touches it is prepared and let go after the last is
/// released, so memory holds only the grids around the parts being written.
/// `Cell` is std::int32_t (tenths of a metre) or float (metres).
template <typename Cell>
class GridMosaic {
 public:
  /// The cells of grid `index`, row by row from the north, as many as its
  /// area holds; nullopt where it cannot be read (the loader notes why).
  /// Called from several threads at once.
  using Loader = std::function<std::optional<std::vector<Cell>>(std::size_t index)>;

  /// `areas` in input order, where later grids' cells win over earlier
  /// ones'; `no_data` marks cells without data; the frame is written in
  /// parts of `part_columns` × `part_rows` from its north-west corner.
  /// `progress` hears of every grid read, of all the grids.
  GridMosaic(std::vector<CellArea> areas, Cell no_data, Loader load, int part_columns, int part_rows,
             ProgressReport progress = {});

  /// Reads, over all cores, the grids that `parts` (whole parts) touches
  /// and that are not held yet.
  void Prepare(const CellArea& parts);
  /// Fills `cells` (area.Columns × area.Rows, row by row) with the cells of
  /// `area`, within parts prepared and not yet released; no_data where no
  /// grid has data. Safe to call from several threads at once.
  void Fill(const CellArea& area, std::span<Cell> cells) const;
  /// Marks `parts` written: a grid whose last part this was is let go.
  void Release(const CellArea& parts);

 private:
  enum class State : std::uint8_t { Unread, Held, Gone };

  std::vector<std::size_t> Touching(const CellArea& area) const;
  int PartsTouched(const CellArea& grid, const CellArea& parts) const;
  void CopyInto(std::size_t grid, const CellArea& area, std::span<Cell> cells) const;

  std::vector<CellArea> areas_;
  std::vector<std::size_t> by_row_;  // grid indices in the order of their first rows
  int tallest_ = 0;
  Cell no_data_;
  Loader load_;
  int part_columns_, part_rows_;
  ProgressReport progress_;
  std::size_t read_ = 0;
  std::vector<State> states_;
  std::vector<int> parts_left_;
  std::vector<std::vector<Cell>> cells_;
};

extern template class GridMosaic<std::int32_t>;
extern template class GridMosaic<float>;

}  // namespace koravel
