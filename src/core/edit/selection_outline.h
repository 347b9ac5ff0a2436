#pragma once

#include <vector>

#include "core/edit/cell_selection.h"

namespace koravel {

/// A straight piece of the border of a selection, between cell corners in
/// the frame of track positions: 0, 0 at the north-west corner of cell
/// (1, 1), x eastward and y southward, in cells.
struct OutlineEdge {
  int x1, y1, x2, y2;
  friend bool operator==(const OutlineEdge&, const OutlineEdge&) = default;
};

/// The border between the chosen cells and the others (or the grid's
/// edge): horizontal edges row by row from the north, then vertical ones
/// column by column from the west, neighbouring pieces joined.
std::vector<OutlineEdge> SelectionOutline(const CellSelection& cells);

}  // namespace koravel
