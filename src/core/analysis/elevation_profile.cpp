#include "core/analysis/elevation_profile.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/analysis/surface_height.h"
#include "core/geo/geodesic.h"

namespace koravel {
namespace {

// A step sample closer than this to the next point would only repeat it.
constexpr double kCoincidentMetres = 1e-6;

// The stretch of the straight line from `from` to `to` that lies over the
// mesh, as fractions of the way from 0 to 1. Over a leg of a few kilometres
// the geodesic strays from it by far less than a cell; a stray GPS fix on the
// far side of the earth thus costs no samples where no height can be found.
std::optional<std::pair<double, double>> StretchOverMesh(GridPoint from, GridPoint to) {
  double first = 0, last = 1;
  for (const auto& [start, end] : {std::pair{from.X, to.X}, std::pair{from.Y, to.Y}}) {
    const double delta = end - start;
    if (delta == 0) {
      if (start < 0 || start > kMeshSize) return std::nullopt;
      continue;
    }
    const double at_zero = -start / delta, at_size = (kMeshSize - start) / delta;
    first = std::max(first, std::min(at_zero, at_size));
    last = std::min(last, std::max(at_zero, at_size));
  }
  if (!(first <= last)) return std::nullopt;
  return std::pair{first, last};
}

std::optional<double> Between(std::optional<double> from, std::optional<double> to, double fraction) {
  if (!from || !to) return std::nullopt;
  return *from + fraction * (*to - *from);
}

class ProfileBuilder {
 public:
  ProfileBuilder(const MeshDocument& mesh, const BesselGeodesic& geodesic, double step)
      : mesh_(mesh), georeference_(MeshGeoreference::Of(mesh)), geodesic_(geodesic), step_(step) {}

  void StartPiece(const TrackPoint& first) {
    profile_.PieceStarts.push_back(profile_.Samples.size());
    distance_ = 0;
    Add(first.Position, first.Elevation);
  }

  void AddLeg(const TrackPoint& from, const TrackPoint& to) {
    const GeodesicLeg leg = geodesic_.Inverse(from.Position, to.Position);
    if (step_ > 0) AddSteps(from, to, leg);
    distance_ += leg.Metres;
    Add(to.Position, to.Elevation);
  }

  ElevationProfile Take() { return std::move(profile_); }

 private:
  void AddSteps(const TrackPoint& from, const TrackPoint& to, const GeodesicLeg& leg) {
    const std::optional<std::pair<double, double>> stretch =
        StretchOverMesh(georeference_.ToGrid(from.Position), georeference_.ToGrid(to.Position));
    if (!stretch) return;
    const double end = distance_ + std::min(leg.Metres * stretch->second, leg.Metres - kCoincidentMetres);
    for (double step = std::floor((distance_ + leg.Metres * stretch->first) / step_) + 1; step * step_ < end;
         ++step) {
      const double next = step * step_, along = next - distance_;
      Add(geodesic_.Direct(from.Position, leg.Azimuth, along),
          Between(from.Elevation, to.Elevation, along / leg.Metres), next);
    }
  }

  void Add(GeographicPoint position, std::optional<double> gps) { Add(position, gps, distance_); }

  void Add(GeographicPoint position, std::optional<double> gps, double distance) {
    profile_.Samples.push_back(
        {distance, position, BilinearHeight(mesh_, georeference_.ToGrid(position)), gps});
  }

  const MeshDocument& mesh_;
  const MeshGeoreference georeference_;
  const BesselGeodesic& geodesic_;
  const double step_;
  double distance_ = 0;
  ElevationProfile profile_;
};

}  // namespace

std::variant<ElevationProfile, ErrorCode> BuildProfile(const MeshDocument& mesh, const TrackPoints& line,
                                                       const ProfileOptions& options) {
  const BesselGeodesic* geodesic = BesselGeodesic::Get();
  if (geodesic == nullptr) return ErrorCode::GeodesicLibraryMissing;
  ProfileBuilder builder(mesh, *geodesic, options.StepMetres);
  const TrackPoint* previous = nullptr;
  for (int piece = 0; piece < line.PieceN(); ++piece) {
    for (const TrackPoint& point : line.Piece(piece)) {
      if (previous == nullptr) {
        builder.StartPiece(point);
      } else {
        builder.AddLeg(*previous, point);
      }
      previous = &point;
    }
    if (!options.Joined) previous = nullptr;
  }
  return builder.Take();
}

}  // namespace koravel
