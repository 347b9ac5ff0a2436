#include "core/scale/scale_presets.h"

#include "core/text/lenient_number.h"

namespace koravel {

void SpreadLevelsFromLowestToHighest(ElevationScale& scale, std::int32_t lowest,
                                     std::int32_t highest) {
  const double low = lowest / 10.0;
  const double high = highest / 10.0;
  // The step is held in 16 bits; the document's extremes keep it far inside.
  const std::int16_t step = RoundHalfEven<std::int16_t>((high - low) / 15).value_or(0);
  for (int i = 0; i < kScaleLevelCount; ++i) scale.ScaleLevels[i] = low + i * step;
}

void StepLevelsFromLowest(ElevationScale& scale, std::int32_t lowest) {
  const double low = lowest / 10.0;
  for (int i = 0; i < kScaleLevelCount; ++i) scale.ScaleLevels[i] = low + i;
}

bool LevelFitsBetweenNeighbours(int index, double value, std::optional<double> below,
                                std::optional<double> above) {
  const bool above_below = index == 0 || (below && *below <= value);
  const bool below_above = index == kScaleLevelCount - 1 || (above && value <= *above);
  return above_below && below_above;
}

ElevationScale DifferenceScale() {
  ElevationScale scale;
  scale.ScaleLevels = {-50, -20, -10, -5, -2, -1, -0.5, 0.5, 1, 2, 5, 10, 20, 50, 100};
  scale.ScaleColors = {{{5, 48, 97}, {33, 102, 172}, {67, 147, 195}, {146, 197, 222}, {209, 229, 240},
                        {230, 240, 248}, {243, 248, 252}, {255, 255, 255}, {253, 240, 235}, {253, 219, 199},
                        {244, 165, 130}, {214, 96, 77}, {178, 24, 43}, {140, 10, 35}, {103, 0, 31}, {70, 0, 20}}};
  return scale;
}

ElevationScale SlopeScale() {
  ElevationScale scale;
  scale.ScaleLevels = {2, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 70, 80};
  scale.ScaleColors = {{{230, 245, 208}, {199, 233, 160}, {161, 215, 106}, {120, 198, 121}, {173, 221, 142},
                        {217, 240, 163}, {255, 255, 191}, {254, 224, 139}, {253, 174, 97}, {244, 109, 67},
                        {215, 48, 39}, {180, 30, 30}, {165, 0, 38}, {130, 0, 30}, {100, 0, 25}, {70, 0, 20}}};
  return scale;
}

}  // namespace koravel
