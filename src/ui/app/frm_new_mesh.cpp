#include "ui/app/frm_new_mesh.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/mesh/new_mesh.h"
#include "core/text/half_width_number.h"

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
  code_->setMaxLength(6);
  // Digits typed full-width by the input method are taken as their
  // half-width forms; anything else leaves OK disabled under the rule.
  connect(code_, &QLineEdit::textEdited, this, [this](const QString& text) {
    const QString half = QString::fromStdString(HalfWidthNumber(text.toStdString()));
    if (half != text) code_->setText(half);
  });
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
  const QString code = code_->text();
  const bool complete = code.size() == 6;
  const bool row_or_column_past_7 = complete && (code.right(2).contains('8') || code.right(2).contains('9'));
  if (!complete || valid) return hint_->setText(kCodeRule);
  hint_->setText(row_or_column_past_7 ? QStringLiteral("行と列の2桁は0～7です。")
                                      : QStringLiteral("日本の範囲のメッシュコードではありません。"));
}

}  // namespace koravel
