#include "ui/app/frm_sys_info.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSysInfo>
#include <QVBoxLayout>

#include "core/geo/datum_converter.h"
#include "core/library_versions.h"
#include "ui/common/settings.h"

namespace koravel {
namespace {

QString OrMissing(const std::string& version) {
  return version.empty() ? QStringLiteral("見つかりません") : QString::fromStdString(version);
}

}  // namespace

frmSysInfo::frmSysInfo(QWidget* parent) : QDialog(parent) {
  setObjectName("frmSysInfo");
  setWindowTitle(QStringLiteral("ｼｽﾃﾑ情報"));
  auto* layout = new QVBoxLayout(this);
  auto* text = new QPlainTextEdit(Report(), this);
  text->setObjectName("txtSysInfo");
  text->setReadOnly(true);
  text->setMinimumSize(480, 160);
  layout->addWidget(text);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  QPushButton* copy = buttons->addButton(QStringLiteral("コピー(&C)"), QDialogButtonBox::ActionRole);
  copy->setObjectName("cmdCopy");
  connect(copy, &QPushButton::clicked, this, [text] { QApplication::clipboard()->setText(text->toPlainText()); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}

QString frmSysInfo::Report() {
  const LibraryVersions libraries = InstalledLibraryVersions();
  return QStringList{
      QStringLiteral("Koravel %1").arg(KORAVEL_VERSION),
      QStringLiteral("Qt %1 (ビルド時 %2)").arg(qVersion(), QT_VERSION_STR),
      QStringLiteral("PROJ %1").arg(OrMissing(libraries.proj)),
      QStringLiteral("libtiff %1").arg(OrMissing(libraries.libtiff)),
      QStringLiteral("測地系の変換: %1").arg(QString::fromStdString(DescribeDatumConversion(DatumConverter()))),
      QStringLiteral("設定ファイル: %1").arg(Settings().FilePath()),
      QStringLiteral("OS: %1 (%2 %3)")
          .arg(QSysInfo::prettyProductName(), QSysInfo::kernelType(), QSysInfo::kernelVersion()),
  }.join('\n');
}

}  // namespace koravel
