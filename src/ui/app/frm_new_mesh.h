#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace koravel {

/// 新規作成: asks for the six-digit code of the mesh to make, taking only a
/// code of a mesh in Japan's range, and whether its heights are to come
/// from the newer elevation model (基盤地図情報から).
class frmNewMesh : public QDialog {
 public:
  explicit frmNewMesh(QWidget* parent = nullptr);

  /// The code typed, once the dialog is accepted.
  QString MeshCode() const;
  /// Whether the heights are to come from the newer elevation model.
  bool FromModel() const;

 private:
  void ShowWhetherValid();

  QLineEdit* code_;
  QLabel* hint_;
  QCheckBox* from_model_;
  QPushButton* ok_;
};

}  // namespace koravel
