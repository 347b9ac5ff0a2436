#include "core/tracks/track_set.h"

namespace koravel {

bool TrackSet::Append(const TrackSegment& segment) {
  if (Full()) return false;
  segments_.push_back(segment);
  return true;
}

}  // namespace koravel
