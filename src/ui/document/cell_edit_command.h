#pragma once

#include <QPoint>
#include <QRect>
#include <QUndoCommand>

#include "core/edit/cell_changes.h"

namespace koravel {

class Document;

/// New values stored in cells of the grid, however many: one undo step.
/// Undo puts the old values back and omits again the rows the new values
/// made present.
class CellEditCommand : public QUndoCommand {
 public:
  CellEditCommand(Document& document, CellChanges changes);

  void undo() override;
  void redo() override;

  /// The first cell the edit changed, where the cursor returns on undo and redo.
  QPoint FirstCell() const;

 protected:
  /// Takes over the changes of `other`, made after these.
  void Append(const CellEditCommand& other);

 private:
  QRect Area() const;

  Document& document_;
  CellChanges changes_;
};

}  // namespace koravel
