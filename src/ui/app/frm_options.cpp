#include "ui/app/frm_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
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
  AddReliefRows(*form, options.light);
  AddContourRows(*form, options.contours);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

namespace {

QDoubleSpinBox* NumberBox(QWidget* parent, const char* name, double lowest, double highest, double value,
                          const QString& suffix) {
  auto* box = new QDoubleSpinBox(parent);
  box->setObjectName(name);
  box->setRange(lowest, highest);
  box->setDecimals(1);
  box->setSuffix(suffix);
  box->setValue(value);
  return box;
}

}  // namespace

void frmOptions::AddReliefRows(QFormLayout& form, const ReliefLight& light) {
  azimuth_ = NumberBox(this, "spnAzimuth", 0, 360, light.AzimuthDegrees, QStringLiteral("°"));
  form.addRow(QStringLiteral("陰影の光の方位(北から右回り)"), azimuth_);
  altitude_ = NumberBox(this, "spnAltitude", 1, 90, light.AltitudeDegrees, QStringLiteral("°"));
  form.addRow(QStringLiteral("陰影の光の高さ"), altitude_);
  exaggeration_ = NumberBox(this, "spnExaggeration", 0.1, 20, light.Exaggeration, QStringLiteral(" 倍"));
  form.addRow(QStringLiteral("陰影の高さの強調"), exaggeration_);
  multidirectional_ = new QCheckBox(QStringLiteral("四方からの光で陰影を付ける"), this);
  multidirectional_->setObjectName("chkMultidirectional");
  multidirectional_->setChecked(light.Mode == LightMode::Multidirectional);
  form.addRow(multidirectional_);
}

void frmOptions::AddContourRows(QFormLayout& form, const ContourSettings& contours) {
  contours_shown_ = contours.shown;
  detail_interval_ = NumberBox(this, "spnContourInterval", 0.5, 1000, contours.detail_interval, QStringLiteral(" m"));
  form.addRow(QStringLiteral("等高線の間隔(詳細図)"), detail_interval_);
  overview_interval_ =
      NumberBox(this, "spnOverviewContourInterval", 0.5, 1000, contours.overview_interval, QStringLiteral(" m"));
  form.addRow(QStringLiteral("等高線の間隔(全体図)"), overview_interval_);
  contour_base_ = NumberBox(this, "spnContourBase", -999.9, 9999.9, contours.base, QStringLiteral(" m"));
  form.addRow(QStringLiteral("等高線の基準の高さ"), contour_base_);
}

Options frmOptions::Chosen() const {
  return {.shaded_relief = shaded_relief_->isChecked(),
          .hatch_omitted_rows = hatch_omitted_rows_->isChecked(),
          .auto_move_direction = static_cast<MoveDirection>(auto_move_direction_->currentIndex() + 1),
          .hole_cells = hole_cells_->value(),
          .light = {azimuth_->value(), altitude_->value(), exaggeration_->value(),
                    multidirectional_->isChecked() ? LightMode::Multidirectional : LightMode::Single},
          .contours = {contours_shown_, detail_interval_->value(), overview_interval_->value(), contour_base_->value()}};
}

}  // namespace koravel
