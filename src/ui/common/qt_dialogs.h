#pragma once

#include <QWidget>

#include "ui/common/dialogs.h"

class QFileDialog;

namespace koravel {

/// The dialogs as Qt shows them, owned by `parent`'s window. The file
/// dialogs start in the folder of the last file opened or saved.
class QtDialogs : public Dialogs {
 public:
  /// The window that owns the dialogs, once it exists.
  void SetParent(QWidget* parent) { parent_ = parent; }

  std::optional<OpenChoice> OpenFile(const QString& title, const QStringList& filters,
                                     bool offer_read_only) override;
  QStringList OpenFiles(const QString& title, const QStringList& filters) override;
  std::optional<QString> SaveFile(const QString& title, const QStringList& filters,
                                  const QString& proposed) override;
  std::optional<ExportChoice> ExportFile(const QString& title, const QStringList& filters) override;
  std::optional<QColor> ChooseColor(const QString& title, const QColor& initial) override;
  std::optional<QString> AskText(const QString& title, const QString& label, const QString& initial) override;
  bool ChoosePrinter(QPrinter& printer) override;
  void ShowMessage(const QString& text) override { ShowFileMessage(text, QString()); }
  void ShowFileMessage(const QString& text, const QString& file) override;
  void RememberFolder(const QString& file) override;
  SaveChoice AskToSaveChanges() override;
  void ShowModal(QDialog& dialog) override { dialog.exec(); }

 private:
  std::optional<QString> RunSaveDialog(QFileDialog& dialog);

  QWidget* parent_ = nullptr;
  QString last_folder_;
  bool read_only_checked_ = false;
};

}  // namespace koravel
