#pragma once

#include <QDialog>

#include "ui/common/dialogs.h"

class QLabel;
class QPushButton;

namespace koravel {

/// The About box: title, version, description, and a button that starts
/// the system's information tool.
class frmAbout : public QDialog {
 public:
  frmAbout(Dialogs& dialogs, QWidget* parent = nullptr);

  /// Starts the first system-information tool found, without waiting for
  /// it; says so when there is none.
  void StartSysInfo();

 private:
  void Load();

  Dialogs& dialogs_;
  QLabel* lblTitle_;
  QLabel* lblVersion_;
  QLabel* lblDescription_;
  QLabel* lblDisclaimer_;
};

}  // namespace koravel
