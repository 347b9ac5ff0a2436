#include "core/analysis/extreme_cells.h"

#include <functional>

namespace koravel {
namespace {

std::optional<GridCell> FirstBy(const MeshDocument& mesh, const std::function<bool(std::int32_t, std::int32_t)>& beats) {
  std::optional<GridCell> found;
  for (int y = 1; y <= kMeshSize; ++y) {
    if (!mesh.IsRowPresent(y)) continue;
    for (int x = 1; x <= kMeshSize; ++x) {
      const std::int32_t value = mesh.Elevation(x, y);
      if (value != kNoData && (!found || beats(value, mesh.Elevation(found->x, found->y)))) found = GridCell{x, y};
    }
  }
  return found;
}

}  // namespace

std::optional<GridCell> HighestCell(const MeshDocument& mesh) { return FirstBy(mesh, std::greater<>()); }

std::optional<GridCell> LowestCell(const MeshDocument& mesh) { return FirstBy(mesh, std::less<>()); }

}  // namespace koravel
