#include "scale/scale_presets.h"

#include <gtest/gtest.h>

namespace koravel {
namespace {

TEST(ScalePresets, SpreadsWholeMetreStepsFromTheLowestElevation) {
  ElevationScale scale;
  SpreadLevelsFromLowestToHighest(scale, 123, 5678);
  EXPECT_DOUBLE_EQ(scale.ScaleLevels[0], 12.3);
  EXPECT_DOUBLE_EQ(scale.ScaleLevels[1], 49.3);
  EXPECT_DOUBLE_EQ(scale.ScaleLevels[14], 530.3);
  EXPECT_EQ(LevelText(scale.ScaleLevels[1]), "49.3");
}

TEST(ScalePresets, RoundsTheStepHalfToEvenAndMayDescend) {
  const std::tuple<std::int32_t, std::int32_t, double> cases[] = {
      {0, 1875, 12},     // 187.5 m / 15 = 12.5 → 12
      {0, 2025, 14},     // 202.5 m / 15 = 13.5 → 14
      {9999, 0, -67},    // nothing above 0 and nothing below 999.9 m
      {0, 0, 0},         // before any file: every level 0
  };
  for (const auto& [lowest, highest, step] : cases) {
    ElevationScale scale;
    SpreadLevelsFromLowestToHighest(scale, lowest, highest);
    EXPECT_DOUBLE_EQ(scale.ScaleLevels[1] - scale.ScaleLevels[0], step) << lowest << ".." << highest;
    EXPECT_DOUBLE_EQ(scale.ScaleLevels[14], lowest / 10.0 + 14 * step);
  }
}

TEST(ScalePresets, StepsOneMetreFromTheLowest) {
  ElevationScale scale;
  StepLevelsFromLowest(scale, -55);
  EXPECT_DOUBLE_EQ(scale.ScaleLevels[0], -5.5);
  EXPECT_DOUBLE_EQ(scale.ScaleLevels[14], 8.5);
}

TEST(LevelEntry, KeepsEachLevelBetweenItsNeighbours) {
  EXPECT_TRUE(LevelFitsBetweenNeighbours(5, 250, 200, 300));
  EXPECT_TRUE(LevelFitsBetweenNeighbours(5, 200, 200, 300));
  EXPECT_FALSE(LevelFitsBetweenNeighbours(5, 350, 200, 300));
  EXPECT_FALSE(LevelFitsBetweenNeighbours(5, 150, 200, 300));
  EXPECT_TRUE(LevelFitsBetweenNeighbours(0, -5000, std::nullopt, 20));
  EXPECT_FALSE(LevelFitsBetweenNeighbours(0, 21, std::nullopt, 20));
  EXPECT_TRUE(LevelFitsBetweenNeighbours(14, 99999, 2500, std::nullopt));
  EXPECT_FALSE(LevelFitsBetweenNeighbours(14, 2499, 2500, std::nullopt));
  EXPECT_FALSE(LevelFitsBetweenNeighbours(5, 250, std::nullopt, 300)) << "a neighbour showing no number";
}

}  // namespace
}  // namespace koravel
