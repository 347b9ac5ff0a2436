#include "core/text/full_width_text.h"

#include <optional>

namespace koravel {
namespace {

constexpr char32_t kFirstHalfWidthKana = U'\uFF61';
constexpr char32_t kLastHalfWidthKana = U'\uFF9F';
constexpr char32_t kVoicedMark = U'\uFF9E';
constexpr char32_t kSemiVoicedMark = U'\uFF9F';

// Full-width forms of U+FF61 to U+FF9F, in order; the two marks stand alone
// as U+309B and U+309C, the forms Shift-JIS has.
constexpr std::u32string_view kFullWidthKana =
    U"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
    U"ハヒフヘホマミムメモヤユヨラリルレロワン゛゜";

char32_t FullWidthKana(char32_t half) { return kFullWidthKana[half - kFirstHalfWidthKana]; }

constexpr std::u32string_view kVoiceable = U"カキクケコサシスセソタチツテトハヒフヘホウ";
constexpr std::u32string_view kSemiVoiceable = U"ハヒフヘホ";

// Each voiced letter follows its plain one (ガ after カ), each semi-voiced
// comes two after (パ after ハ); ヴ lies elsewhere.
std::optional<char32_t> Joined(char32_t kana, char32_t mark) {
  if (mark == kVoicedMark && kana == U'ウ') return U'ヴ';
  if (mark == kVoicedMark && kVoiceable.find(kana) != std::u32string_view::npos) return kana + 1;
  if (mark == kSemiVoicedMark && kSemiVoiceable.find(kana) != std::u32string_view::npos) return kana + 2;
  return std::nullopt;
}

}  // namespace

std::u32string ToFullWidth(std::u32string_view text) {
  std::u32string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t c = text[i];
    if (c == U' ') {
      result += U'\u3000';
    } else if (c > U' ' && c < 0x7F) {
      result += c + 0xFEE0;
    } else if (c >= kFirstHalfWidthKana && c <= kLastHalfWidthKana) {
      const char32_t kana = FullWidthKana(c);
      const std::optional<char32_t> joined = i + 1 < text.size() ? Joined(kana, text[i + 1]) : std::nullopt;
      result += joined.value_or(kana);
      if (joined) ++i;
    } else {
      result += c;
    }
  }
  return result;
}

}  // namespace koravel
