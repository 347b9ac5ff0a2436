// Edits over the whole mesh with their undo lists, hole filling and the
// checker, on the sample mesh.

#include <benchmark/benchmark.h>

#include "core/analysis/checker.h"
#include "core/edit/hole_filling.h"
#include "core/edit/region_operations.h"
#include "core/mesh/mesh_reader.h"

namespace {

using namespace koravel;

const MeshDocument& Sample() {
  static const MeshDocument sample = *ReadMeshFile(KORAVEL_SAMPLE_MESH).document;
  return sample;
}

// Raising and lowering every cell in turn keeps the mesh as it was.
void BM_OffsetAllCellsAndApply(benchmark::State& state) {
  MeshDocument mesh = Sample();
  const CellSelection all = CellSelection::All();
  std::int32_t offset = 1;
  for (auto _ : state) {
    const auto changes = OffsetHeights(mesh, all, offset);
    std::get<CellChanges>(changes).Apply(mesh);
    benchmark::DoNotOptimize(mesh);
    offset = -offset;
  }
}
BENCHMARK(BM_OffsetAllCellsAndApply)->Unit(benchmark::kMillisecond);

void BM_SmoothAllCellsOnce(benchmark::State& state) {
  const CellSelection all = CellSelection::All();
  for (auto _ : state) benchmark::DoNotOptimize(SmoothHeights(Sample(), all, 1));
}
BENCHMARK(BM_SmoothAllCellsOnce)->Unit(benchmark::kMillisecond);

// A 50 × 50 hole in the massif, found among all the mesh's cells and filled.
void BM_FillHole50By50(benchmark::State& state) {
  MeshDocument mesh = Sample();
  for (int y = 21; y <= 70; ++y) {
    for (int x = 21; x <= 70; ++x) mesh.SetElevation(x, y, kNoData);
  }
  for (auto _ : state) {
    const CellChanges filled = FillHoles(mesh, 2500);
    if (filled.Cells().size() != 2500) state.SkipWithError("the hole was not filled");
    benchmark::DoNotOptimize(filled);
  }
}
BENCHMARK(BM_FillHole50By50)->Unit(benchmark::kMillisecond);

// The sample's own edges stand in for four neighbours, so every seam is compared.
void BM_CheckFullMesh(benchmark::State& state) {
  NeighbourEdges neighbours;
  for (std::size_t i = 0; i < kMeshSides.size(); ++i) neighbours.sides[i] = FacingEdge(Sample(), kMeshSides[i]);
  for (auto _ : state) benchmark::DoNotOptimize(CheckMesh(Sample(), neighbours));
}
BENCHMARK(BM_CheckFullMesh)->Unit(benchmark::kMillisecond);

}  // namespace
