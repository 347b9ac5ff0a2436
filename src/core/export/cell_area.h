#pragma once

#include <algorithm>
#include <cstddef>

namespace koravel {

/// A rectangle of cells on a mosaic's frame: columns from the west edge,
/// rows from the north edge, both from 0.
struct CellArea {
  int Column = 0;
  int Row = 0;
  int Columns = 0;
  int Rows = 0;

  int EndColumn() const { return Column + Columns; }
  int EndRow() const { return Row + Rows; }
  std::size_t CellCount() const { return static_cast<std::size_t>(Columns) * static_cast<std::size_t>(Rows); }
  bool Overlaps(const CellArea& other) const {
    return Column < other.EndColumn() && other.Column < EndColumn() && Row < other.EndRow() && other.Row < EndRow();
  }
  /// The cells both areas hold; empty (no columns or rows) where they do not overlap.
  CellArea Intersection(const CellArea& other) const {
    const int column = std::max(Column, other.Column), row = std::max(Row, other.Row);
    return {column, row, std::max(0, std::min(EndColumn(), other.EndColumn()) - column),
            std::max(0, std::min(EndRow(), other.EndRow()) - row)};
  }
};

}  // namespace koravel
