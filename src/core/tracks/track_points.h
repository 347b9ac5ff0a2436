#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "core/geo/mesh_georeference.h"

namespace koravel {

/// A point of a track as its file gives it.
struct TrackPoint {
  GeographicPoint Position;         ///< arc-seconds on the Tokyo datum, converted as the segments are
  std::optional<double> Elevation;  ///< metres as the GPS recorded them (GPX `<ele>`), where given
};

/// The points of the loaded tracks, piece by piece: a piece is a line of two
/// or more points (a GPX track segment or route, a run of .trk points), in
/// the order the file gives them.
class TrackPoints {
 public:
  int PieceN() const { return static_cast<int>(piece_starts_.size()); }
  /// The points of piece `index`, 0 to PieceN() − 1.
  std::span<const TrackPoint> Piece(int index) const;

  /// Adds `point` to the last piece, or as the first of a new one.
  void Append(const TrackPoint& point, bool starts_piece);
  void Clear();

 private:
  std::vector<TrackPoint> points_;
  std::vector<std::size_t> piece_starts_;
};

}  // namespace koravel
