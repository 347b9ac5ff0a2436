#include <gtest/gtest.h>

#include "edit/cursor_step.h"
#include "edit/elevation_entry.h"
#include "edit/pointer_cell.h"

namespace koravel {
namespace {

TEST(ParseElevation, ReadsTypedMetresAsTenthsRoundingHalvesToEven) {
  const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
      {"1234.56", 12346}, {"9999.9", 99999},   {"10000", std::nullopt}, {"-999.9", -9999},
      {"-1000", std::nullopt}, {"", 0},        {"12abc", 120},          {"0.25", 2},
      {"0.75", 8},        {"12.34", 123},      {" 1 2 . 5", 125},       {"abc", 0},
      {"1e3", 10000},     {"1e400", std::nullopt}, {"-0.05", 0},        {"9999.94", 99999},
      {"9999.95", std::nullopt},
  };
  for (const auto& [text, tenths] : cases) EXPECT_EQ(ParseElevation(text), tenths) << text;
}

struct StepCase {
  MoveDirection direction;
  int x, y, to_x, to_y;
};

TEST(StepCursor, WrapsRowsSidewaysAndStopsAtTheGridsEnds) {
  const StepCase cases[] = {
      {MoveDirection::Right, 5, 5, 6, 5},       {MoveDirection::Right, 200, 5, 1, 6},
      {MoveDirection::Right, 200, 200, 200, 200}, {MoveDirection::Left, 5, 5, 4, 5},
      {MoveDirection::Left, 1, 5, 200, 4},      {MoveDirection::Left, 1, 1, 1, 1},
      {MoveDirection::Down, 7, 199, 7, 200},    {MoveDirection::Down, 7, 200, 7, 200},
      {MoveDirection::Up, 7, 2, 7, 1},          {MoveDirection::Up, 7, 1, 7, 1},
      {MoveDirection::Right, 199, 200, 200, 200}, {MoveDirection::Left, 2, 1, 1, 1},
  };
  for (const StepCase& c : cases) {
    ViewState view;
    view.MapXstart = 101;
    view.MapX = static_cast<std::int16_t>(c.x);
    view.MapY = static_cast<std::int16_t>(c.y);
    StepCursor(view, c.direction);
    EXPECT_EQ(view.MapX, c.to_x) << static_cast<int>(c.direction) << " from " << c.x << "," << c.y;
    EXPECT_EQ(view.MapY, c.to_y) << static_cast<int>(c.direction) << " from " << c.x << "," << c.y;
    EXPECT_EQ(view.MapXstart, 101) << "the view does not follow the cursor";
  }
}

TEST(ViewCellAtPointer, TakesHalfACellOffBeforeRoundingHalvesToEven) {
  const std::pair<double, int> columns[] = {{0, 0}, {149, 1}, {250, 2}, {-60, -1}, {5100, 50}};
  for (const auto& [x, column] : columns) EXPECT_EQ(ViewCellAtPointer(x, 0).first, column) << x;
  const std::pair<double, int> rows[] = {{0, 0}, {79, 0}, {80, 0}, {81, 1}, {160, 2}, {200, 2}};
  for (const auto& [y, row] : rows) EXPECT_EQ(ViewCellAtPointer(0, y).second, row) << y;
}

}  // namespace
}  // namespace koravel
