#include "core/analysis/neighbour_edges.h"

#include "core/mesh/mesh_reader.h"
#include "core/mesh/neighbour_mesh_file.h"

namespace koravel {
namespace {

CompassDirection Opposite(CompassDirection side) {
  switch (side) {
    case CompassDirection::North: return CompassDirection::South;
    case CompassDirection::East: return CompassDirection::West;
    case CompassDirection::South: return CompassDirection::North;
    default: return CompassDirection::East;
  }
}

}  // namespace

GridCell EdgeCell(CompassDirection side, int along) {
  switch (side) {
    case CompassDirection::North: return {along, 1};
    case CompassDirection::East: return {kMeshSize, along};
    case CompassDirection::South: return {along, kMeshSize};
    default: return {1, along};
  }
}

EdgeHeights FacingEdge(const MeshDocument& neighbour, CompassDirection side) {
  EdgeHeights heights{};
  for (int along = 1; along <= kMeshSize; ++along) {
    const GridCell cell = EdgeCell(Opposite(side), along);
    heights[along - 1] = neighbour.Elevation(cell.x, cell.y);
  }
  return heights;
}

NeighbourEdges ReadNeighbourEdges(const std::filesystem::path& mesh_file, std::string_view code) {
  NeighbourEdges edges;
  for (std::size_t i = 0; i < kMeshSides.size(); ++i) {
    const std::optional<std::filesystem::path> file = NeighbourMeshFile(mesh_file, code, kMeshSides[i]);
    if (!file) continue;
    const MeshReadResult neighbour = ReadMeshFile(*file);
    if (neighbour.document) edges.sides[i] = FacingEdge(*neighbour.document, kMeshSides[i]);
  }
  return edges;
}

}  // namespace koravel
