#pragma once

#include <QDialog>
#include <QPoint>
#include <QString>
#include <optional>

#include "core/edit/selection_shapes.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace koravel {

/// 値で選択: the cells whose height lies in a range, or the cells without
/// data, optionally only those connected to the cursor's cell.
class frmSelectByValue : public QDialog {
 public:
  explicit frmSelectByValue(QWidget* parent = nullptr);

  /// What the answers choose; nothing when a bound is no height.
  std::optional<ValueCriterion> Criterion(QPoint cursor) const;

 private:
  QRadioButton* range_;
  QRadioButton* no_data_;
  QLineEdit* lowest_;
  QLineEdit* highest_;
  QCheckBox* connected_;
};

}  // namespace koravel
