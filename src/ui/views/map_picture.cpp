#include "ui/views/map_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "core/geo/mesh_georeference.h"
#include "core/geo/path_measure.h"
#include "core/mesh/mesh_document.h"
#include "ui/common/qt_bridge.h"
#include "ui/document/document.h"
#include "ui/document/editing_session.h"
#include "ui/views/grid_painter.h"
#include "ui/views/picture.h"

namespace koravel {
namespace {

constexpr int kMargin = 16;
constexpr int kTitleHeight = 28;
constexpr int kLegendWidth = 110;
constexpr int kSwatch = 14;
constexpr int kTextPixels = 12;
constexpr int kFooterHeight = 40;
// A cell is 1.5" high and 2.25" wide, drawn 4 high for 5 wide as the window does.
constexpr double kCellAspect = 0.8;

QString Trimmed(const Cp932Text& text) {
  return QString::fromStdString(text.Text()).trimmed().remove(QChar(0x3000));
}

// A round length for the scale bar: 1, 2 or 5 times a power of ten metres.
double RoundMetres(double wanted) {
  const double power = std::pow(10, std::floor(std::log10(wanted)));
  for (double factor : {5.0, 2.0, 1.0}) {
    if (factor * power <= wanted) return factor * power;
  }
  return power;
}

}  // namespace

QSize MapPicture::MapCells(Area area) const {
  if (area == Area::WholeMesh) return {kMeshSize, kMeshSize};
  const Viewport& viewport = session_.DetailViewport();
  const QPoint start = session_.ViewStart();
  return {std::min(viewport.Columns(), kMeshSize + 1 - start.x()), std::min(viewport.Rows(), kMeshSize + 1 - start.y())};
}

QSize MapPicture::MapSize(Area area, int cell_pixels) const {
  const QSize cells = MapCells(area);
  return {cells.width() * cell_pixels, static_cast<int>(std::lround(cells.height() * cell_pixels * kCellAspect))};
}

QSize MapPicture::Size(Area area, int cell_pixels) const {
  const QSize map = MapSize(area, cell_pixels);
  return {kMargin * 3 + map.width() + kLegendWidth,
          kMargin * 2 + kTitleHeight + std::max(map.height(), 17 * kSwatch + 20) + kFooterHeight};
}

void MapPicture::Draw(QPainter& painter, Area area, int cell_pixels) const {
  const QSize size = Size(area, cell_pixels);
  painter.fillRect(QRect(QPoint(), size), Qt::white);
  painter.setPen(Qt::black);
  // In the picture's own pixels: a size in points would be taken at a
  // printer's resolution and then scaled again with the page.
  QFont font = painter.font();
  font.setPixelSize(kTextPixels);
  painter.setFont(font);
  const MeshDocument& mesh = document_.Mesh();
  painter.drawText(QRect(kMargin, kMargin, size.width() - 2 * kMargin, kTitleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("%1  %2").arg(Trimmed(mesh.MeshCode), Trimmed(mesh.SheetName[0])));
  const QPoint map_at(kMargin, kMargin + kTitleHeight);
  painter.save();
  painter.translate(map_at);
  DrawMap(painter, area, cell_pixels);
  painter.restore();
  const QSize map = MapSize(area, cell_pixels);
  DrawNorthArrow(painter, map_at + QPoint(map.width() - 24, 8));
  DrawScaleBar(painter, map_at + QPoint(0, map.height() + 12), cell_pixels, map.width());
  DrawLegend(painter, QPoint(map_at.x() + map.width() + kMargin, map_at.y()));
}

// The grid painted as the maps paint it, on a picture of the map's size.
void MapPicture::DrawMap(QPainter& painter, Area area, int cell_pixels) const {
  const QSize size = MapSize(area, cell_pixels);
  Picture canvas;
  canvas.resize(size);
  const QPoint origin = area == Area::WholeMesh ? QPoint(1, 1) : session_.ViewStart();
  const GridFrame frame{canvas, origin, MapCells(area),
                        QSizeF(cell_pixels * kTwipsPerPixel, cell_pixels * kTwipsPerPixel * kCellAspect), 1,
                        &painter_.DetailContours()};
  painter.setClipRect(QRect(QPoint(), size));
  painter_.Render(painter, QRect(QPoint(), size), frame);
  painter.setClipping(false);
  painter.setPen(Qt::black);
  painter.drawRect(QRect(QPoint(), size).adjusted(0, 0, -1, -1));
}

// Colour 15, the highest band, at the top, each level between two swatches.
void MapPicture::DrawLegend(QPainter& painter, QPoint at) const {
  const ElevationScale& scale = painter_.ShownScale();
  painter.drawText(QRect(at, QSize(kLegendWidth, 16)), Qt::AlignLeft, painter_.ShownScaleTitle());
  for (int i = 0; i < kScaleColorCount; ++i) {
    const QRect swatch(at.x(), at.y() + 20 + (kScaleColorCount - 1 - i) * kSwatch, kSwatch, kSwatch);
    const RgbColor color = scale.ScaleColors[i];
    painter.fillRect(swatch, QColor(color.Red, color.Green, color.Blue));
    if (i == 0) continue;
    painter.drawText(QRect(swatch.right() + 6, swatch.bottom() - 6, kLegendWidth - kSwatch - 6, 12),
                     Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(LevelText(scale.ScaleLevels[i - 1])));
  }
}

// A bar of a round length near a quarter of the map's width, measured
// along the mesh's middle row on the Bessel ellipsoid.
void MapPicture::DrawScaleBar(QPainter& painter, QPoint at, int cell_pixels, int map_width) const {
  const MeshGeoreference georeference = MeshGeoreference::Of(document_.Mesh());
  const GeographicPoint ends[] = {georeference.ToGeographic({0, 100}), georeference.ToGeographic({100, 100})};
  const auto measured = MeasurePath(ends);
  if (!std::holds_alternative<PathMeasure>(measured)) return;
  const double metres_per_cell = std::get<PathMeasure>(measured).TotalMetres / 100;
  const double metres = RoundMetres(metres_per_cell * map_width / cell_pixels / 4);
  const int length = static_cast<int>(std::lround(metres / metres_per_cell * cell_pixels));
  painter.fillRect(QRect(at, QSize(length, 5)), Qt::black);
  painter.drawText(QRect(at + QPoint(0, 8), QSize(200, 16)), Qt::AlignLeft,
                   metres >= 1000 ? QStringLiteral("%1 km").arg(metres / 1000) : QStringLiteral("%1 m").arg(metres));
}

void MapPicture::DrawNorthArrow(QPainter& painter, QPoint at) const {
  QPainterPath arrow;
  arrow.moveTo(at + QPoint(8, 0));
  arrow.lineTo(at + QPoint(16, 22));
  arrow.lineTo(at + QPoint(8, 17));
  arrow.lineTo(at + QPoint(0, 22));
  arrow.closeSubpath();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillPath(arrow, Qt::black);
  painter.strokePath(arrow, QPen(Qt::white, 1));
  painter.setPen(Qt::black);
  painter.drawText(QRect(at + QPoint(0, 22), QSize(16, 14)), Qt::AlignCenter, QStringLiteral("N"));
}

}  // namespace koravel
