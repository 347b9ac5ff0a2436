#pragma once

#include <vector>

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

/// The loaded tracks, as segments, up to a fixed capacity allocated once.
class TrackSet {
 public:
  static constexpr int kCapacity = 10001;

  TrackSet() { segments_.reserve(kCapacity); }

  int TrackN() const { return static_cast<int>(segments_.size()); }
  bool Full() const { return TrackN() == kCapacity; }
  const std::vector<TrackSegment>& Segments() const { return segments_; }

  /// Stores a segment; false, storing nothing, when the set is full.
  bool Append(const TrackSegment& segment);
  void Clear() { segments_.clear(); }

 private:
  std::vector<TrackSegment> segments_;
};

}  // namespace koravel
