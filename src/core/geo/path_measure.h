#pragma once

#include <span>
#include <variant>
#include <vector>

#include "core/error_code.h"
#include "core/geo/mesh_georeference.h"

namespace koravel {

/// What the measuring tool shows for the points clicked so far.
struct PathMeasure {
  std::vector<double> LegMetres;  ///< geodesic length from each point to the next
  double TotalMetres = 0;         ///< the sum of the legs
  /// The area of the polygon the points close (the last joined back to the
  /// first), in square metres; 0 for fewer than three points.
  double AreaSquareMetres = 0;
};

/// Measures the line through `points` (arc-seconds on the Tokyo datum) on
/// the Bessel ellipsoid; GeodesicLibraryMissing when PROJ is not installed.
std::variant<PathMeasure, ErrorCode> MeasurePath(std::span<const GeographicPoint> points);

}  // namespace koravel
