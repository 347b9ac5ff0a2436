#include "ui/document/comment_command.h"

#include "ui/document/document.h"

namespace koravel {

CommentCommand::CommentCommand(Document& document, int session, Cp932Text after)
    : document_(document), session_(session), before_(document.Mesh().MeshComment), after_(std::move(after)) {}

void CommentCommand::undo() { document_.StoreComment(before_); }

void CommentCommand::redo() { document_.StoreComment(after_); }

// Typing back to the comment the visit started with leaves nothing to undo.
bool CommentCommand::mergeWith(const QUndoCommand* other) {
  const auto* next = static_cast<const CommentCommand*>(other);
  if (next->session_ != session_) return false;
  after_ = next->after_;
  setObsolete(after_.Text() == before_.Text());
  return true;
}

}  // namespace koravel
