#include "core/text/half_width_number.h"

#include <algorithm>
#include <array>
#include <utility>

namespace koravel {
namespace {

// A minus typed with the input method on comes out as the full-width
// hyphen-minus, the minus sign or the long vowel mark.
constexpr std::array<std::pair<std::string_view, char>, 9> kHalfWidthForms = {{
    {"\uFF0B", '+'}, {"\uFF0D", '-'}, {"\u2212", '-'}, {"\u30FC", '-'}, {"\uFF0E", '.'}, {"\u3000", ' '},
    {"\uFF45", 'e'}, {"\uFF25", 'E'}, {"\uFF4D", 'm'},
}};

// The full-width digits U+FF10..U+FF19 are EF BC 90..99 in UTF-8.
bool IsFullWidthDigit(std::string_view rest) {
  return rest.size() >= 3 && rest[0] == '\xEF' && rest[1] == '\xBC' && rest[2] >= '\x90' && rest[2] <= '\x99';
}

}  // namespace

std::string HalfWidthNumber(std::string_view text) {
  std::string half;
  half.reserve(text.size());
  while (!text.empty()) {
    if (IsFullWidthDigit(text)) {
      half += static_cast<char>('0' + (text[2] - '\x90'));
      text.remove_prefix(3);
      continue;
    }
    const auto sign = std::find_if(kHalfWidthForms.begin(), kHalfWidthForms.end(), [text](const auto& s) { return text.starts_with(s.first); });
    if (sign != kHalfWidthForms.end()) {
      half += sign->second;
      text.remove_prefix(sign->first.size());
      continue;
    }
    half += text.front();
    text.remove_prefix(1);
  }
  return half;
}

}  // namespace koravel
