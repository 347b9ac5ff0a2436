#include "core/views/viewport.h"

#include "core/views/repaint_geometry.h"

#include <gtest/gtest.h>

namespace koravel {
namespace {

// Cells are 100 × 80 twips at zoom 1; the design's picture of 5055 × 4095
// twips keeps a strip of 55 × 95 free beside its 50 × 50 cells.
TEST(Viewport, ShowsTheCellsThatFollowCutAtTheEdgeExceptAtTheDesignsGeometry) {
  const struct {
    int width, height;
    double zoom;
    int columns, rows, visible_columns, visible_rows;
  } cases[] = {
      {5055, 4095, 1, 50, 50, 50, 50},
      {5100, 4100, 1, 50, 50, 51, 52},
      {10000, 8000, 1, 99, 98, 100, 100},
      {5055, 4095, 2, 25, 25, 25, 25},
      {5055, 4095, 3.2, 15, 15, 16, 16},
      {40000, 40000, 1, 200, 200, 200, 200},
  };
  for (const auto& c : cases) {
    Viewport viewport;
    viewport.SetSize(c.width, c.height);
    viewport.SetZoom(c.zoom);
    EXPECT_EQ(viewport.Columns(), c.columns) << c.width << " x " << c.height << " at " << c.zoom;
    EXPECT_EQ(viewport.Rows(), c.rows) << c.width << " x " << c.height << " at " << c.zoom;
    EXPECT_EQ(viewport.VisibleColumns(), c.visible_columns) << c.width << " x " << c.height << " at " << c.zoom;
    EXPECT_EQ(viewport.VisibleRows(), c.visible_rows) << c.width << " x " << c.height << " at " << c.zoom;
  }
}

// A shaded cell takes its slope from its 3 × 3 neighbourhood.
TEST(RepaintGeometry, AShadedEditRepaintsItsNeighboursWithinTheGrid) {
  const std::tuple<CellRect, bool, CellRect> cases[] = {
      {{5, 5, 5, 5}, false, {5, 5, 5, 5}},
      {{5, 5, 5, 5}, true, {4, 4, 6, 6}},
      {{1, 1, 200, 1}, true, {1, 1, 200, 2}},
      {{200, 199, 200, 200}, true, {199, 198, 200, 200}},
  };
  for (const auto& [edited, shaded, changed] : cases) EXPECT_EQ(CellsChangedByEdit(edited, shaded), changed);
}

// 15 twips to a logical pixel; boxes meet where one ends and the next starts.
TEST(RepaintGeometry, PlacesTwipsOnDevicePixels) {
  const std::tuple<double, double, int> cases[] = {
      {100, 1, 6}, {200, 1, 13}, {100, 2, 13}, {100, 1.5, 10}, {5055, 1, 337}, {14.99, 1, 0}, {15, 1, 1},
  };
  for (const auto& [twips, ratio, pixel] : cases) EXPECT_EQ(DevicePixel(twips, ratio), pixel) << twips << " at " << ratio;
}

}  // namespace
}  // namespace koravel
