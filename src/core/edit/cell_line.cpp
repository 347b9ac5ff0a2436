#include "core/edit/cell_line.h"

#include <algorithm>
#include <cstdlib>

namespace koravel {

// Bresenham's line, stepping along both axes at once where the error allows.
std::vector<std::pair<int, int>> CellsOnLine(std::pair<int, int> from, std::pair<int, int> to) {
  auto [x, y] = from;
  const int dx = std::abs(to.first - x);
  const int dy = -std::abs(to.second - y);
  const int step_x = x < to.first ? 1 : -1;
  const int step_y = y < to.second ? 1 : -1;
  std::vector<std::pair<int, int>> cells;
  cells.reserve(static_cast<std::size_t>(std::max(dx, -dy)) + 1);
  for (int error = dx + dy;;) {
    cells.emplace_back(x, y);
    if (x == to.first && y == to.second) return cells;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += step_x;
    }
    if (twice <= dx) {
      error += dx;
      y += step_y;
    }
  }
}

}  // namespace koravel
