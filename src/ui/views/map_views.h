#pragma once

#include <QLineEdit>
#include <QLineF>
#include <QList>
#include <QObject>
#include <QRect>
#include <QScrollBar>

#include "document/document.h"
#include "scale/elevation_scale.h"
#include "tracks/track_set.h"
#include "views/view_state.h"

namespace koravel {

class Picture;
class StatusPanels;

/// The overview, the detail view and the cursor readout, drawn from the
/// window's document, scale and view state; navigation moves the view. The
/// maps follow every change of the document's cells.
class MapViews : public QObject {
 public:
  struct Widgets {
    Picture& overview;        ///< Picture1, with the view frame Shape1
    Picture& detail;          ///< Picture2, with the cursor marker Shape2
    QScrollBar& horizontal;   ///< HScroll1
    QScrollBar& vertical;     ///< VScroll1
    QLineEdit& value;         ///< Text2
    StatusPanels& status;
  };

  MapViews(const Document& document, const ElevationScale& scale, ViewState& view,
           const TrackSet& tracks, const Widgets& widgets);

  /// Whether both maps draw the loaded tracks.
  void SetTracksShown(bool shown) { tracks_shown_ = shown; }

  void DrawOverview();
  /// The tracks over the overview as it is, without clearing it first;
  /// only inside `clip` (twips) where one is given.
  void DrawTracks(const QRect& clip = {});
  void PlaceViewFrame();
  void DrawDetail();
  /// Repaints the cells of `area` (grid columns and rows) in both maps,
  /// with the tracks over them.
  void RepaintCells(const QRect& area);
  /// Puts the cursor at view cell (column, row) and shows its position and
  /// value, with the value selected in Text2 ready to be typed over.
  void ShowCursorPosition(int column, int row);
  /// View and cursor back at cell 1, 1, both scroll bars at 1.
  void ResetView();
  /// Puts the cursor on grid cell `cell`, scrolling the view just enough to show it.
  void ShowCell(QPoint cell);

  void HScroll1_Change(int position);
  void VScroll1_Change(int position);
  /// A press on the overview at (x, y) twips centres the view there.
  void Picture1_MouseDown(double x, double y);

 private:
  void ShowCursorWhereItIs();
  void ShowViewStart();
  void DrawDetailTracks(const QRect& clip = {});
  void PaintOverviewBoxes(const QRect& area);
  void PaintDetailCells(const QRect& area);
  QList<QLineF> TrackLines(double left, double top, double width, double height) const;
  QColor CellColor(int x, int y) const;

  const Document& document_;
  const ElevationScale& scale_;
  ViewState& view_;
  const TrackSet& tracks_;
  Widgets widgets_;
  bool tracks_shown_ = true;
};

}  // namespace koravel
