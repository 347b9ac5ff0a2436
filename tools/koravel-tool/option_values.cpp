#include "option_values.h"

#include <charconv>
#include <cmath>

#include "core/text/lenient_number.h"

namespace koravel {

std::optional<int> CountOption(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
}

std::optional<double> NumberOption(std::string_view text) {
  const std::optional<double> number = StrictNumber(text);
  if (!number || !std::isfinite(*number)) return std::nullopt;
  return number;
}

std::optional<std::int32_t> MetresOption(std::string_view text) {
  const std::optional<double> metres = StrictNumber(text);
  if (!metres || *metres < 0) return std::nullopt;
  return RoundHalfEven<std::int32_t>(*metres * 10);
}

}  // namespace koravel
