#include "core/text/cp932_text.h"

#include <algorithm>

namespace koravel {

Cp932Text::Cp932Text(std::string utf8) : utf8_(std::move(utf8)) {}

Cp932Text Cp932Text::FromFile(std::string utf8, std::string source_bytes) {
  Cp932Text text(utf8);
  text.source_utf8_ = std::move(utf8);
  text.source_bytes_ = std::move(source_bytes);
  text.has_source_ = true;
  return text;
}

std::size_t Cp932Text::CharacterCount() const { return CountCharacters(utf8_); }

std::optional<std::string> Cp932Text::ToCp932(Cp932Codec& codec) const {
  if (has_source_ && utf8_ == source_utf8_) return source_bytes_;
  return codec.Encode(utf8_);
}

std::size_t CountCharacters(std::string_view utf8) {
  // Every code point has exactly one byte that is not a continuation byte.
  return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

}  // namespace koravel
