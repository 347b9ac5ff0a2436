// Reading the terrain on the sample mesh: the profile of a long GPS walk and
// the contour lines of the whole mesh.

#include <benchmark/benchmark.h>

#include <cmath>

#include "core/analysis/contour_tracer.h"
#include "core/analysis/elevation_profile.h"
#include "core/mesh/mesh_reader.h"

namespace {

using namespace koravel;

const MeshDocument& Sample() {
  static const MeshDocument sample = *ReadMeshFile(KORAVEL_SAMPLE_MESH).document;
  return sample;
}

// A walk of 10,000 points about 9 m apart, winding over the whole mesh, as
// a day's GPS log with heights.
TrackPoints Walk() {
  const MeshGeoreference georeference = MeshGeoreference::Of(Sample());
  TrackPoints walk;
  for (int i = 0; i < 10000; ++i) {
    const GridPoint on_grid{100 + 90 * std::sin(i * 0.002), 100 + 90 * std::cos(i * 0.0026)};
    walk.Append({georeference.ToGeographic(on_grid), 100 + i % 50}, i == 0);
  }
  return walk;
}

void BM_ProfileOfAWalk(benchmark::State& state) {
  const TrackPoints walk = Walk();
  for (auto _ : state) benchmark::DoNotOptimize(BuildProfile(Sample(), walk, ProfileOptions{}));
}
BENCHMARK(BM_ProfileOfAWalk)->Unit(benchmark::kMillisecond);

// The sample rises from the sea to 1,500 m: some 150 levels at 10 m.
void BM_ContoursOfTheWholeMesh(benchmark::State& state) {
  const ContourLevels levels{static_cast<double>(state.range(0)), 0};
  for (auto _ : state) benchmark::DoNotOptimize(TraceContours(Sample(), levels));
}
BENCHMARK(BM_ContoursOfTheWholeMesh)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace
