#include "ui/edit/comment_field.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include "ui/common/dialogs.h"
#include "ui/common/qt_bridge.h"
#include "ui/document/document.h"
#include "ui/edit/full_width_validator.h"

namespace koravel {
namespace {

constexpr int kCommentWidth = 40;
const QString kCommentCut = QStringLiteral("コメントは40文字までです。入りきらない文字は切り捨てました。");

// The saved header pads the comment to its width with full-width blanks;
// the field shows what the user wrote.
QString WithoutPadding(QString comment) {
  while (comment.endsWith(QChar(0x3000))) comment.chop(1);
  return comment;
}

int CommonPrefix(const QString& a, const QString& b) {
  int n = 0;
  while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
  return n;
}

int CommonSuffix(const QString& a, const QString& b, int prefix) {
  int n = 0;
  while (n < a.size() - prefix && n < b.size() - prefix && a[a.size() - 1 - n] == b[b.size() - 1 - n]) ++n;
  return n;
}

}  // namespace

CommentField::CommentField(Document& document, Dialogs& dialogs, QLineEdit& field)
    : document_(document), dialogs_(dialogs), field_(field) {
  field_.setValidator(new FullWidthValidator(&field_));
  field_.installEventFilter(this);
  connect(&field_, &QLineEdit::textEdited, this, &CommentField::Text1_Change);
  connect(&document_, &Document::CommentChanged, this, &CommentField::ShowComment);
  connect(&document_, &Document::Replaced, this, [this] {
    field_.setEnabled(true);
    ShowComment();
    field_.setCursorPosition(0);
  });
  field_.setEnabled(document.IsOpen());
}

bool CommentField::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &field_ && FocusMovedOn(event)) document_.EndCommentEdit();
  return QObject::eventFilter(watched, event);
}

// What went in past the 40th character is cut from what went in: a typed
// character is simply not taken, a paste is cut with a word to the user.
void CommentField::Text1_Change(const QString& text) {
  if (text.size() > kCommentWidth) {
    const int prefix = CommonPrefix(shown_, text);
    const int suffix = CommonSuffix(shown_, text, prefix);
    const int inserted = static_cast<int>(text.size()) - prefix - suffix;
    const int kept = inserted - static_cast<int>(text.size() - kCommentWidth);
    const QString fitted = text.left(prefix + kept) + text.right(suffix);
    const QSignalBlocker quiet(field_);
    field_.setText(fitted);
    field_.setCursorPosition(prefix + kept);
    if (inserted > 1) dialogs_.ShowMessage(kCommentCut);
    if (fitted == shown_) return;
  }
  shown_ = field_.text();
  document_.EditComment(shown_.toStdString());
}

// A comment read from a file is shown as it is, half-width characters and
// all, since the validator looks only at what is typed. The field keeps its
// caret, and a blank just typed at the end, while it shows the document's
// comment already.
void CommentField::ShowComment() {
  const QString comment = WithoutPadding(QString::fromStdString(document_.Mesh().MeshComment.Text()));
  if (WithoutPadding(field_.text()) == comment) return;
  const QSignalBlocker quiet(field_);
  field_.setText(comment);
  shown_ = comment;
}

}  // namespace koravel
