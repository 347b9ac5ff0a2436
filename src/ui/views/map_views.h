#pragma once

#include <QLineEdit>
#include <QLineF>
#include <QList>
#include <QScrollBar>

#include "mesh/mesh_document.h"
#include "scale/elevation_scale.h"
#include "tracks/track_set.h"
#include "views/view_state.h"

namespace koravel {

class Picture;
class StatusPanels;

/// The overview, the detail view and the cursor readout, drawn from the
/// window's document, scale and view state; navigation moves the view.
class MapViews {
 public:
  struct Widgets {
    Picture& overview;        ///< Picture1, with the view frame Shape1
    Picture& detail;          ///< Picture2, with the cursor marker Shape2
    QScrollBar& horizontal;   ///< HScroll1
    QScrollBar& vertical;     ///< VScroll1
    QLineEdit& value;         ///< Text2
    StatusPanels& status;
  };

  MapViews(const MeshDocument& document, const ElevationScale& scale, ViewState& view,
           const TrackSet& tracks, const Widgets& widgets);

  /// Whether both maps draw the loaded tracks.
  void SetTracksShown(bool shown) { tracks_shown_ = shown; }

  void DrawOverview();
  /// The tracks over the overview as it is, without clearing it first.
  void DrawTracks();
  void PlaceViewFrame();
  void DrawDetail();
  /// Repaints the one cell (x, y) of the detail view, wherever it lies.
  void PaintCell(int x, int y);
  /// Puts the cursor at view cell (column, row) and shows its position and
  /// value, with the value selected in Text2 ready to be typed over.
  void ShowCursorPosition(int column, int row);
  /// View and cursor back at cell 1, 1, both scroll bars at 1.
  void ResetView();

  void HScroll1_Change(int position);
  void VScroll1_Change(int position);
  /// A press on the overview at (x, y) twips centres the view there.
  void Picture1_MouseDown(double x, double y);

 private:
  void ShowCursorWhereItIs();
  void DrawDetailTracks();
  QList<QLineF> TrackLines(double left, double top, double width, double height) const;
  QColor CellColor(int x, int y) const;

  const MeshDocument& document_;
  const ElevationScale& scale_;
  ViewState& view_;
  const TrackSet& tracks_;
  Widgets widgets_;
  bool tracks_shown_ = true;
};

}  // namespace koravel
