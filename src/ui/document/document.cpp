#include "ui/document/document.h"

#include "core/edit/change_builder.h"
#include "ui/document/brush_stroke_command.h"
#include "ui/document/comment_command.h"

namespace koravel {

Document::Document(QObject* parent) : QObject(parent) {
  connect(&undo_stack_, &QUndoStack::cleanChanged, this, &Document::ShowModified);
}

void Document::Replace(MeshDocument mesh, const QString& file_name) {
  mesh_ = std::move(mesh);
  mesh_.MeshFileName = file_name.toStdString();
  saved_mesh_ = mesh_;
  open_ = true;
  undo_stack_.clear();
  emit Replaced();
  ShowModified();
}

void Document::MarkSavedAs(const QString& file_name) {
  const bool renamed = file_name != FileName();
  mesh_.MeshFileName = file_name.toStdString();
  saved_mesh_ = mesh_;
  undo_stack_.setClean();
  if (renamed) emit FileNameChanged();
  ShowModified();
}

// Modified follows the history and the file name together, so it is told
// only when the two together change it.
void Document::ShowModified() {
  if (IsModified() == shown_modified_) return;
  shown_modified_ = IsModified();
  emit ModifiedChanged(shown_modified_);
}

CellChanges Document::ChangesStoring(const std::vector<QPoint>& cells, std::int32_t tenths) const {
  ChangeBuilder builder(mesh_);
  for (const QPoint& cell : cells) builder.Store({cell.x(), cell.y()}, tenths);
  return std::move(builder).Finish();
}

void Document::EnterValue(QPoint cell, std::int32_t tenths) { Edit(ChangesStoring({cell}, tenths)); }

void Document::PaintStroke(const std::vector<QPoint>& cells, std::int32_t tenths) {
  CellChanges changes = ChangesStoring(cells, tenths);
  if (!changes.Empty()) undo_stack_.push(new BrushStrokeCommand(*this, stroke_, std::move(changes)));
}

void Document::Edit(CellChanges changes) {
  if (!changes.Empty()) undo_stack_.push(new CellEditCommand(*this, std::move(changes)));
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

void Document::ApplyChanges(const CellChanges& changes, const QRect& area) {
  changes.Apply(mesh_);
  emit CellsChanged(area);
}

void Document::RevertChanges(const CellChanges& changes, const QRect& area) {
  changes.Revert(mesh_);
  emit CellsChanged(area);
}

void Document::StoreComment(const Cp932Text& comment) {
  mesh_.MeshComment = comment;
  emit CommentChanged();
}

}  // namespace koravel
