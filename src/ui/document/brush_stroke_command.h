#pragma once

#include "ui/document/cell_edit_command.h"

namespace koravel {

/// The cells one brush stroke painted, from press to release: each move's
/// cells merge into the stroke's command, so the stroke is one undo step.
class BrushStrokeCommand : public CellEditCommand {
 public:
  BrushStrokeCommand(Document& document, int stroke, CellChanges changes)
      : CellEditCommand(document, std::move(changes)), stroke_(stroke) {}

  int id() const override { return kId; }
  bool mergeWith(const QUndoCommand* other) override;

 private:
  static constexpr int kId = 1;
  int stroke_;
};

}  // namespace koravel
