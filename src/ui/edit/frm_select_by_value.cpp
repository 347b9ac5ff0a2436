#include "ui/edit/frm_select_by_value.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>

#include "core/edit/elevation_entry.h"

namespace koravel {

frmSelectByValue::frmSelectByValue(QWidget* parent) : QDialog(parent) {
  setObjectName("frmSelectByValue");
  setWindowTitle(QStringLiteral("値で選択"));
  auto* form = new QFormLayout(this);
  range_ = new QRadioButton(QStringLiteral("標高の範囲(&R)"), this);
  range_->setObjectName("optRange");
  range_->setChecked(true);
  form->addRow(range_);
  lowest_ = new QLineEdit(QStringLiteral("0"), this);
  lowest_->setObjectName("txtLowest");
  form->addRow(QStringLiteral("下限 (m)(&L)"), lowest_);
  highest_ = new QLineEdit(QStringLiteral("100"), this);
  highest_->setObjectName("txtHighest");
  form->addRow(QStringLiteral("上限 (m)(&U)"), highest_);
  no_data_ = new QRadioButton(QStringLiteral("データなしのセル(&N)"), this);
  no_data_->setObjectName("optNoData");
  form->addRow(no_data_);
  connected_ = new QCheckBox(QStringLiteral("カーソルのセルとつながる所だけ(&C)"), this);
  connected_->setObjectName("chkConnected");
  form->addRow(connected_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
  connect(range_, &QRadioButton::toggled, lowest_, &QWidget::setEnabled);
  connect(range_, &QRadioButton::toggled, highest_, &QWidget::setEnabled);
}

std::optional<ValueCriterion> frmSelectByValue::Criterion(QPoint cursor) const {
  ValueCriterion criterion;
  criterion.no_data = no_data_->isChecked();
  if (connected_->isChecked()) criterion.connected_to = GridCell{cursor.x(), cursor.y()};
  if (criterion.no_data) return criterion;
  const std::optional<std::int32_t> lowest = ParseElevation(lowest_->text().toStdString());
  const std::optional<std::int32_t> highest = ParseElevation(highest_->text().toStdString());
  if (!lowest || !highest) return std::nullopt;
  criterion.lowest = std::min(*lowest, *highest);
  criterion.highest = std::max(*lowest, *highest);
  return criterion;
}

}  // namespace koravel
