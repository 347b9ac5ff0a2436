// Redrawing the maps of the sample mesh, as the window does after an open
// and on every scroll step, at 100 % scale (one device pixel per pixel),
// without tracks and with a full set of 10,001 track segments.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QStatusBar>
#include <cmath>
#include <memory>

#include "app/status_panels.h"
#include "mesh/mesh_reader.h"
#include "views/map_views.h"
#include "views/picture.h"

namespace {

using namespace koravel;

// The widgets and state the map views work on, with the sample loaded.
struct MapFixture {
  Document document;
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
  MapViews views{document, scale, view, tracks,
                 {.overview = overview,
                  .detail = detail,
                  .horizontal = horizontal,
                  .vertical = vertical,
                  .value = value,
                  .status = status}};

  explicit MapFixture(int segments = 0) {
    document.Replace(ReadMeshFile(KORAVEL_SAMPLE_MESH).document.value(), KORAVEL_SAMPLE_MESH);
    overview.resize(2000 / 15, 1600 / 15);
    detail.resize(5055 / 15, 4095 / 15);
    overview.show();
    detail.show();
    // A long walk back and forth across the whole mesh, as a day's log is.
    for (int i = 0; i < segments; ++i) {
      const double t = i * 0.01;
      tracks.Append({100 + 90 * std::sin(t), 100 + 90 * std::cos(1.3 * t),
                     100 + 90 * std::sin(t + 0.01), 100 + 90 * std::cos(1.3 * (t + 0.01))});
    }
  }
};

void BM_FullRedraw(benchmark::State& state) {
  MapFixture maps(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    maps.views.DrawOverview();
    maps.views.DrawDetail();
    maps.overview.repaint();
    maps.detail.repaint();
  }
}
BENCHMARK(BM_FullRedraw)->Arg(0)->Arg(TrackSet::kCapacity)->Unit(benchmark::kMillisecond);

void BM_ScrollStep(benchmark::State& state) {
  MapFixture maps(static_cast<int>(state.range(0)));
  int position = 1;
  for (auto _ : state) {
    position = position % 151 + 1;
    maps.views.HScroll1_Change(position);
    maps.detail.repaint();
  }
}
BENCHMARK(BM_ScrollStep)->Arg(0)->Arg(TrackSet::kCapacity)->Unit(benchmark::kMillisecond);

// One stroke event: the cell under the pointer joins the stroke's undo step
// and is repainted in both maps, and the widgets paint what changed.
void BM_BrushCell(benchmark::State& state) {
  MapFixture maps(static_cast<int>(state.range(0)));
  maps.document.BeginStroke();
  int x = 1;
  for (auto _ : state) {
    x = x % 50 + 1;
    maps.document.PaintStroke({x, 7}, 1234);
    maps.overview.repaint();
    maps.detail.repaint();
  }
}
BENCHMARK(BM_BrushCell)->Arg(0)->Arg(TrackSet::kCapacity)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
