#include "core/tracks/track_placer.h"

#include <algorithm>
#include <cmath>

namespace koravel {

bool TrackPlacer::Add(GeographicPoint point, TrackDatum datum, std::optional<double> elevation) {
  // A point no datum can hold (a latitude past the pole, a number that
  // overflowed) is no track point.
  const std::optional<GeographicPoint> tokyo = OnTokyoDatum(point, datum);
  if (!tokyo) return Stop(ErrorCode::NotTrackFile);
  const GridPoint placed = MeshGeoreference::Of(mesh_).ToGrid(*tokyo);
  if (!std::isfinite(placed.X) || !std::isfinite(placed.Y)) return Stop(ErrorCode::NotTrackFile);
  if (placed.X >= 0 && placed.X <= kMeshSize && placed.Y >= 0 && placed.Y <= kMeshSize) result_.reaches_mesh = true;
  return Join(placed, {*tokyo, elevation});
}

bool TrackPlacer::Stop(ErrorCode error) {
  result_.error = error;
  return false;
}

void TrackPlacer::Warn(Warning warning) {
  if (std::find(result_.warnings.begin(), result_.warnings.end(), warning) == result_.warnings.end()) {
    result_.warnings.push_back(warning);
  }
}

TrackReadResult TrackPlacer::Finish(bool reached_end) {
  if (reached_end) result_.draw = true;
  return result_;
}

TrackReadResult TrackPlacer::Fail(ErrorCode error) {
  result_.error = error;
  result_.draw = false;
  return result_;
}

// Without PROJ the points are drawn as recorded, with the warning that they
// are off, as for a datum the program does not convert.
std::optional<GeographicPoint> TrackPlacer::OnTokyoDatum(GeographicPoint point, TrackDatum datum) {
  if (datum == TrackDatum::Tokyo) return point;
  if (!converter_) {
    converter_.emplace();
    if (converter_->Method() == DatumConversion::Unavailable) Warn(Warning::TrackDatumDiffers);
  }
  if (converter_->Method() == DatumConversion::Unavailable) return point;
  return converter_->ToTokyo(point);
}

bool TrackPlacer::Join(GridPoint placed, const TrackPoint& point) {
  if (previous_) {
    if (!tracks_.Append({previous_->placed.X, previous_->placed.Y, placed.X, placed.Y})) return false;
    if (!previous_->stored) tracks_.AppendPoint(previous_->point, true);
    tracks_.AppendPoint(point, false);
    if (tracks_.Full()) {
      result_.draw = true;
      return Stop(ErrorCode::TrackSetFull);
    }
  }
  previous_ = Previous{placed, point, previous_.has_value()};
  return true;
}

}  // namespace koravel
