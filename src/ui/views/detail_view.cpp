#include "ui/views/detail_view.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

#include "core/mesh/mesh_document.h"
#include "ui/common/qt_bridge.h"
#include "ui/document/document.h"
#include "ui/document/editing_session.h"
#include "ui/views/picture.h"

namespace koravel {
namespace {

constexpr int kWheelCells = 3;  // cells scrolled per notch of the wheel
constexpr int kWheelNotch = 120;
// Above this grey the cursor is drawn black, below it white.
constexpr int kLightCell = 128;

}  // namespace

DetailView::DetailView(const Document& document, EditingSession& session, const GridPainter& painter,
                       const Widgets& widgets)
    : document_(document), session_(session), painter_(painter), widgets_(widgets) {
  widgets_.detail.SetRenderer([this](QPainter& p, const QRect& area) { painter_.Render(p, area, Frame()); });
  widgets_.detail.setMouseTracking(true);
  Connect();
  FollowSize();
}

void DetailView::Connect() {
  connect(&document_, &Document::CellsChanged, this, [this](const QRect& area) {
    painter_.RepaintEdit(Frame(), area);
    ShowCursor();
  });
  for (auto changed : {&EditingSession::ScaleChanged, &EditingSession::TracksChanged, &EditingSession::DisplayChanged,
                       &EditingSession::SelectionChanged, &EditingSession::SketchChanged}) {
    connect(&session_, changed, &widgets_.detail, &Picture::Invalidate);
    connect(&session_, changed, this, &DetailView::ShowCursor);
  }
  connect(&session_, &EditingSession::ViewChanged, this, &DetailView::ShowView);
  connect(&session_, &EditingSession::CursorChanged, this, &DetailView::ShowCursor);
  connect(&widgets_.detail, &Picture::Resized, this, &DetailView::FollowSize);
  connect(&widgets_.horizontal, &QScrollBar::valueChanged, this,
          [this](int column) { session_.SetViewStart({column, session_.ViewStart().y()}); });
  connect(&widgets_.vertical, &QScrollBar::valueChanged, this,
          [this](int row) { session_.SetViewStart({session_.ViewStart().x(), row}); });
  connect(&widgets_.detail, &Picture::Wheeled, this, &DetailView::Wheel);
  connect(&widgets_.detail, &Picture::Pressed, this, &DetailView::Pressed);
  connect(&widgets_.detail, &Picture::Moved, this, &DetailView::Moved);
  connect(&widgets_.detail, &Picture::Released, this, [this](Qt::MouseButton button) {
    if (button == Qt::MiddleButton) pan_from_.reset();
  });
  connect(&widgets_.detail, &Picture::PointerLeft, this, [this] { session_.SetPointer(std::nullopt); });
}

// The cells the viewport shows from the view's start, to the grid's end,
// or beyond it where the neighbours are shown.
GridFrame DetailView::Frame() const {
  const Viewport& viewport = session_.DetailViewport();
  const QPoint first = session_.ViewStart();
  const int end = session_.ShowsNeighbours() ? 2 * kMeshSize : kMeshSize;
  const QSize cells(std::min(viewport.VisibleColumns(), end + 1 - first.x()),
                    std::min(viewport.VisibleRows(), end + 1 - first.y()));
  return {widgets_.detail, first, cells, QSizeF(viewport.CellWidth(), viewport.CellHeight()), 1,
          &painter_.DetailContours()};
}

void DetailView::FollowSize() {
  session_.SetViewSize(widgets_.detail.size() * kTwipsPerPixel);
}

// The bars' range, page and position, the cells and the cursor follow the
// view's start and the number and size of the cells it shows. The bars
// follow without running their own handlers.
void DetailView::ShowView() {
  const Viewport& viewport = session_.DetailViewport();
  {
    const QSignalBlocker horizontal(widgets_.horizontal);
    const QSignalBlocker vertical(widgets_.vertical);
    const QRect range = session_.ViewStartRange();
    widgets_.horizontal.setRange(range.left(), range.right());
    widgets_.horizontal.setPageStep(viewport.Columns());
    widgets_.horizontal.setValue(session_.ViewStart().x());
    widgets_.vertical.setRange(range.top(), range.bottom());
    widgets_.vertical.setPageStep(viewport.Rows());
    widgets_.vertical.setValue(session_.ViewStart().y());
  }
  const int pen = std::max(2, static_cast<int>(std::lround(2 * widgets_.detail.DeviceRatio())));
  widgets_.detail.SetOutline(Qt::black, static_cast<int>(std::lround(viewport.CellWidth())),
                             static_cast<int>(std::lround(viewport.CellHeight())), pen);
  widgets_.detail.Invalidate();
  ShowCursor();
}

// Black on light cells, white on dark ones, so the cursor shows on every band.
void DetailView::ShowCursor() {
  const Viewport& viewport = session_.DetailViewport();
  const QPoint offset = session_.Cursor() - session_.ViewStart();
  widgets_.detail.MoveOutline(static_cast<int>(std::lround(offset.x() * viewport.CellWidth())),
                              static_cast<int>(std::lround(offset.y() * viewport.CellHeight())));
  const bool light = qGray(painter_.CellRgb(session_.Cursor().x(), session_.Cursor().y())) >= kLightCell;
  widgets_.detail.SetOutlineColor(light ? Qt::black : Qt::white);
}

// Ctrl zooms around the pointer; Shift, or a sideways wheel, scrolls across.
void DetailView::Wheel(double x, double y, QPoint delta, Qt::KeyboardModifiers modifiers) {
  if (modifiers & Qt::ControlModifier) {
    session_.ZoomBy(std::pow(Viewport::kZoomStep, double(delta.y()) / kWheelNotch), QPointF(x, y));
    return;
  }
  const bool across = (modifiers & Qt::ShiftModifier) || delta.y() == 0;
  const int cells = -(delta.y() != 0 ? delta.y() : delta.x()) * kWheelCells / kWheelNotch;
  session_.SetViewStart(session_.ViewStart() + (across ? QPoint(cells, 0) : QPoint(0, cells)));
}

void DetailView::Pressed(double x, double y, Qt::MouseButton button) {
  if (button != Qt::MiddleButton) return;
  pan_from_ = QPointF(x, y);
  pan_start_ = session_.ViewStart();
}

// A middle-button drag carries the cells along with the pointer.
void DetailView::Moved(double x, double y, Qt::MouseButtons buttons) {
  const Viewport& viewport = session_.DetailViewport();
  if ((buttons & Qt::MiddleButton) && pan_from_) {
    session_.SetViewStart(pan_start_ + QPoint(static_cast<int>(std::lround((pan_from_->x() - x) / viewport.CellWidth())),
                                              static_cast<int>(std::lround((pan_from_->y() - y) / viewport.CellHeight()))));
  }
  const GridPoint point = session_.PointOnGrid({x, y});
  const QPointF offset(point.X - (session_.ViewStart().x() - 1), point.Y - (session_.ViewStart().y() - 1));
  const bool shown = document_.IsOpen() && offset.x() >= 0 && offset.y() >= 0 &&
                     offset.x() < viewport.VisibleColumns() && offset.y() < viewport.VisibleRows() &&
                     point.X < kMeshSize && point.Y < kMeshSize;
  session_.SetPointer(shown ? std::optional(point) : std::nullopt);
}

}  // namespace koravel
