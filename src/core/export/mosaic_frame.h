#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/error_code.h"
#include "core/export/cell_area.h"
#include "core/geo/mesh_georeference.h"

namespace koravel {

/// A grid placed on the grid of the first: its north-west cell counted from
/// the first's north-west cell (east and south positive), and its size.
struct GridPosition {
  std::int64_t Column = 0;
  std::int64_t Row = 0;
  int Columns = 0;
  int Rows = 0;
};

/// The widest and tallest frame written without --allow-large: the 50 m
/// meshes of all Japan, 122° to 154° east and 20° to 46° north, are about
/// 51,200 × 62,400 cells.
inline constexpr std::int64_t kLargestFrameColumns = 52000;
inline constexpr std::int64_t kLargestFrameRows = 63000;
/// The least share of the frame the grids must cover without --allow-sparse.
inline constexpr double kLeastCoveredShare = 0.01;
/// An ASCII grid is refused past this size, reckoned at kAsciiBytesPerCell
/// ("1234.5 ").
inline constexpr double kLargestAsciiGridBytes = 2e9;
inline constexpr double kAsciiBytesPerCell = 7;

/// What a mosaic may be made to do beyond the usual limits.
struct MosaicLimits {
  bool AllowSparse = false;  ///< grids that cover less than 1% of the frame
  bool AllowLarge = false;   ///< a frame wider or taller than all Japan's
};

/// The frame around grids placed on one grid: its size, its edges, how much
/// of it the grids cover, and each grid's area on it.
struct MosaicFrame {
  std::int64_t Columns = 0;
  std::int64_t Rows = 0;
  /// South, west and north edges and the steps, in arc-seconds.
  MeshGeoreference Edges;
  /// The share of the frame's cells under some grid, 0 to 1.
  double CoveredShare = 0;
  /// When they cover less than kLeastCoveredShare: the grids, farthest
  /// from the others first, without which the rest would cover more.
  std::vector<std::size_t> Stretching;
  /// Each grid's place on the frame, in the order given; empty when the
  /// frame is too large for int cell numbers.
  std::vector<CellArea> Areas;

  /// Why the frame may not be written as `ascii` (or a GeoTIFF) within
  /// `limits`: FrameTooSparse, FrameTooLarge or AsciiGridTooLarge.
  std::optional<ErrorCode> Refusal(bool ascii, const MosaicLimits& limits) const;
};

/// The frame around `grids` (at least one), whose positions are on the grid
/// of `first` (edges and steps in arc-seconds), the grid of the first.
MosaicFrame FrameAround(const std::vector<GridPosition>& grids, const MeshGeoreference& first);

}  // namespace koravel
