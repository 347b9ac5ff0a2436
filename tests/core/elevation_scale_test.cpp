#include "core/scale/elevation_scale.h"

#include <gtest/gtest.h>

namespace koravel {
namespace {

TEST(ElevationScale, ColoursEachBandClosedBelowAndOpenAbove) {
  const ElevationScale scale;
  const std::pair<std::int32_t, RgbColor> cases[] = {
      {INT32_MIN, {0, 50, 150}}, {-9999, {0, 50, 150}},   {-1, {0, 50, 150}},         {0, {90, 200, 60}},
      {199, {90, 200, 60}},      {200, {100, 250, 0}},     {7499, {130, 70, 0}},       {7500, {110, 40, 0}},
      {29999, {140, 140, 100}},  {30000, {180, 180, 150}}, {INT32_MAX, {180, 180, 150}},
  };
  for (const auto& [elevation, color] : cases) EXPECT_EQ(scale.ElevationColor(elevation), color) << elevation;
}

TEST(ElevationScale, TakesTheFirstLevelAboveAValueWhenLevelsAreOutOfOrder) {
  ElevationScale scale;
  scale.ScaleLevels.fill(100);
  EXPECT_EQ(scale.ElevationColor(999), scale.ScaleColors[0]);
  EXPECT_EQ(scale.ElevationColor(1000), scale.ScaleColors[15]);
  scale.ScaleLevels[3] = 10;
  EXPECT_EQ(scale.ElevationColor(200), scale.ScaleColors[0]) << "level 0 (100) already exceeds 20 m";
  scale.ScaleLevels[0] = 5;
  EXPECT_EQ(scale.ElevationColor(80), scale.ScaleColors[1]);
}

TEST(ElevationScale, ResetsColoursAndLevelsIndependently) {
  ElevationScale scale;
  scale.ScaleColors[4] = {1, 2, 3};
  scale.ScaleLevels[8] = 1;
  scale.SetDefaultLevels();
  EXPECT_EQ(scale.ScaleLevels[8], 750);
  EXPECT_EQ(scale.ScaleColors[4], (RgbColor{1, 2, 3}));
  scale.ScaleLevels[8] = 1;
  scale.SetDefaultColors();
  EXPECT_EQ(scale.ScaleColors[4], (RgbColor{200, 190, 0}));
  EXPECT_EQ(scale.ScaleLevels[8], 1);
}

TEST(LevelText, WritesPlainDecimalsOfFifteenSignificantDigitsWithoutTrailingZeros) {
  const std::pair<double, const char*> cases[] = {
      {20, "20"},     {12.5, "12.5"},  {-999.9, "-999.9"}, {0, "0"},      {-0.0, "0"},
      {0.1, "0.1"},   {-0.25, "-0.25"}, {1.0 / 3, "0.333333333333333"}, {123456.789, "123456.789"},
  };
  for (const auto& [level, text] : cases) EXPECT_EQ(LevelText(level), text) << level;
}

}  // namespace
}  // namespace koravel
