#pragma once

#include <vector>

#include "core/mesh/grid_cell.h"

namespace koravel {

/// Floods 8-connected groups of cells over the grid. Each cell is reached at
/// most once over all floods, so splitting the whole grid into groups costs
/// one visit a cell.
class GridFlood {
 public:
  bool Reached(GridCell cell) const { return reached_[Index(cell)]; }

  /// The cells not reached before that are 8-connected to `start` through
  /// cells for which `belongs(GridCell)` holds, `start` first; nothing when
  /// `start` does not belong or was reached before.
  template <typename Belongs>
  std::vector<GridCell> Group(GridCell start, Belongs belongs) {
    std::vector<GridCell> group;
    if (!OnGrid(start.x, start.y) || Reached(start) || !belongs(start)) return group;
    reached_[Index(start)] = true;
    group.push_back(start);
    for (std::size_t next = 0; next < group.size(); ++next) {
      const GridCell at = group[next];
      for (int y = at.y - 1; y <= at.y + 1; ++y) {
        for (int x = at.x - 1; x <= at.x + 1; ++x) {
          if (!OnGrid(x, y) || reached_[Index({x, y})] || !belongs(GridCell{x, y})) continue;
          reached_[Index({x, y})] = true;
          group.push_back({x, y});
        }
      }
    }
    return group;
  }

 private:
  static int Index(GridCell cell) { return cell.y * (kMeshSize + 1) + cell.x; }

  std::vector<bool> reached_ = std::vector<bool>((kMeshSize + 1) * (kMeshSize + 1));
};

}  // namespace koravel
