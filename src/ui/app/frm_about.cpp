#include "ui/app/frm_about.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/app/captions.h"
#include "ui/app/frm_sys_info.h"

namespace koravel {
namespace {

QLabel* AddLabel(QLayout& layout, QWidget* parent, const char* name, int caption_id) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setProperty("tag", QString::number(caption_id));
  label->setWordWrap(true);
  layout.addWidget(label);
  return label;
}

QFrame* AddLine(QLayout& layout, QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setObjectName("Line1");
  line->setFrameShape(QFrame::HLine);
  layout.addWidget(line);
  return line;
}

QPushButton* AddButton(QLayout& layout, QWidget* parent, const char* name, int caption_id) {
  auto* button = new QPushButton(parent);
  button->setObjectName(name);
  button->setProperty("tag", QString::number(caption_id));
  layout.addWidget(button);
  return button;
}


}  // namespace

frmAbout::frmAbout(Dialogs& dialogs, QWidget* parent) : QDialog(parent), dialogs_(dialogs) {
  setObjectName("frmAbout");
  setProperty("tag", "1026");
  auto* layout = new QVBoxLayout(this);
  auto* icon = new QLabel(this);
  icon->setObjectName("picIcon");
  icon->setPixmap(windowIcon().pixmap(32, 32));
  layout->addWidget(icon);
  lblTitle_ = AddLabel(*layout, this, "lblTitle", 1031);
  lblVersion_ = AddLabel(*layout, this, "lblVersion", 1030);
  lblDescription_ = AddLabel(*layout, this, "lblDescription", 1032);
  AddLine(*layout, this);
  lblDisclaimer_ = AddLabel(*layout, this, "lblDisclaimer", 1029);
  AddLine(*layout, this);
  connect(AddButton(*layout, this, "cmdOK", 1028), &QPushButton::clicked, this, &QDialog::accept);
  connect(AddButton(*layout, this, "cmdSysInfo", 1027), &QPushButton::clicked, this,
          &frmAbout::ShowSysInfo);
  Load();
}

void frmAbout::Load() {
  LoadCaptions(this);
  lblVersion_->setText(QStringLiteral("ﾊﾞｰｼﾞｮﾝ " KORAVEL_VERSION));
  lblTitle_->setText(QStringLiteral("Koravel"));
  lblDescription_->setText(QStringLiteral(
      "国土地理院の数値地図50mメッシュ(標高)を編集できます。また、GPSトラックを参照することができます。"));
  lblDisclaimer_->setText(QStringLiteral(
      "このソフトウェアは無保証です。編集する前にファイルの控えを取ってください。"));
}

void frmAbout::ShowSysInfo() {
  frmSysInfo information(this);
  dialogs_.ShowModal(information);
}

}  // namespace koravel
