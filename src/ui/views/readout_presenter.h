#pragma once

#include <QObject>

class QLabel;

namespace koravel {

class Document;
class EditingSession;
class StatusPanels;

/// The texts that describe where the user is: the edit mode, the cursor
/// cell's record position and latitude and longitude, the cells chosen or
/// the path measured in the status bar, and what lies under the pointer.
class ReadoutPresenter : public QObject {
 public:
  ReadoutPresenter(const Document& document, const EditingSession& session, StatusPanels& status, QLabel& pointer);

 private:
  void ShowCursor();
  void ShowPointer();
  void ShowChosen();

  const Document& document_;
  const EditingSession& session_;
  StatusPanels& status_;
  QLabel& pointer_;
};

}  // namespace koravel
