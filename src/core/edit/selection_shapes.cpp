#include "core/edit/selection_shapes.h"

#include <algorithm>
#include <cmath>

#include "core/analysis/grid_flood.h"

namespace koravel {
namespace {

// Where the polygon's sides cross the horizontal line at `y`, west to east.
std::vector<double> Crossings(const std::vector<GridPoint>& vertices, double y) {
  std::vector<double> crossings;
  for (std::size_t i = 0; i < vertices.size(); ++i) {
    const GridPoint& a = vertices[i];
    const GridPoint& b = vertices[(i + 1) % vertices.size()];
    if ((a.Y > y) == (b.Y > y)) continue;
    crossings.push_back(a.X + (y - a.Y) * (b.X - a.X) / (b.Y - a.Y));
  }
  std::sort(crossings.begin(), crossings.end());
  return crossings;
}

}  // namespace

CellSelection PolygonSelection(const std::vector<GridPoint>& vertices) {
  CellSelection selection;
  for (int y = 1; y <= kMeshSize; ++y) {
    const std::vector<double> crossings = Crossings(vertices, y - 0.5);
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      // Centres x - 0.5 from the first crossing up to, not onto, the second.
      const int first = static_cast<int>(std::clamp(std::ceil(crossings[i] + 0.5), 1.0, kMeshSize + 1.0));
      const int last = static_cast<int>(std::clamp(std::ceil(crossings[i + 1] + 0.5) - 1, 0.0, double{kMeshSize}));
      for (int x = first; x <= last; ++x) selection.Add({x, y});
    }
  }
  return selection;
}

CellSelection ValueSelection(const MeshDocument& mesh, const ValueCriterion& criterion) {
  const auto matches = [&](GridCell cell) {
    const std::int32_t value = mesh.Elevation(cell.x, cell.y);
    if (value == kNoData) return criterion.no_data;
    return !criterion.no_data && value >= criterion.lowest && value <= criterion.highest;
  };
  CellSelection selection;
  if (criterion.connected_to) {
    for (GridCell cell : GridFlood().Group(*criterion.connected_to, matches)) selection.Add(cell);
    return selection;
  }
  for (int y = 1; y <= kMeshSize; ++y) {
    for (int x = 1; x <= kMeshSize; ++x) {
      if (matches({x, y})) selection.Add({x, y});
    }
  }
  return selection;
}

}  // namespace koravel
