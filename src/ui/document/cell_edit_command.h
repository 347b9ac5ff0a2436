#pragma once

#include <QPoint>
#include <QUndoCommand>
#include <cstdint>
#include <vector>

namespace koravel {

class Document;

/// New values stored in cells of the grid; undo puts the old ones back.
class CellEditCommand : public QUndoCommand {
 public:
  CellEditCommand(Document& document, QPoint cell, std::int32_t tenths);

  void undo() override;
  void redo() override;

  /// The first cell the edit changed, where the cursor returns on undo and redo.
  QPoint FirstCell() const { return changes_.front().cell; }

 protected:
  struct Change {
    QPoint cell;
    std::int32_t before;
    std::int32_t after;
  };

  /// Takes over the cells of `other`, changed after these.
  void Append(const CellEditCommand& other);

 private:
  Document& document_;
  std::vector<Change> changes_;
};

}  // namespace koravel
