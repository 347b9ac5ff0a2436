#include "ui/app/frm_new_mesh.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "core/mesh/new_mesh.h"

namespace koravel {
namespace {

const QString kCodeRule = QStringLiteral("1次メッシュの4桁と、その中の行と列(0～7)の2桁です。");

}  // namespace

frmNewMesh::frmNewMesh(QWidget* parent) : QDialog(parent) {
  setObjectName("frmNewMesh");
  setWindowTitle(QStringLiteral("新規作成"));
  auto* form = new QFormLayout(this);
  code_ = new QLineEdit(this);
  code_->setObjectName("txtMeshCode");
  code_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,6}")), code_));
  code_->setPlaceholderText(QStringLiteral("533945"));
  form->addRow(QStringLiteral("メッシュコード(&M)"), code_);
  hint_ = new QLabel(kCodeRule, this);
  hint_->setObjectName("lblMeshCodeHint");
  form->addRow(hint_);
  from_model_ = new QCheckBox(QStringLiteral("基盤地図情報から作る(&G)..."), this);
  from_model_->setObjectName("chkFromModel");
  form->addRow(from_model_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
  connect(code_, &QLineEdit::textChanged, this, &frmNewMesh::ShowWhetherValid);
  ShowWhetherValid();
}

QString frmNewMesh::MeshCode() const { return code_->text(); }

bool frmNewMesh::FromModel() const { return from_model_->isChecked(); }

// Six digits that name no mesh of Japan are said to be so at once.
void frmNewMesh::ShowWhetherValid() {
  const bool valid = IsJapaneseMeshCode(code_->text().toStdString());
  ok_->setEnabled(valid);
  const bool complete = code_->text().size() == 6;
  hint_->setText(complete && !valid ? QStringLiteral("日本の範囲のメッシュコードではありません。") : kCodeRule);
}

}  // namespace koravel
