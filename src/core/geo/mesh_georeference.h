#pragma once

#include "core/mesh/mesh_document.h"

namespace koravel {

/// A point on the earth in arc-seconds, on the Tokyo datum unless said otherwise.
struct GeographicPoint {
  double Latitude = 0;   ///< arc-seconds north
  double Longitude = 0;  ///< arc-seconds east
};

/// A position on a mesh's grid: x east from the west edge, y south from the
/// north edge, in cells, with (0, 0) at the north-west corner of cell 1, 1.
struct GridPoint {
  double X = 0;
  double Y = 0;
};

/// Where a mesh lies on the earth, on the Tokyo datum: its corners and the
/// size of one cell in arc-seconds. The one place that turns grid cells into
/// latitudes and longitudes and back.
struct MeshGeoreference {
  double SouthLatitude = 0;  ///< arc-seconds, the south edge
  double WestLongitude = 0;  ///< arc-seconds, the west edge
  double NorthLatitude = 0;  ///< arc-seconds, the north edge
  double LatitudeStep = 0;   ///< arc-seconds of latitude per row
  double LongitudeStep = 0;  ///< arc-seconds of longitude per column

  static MeshGeoreference Of(const MeshDocument& mesh);

  /// The south-west corner of cell (column, row), both counted from 1.
  GeographicPoint CellSouthWest(int column, int row) const;
  /// Where `point` lies on the grid; not finite when the steps are 0 (no mesh).
  GridPoint ToGrid(GeographicPoint point) const;
  /// The latitude and longitude of `point` on the grid; ToGrid's inverse.
  GeographicPoint ToGeographic(GridPoint point) const;
};

}  // namespace koravel
