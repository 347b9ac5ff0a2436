#include "ui/document/document.h"

#include "ui/document/brush_stroke_command.h"
#include "ui/document/comment_command.h"

namespace koravel {

Document::Document(QObject* parent) : QObject(parent) {
  connect(&undo_stack_, &QUndoStack::cleanChanged, this, [this](bool clean) { emit ModifiedChanged(!clean); });
}

void Document::Replace(MeshDocument mesh, const QString& file_name) {
  mesh_ = std::move(mesh);
  mesh_.MeshFileName = file_name.toStdString();
  undo_stack_.clear();
  emit Replaced();
}

void Document::EnterValue(QPoint cell, std::int32_t tenths) {
  undo_stack_.push(new CellEditCommand(*this, cell, tenths));
}

void Document::PaintStroke(QPoint cell, std::int32_t tenths) {
  undo_stack_.push(new BrushStrokeCommand(*this, stroke_, cell, tenths));
}

void Document::EditComment(const std::string& text) {
  Cp932Text comment = mesh_.MeshComment;
  comment.SetText(text);
  undo_stack_.push(new CommentCommand(*this, comment_session_, std::move(comment)));
}

// The command undone is the one at the stack's new index.
void Document::Undo() {
  if (!undo_stack_.canUndo()) return;
  undo_stack_.undo();
  RevisitEditAt(undo_stack_.index());
}

void Document::Redo() {
  if (!undo_stack_.canRedo()) return;
  undo_stack_.redo();
  RevisitEditAt(undo_stack_.index() - 1);
}

void Document::RevisitEditAt(int index) {
  if (const auto* edit = dynamic_cast<const CellEditCommand*>(undo_stack_.command(index))) {
    emit EditRevisited(edit->FirstCell());
  }
}

void Document::StoreCell(QPoint cell, std::int32_t tenths) {
  mesh_.SetElevation(cell.x(), cell.y(), tenths);
  emit CellsChanged(QRect(cell, QSize(1, 1)));
}

void Document::StoreComment(const Cp932Text& comment) {
  mesh_.MeshComment = comment;
  emit CommentChanged();
}

}  // namespace koravel
