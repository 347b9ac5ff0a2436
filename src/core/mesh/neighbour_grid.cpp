#include "core/mesh/neighbour_grid.h"

#include "core/mesh/mesh_reader.h"
#include "core/mesh/neighbour_mesh_file.h"

namespace koravel {
namespace {

// The step out of the mesh along one axis: -1 before its first cell, 1
// after its last, 0 within.
int Side(int at) { return at < 1 ? -1 : at > kMeshSize ? 1 : 0; }

// The direction whose EastNorthStep is (east, north).
std::optional<CompassDirection> DirectionOf(int east, int north) {
  for (int i = 0; i < 8; ++i) {
    const auto direction = static_cast<CompassDirection>(i);
    if (EastNorthStep(direction) == std::pair(east, north)) return direction;
  }
  return std::nullopt;
}

}  // namespace

NeighbourGrid NeighbourGrid::Read(const std::filesystem::path& mesh_file, std::string_view code) {
  NeighbourGrid grid;
  for (int i = 0; i < 8; ++i) {
    const std::optional<std::filesystem::path> file = NeighbourMeshFile(mesh_file, code, static_cast<CompassDirection>(i));
    if (file) grid.meshes_[i] = std::move(ReadMeshFile(*file).document);
  }
  return grid;
}

std::optional<std::int32_t> NeighbourGrid::Elevation(int x, int y) const {
  const int east = Side(x);
  const int south = Side(y);
  if (x < 1 - kMeshSize || x > 2 * kMeshSize || y < 1 - kMeshSize || y > 2 * kMeshSize) return std::nullopt;
  const std::optional<CompassDirection> direction = DirectionOf(east, -south);
  if (!direction) return std::nullopt;
  const std::optional<MeshDocument>& mesh = meshes_[static_cast<std::size_t>(*direction)];
  const int local_x = x - east * kMeshSize;
  const int local_y = y - south * kMeshSize;
  if (!mesh || !mesh->IsRowPresent(local_y)) return std::nullopt;
  return mesh->Elevation(local_x, local_y);
}

}  // namespace koravel
