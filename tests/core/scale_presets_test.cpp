#include "core/scale/scale_presets.h"

#include <gtest/gtest.h>

namespace koravel {
namespace {

TEST(ScalePresets, SpreadsWholeMetreStepsFromTheLowestRoundingTheStepHalfToEven) {
  // lowest, highest, levels 0, 1 and 14, the text of level 1
  const std::tuple<std::int32_t, std::int32_t, double, double, double, const char*> cases[] = {
      {123, 5678, 12.3, 49.3, 530.3, "49.3"},  // 555.5 m / 15 = 37.03
      {0, 1875, 0, 12, 168, "12"},             // 187.5 m / 15 = 12.5 → 12
      {0, 2025, 0, 14, 196, "14"},             // 202.5 m / 15 = 13.5 → 14
      {9999, 0, 999.9, 932.9, 61.9, "932.9"},  // nothing above 0 and nothing below 999.9 m
      {0, 0, 0, 0, 0, "0"},                    // before any file
  };
  for (const auto& [lowest, highest, first, second, last, second_text] : cases) {
    ElevationScale scale;
    SpreadLevelsFromLowestToHighest(scale, lowest, highest);
    EXPECT_DOUBLE_EQ(scale.ScaleLevels[0], first) << lowest << ".." << highest;
    EXPECT_DOUBLE_EQ(scale.ScaleLevels[1], second) << lowest << ".." << highest;
    EXPECT_DOUBLE_EQ(scale.ScaleLevels[14], last) << lowest << ".." << highest;
    EXPECT_EQ(LevelText(scale.ScaleLevels[1]), second_text) << lowest << ".." << highest;
  }
}

TEST(ScalePresets, StepsOneMetreFromTheLowest) {
  ElevationScale scale;
  StepLevelsFromLowest(scale, -55);
  EXPECT_DOUBLE_EQ(scale.ScaleLevels[0], -5.5);
  EXPECT_DOUBLE_EQ(scale.ScaleLevels[14], 8.5);
}

TEST(LevelEntry, KeepsEachLevelBetweenItsNeighbours) {
  const std::optional<double> none;
  // item, value, neighbour below, neighbour above, accepted
  const std::tuple<int, double, std::optional<double>, std::optional<double>, bool> cases[] = {
      {5, 200, 200, 300, true},      {5, 300, 200, 300, true},    {5, 350, 200, 300, false},
      {5, 150, 200, 300, false},     {0, -5000, none, 20, true},  {0, 21, none, 20, false},
      {14, 99999, 2500, none, true}, {14, 2499, 2500, none, false},
      {5, 250, none, 300, false},    {5, 250, 200, none, false},  // a neighbour showing no number
  };
  for (const auto& [item, value, below, above, accepted] : cases) {
    EXPECT_EQ(LevelFitsBetweenNeighbours(item, value, below, above), accepted) << item << ": " << value;
  }
}

}  // namespace
}  // namespace koravel
