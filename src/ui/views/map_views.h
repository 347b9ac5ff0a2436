#pragma once

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLineF>
#include <QPainter>
#include <QList>
#include <QObject>
#include <QRect>
#include <QScrollBar>
#include <optional>
#include <vector>

#include "ui/document/document.h"
#include "core/scale/elevation_scale.h"
#include "core/scale/hill_shade.h"
#include "core/tracks/track_set.h"
#include "core/views/view_state.h"
#include "core/views/viewport.h"

namespace koravel {

class Picture;
class StatusPanels;

/// The overview, the detail view and the cursor readout, painted from the
/// window's document, scale and view state through the detail view's
/// viewport; navigation, zoom and panning move the view. The maps follow
/// every change of the document's cells.
class MapViews : public QObject {
 public:
  struct Widgets {
    Picture& overview;        ///< Picture1, with the view frame Shape1
    Picture& detail;          ///< Picture2, with the cursor marker Shape2
    QScrollBar& horizontal;   ///< HScroll1
    QScrollBar& vertical;     ///< VScroll1
    QLineEdit& value;         ///< Text2
    QLabel& pointer;          ///< the cell under the pointer
    StatusPanels& status;
  };

  MapViews(const Document& document, const ElevationScale& scale, ViewState& view,
           const TrackSet& tracks, const Widgets& widgets);

  /// Whether both maps draw the loaded tracks.
  void SetTracksShown(bool shown) { tracks_shown_ = shown; }
  /// Whether both maps shade the relief.
  void SetShaded(bool shaded);
  /// Whether both maps hatch the rows the file omits.
  void SetHatchOmittedRows(bool hatched);

  void DrawOverview();
  /// The tracks over the overview.
  void DrawTracks();
  void PlaceViewFrame();
  void DrawDetail();
  /// Repaints the cells of `area` (grid columns and rows) in both maps.
  void RepaintCells(const QRect& area);
  /// Puts the cursor at view cell (column, row) and shows its position and
  /// value, with the value selected in Text2 ready to be typed over.
  void ShowCursorPosition(int column, int row);
  /// View and cursor back at cell 1, 1, both scroll bars at 1.
  void ResetView();
  /// Puts the cursor on grid cell `cell`, scrolling the view just enough to show it.
  void ShowCell(QPoint cell);
  /// Starts the view at grid cell `start`, as far as the grid allows, and
  /// puts the cursor on grid cell `cursor`.
  void ShowViewAt(QPoint start, QPoint cursor);

  /// The view cell under the point (x, y) twips of the detail view.
  std::pair<int, int> ViewCellAt(double x, double y) const { return viewport_.CellAt(x, y); }
  const Viewport& DetailViewport() const { return viewport_; }

  /// Zooms the detail view by `factor`, keeping the cell under (x, y)
  /// twips there; around the view's centre without a point.
  void ZoomBy(double factor, std::optional<QPointF> around = std::nullopt);
  void ZoomToActualSize();

  void HScroll1_Change(int position);
  void VScroll1_Change(int position);
  /// A press on the overview at (x, y) twips centres the view there.
  void Picture1_MouseDown(double x, double y);

 private:
  void ConnectPointer();
  void FollowDetailSize();
  void ShowViewGeometry();
  void ShowViewStart();
  void ShowCursorWhereItIs();
  void MoveViewTo(int column, int row);
  void Detail_Wheel(double x, double y, QPoint delta, Qt::KeyboardModifiers modifiers);
  void Detail_Pressed(double x, double y, Qt::MouseButton button);
  void Detail_Moved(double x, double y, Qt::MouseButtons buttons);
  void ShowPointerCell(std::optional<QPoint> cell);
  /// How a map lays the grid into its image.
  struct GridFrame {
    const Picture& picture;
    QPoint origin;  ///< the grid cell at the image's top-left corner
    QSize cells;    ///< the cells laid out from there
    QSizeF cell;    ///< a cell's size in twips
    int step;       ///< the cells across a box, which takes its top-left cell's colour
  };
  GridFrame OverviewFrame() const;
  GridFrame DetailFrame() const;
  struct GridEdges {
    std::vector<int> xs;
    std::vector<int> ys;
  };
  static GridEdges Edges(const GridFrame& frame);
  void Render(QPainter& painter, const QRect& area, const GridFrame& frame, bool drawn) const;
  void RepaintIn(Picture& picture, const GridFrame& frame, bool drawn, const QRect& area) const;
  void PaintGrid(QPainter& painter, const GridFrame& frame, const GridEdges& edges, const QRect& area) const;
  void HatchOmittedRows(QPainter& painter, const GridFrame& frame, const GridEdges& edges, const QRect& area) const;
  void PaintTracks(QPainter& painter, const GridFrame& frame, const QRect& area) const;
  QRgb CellRgb(int x, int y) const;
  void ShowCursorColor();
  void RefreshDrawnMaps();

  const Document& document_;
  const ElevationScale& scale_;
  ViewState& view_;
  const TrackSet& tracks_;
  Widgets widgets_;
  Viewport viewport_;
  HillShade hill_shade_;
  mutable QImage strip_;  ///< one row of boxes on its way to the screen
  bool tracks_shown_ = true;
  bool shaded_ = false;
  bool hatch_omitted_rows_ = true;
  bool overview_drawn_ = false;  ///< nothing is drawn before the first drawing
  bool detail_drawn_ = false;
  std::optional<QPointF> pan_from_;  ///< where a middle-button drag started, in twips
  QPoint pan_start_;                 ///< the view's start when it did
};

}  // namespace koravel
