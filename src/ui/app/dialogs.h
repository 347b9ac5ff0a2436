#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

namespace koravel {

/// A file chosen in the open dialog, with the state of its read-only box.
struct OpenChoice {
  QString path;
  bool read_only = false;
};

/// Everything modal the window shows. The application passes the Qt
/// implementation; tests pass a scripted one that records each message.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  /// The open dialog with a read-only check box; nullopt when cancelled.
  virtual std::optional<OpenChoice> OpenFile(const QString& title, const QStringList& filters) = 0;
  /// The save dialog, which asks before replacing a file; nullopt when cancelled.
  virtual std::optional<QString> SaveFile(const QString& title, const QStringList& filters) = 0;
  /// The colour dialog starting at `initial`; nullopt when cancelled.
  virtual std::optional<QColor> ChooseColor(const QString& title, const QColor& initial) = 0;
  /// A message box with one sentence, an OK button and no icon.
  virtual void ShowMessage(const QString& text) = 0;
};

}  // namespace koravel
