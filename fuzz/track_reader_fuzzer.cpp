// Feeds arbitrary bytes to the .trk reader on the sample's grid. Whatever it
// makes of them must keep the promises of a load, and CR LF line ends must
// read exactly as LF ones.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "core/tracks/track_reader.h"

namespace {

using koravel::ErrorCode;
using koravel::TrackReadResult;
using koravel::TrackSet;

// Trap rather than throw or return: libFuzzer and the replay runner both
// stop on the first broken invariant and keep the input that broke it.
void Require(bool condition) {
  if (!condition) __builtin_trap();
}

const koravel::MeshDocument& SampleGrid() {
  static const koravel::MeshDocument mesh = [] {
    koravel::MeshDocument grid;
    grid.NELatSeconds = 128700;
    grid.SWLonSeconds = 502650;
    grid.LatStep = 1.5;
    grid.LonStep = 2.25;
    return grid;
  }();
  return mesh;
}

TrackReadResult Load(std::string bytes, TrackSet& tracks) {
  tracks.Clear();
  std::istringstream input(std::move(bytes));
  return koravel::ReadTracks(input, SampleGrid(), tracks);
}

void CheckLoad(const TrackReadResult& result, const TrackSet& tracks) {
  Require(result.error != ErrorCode::FileError);  // a string always reads
  Require(result.warnings.size() <= 1);
  // An empty set fills only with the message, and the full set is drawn.
  Require(tracks.Full() == (result.error == ErrorCode::TrackSetFull));
  if (result.error) Require(result.draw == tracks.Full());
  for (const koravel::TrackSegment& s : tracks.Segments()) {
    Require(std::isfinite(s.X1) && std::isfinite(s.Y1) && std::isfinite(s.X2) && std::isfinite(s.Y2));
  }
}

bool SameLoad(const TrackReadResult& a, const TrackSet& a_tracks, const TrackReadResult& b,
              const TrackSet& b_tracks) {
  if (a.error != b.error || a.draw != b.draw || a.warnings != b.warnings) return false;
  if (a_tracks.TrackN() != b_tracks.TrackN()) return false;
  for (int i = 0; i < a_tracks.TrackN(); ++i) {
    const koravel::TrackSegment& s = a_tracks.Segments()[i];
    const koravel::TrackSegment& t = b_tracks.Segments()[i];
    if (s.X1 != t.X1 || s.Y1 != t.Y1 || s.X2 != t.X2 || s.Y2 != t.Y2) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TrackSet tracks, crlf_tracks;  // each set allocates its capacity once
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const TrackReadResult result = Load(bytes, tracks);
  CheckLoad(result, tracks);

  if (bytes.find('\r') != std::string::npos) return 0;
  std::string crlf;
  for (const char c : bytes) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  Require(SameLoad(result, tracks, Load(crlf, crlf_tracks), crlf_tracks));
  return 0;
}
