#include "edit/pointer_cell.h"

#include <cmath>

namespace koravel {

std::pair<int, int> ViewCellAtPointer(double x, double y) {
  constexpr double kCellWidth = 100;
  constexpr double kCellHeight = 80;
  return {static_cast<int>(std::nearbyint((x - kCellWidth / 2) / kCellWidth)),
          static_cast<int>(std::nearbyint((y - kCellHeight / 2) / kCellHeight))};
}

}  // namespace koravel
