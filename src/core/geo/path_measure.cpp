#include "core/geo/path_measure.h"

#include "core/geo/geodesic.h"

namespace koravel {

std::variant<PathMeasure, ErrorCode> MeasurePath(std::span<const GeographicPoint> points) {
  const BesselGeodesic* geodesic = BesselGeodesic::Get();
  if (geodesic == nullptr) return ErrorCode::GeodesicLibraryMissing;
  PathMeasure measure;
  for (std::size_t i = 1; i < points.size(); ++i) {
    measure.LegMetres.push_back(geodesic->Inverse(points[i - 1], points[i]).Metres);
    measure.TotalMetres += measure.LegMetres.back();
  }
  if (points.size() >= 3) measure.AreaSquareMetres = geodesic->PolygonArea(points);
  return measure;
}

}  // namespace koravel
