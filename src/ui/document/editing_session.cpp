#include "ui/document/editing_session.h"

#include <algorithm>
#include <cmath>

#include "core/mesh/mesh_document.h"
#include "ui/document/document.h"

namespace koravel {
namespace {

// How far the view may go beyond the mesh's edges to show its neighbours.
constexpr int kNeighbourCells = 25;

}  // namespace

EditingSession::EditingSession(const Document& document, QObject* parent) : QObject(parent) {
  scale_.SetDefaultColors();
  scale_.SetDefaultLevels();
  connect(&document, &Document::Replaced, this, &EditingSession::Reset);
  connect(&document, &Document::EditRevisited, this, &EditingSession::ShowCell);
}

// Everything an Open puts back: the view and the cursor at cell 1, 1, the
// default levels (the colours the user chose stay), no tracks and nothing
// chosen.
void EditingSession::Reset() {
  view_ = ViewState();
  scale_.SetDefaultLevels();
  tracks_.Clear();
  pointer_.reset();
  selection_ = CellSelection();
  reference_.reset();
  profile_line_.clear();
  measured_path_.clear();
  profile_mark_.reset();
  emit ViewChanged();
  emit CursorChanged(Cursor());
  emit ScaleChanged();
  emit TracksChanged();
  emit SelectionChanged();
  emit ReferenceChanged();
  emit SketchChanged();
}

QPoint EditingSession::CellAt(QPointF point) const {
  const auto [column, row] = viewport_.CellAt(point.x(), point.y());
  return ViewStart() + QPoint(column, row);
}

GridPoint EditingSession::PointOnGrid(QPointF point) const {
  return {point.x() / viewport_.CellWidth() + view_.MapXstart - 1, point.y() / viewport_.CellHeight() + view_.MapYstart - 1};
}

void EditingSession::SetCursor(QPoint cell) {
  view_.PlaceCursor(cell.x() - view_.MapXstart, cell.y() - view_.MapYstart);
  emit CursorChanged(Cursor());
}

// The view moves only as far as it must for the cell to come into sight.
void EditingSession::ShowCell(QPoint cell) {
  const auto scrolled = [](int start, int position, int shown, int last) {
    return std::min(std::clamp(start, position - shown + 1, position), last);
  };
  const QRect range = ViewStartRange();
  SetViewStart({scrolled(view_.MapXstart, cell.x(), viewport_.Columns(), range.right()),
                scrolled(view_.MapYstart, cell.y(), viewport_.Rows(), range.bottom())});
  SetCursor(cell);
}

void EditingSession::JumpToCell(QPoint cell) {
  const QRect shown(ViewStart(), QSize(viewport_.Columns(), viewport_.Rows()));
  if (!shown.contains(cell)) SetViewStart(cell - QPoint(viewport_.Columns() / 2, viewport_.Rows() / 2));
  SetCursor(cell);
}

QRect EditingSession::ViewStartRange() const {
  const int beyond = shows_neighbours_ ? kNeighbourCells : 0;
  return QRect(QPoint(1 - beyond, 1 - beyond),
               QPoint(viewport_.LastStartColumn() + beyond, viewport_.LastStartRow() + beyond));
}

void EditingSession::SetViewStart(QPoint start) {
  const QRect range = ViewStartRange();
  const QPoint held(std::clamp(start.x(), range.left(), range.right()),
                    std::clamp(start.y(), range.top(), range.bottom()));
  if (held == ViewStart()) return;
  view_.MapXstart = static_cast<std::int16_t>(held.x());
  view_.MapYstart = static_cast<std::int16_t>(held.y());
  view_.PlaceCursor(view_.MapX - view_.MapXstart, view_.MapY - view_.MapYstart);
  emit ViewChanged();
}

void EditingSession::CentreViewOn(QPointF overview_point) {
  ViewState centred = view_;
  centred.CentreOnOverviewPoint(overview_point.x(), overview_point.y(), viewport_.Columns(), viewport_.Rows());
  SetViewStart({centred.MapXstart, centred.MapYstart});
}

void EditingSession::SetViewSize(QSize twips) {
  viewport_.SetSize(twips.width(), twips.height());
  HoldViewInGrid();
  emit ViewChanged();
}

void EditingSession::ZoomBy(double factor, std::optional<QPointF> around) {
  const QPointF point = around.value_or(QPointF(viewport_.Columns() * viewport_.CellWidth() / 2,
                                                viewport_.Rows() * viewport_.CellHeight() / 2));
  const QPoint cell = CellAt(point);
  viewport_.SetZoom(viewport_.Zoom() * factor);
  const QPoint offset = CellAt(point) - ViewStart();
  view_.MapXstart = static_cast<std::int16_t>(cell.x() - offset.x());
  view_.MapYstart = static_cast<std::int16_t>(cell.y() - offset.y());
  HoldViewInGrid();
  emit ViewChanged();
}

void EditingSession::ZoomToActualSize() { ZoomBy(1 / viewport_.Zoom()); }

void EditingSession::HoldViewInGrid() {
  const QRect range = ViewStartRange();
  view_.MapXstart = static_cast<std::int16_t>(std::clamp<int>(view_.MapXstart, range.left(), range.right()));
  view_.MapYstart = static_cast<std::int16_t>(std::clamp<int>(view_.MapYstart, range.top(), range.bottom()));
  view_.PlaceCursor(view_.MapX - view_.MapXstart, view_.MapY - view_.MapYstart);
}

std::optional<QPoint> EditingSession::PointerCell() const {
  if (!pointer_) return std::nullopt;
  return QPoint(static_cast<int>(std::floor(pointer_->X)) + 1, static_cast<int>(std::floor(pointer_->Y)) + 1);
}

void EditingSession::SetPointer(std::optional<GridPoint> point) {
  if (!point && !pointer_) return;
  pointer_ = point;
  emit PointerChanged();
}

void EditingSession::SetScale(const ElevationScale& scale) {
  scale_ = scale;
  emit ScaleChanged();
}

void EditingSession::SetTracks(TrackSet tracks) {
  tracks_ = std::move(tracks);
  emit TracksChanged();
}

void EditingSession::SetTracksShown(bool shown) {
  tracks_shown_ = shown;
  emit DisplayChanged();
}

void EditingSession::SetReference(std::optional<ReferenceDem> reference) {
  reference_ = std::move(reference);
  emit ReferenceChanged();
  emit DisplayChanged();
}

void EditingSession::SetShowsNeighbours(bool shown) {
  shows_neighbours_ = shown;
  HoldViewInGrid();
  emit ViewChanged();
  emit DisplayChanged();
}

void EditingSession::SetShowsDifference(bool shown) {
  shows_difference_ = shown;
  emit DisplayChanged();
}

void EditingSession::SetShaded(bool shaded) {
  shaded_ = shaded;
  emit DisplayChanged();
}

void EditingSession::SetLight(const ReliefLight& light) {
  light_ = light;
  emit DisplayChanged();
}

void EditingSession::SetShowsSlope(bool shown) {
  shows_slope_ = shown;
  emit DisplayChanged();
}

void EditingSession::SetContours(const ContourSettings& contours) {
  contours_ = contours;
  emit DisplayChanged();
}

void EditingSession::SetHatchOmittedRows(bool hatched) {
  hatch_omitted_rows_ = hatched;
  emit DisplayChanged();
}

void EditingSession::SetSelection(const CellSelection& selection) {
  if (selection == selection_) return;
  selection_ = selection;
  emit SelectionChanged();
}

void EditingSession::SetProfileLine(std::vector<GridPoint> line) {
  profile_line_ = std::move(line);
  emit SketchChanged();
}

void EditingSession::SetMeasuredPath(std::vector<GridPoint> path) {
  measured_path_ = std::move(path);
  emit SketchChanged();
}

void EditingSession::SetProfileMark(std::optional<GridPoint> mark) {
  profile_mark_ = mark;
  emit SketchChanged();
}

void EditingSession::SetBrush(BrushSize size) {
  brush_ = size;
  emit BrushChanged(size);
}

void EditingSession::SetMode(EditMode mode) {
  mode_ = mode;
  emit ModeChanged(mode);
}

void EditingSession::SetAutoMoveDirection(MoveDirection direction) {
  auto_move_direction_ = direction;
  emit AutoMoveDirectionChanged(direction);
}

}  // namespace koravel
