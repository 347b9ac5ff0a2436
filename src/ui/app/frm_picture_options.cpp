#include "ui/app/frm_picture_options.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QRadioButton>
#include <QSpinBox>

namespace koravel {

frmPictureOptions::frmPictureOptions(QWidget* parent) : QDialog(parent) {
  setObjectName("frmPictureOptions");
  setWindowTitle(QStringLiteral("画像の範囲"));
  auto* form = new QFormLayout(this);
  detail_view_ = new QRadioButton(QStringLiteral("詳細図に見えている範囲(&D)"), this);
  detail_view_->setObjectName("optDetailView");
  detail_view_->setChecked(true);
  auto* whole = new QRadioButton(QStringLiteral("メッシュ全体(&W)"), this);
  whole->setObjectName("optWholeMesh");
  form->addRow(detail_view_);
  form->addRow(whole);
  cell_pixels_ = new QSpinBox(this);
  cell_pixels_->setObjectName("spnCellPixels");
  cell_pixels_->setRange(1, 32);
  cell_pixels_->setValue(4);
  cell_pixels_->setSuffix(QStringLiteral(" ピクセル"));
  form->addRow(QStringLiteral("1セルの幅(&C)"), cell_pixels_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

MapPicture::Area frmPictureOptions::Area() const {
  return detail_view_->isChecked() ? MapPicture::Area::DetailView : MapPicture::Area::WholeMesh;
}

int frmPictureOptions::CellPixels() const { return cell_pixels_->value(); }

}  // namespace koravel
