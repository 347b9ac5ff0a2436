#include "core/tracks/track_points.h"

namespace koravel {

std::span<const TrackPoint> TrackPoints::Piece(int index) const {
  const auto piece = static_cast<std::size_t>(index);
  const std::size_t end = piece + 1 < piece_starts_.size() ? piece_starts_[piece + 1] : points_.size();
  return std::span(points_).subspan(piece_starts_[piece], end - piece_starts_[piece]);
}

void TrackPoints::Append(const TrackPoint& point, bool starts_piece) {
  if (starts_piece || piece_starts_.empty()) piece_starts_.push_back(points_.size());
  points_.push_back(point);
}

void TrackPoints::Clear() {
  points_.clear();
  piece_starts_.clear();
}

}  // namespace koravel
