#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace koravel {

/// 新規作成: asks for the six-digit code of the mesh to make, and takes
/// only a code of a mesh in Japan's range.
class frmNewMesh : public QDialog {
 public:
  explicit frmNewMesh(QWidget* parent = nullptr);

  /// The code typed, once the dialog is accepted.
  QString MeshCode() const;

 private:
  void ShowWhetherValid();

  QLineEdit* code_;
  QLabel* hint_;
  QPushButton* ok_;
};

}  // namespace koravel
