#pragma once

namespace koravel {

/// What a press in the detail view does: pick the cell whose value is
/// typed, paint with the brush, or choose cells for an operation.
enum class EditMode { PointEdit, Brush, Select };

}  // namespace koravel
