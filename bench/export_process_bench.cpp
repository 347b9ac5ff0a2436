// `koravel-tool export` as a whole process against `gdal_translate -of
// AAIGrid` on the same mesh: wall time per run and the peak resident memory
// of the child, as the operating system accounts it.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Runs a command to its end; returns its peak resident set in kilobytes, or
// -1 when it could not run or failed.
long RunMeasured(std::vector<std::string> command) {
  std::vector<char*> argv;
  for (std::string& word : command) argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return -1;
  }
  return usage.ru_maxrss;
}

void RunRepeatedly(benchmark::State& state, const std::vector<std::string>& command) {
  long peak_kb = 0;
  for (auto _ : state) {
    const long kb = RunMeasured(command);
    if (kb < 0) {
      state.SkipWithError(("failed: " + command[0]).c_str());
      break;
    }
    peak_kb = std::max(peak_kb, kb);
  }
  state.counters["peak_rss_kb"] = static_cast<double>(peak_kb);
}

std::string Output(const char* name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

void BM_KoravelToolExport(benchmark::State& state) {
  RunRepeatedly(state, {KORAVEL_TOOL, "export", KORAVEL_SAMPLE_MESH, Output("koravel-bench.asc")});
}
BENCHMARK(BM_KoravelToolExport)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GdalTranslateAAIGrid(benchmark::State& state) {
  RunRepeatedly(state, {"gdal_translate", "-q", "-of", "AAIGrid", KORAVEL_SAMPLE_MESH,
                        Output("gdal-bench.asc")});
}
BENCHMARK(BM_GdalTranslateAAIGrid)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
