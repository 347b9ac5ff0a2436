#pragma once

#include <cstddef>
#include <optional>
#include <variant>
#include <vector>

#include "core/error_code.h"
#include "core/geo/mesh_georeference.h"
#include "core/mesh/mesh_document.h"
#include "core/tracks/track_points.h"

namespace koravel {

/// One row of a profile.
struct ProfileSample {
  double DistanceMetres = 0;          ///< geodesic, from the start of its piece
  GeographicPoint Position;           ///< arc-seconds on the Tokyo datum
  std::optional<double> MeshMetres;   ///< the mesh's bilinear height there
  /// The GPS height: as recorded at a track point, and between two points
  /// that both have one, in proportion to the distance.
  std::optional<double> GpsMetres;
};

struct ProfileOptions {
  /// Between the line's points a sample falls at every multiple of this many
  /// metres from the start of the piece, where the line passes over the
  /// mesh; none when 0 or less.
  double StepMetres = 50;
  /// All pieces as one line, each piece's end joined to the next one's start.
  bool Joined = false;
};

/// The heights along a line, piece by piece.
struct ElevationProfile {
  std::vector<ProfileSample> Samples;
  std::vector<std::size_t> PieceStarts;  ///< where each piece's samples begin in Samples
};

/// The profile of `line` over `mesh`: a sample at every point of the line
/// and at the steps between, distances on the Bessel ellipsoid.
/// GeodesicLibraryMissing when PROJ is not installed.
std::variant<ElevationProfile, ErrorCode> BuildProfile(const MeshDocument& mesh, const TrackPoints& line,
                                                       const ProfileOptions& options);

}  // namespace koravel
