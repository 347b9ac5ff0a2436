#pragma once

#include <QPoint>
#include <QUndoCommand>
#include <cstdint>
#include <vector>

#include "core/edit/cell_store.h"

namespace koravel {

class Document;

/// New values stored in cells of the grid; undo puts the old ones back, and
/// omits again the rows the values made present.
class CellEditCommand : public QUndoCommand {
 public:
  CellEditCommand(Document& document, const std::vector<QPoint>& cells, std::int32_t tenths);

  void undo() override;
  void redo() override;

  /// The first cell the edit changed, where the cursor returns on undo and redo.
  QPoint FirstCell() const { return changes_.front().cell; }

 protected:
  /// Takes over the cells of `other`, changed after these.
  void Append(const CellEditCommand& other);

 private:
  struct Change {
    QPoint cell;
    std::int32_t before;
    std::int32_t after;
  };

  Document& document_;
  std::vector<Change> changes_;
  std::vector<OmittedRow> rows_made_present_;
};

}  // namespace koravel
