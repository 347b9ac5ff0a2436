#pragma once

namespace koravel {

/// What a press in the detail view does: pick the cell whose value is typed,
/// or paint with the brush.
enum class EditMode { PointEdit, Brush };

}  // namespace koravel
