#pragma once

#include <QUndoCommand>

#include "core/text/cp932_text.h"

namespace koravel {

class Document;

/// A new comment; typing in one visit of the comment field merges into one
/// command. Undo restores the old comment with the bytes it was read from.
class CommentCommand : public QUndoCommand {
 public:
  CommentCommand(Document& document, int session, Cp932Text after);

  void undo() override;
  void redo() override;
  int id() const override { return kId; }
  bool mergeWith(const QUndoCommand* other) override;

 private:
  static constexpr int kId = 2;
  Document& document_;
  int session_;
  Cp932Text before_;
  Cp932Text after_;
};

}  // namespace koravel
