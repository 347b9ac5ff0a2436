// Redrawing the maps of the sample mesh, as the window does after an open
// and on every scroll step, at 100 % scale (one device pixel per pixel).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <memory>

#include "app/status_panels.h"
#include "mesh/mesh_reader.h"
#include "views/map_views.h"
#include "views/picture.h"

namespace {

using namespace koravel;

// The widgets and state the map views work on, with the sample loaded.
struct MapFixture {
  MeshDocument document = *ReadMeshFile(KORAVEL_SAMPLE_MESH).document;
  ElevationScale scale;
  ViewState view;
  Picture overview;
  Picture detail;
  QScrollBar horizontal;
  QScrollBar vertical;
  QLineEdit value;
  QStatusBar bar;
  StatusPanels status{bar};
  TrackSet tracks;
  MapViews views{document, scale, view, tracks, {overview, detail, horizontal, vertical, value, status}};

  MapFixture() {
    overview.resize(2000 / 15, 1600 / 15);
    detail.resize(5055 / 15, 4095 / 15);
  }
};

void BM_FullRedraw(benchmark::State& state) {
  MapFixture maps;
  for (auto _ : state) {
    maps.views.DrawOverview();
    maps.views.DrawDetail();
  }
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMillisecond);

void BM_ScrollStep(benchmark::State& state) {
  MapFixture maps;
  int position = 1;
  for (auto _ : state) {
    position = position % 151 + 1;
    maps.views.HScroll1_Change(position);
  }
}
BENCHMARK(BM_ScrollStep)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
