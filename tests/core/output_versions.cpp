#include "output_versions.h"

#include <string>

#include "core/export/mesh_export.h"
#include "core/io/save_file.h"

namespace koravel::test {

std::optional<ErrorCode> WriteVersion(Output kind, const std::filesystem::path& target, char letter) {
  if (kind == Output::Save) return WriteFileContents(target, std::string(kVersionBytes, letter));
  MeshDocument mesh;
  for (int y = 1; y <= kMeshSize; ++y) {
    for (int x = 1; x <= kMeshSize; ++x) mesh.SetElevation(x, y, letter);
  }
  return ExportMeshAs(mesh, target, ExportFormat::GeoTiff);
}

}  // namespace koravel::test
