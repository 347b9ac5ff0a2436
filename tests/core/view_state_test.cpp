#include "views/view_state.h"

#include <gtest/gtest.h>

namespace koravel {
namespace {

struct CursorCase {
  int view_start, wanted, cell, offset;
};

TEST(ViewState, PullsTheCursorBackIntoTheGridButNotIntoTheView) {
  const CursorCase cases[] = {
      {1, -1, 1, 0},       {151, 60, 200, 49}, {101, -100, 1, -100}, {1, 0, 1, 0},
      {1, 49, 50, 49},     {51, 75, 126, 75},  {151, -151, 1, -150}, {1, 300, 200, 199},
  };
  for (const CursorCase& c : cases) {
    ViewState columns;
    columns.MapXstart = static_cast<std::int16_t>(c.view_start);
    columns.PlaceCursor(c.wanted, 0);
    EXPECT_EQ(columns.MapX, c.cell) << c.view_start << " " << c.wanted;
    EXPECT_EQ(columns.ScrX, c.offset) << c.view_start << " " << c.wanted;

    ViewState rows;
    rows.MapYstart = static_cast<std::int16_t>(c.view_start);
    rows.PlaceCursor(0, c.wanted);
    EXPECT_EQ(rows.MapY, c.cell) << c.view_start << " " << c.wanted;
    EXPECT_EQ(rows.ScrY, c.offset) << c.view_start << " " << c.wanted;
  }
}

TEST(ViewState, CentresOnAnOverviewClickRoundingHalvesToEvenWithinTheBorder) {
  const std::pair<double, int> columns[] = {
      {0, 1}, {375, 12}, {385, 14}, {1999, 151}, {255, 1}, {265, 2}, {1760, 151}, {1750, 150}};
  for (const auto& [x, start] : columns) {
    ViewState view;
    view.CentreOnOverviewPoint(x, 0);
    EXPECT_EQ(view.MapXstart, start) << x;
  }
  const std::pair<double, int> rows[] = {{0, 1}, {300, 12}, {308, 14}, {1599, 151}};
  for (const auto& [y, start] : rows) {
    ViewState view;
    view.CentreOnOverviewPoint(0, y);
    EXPECT_EQ(view.MapYstart, start) << y;
  }
}

TEST(ViewState, LeavesTheCursorCellWhereItWasWhenTheViewMoves) {
  ViewState view;
  view.MapX = 7;
  view.MapY = 9;
  view.CentreOnOverviewPoint(1999, 1599);
  EXPECT_EQ(view.MapX, 7);
  EXPECT_EQ(view.MapY, 9);
}

}  // namespace
}  // namespace koravel
