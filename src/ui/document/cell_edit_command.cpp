#include "ui/document/cell_edit_command.h"

#include <ranges>

#include "ui/document/document.h"

namespace koravel {

CellEditCommand::CellEditCommand(Document& document, const std::vector<QPoint>& cells, std::int32_t tenths)
    : document_(document) {
  changes_.reserve(cells.size());
  for (const QPoint& cell : cells) {
    changes_.push_back({cell, document.Mesh().Elevation(cell.x(), cell.y()), tenths});
  }
}

// A cell painted twice in one stroke gets its first value back last; the
// rows go back to omitted once their cells hold no data again.
void CellEditCommand::undo() {
  for (const Change& change : std::views::reverse(changes_)) document_.StoreCell(change.cell, change.before);
  for (const OmittedRow& row : std::views::reverse(rows_made_present_)) document_.RestoreOmittedRow(row);
}

void CellEditCommand::redo() {
  rows_made_present_.clear();
  for (const Change& change : changes_) {
    if (const std::optional<OmittedRow> row = document_.StoreCell(change.cell, change.after)) {
      rows_made_present_.push_back(*row);
    }
  }
}

void CellEditCommand::Append(const CellEditCommand& other) {
  changes_.insert(changes_.end(), other.changes_.begin(), other.changes_.end());
  rows_made_present_.insert(rows_made_present_.end(), other.rows_made_present_.begin(),
                            other.rows_made_present_.end());
}

}  // namespace koravel
