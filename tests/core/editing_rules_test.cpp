#include <gtest/gtest.h>

#include "core/edit/cursor_step.h"
#include "core/edit/elevation_entry.h"
#include "core/views/pointer_cell.h"

namespace koravel {
namespace {

TEST(ParseElevation, ReadsTypedMetresAsTenthsRoundingHalvesToEvenWithinRange) {
  const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
      {"1234.56", 12346}, {"9999.9", 99999}, {"9999.94", 99999}, {"9999.95", std::nullopt},
      {"-999.9", -9999},  {"-1000", std::nullopt}, {"0.25", 2}, {"0.75", 8}, {"1e400", std::nullopt},
  };
  for (const auto& [text, tenths] : cases) EXPECT_EQ(ParseElevation(text), tenths) << text;
}

// Typing with the Japanese input method on gives full-width characters; text
// that is no number used to be stored as 0 m without a word.
TEST(ParseElevation, ReadsFullWidthFormsAndTheUnitAndRefusesWhatIsNoNumber) {
  const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
      {"１２３．４", 1234}, {"－５", -50}, {"ー５", -50}, {"　７　", 70}, {" 12 m", 120}, {"12ｍ", 120},
      {"", std::nullopt}, {"   ", std::nullopt}, {"abc", std::nullopt}, {"12abc", std::nullopt},
      {"1,234", std::nullopt}, {"1 2", std::nullopt}, {"m", std::nullopt}, {"12mm", std::nullopt},
  };
  for (const auto& [text, tenths] : cases) EXPECT_EQ(ParseElevation(text), tenths) << text;
}

TEST(StepCursor, WrapsRowsSidewaysAndStopsAtTheGridsEnds) {
  using enum MoveDirection;
  // direction, from x, y, to x, y
  const std::tuple<MoveDirection, int, int, int, int> cases[] = {
      {Right, 200, 5, 1, 6},   {Right, 200, 200, 200, 200}, {Right, 199, 200, 200, 200}, {Left, 1, 5, 200, 4},
      {Left, 1, 1, 1, 1},      {Left, 2, 1, 1, 1},          {Down, 7, 199, 7, 200},      {Down, 7, 200, 7, 200},
      {Up, 7, 2, 7, 1},        {Up, 7, 1, 7, 1},
  };
  for (const auto& [direction, x, y, to_x, to_y] : cases) {
    ViewState view;
    view.MapXstart = 101;
    view.MapX = static_cast<std::int16_t>(x);
    view.MapY = static_cast<std::int16_t>(y);
    StepCursor(view, direction);
    EXPECT_EQ(std::tuple(view.MapX, view.MapY), std::tuple(to_x, to_y))
        << static_cast<int>(direction) << " from " << x << "," << y;
    EXPECT_EQ(view.MapXstart, 101) << "the view does not follow the cursor";
  }
}

TEST(ViewCellAtPointer, TakesHalfACellOffBeforeRoundingHalvesToEven) {
  const std::tuple<double, double, int, int> cases[] = {
      {0, 0, 0, 0}, {149, 79, 1, 0}, {250, 80, 2, 0}, {-60, 81, -1, 1}, {5100, 160, 50, 2}, {350, 200, 3, 2},
  };
  for (const auto& [x, y, column, row] : cases) {
    EXPECT_EQ(ViewCellAtPointer(x, y), std::pair(column, row)) << x << "," << y;
  }
}

}  // namespace
}  // namespace koravel
