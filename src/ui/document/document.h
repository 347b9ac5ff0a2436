#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QUndoStack>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/edit/cell_changes.h"
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
  /// The mesh as it was last opened or saved.
  const MeshDocument& SavedMesh() const { return saved_mesh_; }
  /// Whether a mesh was opened or made; until then nothing can be edited.
  bool IsOpen() const { return open_; }
  /// The file the mesh belongs to; empty for a new mesh not yet saved.
  QString FileName() const { return QString::fromStdString(mesh_.MeshFileName); }
  /// Whether the mesh differs from its file: edited since it was last opened
  /// or saved, or made new and never saved.
  bool IsModified() const { return open_ && (!undo_stack_.isClean() || mesh_.MeshFileName.empty()); }
  QUndoStack& UndoStack() { return undo_stack_; }

  /// Puts `mesh`, read from `file_name` (empty for a new mesh), in place of
  /// the open one, with an empty history.
  void Replace(MeshDocument mesh, const QString& file_name);
  /// The mesh now is what `file_name` holds, which becomes its file.
  void MarkSavedAs(const QString& file_name);

  /// One typed value stored in `cell` (grid column, row): one undo step.
  /// A value a cell holds already changes nothing and is no step.
  void EnterValue(QPoint cell, std::int32_t tenths);
  /// Starts a brush stroke: every cell painted until the next start is one undo step.
  void BeginStroke() { ++stroke_; }
  void PaintStroke(const std::vector<QPoint>& cells, std::int32_t tenths);
  /// An edit of many cells, worked out against the mesh as it stands: one undo step.
  void Edit(CellChanges changes);
  /// The comment as typed; typing merges into one undo step until EndCommentEdit.
  void EditComment(const std::string& text);
  void EndCommentEdit() { ++comment_session_; }

  void Undo();
  void Redo();

 signals:
  /// The cells in `area` (grid columns and rows) hold new values: told once
  /// per command done, undone or redone.
  void CellsChanged(const QRect& area);
  void CommentChanged();
  void ModifiedChanged(bool modified);
  /// The mesh was saved under another name.
  void FileNameChanged();
  /// Another mesh took the place of the open one.
  void Replaced();
  /// Undo or redo went back to or over an edit whose first cell is `cell`.
  void EditRevisited(QPoint cell);

 private:
  friend class CellEditCommand;
  friend class CommentCommand;

  CellChanges ChangesStoring(const std::vector<QPoint>& cells, std::int32_t tenths) const;
  void ApplyChanges(const CellChanges& changes, const QRect& area);
  void RevertChanges(const CellChanges& changes, const QRect& area);
  void StoreComment(const Cp932Text& comment);
  void RevisitEditAt(int index);
  void ShowModified();

  MeshDocument mesh_;
  MeshDocument saved_mesh_;
  bool open_ = false;
  QUndoStack undo_stack_;
  bool shown_modified_ = false;
  int stroke_ = 0;
  int comment_session_ = 0;
};

}  // namespace koravel
