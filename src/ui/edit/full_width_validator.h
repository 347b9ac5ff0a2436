#pragma once

#include <QValidator>

namespace koravel {

/// Turns half-width characters into their full-width forms as they are typed
/// or pasted, so that a comment always fills its field of the file exactly.
class FullWidthValidator : public QValidator {
 public:
  using QValidator::QValidator;

  State validate(QString& input, int& position) const override;
};

}  // namespace koravel
