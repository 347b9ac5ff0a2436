#pragma once

#include <QImage>
#include <QObject>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <optional>
#include <vector>

#include "core/analysis/contour_tracer.h"
#include "core/edit/selection_outline.h"
#include "core/mesh/neighbour_grid.h"
#include "core/scale/elevation_scale.h"
#include "ui/document/editing_session.h"
#include "core/scale/hill_shade.h"
#include "core/scale/slope_map.h"

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
  const std::vector<ContourLine>* contours = nullptr;  ///< drawn over the cells where the session shows them
};

/// Paints the document's grid as the session colours it, for both maps:
/// the cells (by height, slope or difference from a reference, shaded where
/// the session asks), the hatch over omitted rows, the contour lines, the
/// tracks and the border of the selection. It keeps the shade, the slopes
/// and the contour lines in step with the cells.
class GridPainter : public QObject {
 public:
  GridPainter(const Document& document, const EditingSession& session);

  /// The colour cell (x, y) is drawn in.
  QRgb CellRgb(int x, int y) const;
  /// Paints the device pixels `area` of a map laid out as `frame`: the
  /// cells, the background round them, then the tracks. Before a mesh is
  /// open, the background alone.
  void Render(QPainter& painter, const QRect& area, const GridFrame& frame) const;
  /// The scale the cells are coloured with: of heights, of slopes or of
  /// the difference from the reference; and its legend's title.
  const ElevationScale& ShownScale() const;
  QString ShownScaleTitle() const;
  const std::vector<ContourLine>& DetailContours() const { return detail_contours_; }
  const std::vector<ContourLine>& OverviewContours() const { return overview_contours_; }
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
  void PaintContours(QPainter& painter, const GridFrame& frame, const QRect& area) const;
  void PaintSketches(QPainter& painter, const GridFrame& frame) const;
  QPointF DevicePoint(const GridFrame& frame, double x, double y) const;
  void FollowCells(const QRect& area);
  void TraceContours();
  void FollowDisplay();
  RgbColor DifferenceColor(int x, int y) const;
  QRgb NeighbourRgb(int x, int y) const;
  void ReadNeighbours();
  RgbColor SlopeColor(int x, int y) const;

  const Document& document_;
  const EditingSession& session_;
  HillShade hill_shade_;
  SlopeMap slope_map_;
  const ElevationScale difference_scale_;
  const ElevationScale slope_scale_;
  bool shade_computed_ = false;
  bool slope_computed_ = false;
  std::optional<ContourSettings> traced_for_;  ///< the settings the lines were traced with
  std::vector<ContourLine> detail_contours_;
  std::vector<ContourLine> overview_contours_;
  NeighbourGrid neighbours_;
  bool neighbours_read_ = false;
  mutable QRgb background_ = 0;  ///< the picture's own colour, where nothing is drawn
  std::vector<OutlineEdge> selection_outline_;  ///< the border of the session's selection
  mutable QImage strip_;  ///< one row of boxes on its way to the screen
};

}  // namespace koravel
