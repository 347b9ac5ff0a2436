#include "ui/edit/edit_controller.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "core/edit/brush.h"
#include "core/edit/elevation_entry.h"
#include "core/text/value_text.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_bridge.h"
#include "ui/document/document.h"
#include "ui/document/editing_session.h"
#include "ui/views/picture.h"

namespace koravel {
namespace {

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

EditController::EditController(Document& document, EditingSession& session, Dialogs& dialogs, const Widgets& widgets)
    : document_(document), session_(session), dialogs_(dialogs), widgets_(widgets) {
  Connect();
  ShowMode(session.Mode());
  // Nothing can be typed before a mesh is opened or made.
  widgets_.value.setEnabled(document.IsOpen());
  widgets_.brush.setEnabled(document.IsOpen());
}

void EditController::Connect() {
  widgets_.value.installEventFilter(this);
  widgets_.brush.installEventFilter(this);
  for (std::size_t i = 0; i < widgets_.options.size(); ++i) {
    connect(widgets_.options[i], &QRadioButton::clicked, this,
            [this, i] { session_.SetAutoMoveDirection(static_cast<MoveDirection>(i + 1)); });
  }
  connect(&session_, &EditingSession::AutoMoveDirectionChanged, this, [this](MoveDirection direction) {
    widgets_.options[static_cast<std::size_t>(direction) - 1]->setChecked(true);
  });
  connect(&widgets_.point_mode, &QAction::triggered, this, [this] { session_.SetMode(EditMode::PointEdit); });
  connect(&widgets_.brush_mode, &QAction::triggered, this, [this] { session_.SetMode(EditMode::Brush); });
  connect(&widgets_.select_mode, &QAction::triggered, this, [this] { session_.SetMode(EditMode::Select); });
  connect(&widgets_.brush_size, &QComboBox::activated, this, [this](int index) {
    session_.SetBrush(static_cast<BrushSize>(widgets_.brush_size.itemData(index).toInt()));
  });
  connect(&session_, &EditingSession::BrushChanged, this, [this](BrushSize size) {
    widgets_.brush_size.setCurrentIndex(widgets_.brush_size.findData(static_cast<int>(size)));
  });
  connect(&session_, &EditingSession::ModeChanged, this, &EditController::ShowMode);
  connect(&session_, &EditingSession::CursorChanged, this, &EditController::ShowCursorCell);
  connect(&document_, &Document::CellsChanged, this, &EditController::ShowCursorValue);
  connect(&widgets_.detail, &Picture::Pressed, this, &EditController::Picture2_MouseDown);
  connect(&widgets_.detail, &Picture::Moved, this, &EditController::Picture2_MouseMove);
  connect(&widgets_.detail, &Picture::Released, this, [this] {
    pointer_held_ = false;
    stroke_tenths_.reset();
  });
}

bool EditController::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &widgets_.value && event->type() == QEvent::KeyPress) {
    return Text2_KeyDown(static_cast<QKeyEvent*>(event)->key());
  }
  if (watched == &widgets_.value && FocusMovedOn(event)) widgets_.value.setText(CursorValueText());
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

void EditController::EnterValue() {
  const std::optional<std::int32_t> tenths = ParseElevation(widgets_.value.text().toStdString());
  if (!tenths) {
    dialogs_.ShowMessage(Message(ErrorCode::ElevationOutOfRange));
    RestoreCursorValue();
    return;
  }
  document_.EnterValue(session_.Cursor(), *tenths);
  MoveCursor(session_.AutoMoveDirection());
}

// Typing into cells out of sight invites wrong edits, so the view follows.
void EditController::MoveCursor(MoveDirection direction) {
  ViewState stepped = session_.View();
  StepCursor(stepped, direction);
  session_.ShowCell({stepped.MapX, stepped.MapY});
}

// The middle button pans the view and leaves the cursor where it is; a
// left press chooses cells in the selection mode.
void EditController::Picture2_MouseDown(double x, double y, Qt::MouseButton button) {
  const bool editing = session_.Mode() == EditMode::PointEdit || session_.Mode() == EditMode::Brush;
  if (button == Qt::MiddleButton || (!editing && button == Qt::LeftButton) || !document_.IsOpen()) return;
  pointer_held_ = true;
  dragged_cell_ = session_.CellAt({x, y});
  session_.SetCursor(dragged_cell_);
  if (session_.Mode() != EditMode::Brush || button != Qt::LeftButton || !AcceptBrushHeight()) return;
  stroke_tenths_ = ParseElevation(brush_height_.toStdString());
  if (!stroke_tenths_) return;
  document_.BeginStroke();
  const QPoint cursor = session_.Cursor();
  Paint(BrushStroke({cursor.x(), cursor.y()}, {cursor.x(), cursor.y()}, session_.Brush()));
}

void EditController::Picture2_MouseMove(double x, double y, Qt::MouseButtons buttons) {
  if (buttons != Qt::LeftButton || !pointer_held_) return;
  const QPoint cell = session_.CellAt({x, y});
  // Moves within one cell would only store and show the same again.
  if (cell == dragged_cell_) return;
  const QPoint from = session_.Cursor();
  dragged_cell_ = cell;
  session_.SetCursor(cell);
  // Every cell the brush covers between the last cell and this one, however
  // quick the pointer moved.
  if (stroke_tenths_) Paint(BrushStroke({from.x(), from.y()}, {cell.x(), cell.y()}, session_.Brush()));
}

void EditController::Paint(const CellSelection& cells) {
  std::vector<QPoint> painted;
  cells.ForEachCell([&painted](GridCell cell) { painted.emplace_back(cell.x, cell.y); });
  document_.PaintStroke(painted, *stroke_tenths_);
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
  dialogs_.ShowMessage(Message(ErrorCode::ElevationOutOfRange));
  widgets_.brush.setText(brush_height_);
  widgets_.brush.selectAll();
  return false;
}

// The cursor's value, selected in a focused field, ready to be typed over.
void EditController::ShowCursorCell() {
  if (!document_.IsOpen()) return;
  widgets_.value.setEnabled(true);
  widgets_.brush.setEnabled(true);
  widgets_.value.setText(CursorValueText());
  if (session_.Mode() == EditMode::PointEdit || session_.Mode() == EditMode::Brush) widgets_.value.setFocus();
  widgets_.value.selectAll();
}

// The field shows the cursor cell as it is now, so that Enter there never
// writes back a value a stroke or an undo has replaced.
void EditController::ShowCursorValue(const QRect& changed) {
  if (!changed.contains(session_.Cursor())) return;
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

// Each editing mode's own field takes the keyboard, so that digits typed
// next never land in the comment; the value is selected, so that they
// replace it. Choosing cells and drawing lines leave the keyboard to the
// map, for Ctrl+A and Esc.
void EditController::ShowMode(EditMode mode) {
  const bool brush = mode == EditMode::Brush;
  widgets_.point_mode.setChecked(mode == EditMode::PointEdit);
  widgets_.brush_mode.setChecked(brush);
  widgets_.select_mode.setChecked(mode == EditMode::Select);
  widgets_.directions.setVisible(!brush);
  widgets_.brush_caption.setVisible(brush);
  widgets_.brush.setVisible(brush);
  widgets_.brush_size.setVisible(brush);
  if (!brush && mode != EditMode::PointEdit) return widgets_.detail.setFocus();
  QLineEdit& field = brush ? widgets_.brush : widgets_.value;
  field.setFocus();
  if (!brush) field.selectAll();
}

QString EditController::CursorValueText() const {
  return QString::fromStdString(ValueText(document_.Mesh().Elevation(session_.Cursor().x(), session_.Cursor().y())));
}

}  // namespace koravel
