#pragma once

#include <QImage>
#include <QObject>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <vector>

#include "core/edit/selection_outline.h"
#include "core/scale/hill_shade.h"

namespace koravel {

class Document;
class EditingSession;
class Picture;

/// How a map lays the grid into its picture.
struct GridFrame {
  Picture& picture;
  QPoint origin;  ///< the grid cell at the picture's top-left corner
  QSize cells;    ///< the cells laid out from there
  QSizeF cell;    ///< a cell's size in twips
  int step;       ///< the cells across a box, which takes its top-left cell's colour
};

/// Paints the document's grid as the session colours it, for both maps:
/// the cells (shaded where the session asks), the hatch over omitted rows,
/// the tracks and the border of the selection. It keeps the hill shade in step with the cells.
class GridPainter : public QObject {
 public:
  GridPainter(const Document& document, const EditingSession& session);

  /// The colour cell (x, y) is drawn in.
  QRgb CellRgb(int x, int y) const;
  /// Paints the device pixels `area` of a map laid out as `frame`: the
  /// cells, the background round them, then the tracks. Before a mesh is
  /// open, the background alone.
  void Render(QPainter& painter, const QRect& area, const GridFrame& frame) const;
  /// Has `frame`'s picture paint again the boxes that show what an edit of
  /// the cells `area` (grid columns and rows) changed.
  void RepaintEdit(const GridFrame& frame, const QRect& area) const;

 private:
  struct Edges {
    std::vector<int> xs;  ///< device pixel edges of the boxes, first left to last right
    std::vector<int> ys;
  };
  static Edges EdgesOf(const GridFrame& frame);
  void PaintCells(QPainter& painter, const GridFrame& frame, const Edges& edges, const QRect& area) const;
  void HatchOmittedRows(QPainter& painter, const GridFrame& frame, const Edges& edges, const QRect& area) const;
  void PaintTracks(QPainter& painter, const GridFrame& frame, const QRect& area) const;
  void PaintSelection(QPainter& painter, const GridFrame& frame) const;
  void FollowShading();

  const Document& document_;
  const EditingSession& session_;
  HillShade hill_shade_;
  bool shade_computed_ = false;
  std::vector<OutlineEdge> selection_outline_;  ///< the border of the session's selection
  mutable QImage strip_;  ///< one row of boxes on its way to the screen
};

}  // namespace koravel
