#pragma once

#include <QDialog>
#include <QString>

namespace koravel {

/// What a bug report needs to know of this installation: the versions of
/// the program and its libraries, the datum conversion in use and where the
/// settings are kept, in a text that can be selected and copied.
class frmSysInfo : public QDialog {
 public:
  explicit frmSysInfo(QWidget* parent = nullptr);

  /// The text the dialog shows, one fact a line.
  static QString Report();
};

}  // namespace koravel
