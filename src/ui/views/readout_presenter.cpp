#include "ui/views/readout_presenter.h"

#include <QLabel>

#include "core/geo/path_measure.h"
#include "core/views/position_readout.h"
#include "ui/common/qt_bridge.h"
#include "ui/common/status_panels.h"
#include "ui/document/document.h"
#include "ui/document/editing_session.h"

namespace koravel {

ReadoutPresenter::ReadoutPresenter(const Document& document, const EditingSession& session, StatusPanels& status,
                                   QLabel& pointer)
    : document_(document), session_(session), status_(status), pointer_(pointer) {
  connect(&session, &EditingSession::CursorChanged, this, &ReadoutPresenter::ShowCursor);
  connect(&session, &EditingSession::ModeChanged, this, [this](EditMode mode) {
    status_.SetText(StatusPanels::kMode, QString::fromStdString(ModeText(mode)));
  });
  connect(&session, &EditingSession::PointerChanged, this, &ReadoutPresenter::ShowPointer);
  connect(&document, &Document::CellsChanged, this, &ReadoutPresenter::ShowPointer);
  for (auto changed : {&EditingSession::SelectionChanged, &EditingSession::SketchChanged}) {
    connect(&session, changed, this, &ReadoutPresenter::ShowChosen);
  }
  status_.SetText(StatusPanels::kMode, QString::fromStdString(ModeText(session.Mode())));
  ShowCursor();
}

// Before any file the readout shows its layout with every number zero.
void ReadoutPresenter::ShowCursor() {
  const QPoint cursor = document_.IsOpen() ? session_.Cursor() : QPoint(0, 0);
  status_.SetText(StatusPanels::kRecordPosition, QString::fromStdString(RecordPositionText(cursor.x(), cursor.y())));
  status_.SetText(StatusPanels::kPosition, QString::fromStdString(LatitudeLongitudeText(
                                               document_.Mesh(), session_.Cursor().x(), session_.Cursor().y())));
}

// The path being measured, while one is, or else the cells chosen.
void ReadoutPresenter::ShowChosen() {
  if (session_.MeasuredPath().empty()) {
    return status_.SetText(StatusPanels::kSelection, QString::fromStdString(SelectionText(session_.Selection().Count())));
  }
  const MeshGeoreference georeference = MeshGeoreference::Of(document_.Mesh());
  std::vector<GeographicPoint> points;
  for (const GridPoint& point : session_.MeasuredPath()) points.push_back(georeference.ToGeographic(point));
  const std::variant<PathMeasure, ErrorCode> measured = MeasurePath(points);
  if (const ErrorCode* error = std::get_if<ErrorCode>(&measured)) {
    return status_.SetText(StatusPanels::kSelection, Message(*error));
  }
  status_.SetText(StatusPanels::kSelection, QString::fromStdString(MeasureText(std::get<PathMeasure>(measured))));
}

void ReadoutPresenter::ShowPointer() {
  const std::optional<GridPoint> point = session_.Pointer();
  if (!point) return pointer_.clear();
  pointer_.setText(QString::fromStdString(PointerText(document_.Mesh(), *point)));
}

}  // namespace koravel
