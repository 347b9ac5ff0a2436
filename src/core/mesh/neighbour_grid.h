#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "core/mesh/mesh_document.h"

namespace koravel {

/// The cells of the eight meshes around a mesh, read from their files where
/// they lie beside it (as NeighbourMeshFile finds them), in the mesh's own
/// grid frame continued beyond its edges: column 0 is the western
/// neighbour's column 200, row 201 the southern neighbour's row 1.
class NeighbourGrid {
 public:
  /// The neighbours of mesh `code`, read from `mesh_file`'s folder; a
  /// neighbour whose file is missing or does not read is left out.
  static NeighbourGrid Read(const std::filesystem::path& mesh_file, std::string_view code);

  /// The height of cell (x, y) outside the mesh, x and y from −199 to 400,
  /// in tenths of a metre; nothing inside the mesh, where no neighbour was
  /// read, and in a neighbour's omitted rows.
  std::optional<std::int32_t> Elevation(int x, int y) const;

 private:
  std::array<std::optional<MeshDocument>, 8> meshes_;  ///< in the order of CompassDirection
};

}  // namespace koravel
