#include "ui/document/brush_stroke_command.h"

namespace koravel {

bool BrushStrokeCommand::mergeWith(const QUndoCommand* other) {
  const auto* next = static_cast<const BrushStrokeCommand*>(other);
  if (next->stroke_ != stroke_) return false;
  Append(*next);
  return true;
}

}  // namespace koravel
