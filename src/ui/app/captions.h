#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace koravel {

/// The caption with string-table number `id`, if the table has one.
std::optional<QString> StringTableText(int id);

/// Replaces the string-table numbers that a window's design puts in its
/// captions (menu items, tool-bar tips, labels tagged with a number) by their
/// texts. Anything that is not a known number is left as it is.
void LoadCaptions(QWidget* window);

}  // namespace koravel
