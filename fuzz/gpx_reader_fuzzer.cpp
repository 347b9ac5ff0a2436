// Feeds arbitrary bytes to the GPX reader, placed on the sample's mesh.
// Whatever it makes of them, a load either reads the file to its end, fills
// the set or stops with its message, and every stored point is finite.

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
  return 0;
}
