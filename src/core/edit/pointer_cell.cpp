#include "edit/pointer_cell.h"

#include <cmath>

#include "views/map_geometry.h"

namespace koravel {

std::pair<int, int> ViewCellAtPointer(double x, double y) {
  constexpr double kWidth = kDetailCellWidth;
  constexpr double kHeight = kDetailCellHeight;
  return {static_cast<int>(std::nearbyint((x - kWidth / 2) / kWidth)),
          static_cast<int>(std::nearbyint((y - kHeight / 2) / kHeight))};
}

}  // namespace koravel
