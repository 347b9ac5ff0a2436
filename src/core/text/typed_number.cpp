#include "core/text/typed_number.h"

#include <string>

#include "core/text/lenient_number.h"

namespace koravel {
namespace {

// What a Japanese input method gives for the characters of a number. A
// minus typed with the input method on comes out as the long vowel mark or
// the full-width hyphen-minus.
constexpr std::pair<std::u32string_view, char> kHalfWidthForms[] = {
    {U"\u3000", ' '}, {U"\uFF0B", '+'}, {U"\uFF0D\u2212\u30FC", '-'}, {U"\uFF0E", '.'},
    {U"\uFF45", 'e'}, {U"\uFF25", 'E'}, {U"\uFF4D", 'm'},
};

std::optional<char> HalfWidth(char32_t c) {
  if (c < 0x80) return static_cast<char>(c);
  if (c >= U'\uFF10' && c <= U'\uFF19') return static_cast<char>('0' + (c - U'\uFF10'));
  for (const auto& [forms, half] : kHalfWidthForms) {
    if (forms.find(c) != std::u32string_view::npos) return half;
  }
  return std::nullopt;
}

// The next code point of UTF-8 `text` from `at`, which moves past it.
char32_t NextCodePoint(std::string_view text, std::size_t& at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  if (at + length > text.size()) {
    at = text.size();
    return U'\uFFFD';
  }
  char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
  for (int i = 1; i < length; ++i) c = (c << 6) | (byte(at + i) & 0x3F);
  at += length;
  return c;
}

// The text in half-width characters; nothing when it holds a character
// that has no place in a number.
std::optional<std::string> HalfWidthText(std::string_view text) {
  std::string half;
  for (std::size_t at = 0; at < text.size();) {
    const std::optional<char> c = HalfWidth(NextCodePoint(text, at));
    if (!c) return std::nullopt;
    half.push_back(*c);
  }
  return half;
}

}  // namespace

std::optional<double> TypedNumber(std::string_view text) {
  std::optional<std::string> half = HalfWidthText(text);
  if (!half) return std::nullopt;
  const std::size_t end = half->find_last_not_of(" \t");
  if (end != std::string::npos && (*half)[end] == 'm') half->erase(end);
  return StrictNumber(*half);
}

}  // namespace koravel
