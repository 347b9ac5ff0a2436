#include "ui/common/qt_dialogs.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QRegularExpression>

namespace koravel {
namespace {

// Qt's own file dialog, so that the read-only box can join its layout.
void Prepare(QFileDialog& dialog, const QString& title, const QStringList& filters,
             const QString& folder) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setWindowTitle(title);
  dialog.setNameFilters(filters);
  if (!folder.isEmpty()) dialog.setDirectory(folder);
}

// "tif" of "GeoTIFF (*.tif *.tiff)".
QString FirstExtension(const QString& filter) {
  const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
  return match.hasMatch() ? match.captured(1) : QString();
}

// The dialog adds the selected filter's extension to a name typed without
// one before it asks about replacing a file, so the question names the file
// that will be written.
void FollowFilterWithSuffix(QFileDialog& dialog, const QStringList& filters) {
  const auto follow_filter = [&dialog](const QString& filter) { dialog.setDefaultSuffix(FirstExtension(filter)); };
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow_filter);
  follow_filter(filters.value(0));
}

}  // namespace

std::optional<OpenChoice> QtDialogs::OpenFile(const QString& title, const QStringList& filters,
                                              bool offer_read_only) {
  QFileDialog dialog(parent_);
  Prepare(dialog, title, filters, last_folder_);
  // A typed name of a file that does not exist comes back, so that the
  // program's own message says what is missing.
  dialog.setFileMode(QFileDialog::AnyFile);
  auto* read_only = new QCheckBox(QStringLiteral("読み取り専用で開く(&R)"), &dialog);
  read_only->setChecked(read_only_checked_);
  read_only->setVisible(offer_read_only);
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
    grid->addWidget(read_only, grid->rowCount(), 0, 1, -1);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  if (offer_read_only) read_only_checked_ = read_only->isChecked();
  return OpenChoice{dialog.selectedFiles().constFirst(), offer_read_only && read_only_checked_};
}

QStringList QtDialogs::OpenFiles(const QString& title, const QStringList& filters) {
  QFileDialog dialog(parent_);
  Prepare(dialog, title, filters, last_folder_);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

std::optional<QString> QtDialogs::SaveFile(const QString& title, const QStringList& filters,
                                           const QString& proposed) {
  QFileDialog dialog(parent_);
  Prepare(dialog, title, filters, last_folder_);
  dialog.selectFile(proposed);
  FollowFilterWithSuffix(dialog, filters);
  return RunSaveDialog(dialog);
}

std::optional<ExportChoice> QtDialogs::ExportFile(const QString& title, const QStringList& filters) {
  QFileDialog dialog(parent_);
  Prepare(dialog, title, filters, last_folder_);
  FollowFilterWithSuffix(dialog, filters);
  const std::optional<QString> path = RunSaveDialog(dialog);
  if (!path) return std::nullopt;
  return ExportChoice{*path, static_cast<int>(filters.indexOf(dialog.selectedNameFilter()))};
}

std::optional<QString> QtDialogs::RunSaveDialog(QFileDialog& dialog) {
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

// A folder is remembered only once a file in it was read or written: a
// failed export into /proc must not open the next dialog among its files.
void QtDialogs::RememberFolder(const QString& file) { last_folder_ = QFileInfo(file).absolutePath(); }

std::optional<QColor> QtDialogs::ChooseColor(const QString& title, const QColor& initial) {
  const QColor color = QColorDialog::getColor(initial, parent_, title);
  if (!color.isValid()) return std::nullopt;
  return color;
}

std::optional<QString> QtDialogs::AskText(const QString& title, const QString& label, const QString& initial) {
  bool accepted = false;
  const QString text = QInputDialog::getText(parent_, title, label, QLineEdit::Normal, initial, &accepted);
  if (!accepted) return std::nullopt;
  return text;
}

bool QtDialogs::ChoosePrinter(QPrinter& printer) {
  QPrintDialog dialog(&printer, parent_);
  return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::ShowFileMessage(const QString& text, const QString& file) {
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text,
                  QMessageBox::Ok, parent_);
  box.setInformativeText(QDir::toNativeSeparators(file));
  box.exec();
}

}  // namespace koravel

namespace koravel {

SaveChoice QtDialogs::AskToSaveChanges() {
  QMessageBox box(QMessageBox::Question, QApplication::applicationName(),
                  QStringLiteral("変更を保存しますか?"),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent_);
  box.setDefaultButton(QMessageBox::Save);
  switch (box.exec()) {
    case QMessageBox::Save: return SaveChoice::Save;
    case QMessageBox::Discard: return SaveChoice::Discard;
    default: return SaveChoice::Cancel;
  }
}

}  // namespace koravel
