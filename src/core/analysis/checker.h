#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/analysis/holes.h"
#include "core/analysis/neighbour_edges.h"

namespace koravel {

/// What the checker finds, in the order it lists them.
enum class FindingKind { Spike, Pit, Hole, Seam, Omitted, Reference };

/// "spike", "pit", "hole", "seam", "omitted" or "reference".
std::string_view FindingKindName(FindingKind kind);

/// One thing that is likely wrong with a mesh. Cells are in the grid frame
/// (column 1..200 from the west, row 1..200 from the north); heights in
/// tenths of a metre.
struct Finding {
  FindingKind kind = FindingKind::Spike;
  /// Where it starts: the cell; a hole's northernmost row's westernmost
  /// cell; a seam's first cell from the west or north; column 1 of the first
  /// omitted row.
  GridCell cell;
  /// The cells it covers: the cell, the hole's bounding box, the seam's run,
  /// the omitted rows.
  CellRect extent;
  /// Cells of a hole or a seam, rows of an omitted run; 1 for a cell.
  int count = 1;
  /// A spike's or pit's height; a seam's largest difference across the
  /// edge; a reference run's largest difference from the reference.
  std::int32_t value = 0;
  /// A spike's or pit's median of its neighbours with data (may end in .5).
  double median = 0;
  /// The side of the mesh a seam lies on.
  CompassDirection side = CompassDirection::North;
};

struct CheckOptions {
  /// How far, in tenths of a metre, a cell may stand above or below the
  /// median of its neighbours, or differ from the cell across a seam.
  std::int32_t threshold = 500;
  /// The largest hole reported, in cells; larger gaps are taken as meant.
  int max_hole_cells = kDefaultHoleCells;
  /// Heights of a reference model at the cells' centres, 200 × 200 row by
  /// row from the north in tenths of a metre (kNoData where it has none):
  /// runs of cells in a row that differ from it by more than the threshold
  /// are reported, after the other kinds.
  const std::vector<std::int32_t>* reference = nullptr;
};

/// The findings on `mesh`: spikes and pits (cells with data more than the
/// threshold above or below the median of their neighbours with data, where
/// at least 5 of the 8 have data) row by row, then holes, then for each
/// side with a neighbour at hand the runs of edge cells that differ from the
/// cell across by more than the threshold, then runs of omitted rows.
std::vector<Finding> CheckMesh(const MeshDocument& mesh, const NeighbourEdges& neighbours,
                               const CheckOptions& options = {});

}  // namespace koravel
