#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

namespace koravel {

class Dialogs;
class Document;

/// The comment field: shows the document's comment without the full-width
/// blanks that pad it to its 40 characters, takes no more than 40, sends
/// what is typed to the document in full-width characters, and closes the
/// undo step of the typing when the field loses focus.
class CommentField : public QObject {
 public:
  CommentField(Document& document, Dialogs& dialogs, QLineEdit& field);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Text1_Change(const QString& text);
  void ShowComment();

  Document& document_;
  Dialogs& dialogs_;
  QLineEdit& field_;
  QString shown_;  ///< the text the field held after the last change
};

}  // namespace koravel
