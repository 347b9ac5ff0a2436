#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/edit/cell_changes.h"
#include "core/edit/cell_selection.h"
#include "core/error_code.h"

namespace koravel {

/// Heights as a spreadsheet holds them: rows from the north, each from the
/// west, in tenths of a metre, kNoData for an empty field. Rows may differ
/// in length.
struct ValueBlock {
  std::vector<std::vector<std::int32_t>> rows;
};

/// The heights of the rectangle that bounds the chosen cells, as text that
/// round-trips through a spreadsheet: metres as the value field shows them,
/// separated by tabs, one line per row, each ended by "\n"; a cell without
/// data is an empty field. Empty text when nothing is chosen.
std::string ValuesText(const MeshDocument& mesh, const CellSelection& cells);

/// Reads text such as ValuesText writes. Lines may end in CR LF; one final
/// line end is no row. Each field is a number of metres, blanks around it
/// and full-width digits allowed, or empty for no data. Fails with
/// NotElevationText when a field is no such number and with
/// ElevationOutOfRange when one lies outside -999.9..9999.9 m.
std::variant<ValueBlock, ErrorCode> ParseValuesText(std::string_view text);

/// The block stored with its first row's first value at `top_left`; values
/// that fall off the grid are dropped.
CellChanges PasteValues(const MeshDocument& mesh, const ValueBlock& block, GridCell top_left);

}  // namespace koravel
