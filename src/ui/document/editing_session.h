#pragma once

#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <optional>
#include <vector>

#include "core/dem/reference_dem.h"
#include "core/edit/brush.h"
#include "core/scale/hill_shade.h"
#include "core/edit/cell_selection.h"
#include "core/edit/cursor_step.h"
#include "core/edit/edit_mode.h"
#include "core/scale/elevation_scale.h"
#include "core/tracks/track_set.h"
#include "core/views/contour_settings.h"
#include "core/views/view_state.h"
#include "core/views/viewport.h"

namespace koravel {

class Document;

/// Everything of one editing session beside the document: the cursor and
/// the cell under the pointer, the part of the grid the detail view shows
/// and its zoom, the selection, the colour scale, the tracks, how the maps
/// draw, and how input edits. Controllers change it; views, the status bar and the panels
/// follow its signals, each on its own, so the order in which they were made
/// does not matter. A document put in place resets it, as Open does.
class EditingSession : public QObject {
  Q_OBJECT

 public:
  explicit EditingSession(const Document& document, QObject* parent = nullptr);

  /// The cursor cell and the view's first cell, in grid columns and rows.
  const ViewState& View() const { return view_; }
  QPoint Cursor() const { return {view_.MapX, view_.MapY}; }
  QPoint ViewStart() const { return {view_.MapXstart, view_.MapYstart}; }
  const Viewport& DetailViewport() const { return viewport_; }
  /// The first and the last cell the view may start at: inside the grid,
  /// or some way beyond it while the neighbouring meshes are shown.
  QRect ViewStartRange() const;
  /// The grid cell under detail-view point (x, y) twips, not limited to the grid.
  QPoint CellAt(QPointF point) const;
  /// Detail-view point (x, y) twips in the grid frame of track positions.
  GridPoint PointOnGrid(QPointF point) const;

  /// Puts the cursor on `cell`, held inside the grid; the view stays.
  void SetCursor(QPoint cell);
  /// Puts the cursor on `cell`, scrolling the view just enough to show it.
  void ShowCell(QPoint cell);
  /// Puts the cursor on `cell`; where the view does not show it, the view is
  /// centred on it, as far as the grid allows.
  void JumpToCell(QPoint cell);
  /// Starts the view at `start`, as far as the grid allows.
  void SetViewStart(QPoint start);
  /// Centres the view on the overview point (x, y) twips.
  void CentreViewOn(QPointF overview_point);
  /// The detail view's size in twips.
  void SetViewSize(QSize twips);
  /// Zooms by `factor`, keeping the cell under `around` (detail-view
  /// twips) in place; around the view's centre without a point.
  void ZoomBy(double factor, std::optional<QPointF> around = std::nullopt);
  void ZoomToActualSize();

  /// The point under the pointer, on either map, in the grid frame of track
  /// positions; nothing off the mesh.
  std::optional<GridPoint> Pointer() const { return pointer_; }
  /// The cell under the pointer.
  std::optional<QPoint> PointerCell() const;
  void SetPointer(std::optional<GridPoint> point);

  const ElevationScale& Scale() const { return scale_; }
  void SetScale(const ElevationScale& scale);

  const TrackSet& Tracks() const { return tracks_; }
  void SetTracks(TrackSet tracks);
  bool TracksShown() const { return tracks_shown_; }
  void SetTracksShown(bool shown);

  bool Shaded() const { return shaded_; }
  void SetShaded(bool shaded);
  const ReliefLight& Light() const { return light_; }
  void SetLight(const ReliefLight& light);
  /// Whether the maps are coloured by slope instead of height.
  bool ShowsSlope() const { return shows_slope_; }
  void SetShowsSlope(bool shown);
  const ContourSettings& Contours() const { return contours_; }
  void SetContours(const ContourSettings& contours);
  /// The newer model's heights sampled at the open mesh's cells, when loaded.
  const std::optional<ReferenceDem>& Reference() const { return reference_; }
  void SetReference(std::optional<ReferenceDem> reference);
  /// Whether the maps show the mesh's difference from the reference.
  bool ShowsDifference() const { return shows_difference_ && reference_.has_value(); }
  void SetShowsDifference(bool shown);

  /// Whether the detail view shows the neighbouring meshes' cells beyond the edges.
  bool ShowsNeighbours() const { return shows_neighbours_; }
  void SetShowsNeighbours(bool shown);

  bool HatchOmittedRows() const { return hatch_omitted_rows_; }
  void SetHatchOmittedRows(bool hatched);
  /// Both maps are drawn anew, as 再描画 asks.
  void Redraw() { emit DisplayChanged(); }

  /// The cells chosen for the operations of 編集 > 選択範囲; not part of
  /// the undo history.
  const CellSelection& Selection() const { return selection_; }
  void SetSelection(const CellSelection& selection);

  /// The line drawn for a profile, in the grid frame of track positions.
  const std::vector<GridPoint>& ProfileLine() const { return profile_line_; }
  void SetProfileLine(std::vector<GridPoint> line);
  /// The points of the path being measured, in the same frame.
  const std::vector<GridPoint>& MeasuredPath() const { return measured_path_; }
  void SetMeasuredPath(std::vector<GridPoint> path);
  /// The place the pointer marks on the profile's chart, shown on both maps.
  std::optional<GridPoint> ProfileMark() const { return profile_mark_; }
  void SetProfileMark(std::optional<GridPoint> mark);

  EditMode Mode() const { return mode_; }
  void SetMode(EditMode mode);
  MoveDirection AutoMoveDirection() const { return auto_move_direction_; }
  void SetAutoMoveDirection(MoveDirection direction);
  BrushSize Brush() const { return brush_; }
  void SetBrush(BrushSize size);

 signals:
  void CursorChanged(QPoint cell);
  /// The view's first cell, its size or its zoom changed.
  void ViewChanged();
  void PointerChanged();
  void ScaleChanged();
  void TracksChanged();
  void ReferenceChanged();
  /// Shading, the hatch or the tracks' visibility changed, or a redraw was asked for.
  void DisplayChanged();
  void SelectionChanged();
  /// The profile's line, the measured path or the profile's mark changed.
  void SketchChanged();
  void ModeChanged(EditMode mode);
  void BrushChanged(BrushSize size);
  void AutoMoveDirectionChanged(MoveDirection direction);

 private:
  void Reset();
  void HoldViewInGrid();

  ViewState view_;
  Viewport viewport_;
  std::optional<GridPoint> pointer_;
  ElevationScale scale_;
  TrackSet tracks_;
  bool tracks_shown_ = true;
  bool shaded_ = false;
  ReliefLight light_;
  bool shows_slope_ = false;
  ContourSettings contours_;
  std::optional<ReferenceDem> reference_;
  bool shows_difference_ = false;
  bool shows_neighbours_ = false;
  bool hatch_omitted_rows_ = true;
  CellSelection selection_;
  std::vector<GridPoint> profile_line_;
  std::vector<GridPoint> measured_path_;
  std::optional<GridPoint> profile_mark_;
  EditMode mode_ = EditMode::PointEdit;
  BrushSize brush_ = BrushSize::One;
  MoveDirection auto_move_direction_ = MoveDirection::Right;
};

}  // namespace koravel
