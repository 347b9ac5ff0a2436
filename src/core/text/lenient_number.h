#pragma once

#include <cmath>
#include <concepts>
#include <limits>
#include <optional>
#include <string_view>

namespace koravel {

/// The lenient reading of a number field: the value of the longest leading
/// decimal number (sign, digits, fraction, exponent), blanks ignored wherever
/// they stand; 0 when the text does not start with a number.
double number(std::string_view text);

/// The value of a text that, trimmed of blanks, is one decimal number and
/// nothing else; nullopt otherwise.
std::optional<double> StrictNumber(std::string_view text);

/// The strict check of a mandatory numeric field: the text, trimmed of
/// blanks, is one decimal number that rounds into a 32-bit integer.
bool PassesNumericTest(std::string_view text);

/// `value` rounded to the nearest integer, halves to the even neighbour;
/// nullopt when the result is not finite or does not fit `Int`.
template <std::integral Int>
std::optional<Int> RoundHalfEven(double value) {
  // Nearly every value read is whole already; nearbyint is a library call.
  if (value >= std::numeric_limits<Int>::min() && value <= std::numeric_limits<Int>::max() &&
      value == static_cast<double>(static_cast<Int>(value))) {
    return static_cast<Int>(value);
  }
  const double rounded = std::nearbyint(value);
  if (!std::isfinite(rounded) || rounded < std::numeric_limits<Int>::min() ||
      rounded > std::numeric_limits<Int>::max()) {
    return std::nullopt;
  }
  return static_cast<Int>(rounded);
}

}  // namespace koravel
