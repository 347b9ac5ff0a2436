#pragma once

#include "core/edit/cursor_step.h"

namespace koravel {

/// How pointer presses and entries edit the grid.
struct EditingState {
  enum Mode { kPointEdit = 1, kBrush = 2 };

  int EditMode = kPointEdit;
  MoveDirection AutoMoveDirection = MoveDirection::Right;  ///< the step after an entry
  bool PointerHeld = false;  ///< a button went down in the detail view and is not yet up
};

}  // namespace koravel
