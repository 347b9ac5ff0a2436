#pragma once

#include <QFile>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QString>
#include <filesystem>
#include <string_view>

#include "core/error_code.h"

namespace koravel {

/// Screen pixels per twip at 96 dpi; Qt scales logical pixels for denser screens.
inline constexpr int kTwipsPerPixel = 15;

/// The Japanese sentence the user sees for a failure or warning.
inline QString Message(ErrorCode code) {
  const std::string_view text = MessageText(code);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString Message(Warning warning) {
  const std::string_view text = MessageText(warning);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// A path chosen in a dialog as the file system spells it.
inline std::filesystem::path LocalPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

/// True when focus left a field for another control of the window. Focus also
/// "leaves" while a menu or popup opens or the user switches programs; a
/// field that discards its typed text then would lose what the user typed.
inline bool FocusMovedOn(const QEvent* event) {
  if (event->type() != QEvent::FocusOut) return false;
  const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
  return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

/// True for a press of Enter or Return.
inline bool IsEnterKey(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace koravel
