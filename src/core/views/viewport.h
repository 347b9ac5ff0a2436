#pragma once

#include <utility>

namespace koravel {

/// How the detail view lays grid cells into its picture for any size and
/// zoom. Sizes and points are in twips (15 to a pixel at 96 dpi); at zoom 1
/// a cell is 100 × 80 twips, as in the window's design, and the design's
/// picture of 5055 × 4095 twips shows 50 × 50 whole cells.
class Viewport {
 public:
  static constexpr double kZoomStep = 1.25;
  /// The largest zoom: 32 pixels per cell at 96 dpi.
  static constexpr double kMaxZoom = 32.0 * 15 / 100;

  /// The picture's size in twips.
  void SetSize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }

  double Zoom() const { return zoom_; }
  /// Sets the zoom, held between MinZoom and kMaxZoom.
  void SetZoom(double zoom);
  /// The smallest zoom: the whole mesh fits the picture, or 1 if it fits at 1.
  double MinZoom() const;

  /// A cell's width and height in twips at the current zoom.
  double CellWidth() const;
  double CellHeight() const;
  /// How many whole cells the picture shows across and down, 1 to 200.
  int Columns() const;
  int Rows() const;
  /// How many cells the picture shows across and down, the last one cut
  /// at the picture's edge: the whole cells, and one or two more where the
  /// picture has room beyond the design's narrow free strip.
  int VisibleColumns() const;
  int VisibleRows() const;
  /// The last grid column and row the view may start at, so it stays inside the grid.
  int LastStartColumn() const;
  int LastStartRow() const;

  /// The view cell (column, row), counted from 0 at the view's top-left
  /// cell, under the point (x, y) twips; not limited to the whole cells.
  std::pair<int, int> CellAt(double x, double y) const;

 private:
  int width_ = 5055;
  int height_ = 4095;
  double zoom_ = 1;
};

}  // namespace koravel
