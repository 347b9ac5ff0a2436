#include "core/edit/value_block.h"

#include "core/edit/change_builder.h"
#include "core/edit/elevation_entry.h"
#include "core/text/half_width_number.h"
#include "core/text/typed_number.h"
#include "core/text/value_text.h"

namespace koravel {
namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

std::variant<std::int32_t, ErrorCode> FieldValue(std::string_view field) {
  if (HalfWidthNumber(field).find_first_not_of(' ') == std::string::npos) return kNoData;
  if (!TypedNumber(field)) return ErrorCode::NotElevationText;
  const std::optional<std::int32_t> tenths = ParseElevation(field);
  if (!tenths) return ErrorCode::ElevationOutOfRange;
  return *tenths;
}

}  // namespace

std::string ValuesText(const MeshDocument& mesh, const CellSelection& cells) {
  const std::optional<CellRect> bounds = cells.Bounds();
  if (!bounds) return {};
  std::string text;
  for (int y = bounds->top; y <= bounds->bottom; ++y) {
    for (int x = bounds->left; x <= bounds->right; ++x) {
      if (x > bounds->left) text += '\t';
      if (mesh.Elevation(x, y) != kNoData) text += ValueText(mesh.Elevation(x, y));
    }
    text += '\n';
  }
  return text;
}

std::variant<ValueBlock, ErrorCode> ParseValuesText(std::string_view text) {
  if (text.ends_with('\n')) text.remove_suffix(1);
  if (text.ends_with('\r')) text.remove_suffix(1);
  ValueBlock block;
  if (text.empty()) return block;
  for (std::string_view line : Split(text, '\n')) {
    if (line.ends_with('\r')) line.remove_suffix(1);
    std::vector<std::int32_t>& row = block.rows.emplace_back();
    for (std::string_view field : Split(line, '\t')) {
      const std::variant<std::int32_t, ErrorCode> value = FieldValue(field);
      if (const ErrorCode* error = std::get_if<ErrorCode>(&value)) return *error;
      row.push_back(std::get<std::int32_t>(value));
    }
  }
  return block;
}

CellChanges PasteValues(const MeshDocument& mesh, const ValueBlock& block, GridCell top_left) {
  ChangeBuilder builder(mesh);
  for (std::size_t r = 0; r < block.rows.size(); ++r) {
    for (std::size_t c = 0; c < block.rows[r].size(); ++c) {
      const GridCell cell{top_left.x + static_cast<int>(c), top_left.y + static_cast<int>(r)};
      if (OnGrid(cell.x, cell.y)) builder.Store(cell, block.rows[r][c]);
    }
  }
  return std::move(builder).Finish();
}

}  // namespace koravel
