#include "views/map_views.h"

#include <QSignalBlocker>

#include "app/status_panels.h"
#include "edit/value_text.h"
#include "views/map_geometry.h"
#include "views/picture.h"
#include "views/position_readout.h"

namespace koravel {
namespace {

constexpr int kSelectedValueLength = 6;

}  // namespace

MapViews::MapViews(const MeshDocument& document, const ElevationScale& scale, ViewState& view,
                   const TrackSet& tracks, const Widgets& widgets)
    : document_(document), scale_(scale), view_(view), tracks_(tracks), widgets_(widgets) {
  widgets_.overview.SetOutline(Qt::white, ViewState::kViewCells * kOverviewCellWidth,
                               ViewState::kViewCells * kOverviewCellHeight);
  widgets_.detail.SetOutline(Qt::black, kDetailCellWidth, kDetailCellHeight);
}

QColor MapViews::CellColor(int x, int y) const {
  const RgbColor color = scale_.ElevationColor(document_.Elevation(x, y));
  return QColor(color.Red, color.Green, color.Blue);
}

// One box of 2 × 2 cells, coloured by its top-left cell, tiles the 200 × 200
// grid into 2000 × 1600 twips.
void MapViews::DrawOverview() {
  for (int i = 0; i < kMeshSize; i += 2) {
    for (int j = 0; j < kMeshSize; j += 2) {
      const int left = kOverviewCellWidth * i;
      const int top = kOverviewCellHeight * j;
      widgets_.overview.FillBox(left, top, 2 * kOverviewCellWidth, 2 * kOverviewCellHeight,
                                CellColor(i + 1, j + 1));
    }
  }
  DrawTracks();
  PlaceViewFrame();
}

void MapViews::DrawTracks() {
  if (tracks_shown_) widgets_.overview.DrawLines(TrackLines(0, 0, kOverviewCellWidth, kOverviewCellHeight), Qt::white);
}

// The segments in twips of a map whose origin lies at grid position
// (left, top) and whose cells are `width` × `height` twips.
QList<QLineF> MapViews::TrackLines(double left, double top, double width, double height) const {
  QList<QLineF> lines;
  lines.reserve(static_cast<qsizetype>(tracks_.Segments().size()));
  for (const TrackSegment& segment : tracks_.Segments()) {
    lines.append(QLineF((segment.X1 - left) * width, (segment.Y1 - top) * height,
                        (segment.X2 - left) * width, (segment.Y2 - top) * height));
  }
  return lines;
}

void MapViews::PlaceViewFrame() {
  widgets_.overview.MoveOutline((view_.MapXstart - 1) * kOverviewCellWidth,
                                (view_.MapYstart - 1) * kOverviewCellHeight);
}

void MapViews::DrawDetail() {
  for (int x = 0; x < ViewState::kViewCells; ++x) {
    for (int y = 0; y < ViewState::kViewCells; ++y) {
      const int left = kDetailCellWidth * x;
      const int top = kDetailCellHeight * y;
      widgets_.detail.FillBox(left, top, kDetailCellWidth, kDetailCellHeight,
                              CellColor(view_.MapXstart + x, view_.MapYstart + y));
    }
  }
  DrawDetailTracks();
}

// Every segment is drawn; the picture clips what lies outside the view.
void MapViews::DrawDetailTracks() {
  if (!tracks_shown_) return;
  widgets_.detail.DrawLines(TrackLines(view_.MapXstart - 1, view_.MapYstart - 1, kDetailCellWidth,
                                       kDetailCellHeight),
                            Qt::white);
}

void MapViews::PaintCell(int x, int y) {
  const int left = (x - view_.MapXstart) * kDetailCellWidth;
  const int top = (y - view_.MapYstart) * kDetailCellHeight;
  widgets_.detail.FillBox(left, top, kDetailCellWidth, kDetailCellHeight, CellColor(x, y));
}

void MapViews::ShowCursorPosition(int column, int row) {
  view_.PlaceCursor(column, row);
  widgets_.detail.MoveOutline(view_.ScrX * kDetailCellWidth, view_.ScrY * kDetailCellHeight);
  widgets_.status.SetText(StatusPanels::kRecordPosition,
                          QString::fromStdString(RecordPositionText(view_.MapX, view_.MapY)));
  widgets_.status.SetText(StatusPanels::kPosition, QString::fromStdString(LatitudeLongitudeText(
                                                       document_, view_.MapX, view_.MapY)));
  widgets_.value.setText(QString::fromStdString(ValueText(document_.Elevation(view_.MapX, view_.MapY))));
  widgets_.value.setFocus();
  widgets_.value.setSelection(0, kSelectedValueLength);
}

void MapViews::ResetView() {
  view_ = ViewState();
  const QSignalBlocker horizontal(widgets_.horizontal);
  const QSignalBlocker vertical(widgets_.vertical);
  widgets_.horizontal.setValue(view_.MapXstart);
  widgets_.vertical.setValue(view_.MapYstart);
}

void MapViews::HScroll1_Change(int position) {
  view_.MapXstart = static_cast<std::int16_t>(position);
  PlaceViewFrame();
  DrawDetail();
  ShowCursorWhereItIs();
}

void MapViews::VScroll1_Change(int position) {
  view_.MapYstart = static_cast<std::int16_t>(position);
  PlaceViewFrame();
  DrawDetail();
  ShowCursorWhereItIs();
}

// The bars follow the new view without running their own handlers, since
// everything they would draw is drawn once here.
void MapViews::Picture1_MouseDown(double x, double y) {
  view_.CentreOnOverviewPoint(x, y);
  {
    const QSignalBlocker horizontal(widgets_.horizontal);
    const QSignalBlocker vertical(widgets_.vertical);
    widgets_.horizontal.setValue(view_.MapXstart);
    widgets_.vertical.setValue(view_.MapYstart);
  }
  PlaceViewFrame();
  DrawDetail();
  ShowCursorWhereItIs();
}

void MapViews::ShowCursorWhereItIs() {
  ShowCursorPosition(view_.MapX - view_.MapXstart, view_.MapY - view_.MapYstart);
}

}  // namespace koravel
