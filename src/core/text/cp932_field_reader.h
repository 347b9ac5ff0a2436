#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace koravel {

/// Reads a CP932 stream by character counts, the way fixed-width fields are
/// measured: a double-byte character counts as one. The input is pulled in
/// blocks as fields are taken, so a reader that stops early never reads a
/// long file to its end.
class Cp932FieldReader {
 public:
  explicit Cp932FieldReader(std::istream& input);

  /// The raw bytes of the next `count` characters, valid until the next
  /// call; nullopt when the input ends first.
  std::optional<std::string_view> Take(int count);
  /// Consumes one line end, CR LF or a lone LF; false for anything else or
  /// when the input ends first.
  bool TakeLineEnd();
  /// Whether the input holds nothing more. Looks at most one block ahead.
  bool AtEnd();

 private:
  std::optional<std::string_view> TakeWithinBlock(int count);
  std::optional<std::string_view> TakeAcrossBlocks(int count);
  bool TakeCharacter();
  std::optional<char> NextByte();

  std::istream& input_;
  std::vector<char> block_;
  std::size_t position_ = 0;
  std::size_t filled_ = 0;
  std::string field_;
};

}  // namespace koravel
