// Feeds arbitrary bytes to the GPX reader, placed on the sample's mesh.
// Whatever it makes of them, a load either reads the file to its end, fills
// the set or stops with its message, every stored point is finite, and the
// points kept are the segments' ends, each once, with finite heights.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "core/mesh/mesh_reader.h"
#include "core/tracks/gpx_reader.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const koravel::MeshDocument mesh = *koravel::ReadMeshFile(KORAVEL_SAMPLE_MESH).document;
  std::istringstream input(std::string(reinterpret_cast<const char*>(data), size));
  koravel::TrackSet tracks;
  const koravel::TrackReadResult result = koravel::ReadGpx(input, mesh, tracks);
  // Points within the poles and the date line always have a place on a mesh.
  Require(result.draw != result.error.has_value() || result.error == koravel::ErrorCode::TrackSetFull);
  Require(result.draw || result.error);
  Require(result.warnings.empty());
  for (const koravel::TrackSegment& s : tracks.Segments()) {
    Require(std::isfinite(s.X1) && std::isfinite(s.Y1) && std::isfinite(s.X2) && std::isfinite(s.Y2));
  }
  const koravel::TrackPoints& points = tracks.Points();
  std::size_t kept = 0;
  for (int piece = 0; piece < points.PieceN(); ++piece) {
    Require(points.Piece(piece).size() >= 2);
    for (const koravel::TrackPoint& point : points.Piece(piece)) Require(std::isfinite(point.Elevation.value_or(0)));
    kept += points.Piece(piece).size();
  }
  Require(kept == static_cast<std::size_t>(tracks.TrackN() + points.PieceN()));
  return 0;
}
