#include "ui/views/readout_presenter.h"

#include <QLabel>

#include "core/views/position_readout.h"
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
  connect(&session, &EditingSession::SelectionChanged, this, [this] {
    status_.SetText(StatusPanels::kSelection, QString::fromStdString(SelectionText(session_.Selection().Count())));
  });
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

void ReadoutPresenter::ShowPointer() {
  const std::optional<GridPoint> point = session_.Pointer();
  if (!point) return pointer_.clear();
  pointer_.setText(QString::fromStdString(PointerText(document_.Mesh(), *point)));
}

}  // namespace koravel
