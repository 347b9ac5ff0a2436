#pragma once

#include <vector>

#include "core/tracks/track_points.h"

namespace koravel {

/// One straight piece of a GPS track in grid units: X counts columns east
/// from the mesh's west edge, Y rows south from its north edge, so cell
/// (x, y) covers X from x − 1 to x and Y from y − 1 to y.
struct TrackSegment {
  double X1 = 0;
  double Y1 = 0;
  double X2 = 0;
  double Y2 = 0;
};

/// The loaded tracks, as segments for drawing, up to a fixed capacity
/// allocated once, and as the points those segments join, for measuring.
class TrackSet {
 public:
  static constexpr int kCapacity = 10001;

  TrackSet() { segments_.reserve(kCapacity); }

  int TrackN() const { return static_cast<int>(segments_.size()); }
  bool Full() const { return TrackN() == kCapacity; }
  const std::vector<TrackSegment>& Segments() const { return segments_; }

  /// Stores a segment; false, storing nothing, when the set is full.
  bool Append(const TrackSegment& segment);
  /// The segments' ends, each once, with their latitude, longitude and height.
  const TrackPoints& Points() const { return points_; }
  /// Adds the point that a segment stored starts or ends at.
  void AppendPoint(const TrackPoint& point, bool starts_piece) { points_.Append(point, starts_piece); }
  void Clear() {
    segments_.clear();
    points_.Clear();
  }

 private:
  std::vector<TrackSegment> segments_;
  TrackPoints points_;
};

}  // namespace koravel
