#include "core/text/cp932_codec.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace koravel {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// Without glibc's CP932 module every non-ASCII text fails to convert, which
// the callers report as bad input rather than crash.
std::optional<std::string> Convert(iconv_t converter, std::string_view input,
                                   std::size_t max_growth) {
  if (converter == kNoConverter) return std::nullopt;
  std::string output(input.size() * max_growth, '\0');
  char* in = const_cast<char*>(input.data());
  std::size_t in_left = input.size();
  char* out = output.data();
  std::size_t out_left = output.size();
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  if (iconv(converter, &in, &in_left, &out, &out_left) == static_cast<std::size_t>(-1) ||
      iconv(converter, nullptr, nullptr, &out, &out_left) == static_cast<std::size_t>(-1)) {
    return std::nullopt;
  }
  output.resize(output.size() - out_left);
  return output;
}

}  // namespace

Cp932Codec::Cp932Codec()
    : decoder_(iconv_open("UTF-8", "CP932")), encoder_(iconv_open("CP932", "UTF-8")) {}

Cp932Codec::~Cp932Codec() {
  if (decoder_ != kNoConverter) iconv_close(decoder_);
  if (encoder_ != kNoConverter) iconv_close(encoder_);
}

// CP932 agrees with ASCII below 0x80, so plain fields skip iconv entirely.
std::optional<std::string> Cp932Codec::Decode(std::string_view bytes) {
  if (IsAscii(bytes)) return std::string(bytes);
  return Convert(decoder_, bytes, 3);  // a half-width katakana byte becomes 3 UTF-8 bytes
}

std::optional<std::string> Cp932Codec::Encode(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  return Convert(encoder_, utf8, 1);  // no character takes more bytes in CP932 than in UTF-8
}

// Without an early exit the loop vectorises: whole fields are checked at once.
// Eight bytes at a time: a mesh's records are tested a row of 1,000 bytes
// at a time, twice.
bool IsAscii(std::string_view text) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  std::uint64_t high_bits = 0;
  std::size_t at = 0;
  for (; at + sizeof high_bits <= text.size(); at += sizeof high_bits) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + at, sizeof word);
    high_bits |= word;
  }
  for (; at < text.size(); ++at) high_bits |= static_cast<unsigned char>(text[at]);
  return (high_bits & kHighBits) == 0;
}

std::optional<std::string_view> TakeCp932Characters(std::string_view& bytes, int count) {
  const auto run = static_cast<std::size_t>(count);
  std::size_t end = run;
  if (bytes.size() < run || !IsAscii(bytes.substr(0, run))) {
    end = 0;
    for (int taken = 0; taken < count; ++taken) {
      if (end >= bytes.size()) return std::nullopt;
      end += IsCp932LeadByte(bytes[end]) ? 2 : 1;
    }
    if (end > bytes.size()) return std::nullopt;
  }
  const std::string_view characters = bytes.substr(0, end);
  bytes.remove_prefix(end);
  return characters;
}

}  // namespace koravel
