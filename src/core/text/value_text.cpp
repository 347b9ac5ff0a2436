#include "core/text/value_text.h"

#include <charconv>
#include <cstdlib>

namespace koravel {

std::string ValueText(std::int32_t tenths) {
  char text[kMaxValueTextLength];
  return std::string(text, WriteValueText(text, tenths));
}

char* WriteValueText(char* out, std::int32_t tenths) {
  char* const limit = out + kMaxValueTextLength;
  const long long magnitude = std::llabs(static_cast<long long>(tenths));
  if (tenths < 0) *out++ = '-';
  out = std::to_chars(out, limit, magnitude / 10).ptr;
  if (magnitude % 10 != 0) {
    *out++ = '.';
    *out++ = static_cast<char>('0' + magnitude % 10);
  }
  return out;
}

}  // namespace koravel
