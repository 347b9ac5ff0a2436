#include "ui/edit/edit_controller.h"

#include <QAction>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "ui/common/qt_bridge.h"
#include "ui/common/status_panels.h"
#include "core/edit/cell_line.h"
#include "core/edit/elevation_entry.h"
#include "core/text/value_text.h"
#include "ui/views/map_views.h"
#include "ui/views/picture.h"

namespace koravel {
namespace {

const QString kRangeMessage = QStringLiteral("標高は-999.9m～9999.9mの範囲で入力して下さい。");

std::optional<MoveDirection> ArrowDirection(int key) {
  switch (key) {
    case Qt::Key_Right: return MoveDirection::Right;
    case Qt::Key_Down: return MoveDirection::Down;
    case Qt::Key_Left: return MoveDirection::Left;
    case Qt::Key_Up: return MoveDirection::Up;
    default: return std::nullopt;
  }
}

}  // namespace

EditController::EditController(Document& document, ViewState& view, EditingState& editing, MapViews& maps,
                               Dialogs& dialogs, const Widgets& widgets)
    : document_(document), view_(view), editing_(editing), maps_(maps), dialogs_(dialogs), widgets_(widgets) {
  Connect();
}

void EditController::Connect() {
  widgets_.value.installEventFilter(this);
  for (std::size_t i = 0; i < widgets_.options.size(); ++i) {
    connect(widgets_.options[i], &QRadioButton::clicked, this, [this, i] {
      editing_.AutoMoveDirection = static_cast<MoveDirection>(i + 1);
    });
  }
  connect(&widgets_.point_mode, &QAction::triggered, this, &EditController::mnuEditpointEditMode_Click);
  connect(&widgets_.brush_mode, &QAction::triggered, this, &EditController::mnuEditBrushMode_Click);
  connect(&widgets_.detail, &Picture::Pressed, this, &EditController::Picture2_MouseDown);
  connect(&widgets_.detail, &Picture::Moved, this, &EditController::Picture2_MouseMove);
  connect(&widgets_.detail, &Picture::Released, this, [this] {
    editing_.PointerHeld = false;
    stroke_tenths_.reset();
  });
  widgets_.brush.installEventFilter(this);
  connect(&document_, &Document::CellsChanged, this, &EditController::ShowCursorValue);
}

void EditController::SetCellValue(std::int32_t tenths) { document_.EnterValue({view_.MapX, view_.MapY}, tenths); }

void EditController::SetAutoMoveDirection(MoveDirection direction) {
  widgets_.options[static_cast<std::size_t>(direction) - 1]->setChecked(true);
  editing_.AutoMoveDirection = direction;
}

bool EditController::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &widgets_.value && event->type() == QEvent::KeyPress) {
    return Text2_KeyDown(static_cast<QKeyEvent*>(event)->key());
  }
  if (watched == &widgets_.value && FocusMovedOn(event)) Text2_LostFocus();
  if (watched == &widgets_.brush && (IsEnterKey(event) || FocusMovedOn(event))) AcceptBrushHeight();
  return QObject::eventFilter(watched, event);
}

bool EditController::Text2_KeyDown(int key) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    EnterValue();
    return true;
  }
  if (const std::optional<MoveDirection> direction = ArrowDirection(key)) {
    MoveCursor(*direction);
    return true;
  }
  return false;
}

void EditController::Text2_LostFocus() { widgets_.value.setText(CursorValueText()); }

void EditController::EnterValue() {
  const std::optional<std::int32_t> tenths = ParseElevation(widgets_.value.text().toStdString());
  if (!tenths) {
    dialogs_.ShowMessage(kRangeMessage);
    RestoreCursorValue();
    return;
  }
  SetCellValue(*tenths);
  MoveCursor(editing_.AutoMoveDirection);
}

void EditController::MoveCursor(MoveDirection direction) {
  StepCursor(view_, direction);
  // Typing into cells out of sight invites wrong edits, so the view follows.
  maps_.ShowCell({view_.MapX, view_.MapY});
}

// The middle button pans the view and leaves the cursor where it is.
void EditController::Picture2_MouseDown(double x, double y, Qt::MouseButton button) {
  if (button == Qt::MiddleButton) return;
  editing_.PointerHeld = true;
  const auto [column, row] = maps_.ViewCellAt(x, y);
  dragged_cell_ = {column, row};
  maps_.ShowCursorPosition(column, row);
  if (editing_.EditMode != EditingState::kBrush || button != Qt::LeftButton || !AcceptBrushHeight()) return;
  stroke_tenths_ = ParseElevation(brush_height_.toStdString());
  if (!stroke_tenths_) return;
  document_.BeginStroke();
  stroke_cell_ = {view_.MapX, view_.MapY};
  document_.PaintStroke({QPoint(view_.MapX, view_.MapY)}, *stroke_tenths_);
}

void EditController::Picture2_MouseMove(double x, double y, Qt::MouseButtons buttons) {
  if (buttons != Qt::LeftButton || !editing_.PointerHeld) return;
  const auto [column, row] = maps_.ViewCellAt(x, y);
  // Moves within one cell would only store and show the same again.
  if (dragged_cell_ == std::pair(column, row)) return;
  dragged_cell_ = {column, row};
  maps_.ShowCursorPosition(column, row);
  if (stroke_tenths_) PaintTo({view_.MapX, view_.MapY});
}

// Every cell between the last one reached and this one, however quick the
// pointer moved.
void EditController::PaintTo(std::pair<int, int> cell) {
  std::vector<QPoint> cells;
  for (const auto& [x, y] : CellsOnLine(stroke_cell_, cell)) {
    if (std::pair(x, y) != stroke_cell_) cells.emplace_back(x, y);
  }
  stroke_cell_ = cell;
  document_.PaintStroke(cells, *stroke_tenths_);
}

// The brush height is taken on Enter, when the field is left and when a
// stroke starts; a text that is no height is refused and the last height
// taken comes back. An empty field paints nothing.
bool EditController::AcceptBrushHeight() {
  const QString text = widgets_.brush.text();
  if (text.trimmed().isEmpty() || ParseElevation(text.toStdString())) {
    brush_height_ = text;
    return !text.trimmed().isEmpty();
  }
  dialogs_.ShowMessage(kRangeMessage);
  widgets_.brush.setText(brush_height_);
  widgets_.brush.selectAll();
  return false;
}

// The field shows the cursor cell as it is now, so that Enter there never
// writes back a value a stroke or an undo has replaced.
void EditController::ShowCursorValue(const QRect& changed) {
  if (!changed.contains(view_.MapX, view_.MapY)) return;
  const bool selected = widgets_.value.hasSelectedText();
  widgets_.value.setText(CursorValueText());
  if (selected) widgets_.value.selectAll();
}

// Selected, so that the next character typed replaces the refused entry
// instead of joining the value put back.
void EditController::RestoreCursorValue() {
  widgets_.value.setText(CursorValueText());
  widgets_.value.selectAll();
}

// Each mode's own field takes the keyboard, so that digits typed next never
// land in the comment.
// The value is selected, so that digits typed next replace it.
void EditController::mnuEditpointEditMode_Click() {
  ShowMode(EditingState::kPointEdit);
  widgets_.value.setFocus();
  widgets_.value.selectAll();
}

void EditController::mnuEditBrushMode_Click() {
  ShowMode(EditingState::kBrush);
  widgets_.brush.setFocus();
}

void EditController::ShowMode(int mode) {
  const bool brush = mode == EditingState::kBrush;
  widgets_.point_mode.setChecked(!brush);
  widgets_.brush_mode.setChecked(brush);
  widgets_.directions.setVisible(!brush);
  widgets_.brush_caption.setVisible(brush);
  widgets_.brush.setVisible(brush);
  widgets_.status.SetText(StatusPanels::kMode, brush ? QStringLiteral("筆モード") : QStringLiteral("点編集モード"));
  editing_.EditMode = mode;
}

QString EditController::CursorValueText() const {
  return QString::fromStdString(ValueText(document_.Mesh().Elevation(view_.MapX, view_.MapY)));
}

}  // namespace koravel
