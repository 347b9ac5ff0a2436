#include "ui/edit/comment_field.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include "ui/common/qt_bridge.h"
#include "ui/document/document.h"
#include "ui/edit/full_width_validator.h"

namespace koravel {

CommentField::CommentField(Document& document, QLineEdit& field) : document_(document), field_(field) {
  field_.setValidator(new FullWidthValidator(&field_));
  field_.installEventFilter(this);
  connect(&field_, &QLineEdit::textEdited, this,
          [this](const QString& text) { document_.EditComment(text.toStdString()); });
  connect(&document_, &Document::CommentChanged, this, &CommentField::ShowComment);
  connect(&document_, &Document::Replaced, this, [this] {
    ShowComment();
    field_.setCursorPosition(0);
  });
}

bool CommentField::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &field_ && FocusMovedOn(event)) document_.EndCommentEdit();
  return QObject::eventFilter(watched, event);
}

// A comment read from a file is shown as it is, half-width characters and
// all, since the validator looks only at what is typed. The field keeps its
// caret while the text it shows is already the document's.
void CommentField::ShowComment() {
  const QString comment = QString::fromStdString(document_.Mesh().MeshComment.Text());
  if (field_.text() == comment) return;
  const QSignalBlocker quiet(field_);
  field_.setText(comment);
}

}  // namespace koravel
