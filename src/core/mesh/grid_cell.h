#pragma once

#include "core/mesh/mesh_document.h"

namespace koravel {

/// One cell of the grid: x the column (1 at the west edge to 200), y the row
/// (1 at the north edge to 200), as MeshDocument::Elevation counts them.
struct GridCell {
  int x = 0;
  int y = 0;

  friend bool operator==(GridCell, GridCell) = default;
};

/// A rectangle of cells, its corners included: columns left..right, rows
/// top..bottom, in the grid frame of GridCell.
struct CellRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
  friend bool operator==(const CellRect&, const CellRect&) = default;
};

/// Whether (x, y) lies on the 200 × 200 grid.
inline bool OnGrid(int x, int y) { return x >= 1 && x <= kMeshSize && y >= 1 && y <= kMeshSize; }

}  // namespace koravel
