#include "ui/views/grid_painter.h"

#include <QList>
#include <QPaintEngine>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/scale/scale_presets.h"
#include "core/views/repaint_geometry.h"
#include "ui/common/qt_bridge.h"
#include "ui/document/document.h"
#include "ui/document/editing_session.h"
#include "ui/views/omitted_row_brush.h"
#include "ui/views/picture.h"

namespace koravel {
namespace {

// On a raster device a cosmetic pen, one device pixel wide, takes Qt's fast
// antialiased line path, where a wider pen is stroked as an outline at five
// times the cost. A page or an SVG keeps lines of a width, which a printer
// would otherwise draw a hair's breadth.
QPen ContourPen(const QPainter& painter, bool bold, double ratio) {
  const QColor colour(60, 30, 0, bold ? 255 : 140);
  if (painter.paintEngine()->type() == QPaintEngine::Raster) return QPen(colour, 0);
  return QPen(colour, (bold ? 1.6 : 0.8) * ratio);
}

}  // namespace

GridPainter::GridPainter(const Document& document, const EditingSession& session)
    : document_(document), session_(session), difference_scale_(DifferenceScale()), slope_scale_(SlopeScale()) {
  connect(&document, &Document::Replaced, this, [this] {
    shade_computed_ = slope_computed_ = neighbours_read_ = false;
    traced_for_.reset();
    FollowDisplay();
  });
  connect(&document, &Document::FileNameChanged, this, [this] {
    neighbours_read_ = false;
    FollowDisplay();
  });
  connect(&session, &EditingSession::DisplayChanged, this, &GridPainter::FollowDisplay);
  connect(&session, &EditingSession::SelectionChanged, this,
          [this] { selection_outline_ = SelectionOutline(session_.Selection()); });
  connect(&document, &Document::CellsChanged, this, &GridPainter::FollowCells);
}

// Shade, slopes and contour lines are worked out when first shown and kept
// up to date from then on.
void GridPainter::FollowDisplay() {
  const MeshDocument& mesh = document_.Mesh();
  if (session_.Shaded() && (!shade_computed_ || hill_shade_.Light() != session_.Light())) {
    hill_shade_.SetLight(session_.Light());
    hill_shade_.Compute(mesh);
    shade_computed_ = true;
  }
  if (session_.ShowsSlope() && !slope_computed_) {
    slope_map_.Compute(mesh);
    slope_computed_ = true;
  }
  if (session_.Contours().shown && traced_for_ != session_.Contours()) TraceContours();
  if (session_.ShowsNeighbours() && !neighbours_read_) ReadNeighbours();
}

// The neighbours' files are read when first shown, and again for each
// file the mesh takes.
void GridPainter::ReadNeighbours() {
  const QString file = document_.FileName();
  neighbours_ = file.isEmpty() ? NeighbourGrid() : NeighbourGrid::Read(LocalPath(file), document_.Mesh().MeshCode.Text());
  neighbours_read_ = true;
}

// Shade and slope come from a cell's neighbours, so an edit works them out
// again around it; the contour lines are traced anew.
void GridPainter::FollowCells(const QRect& area) {
  const MeshDocument& mesh = document_.Mesh();
  if (shade_computed_) hill_shade_.Update(mesh, area.left(), area.top(), area.right(), area.bottom());
  if (slope_computed_) slope_map_.Update(mesh, area.left(), area.top(), area.right(), area.bottom());
  if (traced_for_) TraceContours();
}

void GridPainter::TraceContours() {
  const ContourSettings& settings = session_.Contours();
  const auto trace = [this, &settings](double interval) {
    auto lines = koravel::TraceContours(document_.Mesh(), {interval, settings.base});
    return std::holds_alternative<ErrorCode>(lines) ? std::vector<ContourLine>() : std::get<std::vector<ContourLine>>(lines);
  };
  detail_contours_ = trace(settings.detail_interval);
  overview_contours_ = trace(settings.overview_interval);
  traced_for_ = settings;
}

const ElevationScale& GridPainter::ShownScale() const {
  if (session_.ShowsDifference()) return difference_scale_;
  return session_.ShowsSlope() ? slope_scale_ : session_.Scale();
}

QString GridPainter::ShownScaleTitle() const {
  if (session_.ShowsDifference()) return QStringLiteral("参照との差 (m)");
  return session_.ShowsSlope() ? QStringLiteral("傾斜 (度)") : QStringLiteral("標高 (m)");
}

QRgb GridPainter::CellRgb(int x, int y) const {
  if (!OnGrid(x, y)) return NeighbourRgb(x, y);
  RgbColor color = session_.ShowsDifference() ? DifferenceColor(x, y)
                   : session_.ShowsSlope()    ? SlopeColor(x, y)
                                              : ShownScale().ElevationColor(document_.Mesh().Elevation(x, y));
  if (session_.Shaded()) color = hill_shade_.Shade(color, x, y);
  return qRgb(color.Red, color.Green, color.Blue);
}

// A neighbour's cells are drawn faded, so that they read as beside the
// mesh and not of it; where there is no neighbour, the background.
QRgb GridPainter::NeighbourRgb(int x, int y) const {
  const std::optional<std::int32_t> height = neighbours_.Elevation(x, y);
  if (!height) return background_;
  const RgbColor color = ShownScale().ElevationColor(*height);
  return qRgb((color.Red + 255) / 2, (color.Green + 255) / 2, (color.Blue + 255) / 2);
}

RgbColor GridPainter::DifferenceColor(int x, int y) const {
  const std::int32_t height = document_.Mesh().Elevation(x, y);
  const std::int32_t model = session_.Reference()->Elevation(x, y);
  if (height == kNoData || model == kNoData) return kNoDifferenceColor;
  return difference_scale_.ElevationColor(height - model);
}

// The slope scale's levels are degrees, as a height scale's are metres.
RgbColor GridPainter::SlopeColor(int x, int y) const {
  const float degrees = slope_map_.Degrees(x, y);
  if (std::isnan(degrees)) return kNoDifferenceColor;
  return slope_scale_.ElevationColor(static_cast<std::int32_t>(std::lround(degrees * 10)));
}

// The device pixel edges of a map's boxes, from the first box's left (top)
// edge to the last one's right (bottom) edge, the last box cut at the grid's end.
GridPainter::Edges GridPainter::EdgesOf(const GridFrame& frame) {
  const auto axis = [&](int cells, double cell) {
    std::vector<int> edges;
    for (int box = 0; box * frame.step < cells; ++box) edges.push_back(frame.picture.ToDevice(box * frame.step * cell));
    edges.push_back(frame.picture.ToDevice(cells * cell));
    return edges;
  };
  return {axis(frame.cells.width(), frame.cell.width()), axis(frame.cells.height(), frame.cell.height())};
}

void GridPainter::Render(QPainter& painter, const QRect& area, const GridFrame& frame) const {
  const QColor background = frame.picture.palette().color(QPalette::Window);
  background_ = background.rgb();
  if (!document_.IsOpen()) return painter.fillRect(area, background);
  const Edges edges = EdgesOf(frame);
  const QRect covered(QPoint(edges.xs.front(), edges.ys.front()), QPoint(edges.xs.back() - 1, edges.ys.back() - 1));
  PaintCells(painter, frame, edges, area.intersected(covered));
  if (session_.HatchOmittedRows()) HatchOmittedRows(painter, frame, edges, area.intersected(covered));
  for (const QRect& rest : QRegion(area).subtracted(covered)) painter.fillRect(rest, background);
  PaintContours(painter, frame, area);
  PaintTracks(painter, frame, area);
  PaintSelection(painter, frame);
  PaintSketches(painter, frame);
}

// The profile's line in yellow, the measured path in cyan, and the place
// the profile's chart points at as a red ring.
void GridPainter::PaintSketches(QPainter& painter, const GridFrame& frame) const {
  const double ratio = frame.picture.DeviceRatio();
  const auto polyline = [&](const std::vector<GridPoint>& points, QColor colour) {
    if (points.empty()) return;
    QPolygonF line;
    for (const GridPoint& point : points) line.append(DevicePoint(frame, point.X, point.Y));
    painter.setPen(QPen(colour, 2 * ratio));
    painter.drawPolyline(line);
    for (const QPointF& vertex : line) painter.drawEllipse(vertex, 2 * ratio, 2 * ratio);
  };
  painter.setRenderHint(QPainter::Antialiasing);
  polyline(session_.ProfileLine(), QColor(255, 220, 0));
  polyline(session_.MeasuredPath(), QColor(0, 220, 255));
  if (const std::optional<GridPoint> mark = session_.ProfileMark()) {
    painter.setPen(QPen(Qt::red, 2 * ratio));
    painter.drawEllipse(DevicePoint(frame, mark->X, mark->Y), 5 * ratio, 5 * ratio);
  }
  painter.setRenderHint(QPainter::Antialiasing, false);
}

// Thin dark lines, every fifth one darker, as on printed maps; only the
// lines that reach into `area` are drawn.
void GridPainter::PaintContours(QPainter& painter, const GridFrame& frame, const QRect& area) const {
  if (!session_.Contours().shown || frame.contours == nullptr) return;
  const double ratio = frame.picture.DeviceRatio();
  const QRectF reach = QRectF(area).adjusted(-2, -2, 2, 2);
  painter.setRenderHint(QPainter::Antialiasing);
  for (const ContourLine& line : *frame.contours) {
    QPolygonF points;
    points.reserve(static_cast<qsizetype>(line.Points.size()));
    for (const GridPoint& point : line.Points) points.append(DevicePoint(frame, point.X, point.Y));
    if (!reach.intersects(points.boundingRect())) continue;
    painter.setPen(ContourPen(painter, line.Bold, ratio));
    painter.drawPolyline(points);
  }
  painter.setRenderHint(QPainter::Antialiasing, false);
}

// A point of the grid frame (0, 0 at the north-west corner of cell 1, 1) in
// the device pixels of a map.
QPointF GridPainter::DevicePoint(const GridFrame& frame, double x, double y) const {
  const double scale = frame.picture.DeviceRatio() / double{kTwipsPerPixel};
  return {(x - (frame.origin.x() - 1)) * frame.cell.width() * scale, (y - (frame.origin.y() - 1)) * frame.cell.height() * scale};
}

void GridPainter::RepaintEdit(const GridFrame& frame, const QRect& area) const {
  const bool reaches_neighbours = session_.Shaded() || session_.ShowsSlope() || session_.Contours().shown;
  const CellRect changed =
      CellsChangedByEdit({area.left(), area.top(), area.right(), area.bottom()}, reaches_neighbours);
  const QRect shown = QRect(QPoint(changed.left, changed.top), QPoint(changed.right, changed.bottom))
                          .intersected(QRect(frame.origin, frame.cells));
  if (!document_.IsOpen() || shown.isEmpty()) return;
  const Edges edges = EdgesOf(frame);
  const auto box = [&](int offset) { return offset / frame.step; };
  const QPoint first = shown.topLeft() - frame.origin;
  const QPoint last = shown.bottomRight() - frame.origin;
  frame.picture.InvalidateDevice(QRect(QPoint(edges.xs[box(first.x())], edges.ys[box(first.y())]),
                              QPoint(edges.xs[box(last.x()) + 1] - 1, edges.ys[box(last.y()) + 1] - 1)));
}

// Paints the boxes within `area`, each coloured by its top-left cell: a strip
// of one row of boxes at a time, one scan line filled and copied down.
void GridPainter::PaintCells(QPainter& painter, const GridFrame& frame, const Edges& edges, const QRect& area) const {
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
    // An image of the strip's own size: an SVG file takes a whole image and
    // would stretch a reused larger one over the box.
    const QImage box(strip_.constBits(), width, height, strip_.bytesPerLine(), QImage::Format_RGB32);
    painter.drawImage(QPoint(area.left(), top), box);
  }
}

// Rows the file omits have no data, as sea has none; a hatch over their
// colour tells the two apart.
void GridPainter::HatchOmittedRows(QPainter& painter, const GridFrame& frame, const Edges& edges,
                                   const QRect& area) const {
  const MeshDocument& mesh = document_.Mesh();
  const int last = std::min(frame.origin.y() + frame.cells.height() - 1, kMeshSize);
  for (int row = std::max(frame.origin.y(), 1); row <= last; ++row) {
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

// The segments that reach into `area` (device pixels), in white.
void GridPainter::PaintTracks(QPainter& painter, const GridFrame& frame, const QRect& area) const {
  const TrackSet& tracks = session_.Tracks();
  if (!session_.TracksShown() || tracks.Segments().empty() || area.isEmpty()) return;
  const QPointF origin = frame.origin - QPointF(1, 1);
  const double x_scale = frame.cell.width() * frame.picture.DeviceRatio() / double{kTwipsPerPixel};
  const double y_scale = frame.cell.height() * frame.picture.DeviceRatio() / double{kTwipsPerPixel};
  const QRectF reach = QRectF(area).adjusted(-1, -1, 1, 1);
  QList<QLineF> lines;
  lines.reserve(static_cast<qsizetype>(tracks.Segments().size()));
  for (const TrackSegment& segment : tracks.Segments()) {
    const QLineF line((segment.X1 - origin.x()) * x_scale, (segment.Y1 - origin.y()) * y_scale,
                      (segment.X2 - origin.x()) * x_scale, (segment.Y2 - origin.y()) * y_scale);
    if (reach.intersects(QRectF(line.p1(), line.p2()).normalized().adjusted(-1, -1, 1, 1))) lines.append(line);
  }
  painter.setPen(QPen(Qt::white, 0));
  painter.drawLines(lines);
}

// White under black dashes, so the border shows on every colour.
void GridPainter::PaintSelection(QPainter& painter, const GridFrame& frame) const {
  if (selection_outline_.empty()) return;
  const QPointF origin = frame.origin - QPointF(1, 1);
  const double ratio = frame.picture.DeviceRatio();
  const auto at = [&](int x, int y) {
    return QPointF(frame.picture.ToDevice((x - origin.x()) * frame.cell.width()),
                   frame.picture.ToDevice((y - origin.y()) * frame.cell.height()));
  };
  QList<QLineF> lines;
  lines.reserve(static_cast<qsizetype>(selection_outline_.size()));
  for (const OutlineEdge& edge : selection_outline_) lines.append(QLineF(at(edge.x1, edge.y1), at(edge.x2, edge.y2)));
  const double width = std::max(1.0, std::round(ratio));
  painter.setPen(QPen(Qt::white, width));
  painter.drawLines(lines);
  QPen dashes(Qt::black, width, Qt::CustomDashLine);
  dashes.setDashPattern({3, 3});
  painter.setPen(dashes);
  painter.drawLines(lines);
}

}  // namespace koravel
