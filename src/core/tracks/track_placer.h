#pragma once

#include <optional>

#include "core/error_code.h"
#include "core/geo/datum_converter.h"
#include "core/geo/mesh_georeference.h"
#include "core/mesh/mesh_document.h"
#include "core/tracks/track_reader.h"
#include "core/tracks/track_set.h"

namespace koravel {

/// The datum a track point was recorded on.
enum class TrackDatum { Tokyo, Wgs84 };

/// What every track reader does with the points it decodes: converts them to
/// the Tokyo datum, places them on the mesh's grid and joins the points of a
/// piece into segments of the set, stopping when the set is full.
class TrackPlacer {
 public:
  TrackPlacer(const MeshDocument& mesh, TrackSet& tracks) : mesh_(mesh), tracks_(tracks) {}

  /// Adds a point (arc-seconds on `datum`, with the height the GPS recorded
  /// where the file gives one) to the current piece; false when reading
  /// stops: the set filled, or the point has no place on the grid.
  bool Add(GeographicPoint point, TrackDatum datum, std::optional<double> elevation = std::nullopt);
  /// The next point starts a new piece, joined to nothing before it.
  void EndPiece() { previous_.reset(); }
  /// Adds `warning` once per load: a file of a million datum records must
  /// neither fill memory nor raise a million message boxes.
  void Warn(Warning warning);
  /// Records the error that ends reading; always false.
  bool Stop(ErrorCode error);
  /// What the load did; it draws when the input was read to its end or the set filled.
  TrackReadResult Finish(bool reached_end);
  /// The input could not be read on: `error`, and nothing new is drawn.
  TrackReadResult Fail(ErrorCode error);

 private:
  std::optional<GeographicPoint> OnTokyoDatum(GeographicPoint point, TrackDatum datum);
  bool Join(GridPoint placed, const TrackPoint& point);

  const MeshDocument& mesh_;
  TrackSet& tracks_;
  std::optional<DatumConverter> converter_;  // set up at the first point that needs it
  // The last point of the piece, and whether it has been stored as one of
  // the set's points: a piece's first point is kept only once joined.
  struct Previous {
    GridPoint placed;
    TrackPoint point;
    bool stored;
  };
  std::optional<Previous> previous_;
  TrackReadResult result_;
};

}  // namespace koravel
