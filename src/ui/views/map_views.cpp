#include "views/map_views.h"

#include <QSignalBlocker>
#include <algorithm>

#include "app/status_panels.h"
#include "edit/value_text.h"
#include "views/map_geometry.h"
#include "views/picture.h"
#include "views/position_readout.h"

namespace koravel {
namespace {

constexpr int kSelectedValueLength = 6;

constexpr QRect kWholeMesh(1, 1, kMeshSize, kMeshSize);

// The cells of `area` widened to whole 2 × 2 boxes of the overview, counted from 0.
QRect OverviewBoxCells(const QRect& area) {
  return QRect(QPoint((area.left() - 1) & ~1, (area.top() - 1) & ~1),
               QPoint((area.right() - 1) | 1, (area.bottom() - 1) | 1));
}

}  // namespace

MapViews::MapViews(const Document& document, const ElevationScale& scale, ViewState& view,
                   const TrackSet& tracks, const Widgets& widgets)
    : document_(document), scale_(scale), view_(view), tracks_(tracks), widgets_(widgets) {
  widgets_.overview.SetOutline(Qt::white, ViewState::kViewCells * kOverviewCellWidth,
                               ViewState::kViewCells * kOverviewCellHeight);
  widgets_.detail.SetOutline(Qt::black, kDetailCellWidth, kDetailCellHeight);
  connect(&document, &Document::CellsChanged, this, &MapViews::RepaintCells);
  connect(&document, &Document::EditRevisited, this, &MapViews::ShowCell);
}

QColor MapViews::CellColor(int x, int y) const {
  const RgbColor color = scale_.ElevationColor(document_.Mesh().Elevation(x, y));
  return QColor(color.Red, color.Green, color.Blue);
}

void MapViews::DrawOverview() {
  PaintOverviewBoxes(kWholeMesh);
  DrawTracks();
  PlaceViewFrame();
}

// One box of 2 × 2 cells, coloured by its top-left cell, tiles the 200 × 200
// grid into 2000 × 1600 twips.
void MapViews::PaintOverviewBoxes(const QRect& area) {
  const QRect boxes = OverviewBoxCells(area);
  for (int i = boxes.left(); i <= boxes.right(); i += 2) {
    for (int j = boxes.top(); j <= boxes.bottom(); j += 2) {
      widgets_.overview.FillBox(kOverviewCellWidth * i, kOverviewCellHeight * j, 2 * kOverviewCellWidth,
                                2 * kOverviewCellHeight, CellColor(i + 1, j + 1));
    }
  }
}

void MapViews::DrawTracks(const QRect& clip) {
  if (!tracks_shown_) return;
  widgets_.overview.DrawLines(TrackLines(0, 0, kOverviewCellWidth, kOverviewCellHeight), Qt::white, clip);
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
  PaintDetailCells(QRect(view_.MapXstart, view_.MapYstart, ViewState::kViewCells, ViewState::kViewCells));
  DrawDetailTracks();
}

void MapViews::PaintDetailCells(const QRect& area) {
  for (int x = area.left(); x <= area.right(); ++x) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
      widgets_.detail.FillBox((x - view_.MapXstart) * kDetailCellWidth, (y - view_.MapYstart) * kDetailCellHeight,
                              kDetailCellWidth, kDetailCellHeight, CellColor(x, y));
    }
  }
}

// Every segment is drawn; the picture clips what lies outside the view, or
// outside `clip` (in twips) where one is given.
void MapViews::DrawDetailTracks(const QRect& clip) {
  if (!tracks_shown_) return;
  widgets_.detail.DrawLines(TrackLines(view_.MapXstart - 1, view_.MapYstart - 1, kDetailCellWidth,
                                       kDetailCellHeight),
                            Qt::white, clip);
}

// The overview's boxes are coloured by their top-left cell, so an edit of
// any other cell leaves its box as it is; repainting the box costs no more.
void MapViews::RepaintCells(const QRect& area) {
  PaintOverviewBoxes(area);
  const QRect boxes = OverviewBoxCells(area);
  DrawTracks(QRect(boxes.left() * kOverviewCellWidth, boxes.top() * kOverviewCellHeight,
                   boxes.width() * kOverviewCellWidth, boxes.height() * kOverviewCellHeight));
  const QRect shown = area.intersected(
      QRect(view_.MapXstart, view_.MapYstart, ViewState::kViewCells, ViewState::kViewCells));
  if (shown.isEmpty()) return;
  PaintDetailCells(shown);
  DrawDetailTracks(QRect((shown.left() - view_.MapXstart) * kDetailCellWidth,
                         (shown.top() - view_.MapYstart) * kDetailCellHeight, shown.width() * kDetailCellWidth,
                         shown.height() * kDetailCellHeight));
}

void MapViews::ShowCursorPosition(int column, int row) {
  view_.PlaceCursor(column, row);
  widgets_.detail.MoveOutline(view_.ScrX * kDetailCellWidth, view_.ScrY * kDetailCellHeight);
  widgets_.status.SetText(StatusPanels::kRecordPosition,
                          QString::fromStdString(RecordPositionText(view_.MapX, view_.MapY)));
  widgets_.status.SetText(StatusPanels::kPosition, QString::fromStdString(LatitudeLongitudeText(
                                                       document_.Mesh(), view_.MapX, view_.MapY)));
  widgets_.value.setText(QString::fromStdString(ValueText(document_.Mesh().Elevation(view_.MapX, view_.MapY))));
  widgets_.value.setFocus();
  widgets_.value.setSelection(0, kSelectedValueLength);
}

void MapViews::ResetView() {
  view_ = ViewState();
  ShowViewStart();
}

void MapViews::ShowCell(QPoint cell) {
  const int last_start = ViewState::kLastViewStart;
  const auto scrolled = [](int start, int position) {
    return std::clamp(start, position - ViewState::kViewCells + 1, position);
  };
  view_.MapXstart = static_cast<std::int16_t>(std::min(scrolled(view_.MapXstart, cell.x()), last_start));
  view_.MapYstart = static_cast<std::int16_t>(std::min(scrolled(view_.MapYstart, cell.y()), last_start));
  ShowViewStart();
  PlaceViewFrame();
  DrawDetail();
  ShowCursorPosition(cell.x() - view_.MapXstart, cell.y() - view_.MapYstart);
}

// The bars follow the view without running their own handlers.
void MapViews::ShowViewStart() {
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

void MapViews::Picture1_MouseDown(double x, double y) {
  view_.CentreOnOverviewPoint(x, y);
  ShowViewStart();
  PlaceViewFrame();
  DrawDetail();
  ShowCursorWhereItIs();
}

void MapViews::ShowCursorWhereItIs() {
  ShowCursorPosition(view_.MapX - view_.MapXstart, view_.MapY - view_.MapYstart);
}

}  // namespace koravel
