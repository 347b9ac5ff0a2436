#include "ui/document/cell_edit_command.h"

#include <ranges>

#include "ui/document/document.h"

namespace koravel {

CellEditCommand::CellEditCommand(Document& document, QPoint cell, std::int32_t tenths)
    : document_(document), changes_{{cell, document.Mesh().Elevation(cell.x(), cell.y()), tenths}} {}

// A cell painted twice in one stroke gets its first value back last.
void CellEditCommand::undo() {
  for (const Change& change : std::views::reverse(changes_)) document_.StoreCell(change.cell, change.before);
}

void CellEditCommand::redo() {
  for (const Change& change : changes_) document_.StoreCell(change.cell, change.after);
}

void CellEditCommand::Append(const CellEditCommand& other) {
  changes_.insert(changes_.end(), other.changes_.begin(), other.changes_.end());
}

}  // namespace koravel
