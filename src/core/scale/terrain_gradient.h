#pragma once

#include <optional>

#include "core/mesh/mesh_document.h"

namespace koravel {

/// Metres along the ground per arc-second, on the Bessel 1841 ellipsoid.
struct ArcSecondMetres {
  double Latitude = 0;   ///< north-south: the meridian's radius of curvature
  double Longitude = 0;  ///< east-west: the parallel's radius
};

/// The lengths of an arc-second of latitude and of longitude at
/// `latitude_seconds` (arc-seconds north) on the Tokyo datum's ellipsoid.
ArcSecondMetres BesselArcSecond(double latitude_seconds);

/// The rise of the ground at a cell, in metres per metre.
struct Gradient {
  double East = 0;   ///< towards the east
  double North = 0;  ///< towards the north
};

/// Slopes by Horn's method, as gdaldem computes them: each cell's eight
/// neighbours weighted 1-2-1 across each axis, over the mesh's true cell
/// size at its centre latitude (a cell of 1.5″ by 2.25″ is some 46 m by
/// 56 m at 35° N, not 50 m by 50 m). A neighbour without data or beyond the
/// edge counts as level with the cell.
class TerrainGradient {
 public:
  explicit TerrainGradient(const MeshDocument& mesh);

  double CellWidthMetres() const { return width_; }    ///< east-west
  double CellHeightMetres() const { return height_; }  ///< north-south

  /// The gradient at cell (x, y), 1..200; nothing where the cell has no data.
  std::optional<Gradient> At(int x, int y) const;

 private:
  const MeshDocument& mesh_;
  double width_;
  double height_;
};

}  // namespace koravel
