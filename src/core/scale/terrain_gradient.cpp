#include "core/scale/terrain_gradient.h"

#include <cmath>
#include <numbers>

namespace koravel {
namespace {

constexpr double kBesselRadius = 6377397.155;  // metres, equatorial
constexpr double kBesselFlattening = 1 / 299.1528128;
constexpr double kRadiansPerSecond = std::numbers::pi / (180 * 3600);
// A mesh without a place (no header read) is shaded as 50 m cells.
constexpr double kNominalCellMetres = 50;

}  // namespace

ArcSecondMetres BesselArcSecond(double latitude_seconds) {
  const double eccentricity_squared = kBesselFlattening * (2 - kBesselFlattening);
  const double sine = std::sin(latitude_seconds * kRadiansPerSecond);
  const double w = std::sqrt(1 - eccentricity_squared * sine * sine);
  const double meridian = kBesselRadius * (1 - eccentricity_squared) / (w * w * w);
  const double prime_vertical = kBesselRadius / w;
  return {meridian * kRadiansPerSecond,
          prime_vertical * std::cos(latitude_seconds * kRadiansPerSecond) * kRadiansPerSecond};
}

TerrainGradient::TerrainGradient(const MeshDocument& mesh)
    : mesh_(mesh), width_(kNominalCellMetres), height_(kNominalCellMetres) {
  if (mesh.LatStep > 0 && mesh.LonStep > 0) {
    const ArcSecondMetres arc = BesselArcSecond((mesh.SWLatSeconds + mesh.NELatSeconds) / 2);
    width_ = arc.Longitude * mesh.LonStep;
    height_ = arc.Latitude * mesh.LatStep;
  }
}

std::optional<Gradient> TerrainGradient::At(int x, int y) const {
  const std::int32_t centre = mesh_.Elevation(x, y);
  if (centre == kNoData) return std::nullopt;
  // z(dx, dy) in metres; dy counts rows southward.
  const auto z = [&](int dx, int dy) {
    const int nx = x + dx, ny = y + dy;
    const bool inside = nx >= 1 && nx <= kMeshSize && ny >= 1 && ny <= kMeshSize;
    const std::int32_t value = inside ? mesh_.Elevation(nx, ny) : kNoData;
    return (value == kNoData ? centre : value) / 10.0;
  };
  const double east = (z(1, -1) + 2 * z(1, 0) + z(1, 1)) - (z(-1, -1) + 2 * z(-1, 0) + z(-1, 1));
  const double north = (z(-1, -1) + 2 * z(0, -1) + z(1, -1)) - (z(-1, 1) + 2 * z(0, 1) + z(1, 1));
  return Gradient{east / (8 * width_), north / (8 * height_)};
}

}  // namespace koravel
