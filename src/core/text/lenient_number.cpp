#include "core/text/lenient_number.h"

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <locale.h>

#include <optional>
#include <string>

namespace koravel {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

// Length of the longest prefix of `text` that is a decimal number; 0 if none.
std::size_t DecimalPrefixLength(std::string_view text) {
  std::size_t at = 0;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  const std::size_t integer_end = SkipDigits(text, at);
  std::size_t end = integer_end;
  if (end < text.size() && text[end] == '.') end = SkipDigits(text, end + 1);
  const bool has_digits = integer_end > at || end > integer_end + 1;
  if (!has_digits) return 0;
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    std::size_t exponent = end + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    const std::size_t exponent_end = SkipDigits(text, exponent);
    if (exponent_end > exponent) end = exponent_end;
  }
  return end;
}

// Converts a validated decimal number, independent of the process locale
// (the window toolkit may switch LC_NUMERIC to one with a decimal comma).
double ParseDecimal(const std::string& decimal) {
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", nullptr);
  return strtod_l(decimal.c_str(), nullptr, c_locale);
}

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
  return at;
}

// Plain integers fill nearly every field: read them in one pass without
// copying. Anything with a fraction or exponent takes the general path.
std::optional<double> LeadingInteger(std::string_view text) {
  std::size_t at = SkipBlanks(text, 0);
  const bool negative = at < text.size() && text[at] == '-';
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
  long long value = 0;
  int digits = 0;
  for (at = SkipBlanks(text, at); at < text.size() && IsDigit(text[at]);
       at = SkipBlanks(text, at + 1)) {
    value = value * 10 + (text[at] - '0');
    if (++digits > 15) return std::nullopt;
  }
  const bool continues = at < text.size() && (text[at] == '.' || text[at] == 'e' || text[at] == 'E');
  if (digits == 0 || continues) return std::nullopt;
  return static_cast<double>(negative ? -value : value);
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

double number(std::string_view text) {
  if (const std::optional<double> integer = LeadingInteger(text)) return *integer;
  std::string compact;
  for (char c : text) {
    if (!IsBlank(c)) compact.push_back(c);
  }
  compact.resize(DecimalPrefixLength(compact));
  return compact.empty() ? 0.0 : ParseDecimal(compact);
}

std::optional<double> StrictNumber(std::string_view text) {
  const std::string_view trimmed = TrimBlanks(text);
  if (trimmed.empty() || DecimalPrefixLength(trimmed) != trimmed.size()) return std::nullopt;
  return ParseDecimal(std::string(trimmed));
}

bool PassesNumericTest(std::string_view text) {
  const std::optional<double> value = StrictNumber(text);
  return value && RoundHalfEven<std::int32_t>(*value).has_value();
}

}  // namespace koravel
