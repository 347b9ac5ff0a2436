#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "core/geo/mesh_code.h"
#include "core/mesh/grid_cell.h"

namespace koravel {

/// The four sides of a mesh, in the order the checker reports its seams.
inline constexpr std::array<CompassDirection, 4> kMeshSides = {CompassDirection::North, CompassDirection::East,
                                                               CompassDirection::South, CompassDirection::West};

/// The cell at `along` (1..200, counted from the west or the north) of the
/// edge on `side` (one of kMeshSides) of a mesh.
GridCell EdgeCell(CompassDirection side, int along);

/// Heights along an edge in tenths of a metre: element i for the cell at
/// i + 1 from the west or the north.
using EdgeHeights = std::array<std::int32_t, kMeshSize>;

/// What a mesh's neighbours hold along the edges they share with it: for
/// each side, in the order of kMeshSides, the facing edge of the neighbour
/// there, when it is at hand.
struct NeighbourEdges {
  std::array<std::optional<EdgeHeights>, 4> sides;
};

/// The edge of `neighbour` that touches the mesh whose `side` it lies on:
/// for a neighbour on the north side, its southern row.
EdgeHeights FacingEdge(const MeshDocument& neighbour, CompassDirection side);

/// The facing edges of the neighbours of the mesh `code` read from
/// `mesh_file`, each found as NeighbourMeshFile finds it; a neighbour whose
/// file is missing or does not read is left out.
NeighbourEdges ReadNeighbourEdges(const std::filesystem::path& mesh_file, std::string_view code);

}  // namespace koravel
