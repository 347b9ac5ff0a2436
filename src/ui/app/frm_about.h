#pragma once

#include <QDialog>

#include "ui/common/dialogs.h"

class QLabel;
class QPushButton;

namespace koravel {

/// The About box: title, version, description, and a button that shows
/// the system information.
class frmAbout : public QDialog {
 public:
  frmAbout(Dialogs& dialogs, QWidget* parent = nullptr);

  /// The versions, the datum conversion and the settings file, to copy.
  void ShowSysInfo();

 private:
  void Load();

  Dialogs& dialogs_;
  QLabel* lblTitle_;
  QLabel* lblVersion_;
  QLabel* lblDescription_;
  QLabel* lblDisclaimer_;
};

}  // namespace koravel
