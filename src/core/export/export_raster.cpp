#include "core/export/export_raster.h"

namespace koravel {

ExportRaster ExportRaster::Of(const MeshDocument& mesh) {
  return {kMeshSize, kMeshSize, MeshGeoreference::Of(mesh), [&mesh](int row, std::span<std::int32_t> tenths) {
            for (int x = 1; x <= kMeshSize; ++x) tenths[static_cast<std::size_t>(x - 1)] = mesh.Elevation(x, row + 1);
          }};
}

}  // namespace koravel
