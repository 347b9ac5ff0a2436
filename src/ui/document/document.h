#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QUndoStack>
#include <cstdint>
#include <string>

#include "core/mesh/mesh_document.h"

namespace koravel {

/// The open mesh as the window edits it: the one owner of the MeshDocument
/// and its history. Every change of a cell or the comment is a command on
/// the undo stack, and the document says what changed; views and
/// controllers follow its signals instead of refreshing each other.
class Document : public QObject {
  Q_OBJECT

 public:
  explicit Document(QObject* parent = nullptr);

  const MeshDocument& Mesh() const { return mesh_; }
  /// The file the mesh was read from; empty while no file is open.
  QString FileName() const { return QString::fromStdString(mesh_.MeshFileName); }
  bool IsOpen() const { return !mesh_.MeshFileName.empty(); }
  /// Whether the mesh differs from what was last opened or saved.
  bool IsModified() const { return !undo_stack_.isClean(); }
  QUndoStack& UndoStack() { return undo_stack_; }

  /// Puts `mesh`, read from `file_name`, in place of the open one, with an
  /// empty history.
  void Replace(MeshDocument mesh, const QString& file_name);
  /// The mesh now is what its file holds.
  void MarkSaved() { undo_stack_.setClean(); }

  /// One typed value stored in `cell` (grid column, row): one undo step.
  void EnterValue(QPoint cell, std::int32_t tenths);
  /// Starts a brush stroke: every cell painted until the next start is one undo step.
  void BeginStroke() { ++stroke_; }
  void PaintStroke(QPoint cell, std::int32_t tenths);
  /// The comment as typed; typing merges into one undo step until EndCommentEdit.
  void EditComment(const std::string& text);
  void EndCommentEdit() { ++comment_session_; }

  void Undo();
  void Redo();

 signals:
  /// The cells in `area` (grid columns and rows) hold new values.
  void CellsChanged(const QRect& area);
  void CommentChanged();
  void ModifiedChanged(bool modified);
  /// Another mesh took the place of the open one.
  void Replaced();
  /// Undo or redo went back to or over an edit whose first cell is `cell`.
  void EditRevisited(QPoint cell);

 private:
  friend class CellEditCommand;
  friend class CommentCommand;

  void StoreCell(QPoint cell, std::int32_t tenths);
  void StoreComment(const Cp932Text& comment);
  void RevisitEditAt(int index);

  MeshDocument mesh_;
  QUndoStack undo_stack_;
  int stroke_ = 0;
  int comment_session_ = 0;
};

}  // namespace koravel
