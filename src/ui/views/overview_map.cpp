#include "ui/views/overview_map.h"

#include "core/mesh/mesh_document.h"
#include "core/views/map_geometry.h"
#include "ui/document/document.h"
#include "ui/document/editing_session.h"
#include "ui/views/picture.h"

namespace koravel {

OverviewMap::OverviewMap(const Document& document, EditingSession& session, const GridPainter& painter,
                         Picture& overview)
    : document_(document), session_(session), painter_(painter), overview_(overview) {
  overview_.SetRenderer([this](QPainter& p, const QRect& area) { painter_.Render(p, area, Frame()); });
  overview_.setMouseTracking(true);
  connect(&document, &Document::CellsChanged, this, [this](const QRect& area) { painter_.RepaintEdit(Frame(), area); });
  connect(&document, &Document::Replaced, &overview_, &Picture::Invalidate);
  for (auto changed : {&EditingSession::ScaleChanged, &EditingSession::TracksChanged, &EditingSession::DisplayChanged,
                       &EditingSession::SelectionChanged, &EditingSession::SketchChanged}) {
    connect(&session, changed, &overview_, &Picture::Invalidate);
  }
  connect(&session, &EditingSession::ViewChanged, this, &OverviewMap::ShowViewFrame);
  connect(&overview_, &Picture::Pressed, this, [this](double x, double y) { session_.CentreViewOn({x, y}); });
  connect(&overview_, &Picture::Moved, this, &OverviewMap::Pointer_Moved);
  connect(&overview_, &Picture::PointerLeft, this, [this] { session_.SetPointer(std::nullopt); });
  ShowViewFrame();
}

// One box of 2 × 2 cells, coloured by its top-left cell, tiles the 200 × 200
// grid into 2000 × 1600 twips.
GridFrame OverviewMap::Frame() const {
  return {overview_, QPoint(1, 1), QSize(kMeshSize, kMeshSize), QSizeF(kOverviewCellWidth, kOverviewCellHeight), 2,
          &painter_.OverviewContours()};
}

void OverviewMap::ShowViewFrame() {
  const Viewport& viewport = session_.DetailViewport();
  overview_.SetOutline(Qt::white, viewport.Columns() * kOverviewCellWidth, viewport.Rows() * kOverviewCellHeight);
  overview_.MoveOutline((session_.ViewStart().x() - 1) * kOverviewCellWidth,
                        (session_.ViewStart().y() - 1) * kOverviewCellHeight);
}

// Dragging drags the view's frame along.
void OverviewMap::Pointer_Moved(double x, double y, Qt::MouseButtons buttons) {
  if (buttons & Qt::LeftButton) session_.CentreViewOn({x, y});
  const GridPoint point{x / kOverviewCellWidth, y / kOverviewCellHeight};
  const bool on_grid = document_.IsOpen() && point.X >= 0 && point.Y >= 0 && point.X < kMeshSize && point.Y < kMeshSize;
  session_.SetPointer(on_grid ? std::optional(point) : std::nullopt);
}

}  // namespace koravel
