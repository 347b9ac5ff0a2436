// koravel-tool against GDAL's tools as whole processes, the way a script
// runs them, on the same files: a single export, mosaics of 9 and 100
// meshes in the plain layout, a cloud-optimised mosaic of 1,000, a batch of
// 1,000, and 100 tiles of the newer elevation model against a GDAL-based
// Python converter; and a cloud-optimised mosaic of about 4,500 meshes laid
// out as the 50 m meshes cover Japan, on its own. Each iteration runs both
// sides one after the other, so a busy machine slows both alike; the
// counters give each side's median wall time, their ratio, and each side's
// peak resident memory. Inputs are made by a child process of their own, so
// that this process stays small.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "fgd_dem_fixture.h"
#include "mesh_file_fields.h"

extern char** environ;

namespace {

using koravel::test::NeighbourMesh;

struct Run {
  double milliseconds = 0;
  double cpu_milliseconds = 0;  // user and system time, which a busy machine inflates less
  long peak_kb = -1;            // -1 when the command could not run or failed
};

double Milliseconds(const timeval& time) { return time.tv_sec * 1e3 + time.tv_usec / 1e3; }

// Each command runs under /usr/bin/time, which reports the peak of the
// command alone: a process spawned from here would count this process's
// own peak (its libraries, and inputs made here) as its own.
Run RunMeasured(std::vector<std::string> command) {
  const std::filesystem::path peak_file = std::filesystem::temp_directory_path() /
                                          ("koravel-bench-peak-" + std::to_string(getpid()));
  command.insert(command.begin(), {"/usr/bin/time", "-f", "%M", "-o", peak_file.string()});
  std::vector<char*> argv;
  for (std::string& word : command) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t quiet;  // summary lines and GDAL's warnings
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&quiet, STDOUT_FILENO, STDERR_FILENO);
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, argv[0], &quiet, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&quiet);
  if (spawned != 0) return {};
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
  const double milliseconds = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  return {milliseconds, Milliseconds(usage.ru_utime) + Milliseconds(usage.ru_stime),
          std::stol(koravel::test::ReadBytes(peak_file))};
}

// Runs `make` in a child process and waits for it.
void InChild(const std::function<void()>& make) {
  if (const pid_t maker = fork(); maker == 0) {
    make();
    _exit(0);
  } else {
    waitpid(maker, nullptr, 0);
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Runs `ours` and `theirs` in turn once per iteration. Each starts with
// nothing of the other's waiting to be written, or our flush at the end
// would write GDAL's output as well.
void Compare(benchmark::State& state, const std::vector<std::string>& ours, const std::vector<std::string>& theirs) {
  std::vector<double> our_times, their_times, our_cpu, their_cpu;
  long our_peak = 0, their_peak = 0;
  for (auto _ : state) {
    sync();
    const Run our_run = RunMeasured(ours);
    sync();
    const Run their_run = RunMeasured(theirs);
    if (our_run.peak_kb < 0 || their_run.peak_kb < 0) {
      state.SkipWithError(("failed: " + (our_run.peak_kb < 0 ? ours : theirs)[0]).c_str());
      return;
    }
    our_times.push_back(our_run.milliseconds), their_times.push_back(their_run.milliseconds);
    our_cpu.push_back(our_run.cpu_milliseconds), their_cpu.push_back(their_run.cpu_milliseconds);
    our_peak = std::max(our_peak, our_run.peak_kb), their_peak = std::max(their_peak, their_run.peak_kb);
  }
  state.counters["ours_ms"] = Median(our_times);
  state.counters["theirs_ms"] = Median(their_times);
  state.counters["ratio"] = Median(their_times) / Median(our_times);
  state.counters["cpu_ratio"] = Median(their_cpu) / Median(our_cpu);
  state.counters["ours_peak_kb"] = static_cast<double>(our_peak);
  state.counters["theirs_peak_kb"] = static_cast<double>(their_peak);
}

// Meshes that tile `east` by `north`, made once per size in a folder of
// their own under the system's temporary folder.
class MeshTiles {
 public:
  static const std::filesystem::path& Folder(int east, int north) {
    static std::map<std::pair<int, int>, MeshTiles> made;
    auto [it, inserted] = made.try_emplace({east, north});
    if (inserted) it->second.Make(east, north);
    return it->second.folder_;
  }
  MeshTiles() = default;
  MeshTiles(const MeshTiles&) = delete;
  ~MeshTiles() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_.parent_path(), ignored);
  }

 private:
  void Make(int east, int north) {
    const auto root = std::filesystem::temp_directory_path() /
                      ("koravel-bench-" + std::to_string(getpid()) + "-" + std::to_string(east * 1000 + north));
    folder_ = root / "meshes";
    std::filesystem::create_directories(folder_);
    std::filesystem::create_directories(root / "out");
    InChild([this, east, north] {
      for (int n = 0; n < north; ++n) {
        for (int e = 0; e < east; ++e) {
          const koravel::test::MeshFileFields fields = NeighbourMesh(e, n);
          koravel::test::WriteBytes(folder_ / (fields.mesh_code + ".mem"), fields.File());
        }
      }
    });
  }
  std::filesystem::path folder_;
};

std::filesystem::path Out(const std::filesystem::path& meshes, const std::string& name) {
  return meshes.parent_path() / "out" / name;
}

std::vector<std::string> MeshFiles(const std::filesystem::path& folder) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) files.push_back(entry.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

// A shell loop that runs `command IN OUT` once for each mesh of `meshes`.
std::vector<std::string> ShellLoop(const std::string& command, const std::filesystem::path& meshes) {
  return {"sh", "-c",
          "for f in '" + meshes.string() + "'/*.mem; do n=${f##*/}; " + command + " \"$f\" '" +
              Out(meshes, "").string() + "'\"${n%.mem}.asc\" || exit 1; done"};
}

void BM_SingleExportVsGdalTranslate(benchmark::State& state) {
  const auto& meshes = MeshTiles::Folder(1, 1);
  const std::string mesh = MeshFiles(meshes).front();
  Compare(state, {KORAVEL_TOOL, "export", mesh, Out(meshes, "k.asc")},
          {"gdal_translate", "-q", "-of", "AAIGrid", mesh, Out(meshes, "g.asc")});
}
BENCHMARK(BM_SingleExportVsGdalTranslate)->Iterations(200)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MosaicVsGdalMerge(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  const auto& meshes = MeshTiles::Folder(side, side);
  std::vector<std::string> gdal = {"gdal_merge.py", "-q", "-of", "GTiff", "-o", Out(meshes, "g.tif")};
  for (const std::string& file : MeshFiles(meshes)) gdal.push_back(file);
  Compare(state, {KORAVEL_TOOL, "mosaic", "--no-cog", Out(meshes, "k.tif"), meshes}, gdal);
}
BENCHMARK(BM_MosaicVsGdalMerge)->Arg(3)->Arg(10)->Iterations(30)->Unit(benchmark::kMillisecond)->UseRealTime();

// The largest difference between the cells of two rasters as GDAL reads them.
double LargestDifference(const std::filesystem::path& a, const std::filesystem::path& b) {
  const auto run = koravel::test::RunShell(
      "/usr/bin/python3 -c 'import sys, numpy; from osgeo import gdal; "
      "print(numpy.max(numpy.abs(gdal.Open(sys.argv[1]).ReadAsArray() - gdal.Open(sys.argv[2]).ReadAsArray())))' '" +
      a.string() + "' '" + b.string() + "'");
  return run.status == 0 ? std::stod(run.text) : -1;
}

double FileBytes(const std::filesystem::path& path) { return static_cast<double>(std::filesystem::file_size(path)); }

void BM_CogVsGdalBuildVrtAndTranslate(benchmark::State& state) {
  const auto& meshes = MeshTiles::Folder(40, 25);
  const std::filesystem::path ours = Out(meshes, "k.tif"), vrt = Out(meshes, "g.vrt"), theirs = Out(meshes, "g.tif");
  const std::string gdal = "gdalbuildvrt -q '" + vrt.string() + "' '" + meshes.string() +
                           "'/*.mem && gdal_translate -q -of COG -co COMPRESS=DEFLATE -co PREDICTOR=YES "
                           "-co BLOCKSIZE=512 '" + vrt.string() + "' '" + theirs.string() + "'";
  Compare(state, {KORAVEL_TOOL, "mosaic", ours, meshes}, {"sh", "-c", gdal});
  state.counters["size_ratio"] = FileBytes(ours) / FileBytes(theirs);
  state.counters["largest_cell_difference"] = LargestDifference(ours, theirs);
}
BENCHMARK(BM_CogVsGdalBuildVrtAndTranslate)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// About 4,500 second-level meshes where the 50 m meshes cover Japan: those
// whose centres lie within strokes drawn along the islands, the meshes at a
// stroke's edge half sea (no data). Heights are a smooth relief.
class JapanMeshes {
 public:
  static const JapanMeshes& Get() {
    static const JapanMeshes meshes;
    return meshes;
  }
  JapanMeshes(const JapanMeshes&) = delete;
  ~JapanMeshes() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  std::filesystem::path Folder() const { return root_ / "meshes"; }
  std::filesystem::path Out() const { return root_ / "japan.tif"; }
  std::size_t Count() const { return count_; }

 private:
  struct Stroke {
    std::vector<std::pair<double, double>> points;  // latitude, longitude in degrees
    double radius;                                  // degrees of latitude
  };

  JapanMeshes() : root_(std::filesystem::temp_directory_path() / ("koravel-japan-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(Folder());
    for (int row = 24 * 12; row < 46 * 12; ++row) {
      for (int column = 22 * 8; column < 54 * 8; ++column) count_ += Reach(row, column) < 1;
    }
    InChild([this] { Make(); });
  }

  // How far the centre of mesh (row, column) lies from the nearest stroke,
  // in strokes' radii.
  static double Reach(int row, int column) {
    static const std::vector<Stroke> kStrokes = {
        {{{45.3, 141.9}, {44.3, 142.2}, {43.3, 141.4}, {42.0, 140.4}}, 0.55},                  // Hokkaido, west
        {{{44.0, 144.3}, {43.3, 143.0}, {42.5, 143.3}, {43.3, 145.3}}, 0.65},                  // Hokkaido, east
        {{{41.2, 140.9}, {40.0, 141.0}, {38.6, 140.9}, {37.2, 140.3}, {36.1, 140.0}}, 0.75},   // Tohoku, Kanto
        {{{36.1, 140.0}, {35.5, 138.6}, {35.4, 137.0}, {34.9, 135.8}, {34.7, 134.4}}, 0.65},   // Chubu, Kinki
        {{{34.7, 134.4}, {34.6, 133.0}, {34.3, 131.6}, {34.1, 131.0}}, 0.45},                  // Chugoku
        {{{37.5, 137.2}, {36.8, 136.8}}, 0.3},                                                 // Noto
        {{{33.8, 132.8}, {33.7, 134.3}}, 0.4},                                                 // Shikoku
        {{{33.6, 130.3}, {32.7, 130.8}, {31.6, 130.7}, {32.8, 131.6}}, 0.5},                   // Kyushu
        {{{26.8, 128.3}, {26.1, 127.7}}, 0.12},                                                // Okinawa
        {{{28.3, 129.5}, {24.5, 123.9}}, 0.06},                                                // the southern islands
        {{{27.1, 142.2}, {27.1, 142.21}}, 0.05},                                               // Chichijima
    };
    constexpr double kWidening = 1.045;  // brings the count to about 4,500
    const double latitude = (row + 0.5) / 12, longitude = 100 + (column + 0.5) / 8;
    double nearest = 1e9;
    for (const Stroke& stroke : kStrokes) {
      for (std::size_t i = 0; i + 1 < stroke.points.size(); ++i) {
        nearest = std::min(nearest, Distance(latitude, longitude, stroke.points[i], stroke.points[i + 1]) /
                                     (kWidening * stroke.radius));
      }
    }
    return nearest;
  }

  static double Distance(double latitude, double longitude, std::pair<double, double> a, std::pair<double, double> b) {
    const double scale = std::cos(latitude * M_PI / 180);
    const double px = (longitude - a.second) * scale, py = latitude - a.first;
    const double dx = (b.second - a.second) * scale, dy = b.first - a.first;
    const double t = std::clamp((px * dx + py * dy) / std::max(1e-12, dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(px - t * dx, py - t * dy);
  }

  void Make() const {
    for (int row = 24 * 12; row < 46 * 12; ++row) {
      for (int column = 22 * 8; column < 54 * 8; ++column) {
        const double reach = Reach(row, column);
        if (reach >= 1) continue;
        koravel::test::MeshFileFields mesh = NeighbourMesh(column - (39 * 8 + 5), row - (53 * 8 + 4));
        mesh.value_text = [row, column, coast = reach > 0.85](int x, int y) {
          if (coast && x + y > 250) return std::string("-9999");
          const double east = column * 200.0 + x, south = (600 - row) * 200.0 + y;
          char text[16];
          std::snprintf(text, sizeof text, "%5d",
                        static_cast<int>(12000 + 9000 * std::sin(east / 2900) * std::cos(south / 3700) +
                                         3000 * std::sin((east + south) / 700)));
          return std::string(text);
        };
        koravel::test::WriteBytes(Folder() / (mesh.mesh_code + ".mem"), mesh.File());
      }
    }
  }

  std::filesystem::path root_;
  std::size_t count_ = 0;
};

// One run at a time of our mosaic alone, with its peak memory.
void BM_AllJapanToCog(benchmark::State& state) {
  const JapanMeshes& japan = JapanMeshes::Get();
  std::vector<double> times;
  long peak = 0;
  for (auto _ : state) {
    sync();
    const Run run = RunMeasured({KORAVEL_TOOL, "mosaic", japan.Out(), japan.Folder()});
    if (run.peak_kb < 0) {
      state.SkipWithError("failed: koravel-tool mosaic");
      return;
    }
    times.push_back(run.milliseconds), peak = std::max(peak, run.peak_kb);
  }
  state.counters["meshes"] = static_cast<double>(japan.Count());
  state.counters["ours_ms"] = Median(times);
  state.counters["ours_peak_kb"] = static_cast<double>(peak);
  state.counters["file_mb"] = FileBytes(japan.Out()) / 1e6;
}
BENCHMARK(BM_AllJapanToCog)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BatchVsGdalTranslateLoop(benchmark::State& state) {
  const auto& meshes = MeshTiles::Folder(40, 25);
  Compare(state, {KORAVEL_TOOL, "export", "--to", Out(meshes, ""), meshes},
          ShellLoop("gdal_translate -q -of AAIGrid", meshes));
}
BENCHMARK(BM_BatchVsGdalTranslateLoop)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BatchVsSingleExportLoop(benchmark::State& state) {
  const auto& meshes = MeshTiles::Folder(40, 25);
  Compare(state, {KORAVEL_TOOL, "export", "--to", Out(meshes, ""), meshes},
          ShellLoop(std::string(KORAVEL_TOOL) + " export", meshes));
}
BENCHMARK(BM_BatchVsSingleExportLoop)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

// The 100 DEM5A tiles of second-level mesh 523874, made once from the real
// tile's heights: as XML files for the Python converter, and packed in one
// zip archive as the survey's download packs them.
class DemTiles {
 public:
  static const DemTiles& Get() {
    static const DemTiles tiles;
    return tiles;
  }
  DemTiles(const DemTiles&) = delete;
  ~DemTiles() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  std::filesystem::path Zip() const { return root_ / "FG-GML-5238-74-DEM5A.zip"; }
  std::filesystem::path Out(const std::string& name) const { return root_ / name; }
  const std::vector<std::string>& Files() const { return files_; }

 private:
  DemTiles() : root_(std::filesystem::temp_directory_path() / ("koravel-dem-bench-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(root_ / "xml");
    for (int north = 0; north < 10; ++north) {
      for (int east = 0; east < 10; ++east) {
        files_.push_back((root_ / "xml" / ("FG-GML-5238-74-" + std::to_string(north) + std::to_string(east) +
                                            "-DEM5A-20161001.xml")).string());
      }
    }
    InChild([this] { Make(); });
  }

  void Make() const {
    std::vector<std::pair<std::string, std::string>> members;
    for (std::size_t i = 0; i < files_.size(); ++i) {
      members.emplace_back(std::filesystem::path(files_[i]).filename(),
                           koravel::test::RealDemMoved(static_cast<int>(i % 10), static_cast<int>(i / 10)).Text());
      koravel::test::WriteBytes(files_[i], members.back().second);
    }
    koravel::test::WriteZip(Zip(), members);
  }

  std::filesystem::path root_;
  std::vector<std::string> files_;
};

void BM_DemFromZipVsPythonConverter(benchmark::State& state) {
  const DemTiles& tiles = DemTiles::Get();
  std::vector<std::string> python = {"/usr/bin/python3", KORAVEL_DEM_CONVERTER, tiles.Out("p.tif")};
  python.insert(python.end(), tiles.Files().begin(), tiles.Files().end());
  Compare(state, {KORAVEL_TOOL, "dem", tiles.Out("k.tif"), tiles.Zip()}, python);
  state.counters["zip_mb"] = static_cast<double>(std::filesystem::file_size(tiles.Zip())) / 1e6;
}
BENCHMARK(BM_DemFromZipVsPythonConverter)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
