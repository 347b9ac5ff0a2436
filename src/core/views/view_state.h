#pragma once

#include <cstdint>

namespace koravel {

/// Which cells the detail view shows (50 × 50 at the design's size) and where the cursor is, in
/// grid cells (column x from 1 west, row y from 1 north).
struct ViewState {
  static constexpr int kViewCells = 50;
  static constexpr int kLastViewStart = 151;  ///< keeps the view inside the 200 cells

  std::int16_t MapXstart = 1;  ///< grid column at the view's left edge, 1..151
  std::int16_t MapYstart = 1;  ///< grid row at the view's top edge, 1..151
  std::int16_t MapX = 1;       ///< cursor column, 1..200
  std::int16_t MapY = 1;       ///< cursor row, 1..200
  std::int16_t ScrX = 0;       ///< cursor column counted from the view's left column
  std::int16_t ScrY = 0;       ///< cursor row counted from the view's top row

  /// Puts the cursor at view cell (column, row), which may lie outside the
  /// view; a position outside the grid is pulled back to its nearest cell.
  void PlaceCursor(int column, int row);
  /// Centres a view of `columns` × `rows` cells on the overview point (x, y),
  /// given in overview twips (10 × 8 per cell), as far as the grid's border allows.
  void CentreOnOverviewPoint(double x, double y, int columns = kViewCells, int rows = kViewCells);
};

}  // namespace koravel
