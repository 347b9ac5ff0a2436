#pragma once

namespace koravel {

/// What a press in the detail view does: pick the cell whose value is
/// typed, paint with the brush, choose cells for an operation, or add a
/// point to the line of a profile or to the path being measured.
enum class EditMode { PointEdit, Brush, Select, ProfileLine, Measure };

}  // namespace koravel
