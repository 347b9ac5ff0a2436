#include "ui/edit/selection_controller.h"

#include <QAction>
#include <QGuiApplication>

#include "ui/common/dialogs.h"
#include "ui/common/qt_bridge.h"
#include "ui/document/document.h"
#include "ui/document/editing_session.h"
#include "ui/edit/frm_select_by_value.h"
#include "ui/views/picture.h"

namespace koravel {

SelectionController::SelectionController(const Document& document, EditingSession& session, Dialogs& dialogs,
                                         const Widgets& widgets)
    : document_(document), session_(session), dialogs_(dialogs), widgets_(widgets) {
  connect(&widgets_.detail, &Picture::Pressed, this, &SelectionController::Pressed);
  connect(&widgets_.detail, &Picture::Moved, this, &SelectionController::Moved);
  connect(&widgets_.detail, &Picture::Released, this, [this] { dragging_ = false; });
  connect(&widgets_.select_all, &QAction::triggered, this, [this] { session_.SetSelection(CellSelection::All()); });
  connect(&widgets_.select_by_value, &QAction::triggered, this, &SelectionController::SelectByValue);
}

// The press's cell takes the cursor too, where a paste goes.
void SelectionController::Pressed(double x, double y, Qt::MouseButton button) {
  if (session_.Mode() != EditMode::Select || button != Qt::LeftButton || !document_.IsOpen()) return;
  const Qt::KeyboardModifiers modifiers = QGuiApplication::keyboardModifiers();
  combine_ = (modifiers & Qt::ShiftModifier)     ? Combine::Add
             : (modifiers & Qt::ControlModifier) ? Combine::Remove
                                                 : Combine::Replace;
  before_ = session_.Selection();
  anchor_ = reached_ = session_.CellAt({x, y});
  lasso_.clear();
  if (widgets_.lasso.isChecked() || modifiers & Qt::AltModifier) lasso_.push_back(session_.PointOnGrid({x, y}));
  dragging_ = true;
  session_.SetCursor(anchor_);
  ShowDrag();
}

void SelectionController::Moved(double x, double y, Qt::MouseButtons buttons) {
  if (!dragging_ || buttons != Qt::LeftButton) return;
  reached_ = session_.CellAt({x, y});
  if (!lasso_.empty()) lasso_.push_back(session_.PointOnGrid({x, y}));
  ShowDrag();
}

// The cells the drag covers so far, combined with those chosen before it.
void SelectionController::ShowDrag() {
  const CellSelection dragged =
      lasso_.size() > 2 ? PolygonSelection(lasso_)
                        : CellSelection::Rectangle({anchor_.x(), anchor_.y()}, {reached_.x(), reached_.y()});
  CellSelection chosen = combine_ == Combine::Replace ? CellSelection() : before_;
  if (combine_ == Combine::Remove) {
    chosen.Remove(dragged);
  } else {
    chosen.Add(dragged);
  }
  session_.SetSelection(chosen);
}

void SelectionController::SelectByValue() {
  if (!document_.IsOpen()) return;
  frmSelectByValue dialog(widgets_.detail.window());
  dialogs_.ShowModal(dialog);
  if (dialog.result() != QDialog::Accepted) return;
  const std::optional<ValueCriterion> criterion = dialog.Criterion(session_.Cursor());
  if (!criterion) return dialogs_.ShowMessage(Message(ErrorCode::ElevationOutOfRange));
  session_.SetSelection(ValueSelection(document_.Mesh(), *criterion));
}

}  // namespace koravel
