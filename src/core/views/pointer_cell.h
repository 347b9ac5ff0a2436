#pragma once

#include <utility>

#include "core/views/map_geometry.h"

namespace koravel {

/// The detail-view cell (column, row) under the pointer at (x, y) twips, for
/// cells of `width` × `height` twips. Half a cell is taken off before
/// rounding half to even, so a press on the top-left half of a cell still
/// picks it. Not limited to the visible cells.
std::pair<int, int> ViewCellAtPointer(double x, double y, double width = kDetailCellWidth,
                                      double height = kDetailCellHeight);

}  // namespace koravel
