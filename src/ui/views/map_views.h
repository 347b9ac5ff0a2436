#pragma once

#include <QLineEdit>
#include <QScrollBar>

#include "mesh/mesh_document.h"
#include "scale/elevation_scale.h"
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
           const Widgets& widgets);

  void DrawOverview();
  void PlaceViewFrame();
  void DrawDetail();
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
  QColor CellColor(int x, int y) const;

  const MeshDocument& document_;
  const ElevationScale& scale_;
  ViewState& view_;
  Widgets widgets_;
};

}  // namespace koravel
