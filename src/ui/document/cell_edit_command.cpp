#include "ui/document/cell_edit_command.h"

#include "ui/document/document.h"

namespace koravel {

CellEditCommand::CellEditCommand(Document& document, CellChanges changes)
    : document_(document), changes_(std::move(changes)) {}

void CellEditCommand::undo() { document_.RevertChanges(changes_, Area()); }

void CellEditCommand::redo() { document_.ApplyChanges(changes_, Area()); }

QPoint CellEditCommand::FirstCell() const {
  const CellChange& first = changes_.Cells().front();
  return {first.x, first.y};
}

void CellEditCommand::Append(const CellEditCommand& other) { changes_.Append(other.changes_); }

// A row made present or omitted again is drawn anew whole.
QRect CellEditCommand::Area() const {
  QRect area;
  if (const std::optional<CellRect> bounds = changes_.Bounds()) {
    area = QRect(QPoint(bounds->left, bounds->top), QPoint(bounds->right, bounds->bottom));
  }
  for (const RowPresence& row : changes_.RowsMadePresent()) area |= QRect(1, row.row, kMeshSize, 1);
  return area;
}

}  // namespace koravel
