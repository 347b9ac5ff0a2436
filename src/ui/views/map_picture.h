#pragma once

#include <QPoint>
#include <QSize>

class QPainter;

namespace koravel {

class Document;
class EditingSession;
class GridPainter;

/// The picture ファイル > 画像として保存 writes and 印刷 prints: the detail
/// view as it shows the grid, or the whole mesh, at a chosen size of cell,
/// with the mesh code and sheet name, the legend, a scale bar and a north
/// arrow, and the tracks and contour lines as the maps draw them.
class MapPicture {
 public:
  enum class Area { DetailView, WholeMesh };

  MapPicture(const Document& document, const EditingSession& session, const GridPainter& painter)
      : document_(document), session_(session), painter_(painter) {}

  /// The picture's size in pixels for cells `cell_pixels` wide.
  QSize Size(Area area, int cell_pixels) const;
  /// Draws the picture with its top-left corner at the painter's origin.
  void Draw(QPainter& painter, Area area, int cell_pixels) const;

 private:
  QSize MapCells(Area area) const;
  QSize MapSize(Area area, int cell_pixels) const;
  void DrawMap(QPainter& painter, Area area, int cell_pixels) const;
  void DrawLegend(QPainter& painter, QPoint at) const;
  void DrawScaleBar(QPainter& painter, QPoint at, int cell_pixels, int map_width) const;
  void DrawNorthArrow(QPainter& painter, QPoint at) const;

  const Document& document_;
  const EditingSession& session_;
  const GridPainter& painter_;
};

}  // namespace koravel
