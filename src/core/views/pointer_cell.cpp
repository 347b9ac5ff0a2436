#include "core/views/pointer_cell.h"

#include <cmath>

namespace koravel {

std::pair<int, int> ViewCellAtPointer(double x, double y, double width, double height) {
  return {static_cast<int>(std::nearbyint((x - width / 2) / width)),
          static_cast<int>(std::nearbyint((y - height / 2) / height))};
}

}  // namespace koravel
