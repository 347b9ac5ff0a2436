#pragma once

#include <vector>

#include "core/mesh/grid_cell.h"
#include "core/mesh/mesh_document.h"

namespace koravel {

/// The largest hole, in cells, that filling takes when nothing is chosen
/// and that the checker reports unless told otherwise.
inline constexpr int kDefaultHoleCells = 400;

/// A hole: an 8-connected group of cells without data that does not touch
/// the edge of the mesh (sea reaching the edge is never one).
struct Hole {
  std::vector<GridCell> cells;  ///< its northernmost row's westernmost cell first
  CellRect bounds;
};

/// Every hole of `mesh`, in the order of their first cells, row by row from
/// the north. Cells of omitted rows count as cells without data.
std::vector<Hole> FindHoles(const MeshDocument& mesh);

}  // namespace koravel
