#pragma once

#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

namespace koravel {

/// Converts between code page 932 bytes and UTF-8 with glibc iconv's
/// Microsoft table ("CP932"; "SHIFT_JIS" would turn 0x5C into a yen sign and
/// reject the NEC and IBM rows). One instance per reader or writer.
class Cp932Codec {
 public:
  Cp932Codec();
  ~Cp932Codec();
  Cp932Codec(const Cp932Codec&) = delete;
  Cp932Codec& operator=(const Cp932Codec&) = delete;

  /// The UTF-8 text of `bytes`; nullopt when they are not valid CP932.
  std::optional<std::string> Decode(std::string_view bytes);
  /// The CP932 bytes of `utf8`; nullopt when a character has no CP932 code.
  std::optional<std::string> Encode(std::string_view utf8);

 private:
  iconv_t decoder_;
  iconv_t encoder_;
};

/// True for the first byte of one of CP932's double-byte characters.
inline bool IsCp932LeadByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

/// True when every byte is below 0x80, where CP932 and ASCII agree.
bool IsAscii(std::string_view text);

/// Splits the first `count` characters off `bytes` and returns them;
/// nullopt, taking nothing, when `bytes` holds fewer whole characters.
std::optional<std::string_view> TakeCp932Characters(std::string_view& bytes, int count);

}  // namespace koravel
