#pragma once

#include <QObject>

class QLineEdit;

namespace koravel {

class Document;

/// The comment field: shows the document's comment, sends what is typed to
/// the document in full-width characters, and closes the undo step of the
/// typing when the field loses focus.
class CommentField : public QObject {
 public:
  CommentField(Document& document, QLineEdit& field);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowComment();

  Document& document_;
  QLineEdit& field_;
};

}  // namespace koravel
