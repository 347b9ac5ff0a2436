#include "core/views/view_state.h"

#include <gtest/gtest.h>

namespace koravel {
namespace {

TEST(ViewState, PullsTheCursorBackIntoTheGridButNotIntoTheView) {
  // view start, wanted offset, cursor cell, offset kept
  const std::tuple<int, int, int, int> cases[] = {
      {1, -1, 1, 0},     {151, 60, 200, 49},   {101, -100, 1, -100},
      {51, 75, 126, 75}, {151, -151, 1, -150}, {1, 300, 200, 199},
  };
  // Each row is paired with another case's column, so a mixed-up axis shows.
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto [column_start, column, x, screen_x] = cases[i];
    const auto [row_start, row, y, screen_y] = cases[std::size(cases) - 1 - i];
    ViewState view;
    view.MapXstart = static_cast<std::int16_t>(column_start);
    view.MapYstart = static_cast<std::int16_t>(row_start);
    view.PlaceCursor(column, row);
    EXPECT_EQ(std::tuple(view.MapX, view.ScrX, view.MapY, view.ScrY), std::tuple(x, screen_x, y, screen_y)) << i;
  }
}

TEST(ViewState, CentresOnAnOverviewClickRoundingHalvesToEvenWithinTheBorderLeavingTheCursor) {
  // overview point in twips, view start
  const std::tuple<double, double, int, int> cases[] = {
      {0, 1599, 1, 151},     {375, 308, 12, 14},   {385, 300, 14, 12},     {1999, 0, 151, 1},
      {255, 212, 1, 2},      {265, 204, 2, 1},     {1760, 1400, 151, 150}, {1750, 1408, 150, 151},
  };
  for (const auto& [x, y, x_start, y_start] : cases) {
    ViewState view;
    view.MapX = 7;
    view.MapY = 9;
    view.CentreOnOverviewPoint(x, y);
    EXPECT_EQ(std::tuple(view.MapXstart, view.MapYstart), std::tuple(x_start, y_start)) << x << "," << y;
    EXPECT_EQ(std::tuple(view.MapX, view.MapY), std::tuple(7, 9)) << "the cursor cell stays";
  }
}

}  // namespace
}  // namespace koravel
