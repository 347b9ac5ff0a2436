#include "core/text/cp932_field_reader.h"

#include "core/text/cp932_codec.h"

namespace koravel {
namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

}  // namespace

Cp932FieldReader::Cp932FieldReader(std::istream& input) : input_(input), block_(kBlockSize) {}

std::optional<std::string_view> Cp932FieldReader::Take(int count) {
  if (const std::optional<std::string_view> field = TakeWithinBlock(count)) return field;
  return TakeAcrossBlocks(count);
}

// Nearly every field lies wholly in the current block: hand out a view of it.
std::optional<std::string_view> Cp932FieldReader::TakeWithinBlock(int count) {
  std::string_view rest(block_.data() + position_, filled_ - position_);
  const std::optional<std::string_view> field = TakeCp932Characters(rest, count);
  if (field) position_ += field->size();
  return field;
}

std::optional<std::string_view> Cp932FieldReader::TakeAcrossBlocks(int count) {
  field_.clear();
  for (int i = 0; i < count; ++i) {
    if (!TakeCharacter()) return std::nullopt;
  }
  return std::string_view(field_);
}

bool Cp932FieldReader::TakeLineEnd() {
  const std::optional<std::string_view> first = Take(1);
  if (!first || *first == "\n") return first.has_value();
  if (*first != "\r") return false;
  const std::optional<std::string_view> second = Take(1);
  return second && *second == "\n";
}

bool Cp932FieldReader::AtEnd() {
  return position_ == filled_ && input_.peek() == std::istream::traits_type::eof();
}

bool Cp932FieldReader::TakeCharacter() {
  const std::optional<char> first = NextByte();
  if (!first) return false;
  field_.push_back(*first);
  if (!IsCp932LeadByte(*first)) return true;
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
