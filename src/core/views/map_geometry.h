#pragma once

namespace koravel {

// The size of one grid cell on each map, in twips. The overview shows the
// whole 200 × 200 grid in 2000 × 1600 twips, the detail view 50 × 50 cells.
inline constexpr int kOverviewCellWidth = 10;
inline constexpr int kOverviewCellHeight = 8;
inline constexpr int kDetailCellWidth = 100;
inline constexpr int kDetailCellHeight = 80;

}  // namespace koravel
