#pragma once

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

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

  /// Stores value(gradient) at y * 201 + x of `field` (sized 201 × 201), NaN
  /// for cells without data, for every cell whose neighbourhood reaches into
  /// columns left..right and rows top..bottom.
  template <typename Value>
  void Refresh(std::vector<float>& field, int left, int top, int right, int bottom, Value value) const {
    for (int y = std::max(1, top - 1); y <= std::min(kMeshSize, bottom + 1); ++y) {
      for (int x = std::max(1, left - 1); x <= std::min(kMeshSize, right + 1); ++x) {
        const std::optional<Gradient> gradient = At(x, y);
        field[y * (kMeshSize + 1) + x] = gradient ? static_cast<float>(value(*gradient))
                                                 : std::numeric_limits<float>::quiet_NaN();
      }
    }
  }

 private:
  const MeshDocument& mesh_;
  double width_;
  double height_;
};

}  // namespace koravel
