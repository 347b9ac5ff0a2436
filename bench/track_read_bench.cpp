// Loading track files that fill the track set (10,001 segments): a .trk on
// the Tokyo datum, the same on WGS 84 (converted), and a GPX file.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/mesh/mesh_reader.h"
#include "core/tracks/track_reader.h"

namespace {

using namespace koravel;

constexpr const char* kDatums[] = {"TOKYO", "WGS 84"};

// A PCX5 log of 10,002 points in one piece, in degrees and decimal minutes.
// A scattered log jumps across the mesh from point to point; a walk moves a
// few metres at a time, as a GPS log does.
std::filesystem::path FullTrackFile(const char* datum, bool walk) {
  const auto path = std::filesystem::temp_directory_path() / "koravel-bench-full.trk";
  std::ofstream file(path, std::ios::binary);
  file << "H  SOFTWARE NAME & VERSION\r\nI  PCX5 2.09\r\n\r\nM  G " << datum << "\r\n\r\nU  LAT LON DM\r\n\r\n";
  for (int i = 0; i <= TrackSet::kCapacity; ++i) {
    char line[96];
    if (walk) {
      std::snprintf(line, sizeof line, "T  N35%08.5f E139%08.5f 15-NOV-23 00:00:00 30\r\n", 41 + i * 0.0004,
                    38 + i * 0.0006);
    } else {
      std::snprintf(line, sizeof line, "T  N354%d.%05d E1394%d.%05d 15-NOV-23 00:00:00 30\r\n", i % 5, i % 100000,
                    i % 7, (i * 7) % 100000);
    }
    file << line;
  }
  return path;
}

// A GPX track of 10,002 points, as GPS apps write it, with elevation and time.
std::filesystem::path FullGpxFile() {
  const auto path = std::filesystem::temp_directory_path() / "koravel-bench-full.gpx";
  std::ofstream file(path, std::ios::binary);
  file << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\" creator=\"bench\" "
          "xmlns=\"http://www.topografix.com/GPX/1/1\">\n<trk><name>walk</name><trkseg>\n";
  for (int i = 0; i <= TrackSet::kCapacity; ++i) {
    char line[160];
    std::snprintf(line, sizeof line,
                  "<trkpt lat=\"%.7f\" lon=\"%.7f\"><ele>%d.0</ele><time>2023-11-15T08:%02d:%02dZ</time></trkpt>\n",
                  35.68 + i * 0.0000067, 139.63 + i * 0.00001, 100 + i % 50, i / 60 % 60, i % 60);
    file << line;
  }
  file << "</trkseg></trk>\n</gpx>\n";
  return path;
}

void LoadRepeatedly(benchmark::State& state, const std::filesystem::path& path) {
  const MeshDocument mesh = *ReadMeshFile(KORAVEL_SAMPLE_MESH).document;
  for (auto _ : state) {
    TrackSet tracks;
    const TrackReadResult result = ReadTrackFile(path, mesh, tracks);
    if (result.error != ErrorCode::TrackSetFull) state.SkipWithError("the set did not fill");
    benchmark::DoNotOptimize(tracks);
  }
  std::filesystem::remove(path);
}

// Arguments: the datum (0 Tokyo, 1 WGS 84) and whether the log is a walk.
void BM_LoadFullTrackFile(benchmark::State& state) {
  state.SetLabel(std::string(kDatums[state.range(0)]) + (state.range(1) ? ", walk" : ", scattered"));
  LoadRepeatedly(state, FullTrackFile(kDatums[state.range(0)], state.range(1) != 0));
}
BENCHMARK(BM_LoadFullTrackFile)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

void BM_LoadFullGpxFile(benchmark::State& state) { LoadRepeatedly(state, FullGpxFile()); }
BENCHMARK(BM_LoadFullGpxFile)->Unit(benchmark::kMillisecond);

}  // namespace
