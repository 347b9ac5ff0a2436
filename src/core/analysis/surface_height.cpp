#include "core/analysis/surface_height.h"

#include <algorithm>
#include <cmath>

namespace koravel {
namespace {

// The first of the two columns (or rows) whose centres enclose `position`,
// and how far past its centre the position lies, 0 to 1. On the last centre
// the pair ends there, so that a point on an edge centre still has its four.
struct CentrePair {
  int first;
  double fraction;
};

std::optional<CentrePair> Enclosing(double position) {
  const double from_first_centre = position - 0.5;
  if (!(from_first_centre >= 0 && from_first_centre <= kMeshSize - 1)) return std::nullopt;
  const int first = std::min(static_cast<int>(std::floor(from_first_centre)), kMeshSize - 2) + 1;
  return CentrePair{first, from_first_centre - (first - 1)};
}

}  // namespace

std::optional<double> BilinearHeight(const MeshDocument& mesh, GridPoint point) {
  const std::optional<CentrePair> column = Enclosing(point.X);
  const std::optional<CentrePair> row = Enclosing(point.Y);
  if (!column || !row) return std::nullopt;
  double corners[2][2];
  for (int dy = 0; dy < 2; ++dy) {
    for (int dx = 0; dx < 2; ++dx) {
      const std::int32_t tenths = mesh.Elevation(column->first + dx, row->first + dy);
      if (tenths == kNoData) return std::nullopt;
      corners[dy][dx] = tenths / 10.0;
    }
  }
  const double east = column->fraction, south = row->fraction;
  const double north_edge = corners[0][0] + east * (corners[0][1] - corners[0][0]);
  const double south_edge = corners[1][0] + east * (corners[1][1] - corners[1][0]);
  return north_edge + south * (south_edge - north_edge);
}

}  // namespace koravel
