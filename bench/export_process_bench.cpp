// koravel-tool against GDAL's tools as whole processes, the way a script
// runs them, on the same files: a single export, mosaics of 9 and 100
// meshes, a batch of 1,000, and 100 tiles of the newer elevation model
// against a GDAL-based Python converter. Each iteration runs both sides one after the
// other, so a busy machine slows both alike; the counters give each side's
// median wall time, their ratio, and each side's peak resident memory.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
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

Run RunMeasured(std::vector<std::string> command) {
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
  return {std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count(),
          Milliseconds(usage.ru_utime) + Milliseconds(usage.ru_stime), usage.ru_maxrss};
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
    for (int n = 0; n < north; ++n) {
      for (int e = 0; e < east; ++e) {
        const koravel::test::MeshFileFields fields = NeighbourMesh(e, n);
        koravel::test::WriteBytes(folder_ / (fields.mesh_code + ".mem"), fields.File());
      }
    }
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
  Compare(state, {KORAVEL_TOOL, "mosaic", Out(meshes, "k.tif"), meshes}, gdal);
}
BENCHMARK(BM_MosaicVsGdalMerge)->Arg(3)->Arg(10)->Iterations(30)->Unit(benchmark::kMillisecond)->UseRealTime();

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
    // Made by a child of its own: a command spawned later counts the highest
    // memory this process ever held as its own.
    if (const pid_t maker = fork(); maker == 0) {
      Make();
      _exit(0);
    } else {
      waitpid(maker, nullptr, 0);
    }
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
