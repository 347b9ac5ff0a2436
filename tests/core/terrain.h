#pragma once

#include <cstdint>

#include "core/mesh/mesh_document.h"

namespace koravel::test {

/// A mesh with every row present whose cell (x, y) holds height(x, y), in tenths.
template <typename Height>
MeshDocument Terrain(Height height) {
  MeshDocument mesh;
  mesh.RecordCount = kMeshSize;
  for (int y = 1; y <= kMeshSize; ++y) {
    mesh.RecordFlag[y] = 1;
    for (int x = 1; x <= kMeshSize; ++x) mesh.SetElevation(x, y, static_cast<std::int32_t>(height(x, y)));
  }
  return mesh;
}

}  // namespace koravel::test
