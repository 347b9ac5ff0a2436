#include "core/analysis/holes.h"

#include <algorithm>

#include "core/analysis/grid_flood.h"

namespace koravel {
namespace {

bool OnEdge(GridCell cell) { return cell.x == 1 || cell.y == 1 || cell.x == kMeshSize || cell.y == kMeshSize; }

CellRect BoundsOf(const std::vector<GridCell>& cells) {
  CellRect bounds{cells.front().x, cells.front().y, cells.front().x, cells.front().y};
  for (GridCell cell : cells) {
    bounds.left = std::min(bounds.left, cell.x);
    bounds.right = std::max(bounds.right, cell.x);
    bounds.bottom = std::max(bounds.bottom, cell.y);
  }
  return bounds;
}

}  // namespace

std::vector<Hole> FindHoles(const MeshDocument& mesh) {
  const auto no_data = [&mesh](GridCell cell) { return mesh.Elevation(cell.x, cell.y) == kNoData; };
  GridFlood flood;
  std::vector<Hole> holes;
  for (int y = 1; y <= kMeshSize; ++y) {
    for (int x = 1; x <= kMeshSize; ++x) {
      std::vector<GridCell> group = flood.Group({x, y}, no_data);
      if (group.empty() || std::any_of(group.begin(), group.end(), OnEdge)) continue;
      const CellRect bounds = BoundsOf(group);
      holes.push_back({std::move(group), bounds});
    }
  }
  return holes;
}

}  // namespace koravel
