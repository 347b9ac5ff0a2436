// Reading the newer elevation model's FG-GML XML on one core: the real 5 m
// tile from memory, as the survey writes it, and without its XML declaration,
// which leaves the tuple list to expat's own character handling.

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "core/dem/fgd_dem_reader.h"
#include "fgd_dem_fixture.h"
#include "mesh_file_fields.h"

namespace {

void BM_ReadRealTile(benchmark::State& state) {
  std::string text = koravel::test::ReadBytes(koravel::test::kRealDemFile);
  if (state.range(0) == 0) text.erase(0, text.find("<Dataset"));
  for (auto _ : state) {
    std::size_t at = 0;
    const koravel::DemReadResult read = koravel::ReadFgdDem(
        [&](char* buffer, std::size_t size) {
          size = std::min(size, text.size() - at);
          std::memcpy(buffer, text.data() + at, size);
          at += size;
          return static_cast<std::ptrdiff_t>(size);
        },
        "FG-GML-5238-74-00-DEM5A-20161001.xml", {});
    if (!read.Tile) state.SkipWithError("the tile did not read");
    benchmark::DoNotOptimize(read.Tile->Heights.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.SetLabel(state.range(0) == 0 ? "no declaration: expat hands the tuples over" : "as the survey writes it");
}
BENCHMARK(BM_ReadRealTile)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
