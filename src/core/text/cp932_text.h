#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/text/cp932_codec.h"

namespace koravel {

/// A text field of a CP932 file, held as UTF-8. It remembers the bytes it
/// was read from, so an unedited field is written back byte for byte even
/// where CP932 has two codes for one character (0xED40 and 0xFA5C).
class Cp932Text {
 public:
  Cp932Text() = default;
  /// Text typed by the user or made by the program: it has no source bytes.
  explicit Cp932Text(std::string utf8);
  /// Text decoded from `source_bytes` of a file.
  static Cp932Text FromFile(std::string utf8, std::string source_bytes);

  const std::string& Text() const { return utf8_; }
  void SetText(std::string utf8) { utf8_ = std::move(utf8); }
  /// Number of characters (Unicode code points; one per CP932 character).
  std::size_t CharacterCount() const;
  /// The source bytes while the text is unchanged, otherwise the text
  /// encoded afresh; nullopt when a character has no CP932 code.
  std::optional<std::string> ToCp932(Cp932Codec& codec) const;

 private:
  std::string utf8_;
  std::string source_utf8_;
  std::string source_bytes_;
  bool has_source_ = false;
};

/// Number of Unicode code points in a UTF-8 text.
std::size_t CountCharacters(std::string_view utf8);

}  // namespace koravel
