#pragma once

#include <span>

#include "core/geo/mesh_georeference.h"

namespace koravel {

/// The way from one point to another along the ellipsoid.
struct GeodesicLeg {
  double Metres = 0;   ///< length of the geodesic
  double Azimuth = 0;  ///< degrees clockwise from north, at the start
};

/// Geodesics on the Bessel 1841 ellipsoid, on which the meshes' Tokyo datum
/// lies, by PROJ's geodesic functions (Karney's algorithms, accurate to
/// nanometres). PROJ is opened on first use, as for datum conversion. Points
/// are in arc-seconds on the Tokyo datum.
class BesselGeodesic {
 public:
  /// The geodesic functions, or nullptr when PROJ is not installed. Safe to
  /// call from several threads.
  static const BesselGeodesic* Get();

  /// The shortest way from `from` to `to`.
  GeodesicLeg Inverse(GeographicPoint from, GeographicPoint to) const;
  /// The point `metres` from `from` along the geodesic leaving it at `azimuth`
  /// (degrees clockwise from north).
  GeographicPoint Direct(GeographicPoint from, double azimuth, double metres) const;
  /// The area inside the polygon through `vertices` (closed by the way from
  /// the last back to the first), in square metres, whichever way it runs.
  double PolygonArea(std::span<const GeographicPoint> vertices) const;

 private:
  struct Library;
  explicit BesselGeodesic(const Library& library) : library_(library) {}

  const Library& library_;
};

}  // namespace koravel
