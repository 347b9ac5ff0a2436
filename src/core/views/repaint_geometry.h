#pragma once

#include "core/mesh/grid_cell.h"

namespace koravel {

/// The cells whose drawing changes when the cells of `edited` take new
/// values: their neighbours too where the maps draw anything from a cell's
/// 3 × 3 neighbourhood (shade, slope, contour lines); held inside the
/// 200 × 200 grid.
CellRect CellsChangedByEdit(CellRect edited, bool neighbours_drawn);

/// The device pixel at which a position `twips` from a picture's edge lies,
/// at `device_ratio` device pixels per logical pixel of 15 twips. Boxes
/// drawn from one such pixel to the next tile without gaps at any ratio.
int DevicePixel(double twips, double device_ratio);

}  // namespace koravel
