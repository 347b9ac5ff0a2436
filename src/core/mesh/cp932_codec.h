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

}  // namespace koravel
