#pragma once

#include "core/mesh/grid_cell.h"

namespace koravel {

/// The cells whose drawing changes when the cells of `edited` take new
/// values: with shading their neighbours too, since a cell's shade comes
/// from its 3 × 3 neighbourhood; held inside the 200 × 200 grid.
CellRect CellsChangedByEdit(CellRect edited, bool shaded);

/// The device pixel at which a position `twips` from a picture's edge lies,
/// at `device_ratio` device pixels per logical pixel of 15 twips. Boxes
/// drawn from one such pixel to the next tile without gaps at any ratio.
int DevicePixel(double twips, double device_ratio);

}  // namespace koravel
