#include "ui/edit/full_width_validator.h"

#include "core/text/full_width_text.h"

namespace koravel {
namespace {

QString FullWidth(const QString& text) {
  return QString::fromStdU32String(ToFullWidth(text.toStdU32String()));
}

}  // namespace

// The caret stays after the same characters, which joining a voiced mark to
// its letter may have made fewer.
QValidator::State FullWidthValidator::validate(QString& input, int& position) const {
  const QString converted = FullWidth(input);
  if (converted != input) {
    position = static_cast<int>(FullWidth(input.left(position)).size());
    input = converted;
  }
  return Acceptable;
}

}  // namespace koravel
