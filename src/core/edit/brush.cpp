#include "core/edit/brush.h"

#include <algorithm>
#include <cstdlib>

namespace koravel {

std::vector<GridCell> BrushCells(GridCell centre, BrushSize size) {
  const int reach = static_cast<int>(size) / 2;
  std::vector<GridCell> cells;
  for (int y = std::max(1, centre.y - reach); y <= std::min(kMeshSize, centre.y + reach); ++y) {
    for (int x = std::max(1, centre.x - reach); x <= std::min(kMeshSize, centre.x + reach); ++x) {
      cells.push_back({x, y});
    }
  }
  return cells;
}

std::vector<GridCell> LineCells(GridCell from, GridCell to) {
  const int dx = std::abs(to.x - from.x);
  const int dy = -std::abs(to.y - from.y);
  const int step_x = from.x < to.x ? 1 : -1;
  const int step_y = from.y < to.y ? 1 : -1;
  std::vector<GridCell> cells;
  GridCell at = from;
  for (int error = dx + dy;;) {
    cells.push_back(at);
    if (at == to) return cells;
    const int doubled = 2 * error;
    if (doubled >= dy) {
      error += dy;
      at.x += step_x;
    }
    if (doubled <= dx) {
      error += dx;
      at.y += step_y;
    }
  }
}

CellSelection BrushStroke(GridCell from, GridCell to, BrushSize size) {
  CellSelection stroke;
  for (GridCell centre : LineCells(from, to)) {
    for (GridCell cell : BrushCells(centre, size)) stroke.Add(cell);
  }
  return stroke;
}

}  // namespace koravel
