#pragma once

#include <array>
#include <vector>

#include "core/edit/cell_selection.h"

namespace koravel {

/// The side of the square a brush paints, in cells.
enum class BrushSize { One = 1, Three = 3, Five = 5, Nine = 9, Fifteen = 15 };

inline constexpr std::array<BrushSize, 5> kBrushSizes = {BrushSize::One, BrushSize::Three, BrushSize::Five,
                                                         BrushSize::Nine, BrushSize::Fifteen};

/// The cells of the square brush centred on `centre`, clipped to the grid,
/// row by row from the north.
std::vector<GridCell> BrushCells(GridCell centre, BrushSize size);

/// The cells on the straight line from `from` to `to`, both included, one
/// per step of the longer axis (Bresenham), so that the cells form an
/// 8-connected path without gaps.
std::vector<GridCell> LineCells(GridCell from, GridCell to);

/// What the brush paints when the pointer moves from `from` to `to`: the
/// brush at every cell of the line between them.
CellSelection BrushStroke(GridCell from, GridCell to, BrushSize size);

}  // namespace koravel
