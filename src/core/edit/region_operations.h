#pragma once

#include <cstdint>
#include <variant>

#include "core/edit/cell_changes.h"
#include "core/edit/cell_selection.h"
#include "core/error_code.h"

namespace koravel {

// Edits of the chosen cells of a document. Each returns the changes to make
// and leaves the document as it is; an edit that fails changes nothing.
// Heights are in tenths of a metre.

/// Every chosen cell set to `tenths`, which lies in -9999..99999 (-9999
/// being no-data); ElevationOutOfRange otherwise.
std::variant<CellChanges, ErrorCode> SetHeight(const MeshDocument& mesh, const CellSelection& cells,
                                               std::int32_t tenths);

/// Every chosen cell without data.
CellChanges SetNoData(const MeshDocument& mesh, const CellSelection& cells);

/// `tenths` added to every chosen cell that has data (subtracted when
/// negative); cells without data stay so. ElevationOutOfRange, and no change
/// at all, when any result would leave -9998..99999.
std::variant<CellChanges, ErrorCode> OffsetHeights(const MeshDocument& mesh, const CellSelection& cells,
                                                   std::int32_t tenths);

/// `passes` rounds of the 3 × 3 mean: each chosen cell with data takes the
/// mean of the cells with data among itself and its eight neighbours, as
/// the previous round left them (cells outside the choice keep their
/// values). Cells without data stay so; the result is rounded to tenths
/// once, halves to even.
CellChanges SmoothHeights(const MeshDocument& mesh, const CellSelection& cells, int passes);

/// The chosen cells at `heights` (200 × 200 row by row from the north, as a
/// reference model gives them); a cell where `heights` has none stays as it is.
CellChanges TakeHeights(const MeshDocument& mesh, const CellSelection& cells, const std::vector<std::int32_t>& heights);
/// The chosen cells as `original` holds them (the file as last opened or saved).
CellChanges RestoreValues(const MeshDocument& mesh, const CellSelection& cells, const MeshDocument& original);

}  // namespace koravel
