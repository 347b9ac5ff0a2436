#include "core/geo/geodesic.h"

#include <dlfcn.h>
#include <geodesic.h>

#include <cmath>
#include <optional>
#include <vector>

#include "core/dynamic_symbol.h"

namespace koravel {
namespace {

constexpr double kBesselRadius = 6377397.155;  // metres, equatorial
constexpr double kBesselFlattening = 1 / 299.1528128;
constexpr double kSecondsPerDegree = 3600;

}  // namespace

// PROJ's geodesic functions and the ellipsoid they work on, bound once.
struct BesselGeodesic::Library {
  decltype(&geod_inverse) inverse = nullptr;
  decltype(&geod_direct) direct = nullptr;
  decltype(&geod_polygonarea) polygon_area = nullptr;
  geod_geodesic ellipsoid{};

  static std::optional<Library> Load() {
    // The same library as datum conversion; opened there first, this only
    // takes another reference to it.
    void* handle = dlopen(KORAVEL_PROJ_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return std::nullopt;
    Library library;
    decltype(&geod_init) init = nullptr;
    const bool bound = ResolveSymbol(handle, "geod_init", init) &&
                       ResolveSymbol(handle, "geod_inverse", library.inverse) &&
                       ResolveSymbol(handle, "geod_direct", library.direct) &&
                       ResolveSymbol(handle, "geod_polygonarea", library.polygon_area);
    if (!bound) return std::nullopt;
    init(&library.ellipsoid, kBesselRadius, kBesselFlattening);
    return library;
  }
};

const BesselGeodesic* BesselGeodesic::Get() {
  static const std::optional<Library> library = Library::Load();
  static const std::optional<BesselGeodesic> geodesic =
      library ? std::optional<BesselGeodesic>(BesselGeodesic(*library)) : std::nullopt;
  return geodesic ? &*geodesic : nullptr;
}

GeodesicLeg BesselGeodesic::Inverse(GeographicPoint from, GeographicPoint to) const {
  GeodesicLeg leg;
  double arrival_azimuth = 0;
  library_.inverse(&library_.ellipsoid, from.Latitude / kSecondsPerDegree, from.Longitude / kSecondsPerDegree,
                   to.Latitude / kSecondsPerDegree, to.Longitude / kSecondsPerDegree, &leg.Metres, &leg.Azimuth,
                   &arrival_azimuth);
  return leg;
}

GeographicPoint BesselGeodesic::Direct(GeographicPoint from, double azimuth, double metres) const {
  double latitude = 0, longitude = 0, arrival_azimuth = 0;
  library_.direct(&library_.ellipsoid, from.Latitude / kSecondsPerDegree, from.Longitude / kSecondsPerDegree,
                  azimuth, metres, &latitude, &longitude, &arrival_azimuth);
  return {latitude * kSecondsPerDegree, longitude * kSecondsPerDegree};
}

double BesselGeodesic::PolygonArea(std::span<const GeographicPoint> vertices) const {
  std::vector<double> latitudes, longitudes;
  for (const GeographicPoint& vertex : vertices) {
    latitudes.push_back(vertex.Latitude / kSecondsPerDegree);
    longitudes.push_back(vertex.Longitude / kSecondsPerDegree);
  }
  double area = 0, perimeter = 0;
  library_.polygon_area(&library_.ellipsoid, latitudes.data(), longitudes.data(),
                        static_cast<int>(vertices.size()), &area, &perimeter);
  return std::abs(area);
}

}  // namespace koravel
