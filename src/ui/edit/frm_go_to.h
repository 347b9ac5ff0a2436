#pragma once

#include <QDialog>
#include <QPoint>
#include <variant>

#include "core/error_code.h"
#include "core/mesh/mesh_document.h"

class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace koravel {

/// 移動: to a record position, to a latitude and longitude (on the Tokyo
/// datum, or on WGS 84 converted as tracks are), or to the highest or the
/// lowest cell.
class frmGoTo : public QDialog {
 public:
  frmGoTo(QPoint cursor, QWidget* parent = nullptr);

  /// The cell the answers name on `mesh`, or why there is none.
  std::variant<QPoint, QString> Target(const MeshDocument& mesh) const;

 private:
  void ChooseKindByTyping();
  std::variant<QPoint, QString> PositionTarget(const MeshDocument& mesh) const;

  QRadioButton* record_;
  QSpinBox* column_;
  QSpinBox* row_;
  QRadioButton* position_;
  QLineEdit* latitude_;
  QLineEdit* longitude_;
  QComboBox* datum_;
  QRadioButton* highest_;
  QRadioButton* lowest_;
};

}  // namespace koravel
