#pragma once

#include "core/views/view_state.h"

namespace koravel {

/// Where the cursor goes after an entry or an arrow key, numbered as the
/// window's option buttons count them.
enum class MoveDirection { Right = 1, Down = 2, Left = 3, Up = 4 };

/// Moves the cursor cell one step. Right and left run through the grid row
/// by row, wrapping at the ends of a row and stopping at the first and last
/// cells; down and up stop at the last and first rows. The view stays.
void StepCursor(ViewState& view, MoveDirection direction);

}  // namespace koravel
