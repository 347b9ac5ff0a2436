#include "core/edit/cursor_step.h"

#include <algorithm>

#include "core/mesh/mesh_document.h"

namespace koravel {

void StepCursor(ViewState& view, MoveDirection direction) {
  int x = view.MapX;
  int y = view.MapY;
  switch (direction) {
    case MoveDirection::Right:
      if (++x > kMeshSize) {
        x = 1;
        ++y;
      }
      if (y > kMeshSize) x = y = kMeshSize;
      break;
    case MoveDirection::Down:
      y = std::min(y + 1, kMeshSize);
      break;
    case MoveDirection::Left:
      if (--x < 1) {
        x = kMeshSize;
        --y;
      }
      if (y < 1) x = y = 1;
      break;
    case MoveDirection::Up:
      y = std::max(y - 1, 1);
      break;
  }
  view.MapX = static_cast<std::int16_t>(x);
  view.MapY = static_cast<std::int16_t>(y);
}

}  // namespace koravel
