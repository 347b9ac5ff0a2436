#include "mesh/cp932_field_reader.h"

namespace koravel {
namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

// Lead bytes of CP932's double-byte characters.
bool IsLeadByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace

Cp932FieldReader::Cp932FieldReader(std::istream& input) : input_(input), block_(kBlockSize) {}

std::optional<std::string_view> Cp932FieldReader::Take(int count) {
  field_.clear();
  for (int i = 0; i < count; ++i) {
    if (!TakeCharacter()) return std::nullopt;
  }
  return std::string_view(field_);
}

bool Cp932FieldReader::TakeLineEnd() {
  if (!Take(1)) return false;
  return field_ == "\n" || Take(1).has_value();
}

bool Cp932FieldReader::TakeCharacter() {
  const std::optional<char> first = NextByte();
  if (!first) return false;
  field_.push_back(*first);
  if (!IsLeadByte(*first)) return true;
  const std::optional<char> second = NextByte();
  if (!second) return false;
  field_.push_back(*second);
  return true;
}

std::optional<char> Cp932FieldReader::NextByte() {
  if (position_ == filled_) {
    input_.read(block_.data(), static_cast<std::streamsize>(block_.size()));
    filled_ = static_cast<std::size_t>(input_.gcount());
    position_ = 0;
    if (filled_ == 0) return std::nullopt;
  }
  return block_[position_++];
}

}  // namespace koravel
