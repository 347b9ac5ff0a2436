#include "ui/app/frm_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace koravel {

frmOptions::frmOptions(const Options& options, QWidget* parent) : QDialog(parent) {
  setObjectName("frmOptions");
  setWindowTitle(QStringLiteral("ｵﾌﾟｼｮﾝ"));
  auto* form = new QFormLayout(this);
  shaded_relief_ = new QCheckBox(QStringLiteral("陰影を付ける(&S)"), this);
  shaded_relief_->setObjectName("chkShadedRelief");
  shaded_relief_->setChecked(options.shaded_relief);
  form->addRow(shaded_relief_);
  hatch_omitted_rows_ = new QCheckBox(QStringLiteral("省略されたレコードに斜線を引く(&H)"), this);
  hatch_omitted_rows_->setObjectName("chkHatchOmittedRows");
  hatch_omitted_rows_->setChecked(options.hatch_omitted_rows);
  form->addRow(hatch_omitted_rows_);
  auto_move_direction_ = new QComboBox(this);
  auto_move_direction_->setObjectName("cboAutoMoveDirection");
  auto_move_direction_->addItems({QStringLiteral("右へ"), QStringLiteral("下へ"), QStringLiteral("左へ"), QStringLiteral("上へ")});
  auto_move_direction_->setCurrentIndex(static_cast<int>(options.auto_move_direction) - 1);
  form->addRow(QStringLiteral("起動時のカーソル自動移動(&M)"), auto_move_direction_);
  hole_cells_ = new QSpinBox(this);
  hole_cells_->setObjectName("spnHoleCells");
  hole_cells_->setRange(1, 40000);
  hole_cells_->setSuffix(QStringLiteral(" セル"));
  hole_cells_->setValue(options.hole_cells);
  form->addRow(QStringLiteral("穴を埋める大きさの上限(&F)"), hole_cells_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

Options frmOptions::Chosen() const {
  return {.shaded_relief = shaded_relief_->isChecked(),
          .hatch_omitted_rows = hatch_omitted_rows_->isChecked(),
          .auto_move_direction = static_cast<MoveDirection>(auto_move_direction_->currentIndex() + 1),
          .hole_cells = hole_cells_->value()};
}

}  // namespace koravel
