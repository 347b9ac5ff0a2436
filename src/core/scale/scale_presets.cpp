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

}  // namespace koravel
