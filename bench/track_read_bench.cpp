// Loading a .trk file that fills the track set: 10,001 segments.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "mesh/mesh_reader.h"
#include "tracks/track_reader.h"

namespace {

using namespace koravel;

// A PCX5 log of 10,002 points in one piece, in degrees and decimal minutes.
std::filesystem::path FullTrackFile() {
  const auto path = std::filesystem::temp_directory_path() / "koravel-bench-full.trk";
  std::ofstream file(path, std::ios::binary);
  file << "H  SOFTWARE NAME & VERSION\r\nI  PCX5 2.09\r\n\r\nM  G TOKYO\r\n\r\nU  LAT LON DM\r\n\r\n";
  for (int i = 0; i <= TrackSet::kCapacity; ++i) {
    char line[96];
    std::snprintf(line, sizeof line, "T  N354%d.%05d E1394%d.%05d 15-NOV-23 00:00:00 30\r\n",
                  i % 5, i % 100000, i % 7, (i * 7) % 100000);
    file << line;
  }
  return path;
}

void BM_LoadFullTrackFile(benchmark::State& state) {
  const MeshDocument mesh = *ReadMeshFile(KORAVEL_SAMPLE_MESH).document;
  const std::filesystem::path path = FullTrackFile();
  for (auto _ : state) {
    TrackSet tracks;
    const TrackReadResult result = ReadTrackFile(path, mesh, tracks);
    if (result.error != ErrorCode::TrackSetFull) state.SkipWithError("the set did not fill");
    benchmark::DoNotOptimize(tracks);
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_LoadFullTrackFile)->Unit(benchmark::kMillisecond);

}  // namespace
