#include "edit/value_text.h"

#include <charconv>
#include <cstdlib>

namespace koravel {

std::string ValueText(std::int32_t tenths) {
  std::string text;
  AppendValueText(text, tenths);
  return text;
}

void AppendValueText(std::string& text, std::int32_t tenths) {
  const long long magnitude = std::llabs(static_cast<long long>(tenths));
  char digits[24];
  char* end = digits;
  if (tenths < 0) *end++ = '-';
  end = std::to_chars(end, digits + sizeof digits, magnitude / 10).ptr;
  if (magnitude % 10 != 0) {
    *end++ = '.';
    *end++ = static_cast<char>('0' + magnitude % 10);
  }
  text.append(digits, end);
}

}  // namespace koravel
