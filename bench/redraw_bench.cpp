// Redrawing the maps of the sample mesh, as the window does after an open
// and on every scroll or zoom step, without tracks and with a full set of
// 10,001 track segments. The detail view is 3840 × 2160 device pixels at the
// device pixel ratio given as --ratio=N (1 unless told), zoomed so that its
// cells fill it.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <QWindow>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "core/mesh/mesh_reader.h"
#include "ui/document/document.h"
#include "ui/document/editing_session.h"
#include "ui/views/detail_view.h"
#include "ui/views/grid_painter.h"
#include "ui/views/overview_map.h"
#include "ui/views/picture.h"

namespace {

using namespace koravel;

constexpr int kDeviceWidth = 3840;
constexpr int kDeviceHeight = 2160;
// Five steps in from 100 %, cells of about 20 × 16 pixels fill the view.
constexpr int kZoomSteps = 5;
double device_ratio = 1;

// repaint() paints nothing into a window the platform has not shown yet.
void WaitUntilExposed(QWidget& widget) {
  for (int i = 0; i < 1000 && !widget.windowHandle()->isExposed(); ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  if (!widget.windowHandle()->isExposed()) qFatal("the window was never exposed");
}

// The widgets and state the map views work on, with the sample loaded.
struct MapFixture {
  Document document;
  EditingSession session{document};
  Picture overview;
  Picture detail;
  QScrollBar horizontal;
  QScrollBar vertical;
  GridPainter painter{document, session};
  OverviewMap overview_map{document, session, painter, overview};
  DetailView detail_view{document, session, painter, {.detail = detail, .horizontal = horizontal, .vertical = vertical}};

  explicit MapFixture(int segments = 0) {
    document.Replace(ReadMeshFile(KORAVEL_SAMPLE_MESH).document.value(), KORAVEL_SAMPLE_MESH);
    overview.resize(2000 / 15, 1600 / 15);
    detail.resize(static_cast<int>(kDeviceWidth / device_ratio), static_cast<int>(kDeviceHeight / device_ratio));
    overview.show();
    detail.show();
    WaitUntilExposed(overview);
    WaitUntilExposed(detail);
    if (detail.DeviceRatio() != device_ratio) qFatal("the detail view is not at the ratio asked for");
    for (int i = 0; i < kZoomSteps; ++i) session.ZoomBy(Viewport::kZoomStep);
    // A long walk back and forth across the whole mesh, as a day's log is.
    TrackSet tracks;
    for (int i = 0; i < segments; ++i) {
      const double t = i * 0.01;
      tracks.Append({100 + 90 * std::sin(t), 100 + 90 * std::cos(1.3 * t),
                     100 + 90 * std::sin(t + 0.01), 100 + 90 * std::cos(1.3 * (t + 0.01))});
    }
    session.SetTracks(std::move(tracks));
  }
};

// Arguments: track segments, and 1 for shaded relief.
void BM_FullRedraw(benchmark::State& state) {
  MapFixture maps(static_cast<int>(state.range(0)));
  maps.session.SetShaded(state.range(1) != 0);
  for (auto _ : state) {
    maps.session.Redraw();
    maps.overview.repaint();
    maps.detail.repaint();
  }
}
BENCHMARK(BM_FullRedraw)
    ->ArgsProduct({{0, TrackSet::kCapacity}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// In and out by turns around a point of the view, as Ctrl+wheel does.
void BM_ZoomStep(benchmark::State& state) {
  MapFixture maps(static_cast<int>(state.range(0)));
  const QPointF pointer(maps.detail.width() * 15 / 3.0, maps.detail.height() * 15 / 3.0);
  bool in = true;
  for (auto _ : state) {
    maps.session.ZoomBy(in ? Viewport::kZoomStep : 1 / Viewport::kZoomStep, pointer);
    maps.detail.repaint();
    in = !in;
  }
}
BENCHMARK(BM_ZoomStep)->Arg(0)->Arg(TrackSet::kCapacity)->Unit(benchmark::kMillisecond);

void BM_ScrollStep(benchmark::State& state) {
  MapFixture maps(static_cast<int>(state.range(0)));
  int position = 1;
  for (auto _ : state) {
    position = position % maps.horizontal.maximum() + 1;
    maps.horizontal.setValue(position);
    maps.detail.repaint();
  }
}
BENCHMARK(BM_ScrollStep)->Arg(0)->Arg(TrackSet::kCapacity)->Unit(benchmark::kMillisecond);

// The detail view with contour lines every 10 m (the overview's every 50 m)
// repainted whole: as drawn (argument 0), and after one cell is painted
// (argument 1), when the lines of both maps are traced anew.
void BM_ContourRepaint(benchmark::State& state) {
  MapFixture maps;
  maps.session.SetContours({.shown = true});
  const bool after_edit = state.range(0) != 0;
  const QPoint cell = maps.session.ViewStart() + QPoint(6, 6);
  maps.document.BeginStroke();
  int height = 1234;
  for (auto _ : state) {
    if (after_edit) maps.document.PaintStroke({cell}, height ^= 1);
    maps.detail.repaint();
  }
}
BENCHMARK(BM_ContourRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One stroke event: the cell under the pointer joins the stroke's undo step
// and is repainted in both maps, and the widgets paint what changed.
void BM_BrushCell(benchmark::State& state) {
  MapFixture maps(static_cast<int>(state.range(0)));
  maps.document.BeginStroke();
  // A row in sight of the zoomed detail view.
  const int y = maps.session.ViewStart().y() + 6;
  int x = 1;
  for (auto _ : state) {
    x = x % 50 + 1;
    maps.document.PaintStroke({QPoint(x, y)}, 1234);
    // The window paints only what changed: the cell, in pixels of each map.
    const Viewport& viewport = maps.session.DetailViewport();
    maps.detail.repaint(QRectF((x - maps.session.ViewStart().x()) * viewport.CellWidth() / 15,
                               (y - maps.session.ViewStart().y()) * viewport.CellHeight() / 15, viewport.CellWidth() / 15,
                               viewport.CellHeight() / 15)
                            .toAlignedRect());
    maps.overview.repaint(QRectF((x - 1) * 10 / 15.0, (y - 1) * 8 / 15.0, 2, 2).toAlignedRect());
  }
}
BENCHMARK(BM_BrushCell)->Arg(0)->Arg(TrackSet::kCapacity)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--ratio=", 8) == 0) device_ratio = std::stod(argv[i] + 8);
  }
  qputenv("QT_SCALE_FACTOR", QByteArray::number(device_ratio));
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
