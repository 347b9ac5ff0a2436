#pragma once

#include <optional>

#include "core/mesh/grid_cell.h"
#include "core/mesh/mesh_document.h"

namespace koravel {

/// The first cell, row by row from the north, holding the highest (or the
/// lowest) height of the mesh; cells without data and omitted rows do not
/// count. Nothing when no cell has data.
std::optional<GridCell> HighestCell(const MeshDocument& mesh);
std::optional<GridCell> LowestCell(const MeshDocument& mesh);

}  // namespace koravel
