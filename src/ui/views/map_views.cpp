#include "ui/views/map_views.h"

#include <QPainter>
#include <QRegion>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "ui/common/qt_bridge.h"
#include "ui/common/status_panels.h"
#include "core/text/value_text.h"
#include "core/views/map_geometry.h"
#include "ui/views/omitted_row_brush.h"
#include "ui/views/picture.h"
#include "core/views/position_readout.h"

namespace koravel {
namespace {

constexpr int kSelectedValueLength = 6;
constexpr int kWheelCells = 3;   // cells scrolled per notch of the wheel
constexpr int kWheelNotch = 120;
// Above this grey the cursor is drawn black, below it white.
constexpr int kLightCell = 128;

}  // namespace

MapViews::MapViews(const Document& document, const ElevationScale& scale, ViewState& view,
                   const TrackSet& tracks, const Widgets& widgets)
    : document_(document), scale_(scale), view_(view), tracks_(tracks), widgets_(widgets) {
  widgets_.overview.SetRenderer(
      [this](QPainter& painter, const QRect& area) { Render(painter, area, OverviewFrame(), overview_drawn_); });
  widgets_.detail.SetRenderer(
      [this](QPainter& painter, const QRect& area) { Render(painter, area, DetailFrame(), detail_drawn_); });
  connect(&document, &Document::CellsChanged, this, &MapViews::RepaintCells);
  connect(&document, &Document::EditRevisited, this, &MapViews::ShowCell);
  connect(&document, &Document::Replaced, this, [this] { SetShaded(shaded_); });
  connect(&widgets_.detail, &Picture::Resized, this, &MapViews::FollowDetailSize);
  ConnectPointer();
  FollowDetailSize();
}

void MapViews::ConnectPointer() {
  widgets_.overview.setMouseTracking(true);
  widgets_.detail.setMouseTracking(true);
  connect(&widgets_.detail, &Picture::Wheeled, this, &MapViews::Detail_Wheel);
  connect(&widgets_.detail, &Picture::Pressed, this, &MapViews::Detail_Pressed);
  connect(&widgets_.detail, &Picture::Moved, this, &MapViews::Detail_Moved);
  connect(&widgets_.detail, &Picture::Released, this, [this](Qt::MouseButton button) {
    if (button == Qt::MiddleButton) pan_from_.reset();
  });
  // Dragging over the overview drags the view's frame along.
  connect(&widgets_.overview, &Picture::Moved, this, [this](double x, double y, Qt::MouseButtons buttons) {
    if (buttons & Qt::LeftButton) Picture1_MouseDown(x, y);
    const QPoint cell(static_cast<int>(x / kOverviewCellWidth) + 1, static_cast<int>(y / kOverviewCellHeight) + 1);
    ShowPointerCell(QRect(1, 1, kMeshSize, kMeshSize).contains(cell) ? std::optional(cell) : std::nullopt);
  });
  for (Picture* map : {&widgets_.overview, &widgets_.detail}) {
    connect(map, &Picture::PointerLeft, this, [this] { ShowPointerCell(std::nullopt); });
  }
}

void MapViews::SetHatchOmittedRows(bool hatched) {
  hatch_omitted_rows_ = hatched;
  RefreshDrawnMaps();
}

void MapViews::SetShaded(bool shaded) {
  shaded_ = shaded;
  if (shaded_) hill_shade_.Compute(document_.Mesh());
  RefreshDrawnMaps();
}

// Maps not drawn yet stay empty until their first drawing.
void MapViews::RefreshDrawnMaps() {
  if (overview_drawn_) widgets_.overview.Invalidate();
  if (detail_drawn_) widgets_.detail.Invalidate();
  ShowCursorColor();
}

QRgb MapViews::CellRgb(int x, int y) const {
  RgbColor color = scale_.ElevationColor(document_.Mesh().Elevation(x, y));
  if (shaded_) color = hill_shade_.Shade(color, x, y);
  return qRgb(color.Red, color.Green, color.Blue);
}

void MapViews::DrawOverview() {
  overview_drawn_ = true;
  widgets_.overview.Invalidate();
  PlaceViewFrame();
}

void MapViews::DrawTracks() { widgets_.overview.Invalidate(); }

// One box of 2 × 2 cells, coloured by its top-left cell, tiles the 200 × 200
// grid into 2000 × 1600 twips.
MapViews::GridFrame MapViews::OverviewFrame() const {
  return {widgets_.overview, QPoint(1, 1), QSize(kMeshSize, kMeshSize),
          QSizeF(kOverviewCellWidth, kOverviewCellHeight), 2};
}

// The cells the viewport shows from the view's start, to the grid's end.
MapViews::GridFrame MapViews::DetailFrame() const {
  const QPoint first(view_.MapXstart, view_.MapYstart);
  const QSize cells(std::min(viewport_.VisibleColumns(), kMeshSize + 1 - first.x()),
                    std::min(viewport_.VisibleRows(), kMeshSize + 1 - first.y()));
  return {widgets_.detail, first, cells, QSizeF(viewport_.CellWidth(), viewport_.CellHeight()), 1};
}

// The device pixel edges of a map's boxes, from the first box's left (top)
// edge to the last one's right (bottom) edge, the last box cut at the grid's end.
MapViews::GridEdges MapViews::Edges(const GridFrame& frame) {
  const auto axis = [&](int cells, double cell) {
    std::vector<int> edges;
    for (int box = 0; box * frame.step < cells; ++box) edges.push_back(frame.picture.ToDevice(box * frame.step * cell));
    edges.push_back(frame.picture.ToDevice(cells * cell));
    return edges;
  };
  return {axis(frame.cells.width(), frame.cell.width()), axis(frame.cells.height(), frame.cell.height())};
}

// The cells, the background round them, then the track segments, as far as
// they reach into `area` (device pixels).
void MapViews::Render(QPainter& painter, const QRect& area, const GridFrame& frame, bool drawn) const {
  const QColor background = frame.picture.palette().color(QPalette::Window);
  if (!drawn) return painter.fillRect(area, background);
  const GridEdges edges = Edges(frame);
  const QRect covered(QPoint(edges.xs.front(), edges.ys.front()), QPoint(edges.xs.back() - 1, edges.ys.back() - 1));
  PaintGrid(painter, frame, edges, area.intersected(covered));
  if (hatch_omitted_rows_) HatchOmittedRows(painter, frame, edges, area.intersected(covered));
  for (const QRect& rest : QRegion(area).subtracted(covered)) painter.fillRect(rest, background);
  PaintTracks(painter, frame, area);
}

// Rows the file omits have no data, as sea has none; a hatch over their
// colour tells the two apart.
void MapViews::HatchOmittedRows(QPainter& painter, const GridFrame& frame, const GridEdges& edges,
                                const QRect& area) const {
  const MeshDocument& mesh = document_.Mesh();
  const int last = frame.origin.y() + frame.cells.height() - 1;
  for (int row = frame.origin.y(); row <= last; ++row) {
    if (mesh.IsRowPresent(row)) continue;
    int end = row;
    while (end < last && !mesh.IsRowPresent(end + 1)) ++end;
    const int top = frame.picture.ToDevice((row - frame.origin.y()) * frame.cell.height());
    const int bottom = frame.picture.ToDevice((end + 1 - frame.origin.y()) * frame.cell.height());
    const QRect rows = QRect(QPoint(edges.xs.front(), top), QPoint(edges.xs.back() - 1, bottom - 1)).intersected(area);
    if (!rows.isEmpty()) painter.fillRect(rows, OmittedRowBrush(CellRgb(frame.origin.x(), row)));
    row = end;
  }
}

// Only the boxes holding cells of `area` are painted again.
void MapViews::RepaintIn(Picture& picture, const GridFrame& frame, bool drawn, const QRect& area) const {
  const QRect shown = area.intersected(QRect(frame.origin, frame.cells));
  if (!drawn || shown.isEmpty()) return;
  const GridEdges edges = Edges(frame);
  const QPoint first = shown.topLeft() - frame.origin;
  const QPoint last = shown.bottomRight() - frame.origin;
  const auto box = [&](int cell) { return cell / frame.step; };
  picture.InvalidateDevice(QRect(QPoint(edges.xs[box(first.x())], edges.ys[box(first.y())]),
                                 QPoint(edges.xs[box(last.x()) + 1] - 1, edges.ys[box(last.y()) + 1] - 1)));
}

// Paints the boxes within `area`, each coloured by its top-left cell: a strip
// of one row of boxes at a time, one scan line filled and copied down.
void MapViews::PaintGrid(QPainter& painter, const GridFrame& frame, const GridEdges& edges, const QRect& area) const {
  if (area.isEmpty()) return;
  const auto box_at = [](const std::vector<int>& edges_of_axis, int pixel) {
    return static_cast<int>(std::upper_bound(edges_of_axis.begin(), edges_of_axis.end() - 1, pixel) -
                            edges_of_axis.begin()) - 1;
  };
  const int width = area.width();
  const int first_column = box_at(edges.xs, area.left());
  const int last_column = box_at(edges.xs, area.right());
  for (int row = box_at(edges.ys, area.top()); row <= box_at(edges.ys, area.bottom()); ++row) {
    const int top = std::max(edges.ys[row], area.top());
    const int height = std::min(edges.ys[row + 1], area.bottom() + 1) - top;
    if (height <= 0) continue;
    if (strip_.width() < width || strip_.height() < height) strip_ = QImage(width, height, QImage::Format_RGB32);
    auto* line = reinterpret_cast<QRgb*>(strip_.scanLine(0));
    for (int column = first_column; column <= last_column; ++column) {
      const QRgb rgb = CellRgb(frame.origin.x() + column * frame.step, frame.origin.y() + row * frame.step);
      std::fill(line + std::max(edges.xs[column] - area.left(), 0),
                line + std::min(edges.xs[column + 1] - area.left(), width), rgb);
    }
    for (int y = 1; y < height; ++y) std::memcpy(strip_.scanLine(y), line, width * sizeof(QRgb));
    painter.drawImage(QPoint(area.left(), top), strip_, QRect(0, 0, width, height));
  }
}

// The segments that reach into `area` (device pixels), in white.
void MapViews::PaintTracks(QPainter& painter, const GridFrame& frame, const QRect& area) const {
  if (!tracks_shown_ || tracks_.Segments().empty() || area.isEmpty()) return;
  const QPointF origin = frame.origin - QPointF(1, 1);
  const double x_scale = frame.cell.width() * frame.picture.DeviceRatio() / double{kTwipsPerPixel};
  const double y_scale = frame.cell.height() * frame.picture.DeviceRatio() / double{kTwipsPerPixel};
  const QRectF reach = QRectF(area).adjusted(-1, -1, 1, 1);
  QList<QLineF> lines;
  lines.reserve(static_cast<qsizetype>(tracks_.Segments().size()));
  for (const TrackSegment& segment : tracks_.Segments()) {
    const QLineF line((segment.X1 - origin.x()) * x_scale, (segment.Y1 - origin.y()) * y_scale,
                      (segment.X2 - origin.x()) * x_scale, (segment.Y2 - origin.y()) * y_scale);
    if (reach.intersects(QRectF(line.p1(), line.p2()).normalized().adjusted(-1, -1, 1, 1))) lines.append(line);
  }
  painter.setPen(QPen(Qt::white, 0));
  painter.drawLines(lines);
}

void MapViews::PlaceViewFrame() {
  widgets_.overview.MoveOutline((view_.MapXstart - 1) * kOverviewCellWidth,
                                (view_.MapYstart - 1) * kOverviewCellHeight);
}

void MapViews::DrawDetail() {
  detail_drawn_ = true;
  widgets_.detail.Invalidate();
}

// Shading takes its slope from the neighbours, so an edit reshades them too.
void MapViews::RepaintCells(const QRect& area) {
  QRect changed = area;
  if (shaded_) {
    hill_shade_.Update(document_.Mesh(), area.left(), area.top(), area.right(), area.bottom());
    changed = area.adjusted(-1, -1, 1, 1).intersected(QRect(1, 1, kMeshSize, kMeshSize));
  }
  RepaintIn(widgets_.overview, OverviewFrame(), overview_drawn_, changed);
  RepaintIn(widgets_.detail, DetailFrame(), detail_drawn_, changed);
  ShowCursorColor();
}

void MapViews::ShowCursorPosition(int column, int row) {
  view_.PlaceCursor(column, row);
  widgets_.detail.MoveOutline(static_cast<int>(std::lround(view_.ScrX * viewport_.CellWidth())),
                              static_cast<int>(std::lround(view_.ScrY * viewport_.CellHeight())));
  ShowCursorColor();
  widgets_.status.SetText(StatusPanels::kRecordPosition,
                          QString::fromStdString(RecordPositionText(view_.MapX, view_.MapY)));
  widgets_.status.SetText(StatusPanels::kPosition, QString::fromStdString(LatitudeLongitudeText(
                                                       document_.Mesh(), view_.MapX, view_.MapY)));
  widgets_.value.setText(QString::fromStdString(ValueText(document_.Mesh().Elevation(view_.MapX, view_.MapY))));
  widgets_.value.setFocus();
  widgets_.value.setSelection(0, kSelectedValueLength);
}

// Black on light cells, white on dark ones, so the cursor shows on every band.
void MapViews::ShowCursorColor() {
  const bool light = qGray(CellRgb(view_.MapX, view_.MapY)) >= kLightCell;
  widgets_.detail.SetOutlineColor(light ? Qt::black : Qt::white);
}

void MapViews::ResetView() {
  view_ = ViewState();
  ShowViewStart();
}

void MapViews::ShowCell(QPoint cell) {
  const auto scrolled = [](int start, int position, int shown, int last) {
    return static_cast<std::int16_t>(std::min(std::clamp(start, position - shown + 1, position), last));
  };
  const QPoint start(view_.MapXstart, view_.MapYstart);
  view_.MapXstart = scrolled(view_.MapXstart, cell.x(), viewport_.Columns(), viewport_.LastStartColumn());
  view_.MapYstart = scrolled(view_.MapYstart, cell.y(), viewport_.Rows(), viewport_.LastStartRow());
  if (start != QPoint(view_.MapXstart, view_.MapYstart)) {
    ShowViewStart();
    PlaceViewFrame();
    DrawDetail();
  }
  ShowCursorPosition(cell.x() - view_.MapXstart, cell.y() - view_.MapYstart);
}

void MapViews::ShowViewAt(QPoint start, QPoint cursor) {
  view_.MapXstart = static_cast<std::int16_t>(std::clamp(start.x(), 1, viewport_.LastStartColumn()));
  view_.MapYstart = static_cast<std::int16_t>(std::clamp(start.y(), 1, viewport_.LastStartRow()));
  ShowViewStart();
  PlaceViewFrame();
  DrawDetail();
  ShowCursorPosition(cursor.x() - view_.MapXstart, cursor.y() - view_.MapYstart);
}

// The bars follow the view without running their own handlers.
void MapViews::ShowViewStart() {
  const QSignalBlocker horizontal(widgets_.horizontal);
  const QSignalBlocker vertical(widgets_.vertical);
  widgets_.horizontal.setValue(view_.MapXstart);
  widgets_.vertical.setValue(view_.MapYstart);
}

void MapViews::FollowDetailSize() {
  viewport_.SetSize(widgets_.detail.width() * kTwipsPerPixel, widgets_.detail.height() * kTwipsPerPixel);
  ShowViewGeometry();
}

// The bars' range and page, the frame and the cursor follow the number and
// size of the cells the viewport shows.
void MapViews::ShowViewGeometry() {
  view_.MapXstart = static_cast<std::int16_t>(std::clamp<int>(view_.MapXstart, 1, viewport_.LastStartColumn()));
  view_.MapYstart = static_cast<std::int16_t>(std::clamp<int>(view_.MapYstart, 1, viewport_.LastStartRow()));
  {
    const QSignalBlocker horizontal(widgets_.horizontal);
    const QSignalBlocker vertical(widgets_.vertical);
    widgets_.horizontal.setRange(1, viewport_.LastStartColumn());
    widgets_.horizontal.setPageStep(viewport_.Columns());
    widgets_.vertical.setRange(1, viewport_.LastStartRow());
    widgets_.vertical.setPageStep(viewport_.Rows());
  }
  ShowViewStart();
  widgets_.overview.SetOutline(Qt::white, viewport_.Columns() * kOverviewCellWidth,
                               viewport_.Rows() * kOverviewCellHeight);
  const int pen = std::max(2, static_cast<int>(std::lround(2 * widgets_.detail.DeviceRatio())));
  widgets_.detail.SetOutline(Qt::black, static_cast<int>(std::lround(viewport_.CellWidth())),
                             static_cast<int>(std::lround(viewport_.CellHeight())), pen);
  PlaceViewFrame();
  RefreshDrawnMaps();
  view_.PlaceCursor(view_.MapX - view_.MapXstart, view_.MapY - view_.MapYstart);
  widgets_.detail.MoveOutline(static_cast<int>(std::lround(view_.ScrX * viewport_.CellWidth())),
                              static_cast<int>(std::lround(view_.ScrY * viewport_.CellHeight())));
}

void MapViews::ZoomBy(double factor, std::optional<QPointF> around) {
  const QPointF point = around.value_or(QPointF(viewport_.Columns() * viewport_.CellWidth() / 2,
                                                viewport_.Rows() * viewport_.CellHeight() / 2));
  const auto [column, row] = viewport_.CellAt(point.x(), point.y());
  const QPoint cell(view_.MapXstart + column, view_.MapYstart + row);
  viewport_.SetZoom(viewport_.Zoom() * factor);
  const auto [new_column, new_row] = viewport_.CellAt(point.x(), point.y());
  view_.MapXstart = static_cast<std::int16_t>(cell.x() - new_column);
  view_.MapYstart = static_cast<std::int16_t>(cell.y() - new_row);
  ShowViewGeometry();
}

void MapViews::ZoomToActualSize() { ZoomBy(1 / viewport_.Zoom()); }

void MapViews::MoveViewTo(int column, int row) {
  const QPoint start(std::clamp(column, 1, viewport_.LastStartColumn()), std::clamp(row, 1, viewport_.LastStartRow()));
  if (start != QPoint(view_.MapXstart, view_.MapYstart)) {
    view_.MapXstart = static_cast<std::int16_t>(start.x());
    view_.MapYstart = static_cast<std::int16_t>(start.y());
    ShowViewStart();
    PlaceViewFrame();
    DrawDetail();
  }
  ShowCursorWhereItIs();
}

// Ctrl zooms around the pointer; Shift, or a sideways wheel, scrolls across.
void MapViews::Detail_Wheel(double x, double y, QPoint delta, Qt::KeyboardModifiers modifiers) {
  if (modifiers & Qt::ControlModifier) {
    ZoomBy(std::pow(Viewport::kZoomStep, double(delta.y()) / kWheelNotch), QPointF(x, y));
    return;
  }
  const bool across = (modifiers & Qt::ShiftModifier) || delta.y() == 0;
  const int cells = -(delta.y() != 0 ? delta.y() : delta.x()) * kWheelCells / kWheelNotch;
  if (across) {
    MoveViewTo(view_.MapXstart + cells, view_.MapYstart);
  } else {
    MoveViewTo(view_.MapXstart, view_.MapYstart + cells);
  }
}

void MapViews::Detail_Pressed(double x, double y, Qt::MouseButton button) {
  if (button != Qt::MiddleButton) return;
  pan_from_ = QPointF(x, y);
  pan_start_ = QPoint(view_.MapXstart, view_.MapYstart);
}

// A middle-button drag carries the cells along with the pointer.
void MapViews::Detail_Moved(double x, double y, Qt::MouseButtons buttons) {
  if ((buttons & Qt::MiddleButton) && pan_from_) {
    MoveViewTo(pan_start_.x() + static_cast<int>(std::lround((pan_from_->x() - x) / viewport_.CellWidth())),
               pan_start_.y() + static_cast<int>(std::lround((pan_from_->y() - y) / viewport_.CellHeight())));
  }
  const auto [column, row] = viewport_.CellAt(x, y);
  const QPoint cell(view_.MapXstart + column, view_.MapYstart + row);
  const bool shown = column >= 0 && row >= 0 && column < viewport_.VisibleColumns() && row < viewport_.VisibleRows() &&
                     cell.x() <= kMeshSize && cell.y() <= kMeshSize;
  ShowPointerCell(shown ? std::optional(cell) : std::nullopt);
}

void MapViews::ShowPointerCell(std::optional<QPoint> cell) {
  if (!cell || !detail_drawn_) {
    widgets_.pointer.setText(QString());
    return;
  }
  const std::int32_t value = document_.Mesh().Elevation(cell->x(), cell->y());
  widgets_.pointer.setText(QStringLiteral("ポインタ %1\n標高 : %2")
                              .arg(QString::fromStdString(RecordPositionText(cell->x(), cell->y())),
                                   QString::fromStdString(ValueText(value))));
}

void MapViews::HScroll1_Change(int position) { MoveViewTo(position, view_.MapYstart); }

void MapViews::VScroll1_Change(int position) { MoveViewTo(view_.MapXstart, position); }

void MapViews::Picture1_MouseDown(double x, double y) {
  ViewState centred = view_;
  centred.CentreOnOverviewPoint(x, y, viewport_.Columns(), viewport_.Rows());
  MoveViewTo(centred.MapXstart, centred.MapYstart);
}

void MapViews::ShowCursorWhereItIs() {
  ShowCursorPosition(view_.MapX - view_.MapXstart, view_.MapY - view_.MapYstart);
}

}  // namespace koravel
