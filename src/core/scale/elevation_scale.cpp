#include "core/scale/elevation_scale.h"

#include <charconv>
#include <cmath>

#include "core/text/lenient_number.h"

namespace koravel {
namespace {

constexpr std::array<RgbColor, kScaleColorCount> kDefaultColors = {{
    {0, 50, 150},  {90, 200, 60}, {100, 250, 0}, {150, 220, 0},  {200, 190, 0},  {250, 160, 0},
    {210, 130, 0}, {170, 100, 0}, {130, 70, 0},  {110, 40, 0},   {90, 10, 0},    {70, 40, 0},
    {80, 70, 10},  {90, 100, 50}, {140, 140, 100}, {180, 180, 150},
}};

constexpr int kSignificantDigits = 15;

}  // namespace

ElevationScale::ElevationScale() {
  SetDefaultColors();
  SetDefaultLevels();
}

void ElevationScale::SetDefaultColors() { ScaleColors = kDefaultColors; }

void ElevationScale::SetDefaultLevels() {
  for (int i = 0; i < kScaleLevelCount; ++i) ScaleLevels[i] = number(kDefaultLevelTexts[i]);
}

RgbColor ElevationScale::ElevationColor(std::int32_t elevation) const {
  const double metres = elevation / 10.0;
  for (int i = 0; i < kScaleLevelCount; ++i) {
    if (metres < ScaleLevels[i]) return ScaleColors[i];
  }
  return ScaleColors[kScaleColorCount - 1];
}

std::string LevelText(double level) {
  if (!std::isfinite(level) || level == 0) return "0";
  const int integer_digits = static_cast<int>(std::floor(std::log10(std::fabs(level)))) + 1;
  const int decimals = std::max(0, kSignificantDigits - integer_digits);
  char text[400];
  const auto end = std::to_chars(text, text + sizeof text, level, std::chars_format::fixed, decimals);
  std::string result(text, end.ptr);
  if (result.find('.') != std::string::npos) {
    result.erase(result.find_last_not_of('0') + 1);
    if (result.back() == '.') result.pop_back();
  }
  return result == "-0" ? "0" : result;
}

}  // namespace koravel
