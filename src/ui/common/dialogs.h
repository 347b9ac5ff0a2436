#pragma once

#include <QColor>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <optional>

class QPrinter;

namespace koravel {

/// A file chosen in the open dialog, with the state of its read-only box.
struct OpenChoice {
  QString path;
  bool read_only = false;
};

/// A file name chosen in the export dialog, with the index of the filter
/// that was selected.
struct ExportChoice {
  QString path;
  int filter = 0;
};

/// The answers to "変更を保存しますか?".
enum class SaveChoice { Save, Discard, Cancel };

/// Everything modal the window shows. The application passes the Qt
/// implementation; tests pass a scripted one that records each message.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  /// The open dialog, with a read-only check box when `offer_read_only`;
  /// nullopt when cancelled.
  virtual std::optional<OpenChoice> OpenFile(const QString& title, const QStringList& filters,
                                             bool offer_read_only) = 0;
  /// The open dialog for several existing files at once; empty when cancelled.
  virtual QStringList OpenFiles(const QString& title, const QStringList& filters) = 0;
  /// The save dialog, starting at `proposed` (a path, or a name alone), which
  /// gives a name typed without an extension the first filter's and asks
  /// before replacing a file; nullopt when cancelled.
  virtual std::optional<QString> SaveFile(const QString& title, const QStringList& filters,
                                          const QString& proposed) = 0;
  /// The save dialog for an export: a name typed without an extension gets
  /// the selected filter's; nullopt when cancelled.
  virtual std::optional<ExportChoice> ExportFile(const QString& title, const QStringList& filters) = 0;
  /// The colour dialog starting at `initial`; nullopt when cancelled.
  virtual std::optional<QColor> ChooseColor(const QString& title, const QColor& initial) = 0;
  /// A one-line question, its field starting at `initial`; nullopt when cancelled.
  virtual std::optional<QString> AskText(const QString& title, const QString& label, const QString& initial) = 0;
  /// Qt's print dialog for `printer`; false when cancelled.
  virtual bool ChoosePrinter(QPrinter& printer) = 0;
  /// A message box with one sentence, an OK button and no icon.
  virtual void ShowMessage(const QString& text) = 0;
  /// The same about `file`, which the box names below the sentence.
  virtual void ShowFileMessage(const QString& text, const QString& file) = 0;
  /// The file dialogs start in the folder of `file`, opened or saved.
  virtual void RememberFolder(const QString& file) = 0;
  /// Whether to save unsaved changes before they would be lost.
  virtual SaveChoice AskToSaveChanges() = 0;
  /// Shows a window of the program modally, until it closes.
  virtual void ShowModal(QDialog& dialog) = 0;
};

}  // namespace koravel
