#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/edit/cell_selection.h"
#include "core/geo/mesh_georeference.h"

namespace koravel {

/// The cells whose centres lie inside the closed polygon through
/// `vertices` (a lasso, in the grid frame of track positions: 0, 0 at the
/// north-west corner of cell (1, 1), in cells), by the even-odd rule; a centre on a west or north
/// side counts as inside.
CellSelection PolygonSelection(const std::vector<GridPoint>& vertices);

/// Which cells ValueSelection takes.
struct ValueCriterion {
  bool no_data = false;          ///< the cells without data, instead of a range
  std::int32_t lowest = 0;       ///< tenths of a metre, included
  std::int32_t highest = 0;      ///< tenths of a metre, included
  std::optional<GridCell> connected_to;  ///< only the cells 8-connected to this one through matching cells
};

/// The cells of `mesh` with data between the criterion's bounds, or those
/// without data; with `connected_to`, only its group (nothing when that
/// cell does not match).
CellSelection ValueSelection(const MeshDocument& mesh, const ValueCriterion& criterion);

}  // namespace koravel
