// Reading a full mesh against the floor set by decoding its bytes from CP932.

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "core/mesh/mesh_reader.h"
#include "core/text/cp932_codec.h"

namespace {

const std::string& SampleBytes() {
  static const std::string bytes = [] {
    std::ifstream file(KORAVEL_SAMPLE_MESH, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }();
  return bytes;
}

void BM_ReadFullMesh(benchmark::State& state) {
  for (auto _ : state) {
    std::istringstream input(SampleBytes());
    koravel::MeshReadResult result = koravel::ReadMesh(input);
    if (!result.document) state.SkipWithError("the sample did not read");
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * SampleBytes().size()));
}
BENCHMARK(BM_ReadFullMesh)->Unit(benchmark::kMicrosecond);

void BM_DecodeCp932Only(benchmark::State& state) {
  koravel::Cp932Codec codec;
  for (auto _ : state) {
    std::optional<std::string> text = codec.Decode(SampleBytes());
    if (!text) state.SkipWithError("the sample did not decode");
    benchmark::DoNotOptimize(text);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * SampleBytes().size()));
}
BENCHMARK(BM_DecodeCp932Only)->Unit(benchmark::kMicrosecond);

}  // namespace
