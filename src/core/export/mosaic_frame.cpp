#include "core/export/mosaic_frame.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>
#include <set>
#include <tuple>

namespace koravel {
namespace {

struct Bounds {
  std::int64_t West = INT64_MAX, North = INT64_MAX, East = INT64_MIN, South = INT64_MIN;

  void Add(const GridPosition& grid) {
    West = std::min(West, grid.Column), North = std::min(North, grid.Row);
    East = std::max(East, grid.Column + grid.Columns), South = std::max(South, grid.Row + grid.Rows);
  }
  double Cells() const { return double(East - West) * double(South - North); }
};

using Place = std::tuple<std::int64_t, std::int64_t, int, int>;

Place PlaceOf(const GridPosition& grid) { return {grid.Column, grid.Row, grid.Columns, grid.Rows}; }

// Grids at the same place count once; grids overlapping in part count twice,
// which survey meshes, placed edge to edge, never do.
class Coverage {
 public:
  void Add(const GridPosition& grid) {
    if (places_.insert(PlaceOf(grid)).second) cells_ += double(grid.Columns) * grid.Rows;
  }
  double ShareOf(const Bounds& bounds) const { return std::min(1.0, cells_ / bounds.Cells()); }

 private:
  std::set<Place> places_;
  double cells_ = 0;
};

std::int64_t Median(std::vector<std::int64_t> values) {
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

// Grids by their distance from the middle of them all, nearest first; the
// frame of the nearest k that still covers enough leaves out the rest.
std::vector<std::size_t> Stretching(const std::vector<GridPosition>& grids) {
  std::vector<std::int64_t> columns, rows;
  for (const GridPosition& grid : grids) columns.push_back(grid.Column), rows.push_back(grid.Row);
  const std::int64_t column = Median(columns), row = Median(rows);
  const auto distance = [&](std::size_t i) {
    return std::max(std::abs(grids[i].Column - column), std::abs(grids[i].Row - row));
  };
  std::vector<std::size_t> order(grids.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return distance(a) < distance(b); });
  Bounds bounds;
  Coverage coverage;
  std::size_t kept = 1;
  for (std::size_t k = 0; k < order.size(); ++k) {
    bounds.Add(grids[order[k]]);
    coverage.Add(grids[order[k]]);
    if (coverage.ShareOf(bounds) >= kLeastCoveredShare) kept = k + 1;
  }
  return std::vector<std::size_t>(order.begin() + static_cast<std::ptrdiff_t>(kept), order.end());
}

}  // namespace

MosaicFrame FrameAround(const std::vector<GridPosition>& grids, const MeshGeoreference& first) {
  Bounds bounds;
  Coverage coverage;
  for (const GridPosition& grid : grids) bounds.Add(grid), coverage.Add(grid);
  MosaicFrame frame;
  frame.Columns = bounds.East - bounds.West;
  frame.Rows = bounds.South - bounds.North;
  frame.Edges = first;
  frame.Edges.WestLongitude = first.WestLongitude + double(bounds.West) * first.LongitudeStep;
  frame.Edges.NorthLatitude = first.NorthLatitude - double(bounds.North) * first.LatitudeStep;
  frame.Edges.SouthLatitude = frame.Edges.NorthLatitude - double(frame.Rows) * first.LatitudeStep;
  frame.CoveredShare = coverage.ShareOf(bounds);
  if (frame.CoveredShare < kLeastCoveredShare) frame.Stretching = Stretching(grids);
  if (frame.Columns > INT_MAX || frame.Rows > INT_MAX) return frame;
  for (const GridPosition& grid : grids) {
    frame.Areas.push_back({static_cast<int>(grid.Column - bounds.West), static_cast<int>(grid.Row - bounds.North),
                           grid.Columns, grid.Rows});
  }
  return frame;
}

std::optional<ErrorCode> MosaicFrame::Refusal(bool ascii, const MosaicLimits& limits) const {
  if (Areas.empty()) return ErrorCode::FrameTooLarge;
  if (CoveredShare < kLeastCoveredShare && !limits.AllowSparse) return ErrorCode::FrameTooSparse;
  if ((Columns > kLargestFrameColumns || Rows > kLargestFrameRows) && !limits.AllowLarge) {
    return ErrorCode::FrameTooLarge;
  }
  if (ascii && double(Columns) * double(Rows) * kAsciiBytesPerCell > kLargestAsciiGridBytes) {
    return ErrorCode::AsciiGridTooLarge;
  }
  return std::nullopt;
}

}  // namespace koravel
