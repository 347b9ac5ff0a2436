#pragma once

class QWidget;

namespace koravel {

// The main window's place and size between runs are kept in twips under the
// per-user settings of "Koravel", group "Settings".

/// Puts `window` where it was last closed; at the defaults (1000, 1000,
/// 9600 × 7900 twips) when nothing is stored or when the stored place lies on
/// no screen any more, so the window never opens out of reach.
void RestoreWindowGeometry(QWidget& window);

/// Stores the window's place and size, unless it is minimized.
void StoreWindowGeometry(const QWidget& window);

}  // namespace koravel
