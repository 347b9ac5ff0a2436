#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/scale/rgb_color.h"

namespace koravel {

inline constexpr int kScaleColorCount = 16;
inline constexpr int kScaleLevelCount = 15;

/// The texts the legend shows for the default levels, lowest first.
inline constexpr std::array<std::string_view, kScaleLevelCount> kDefaultLevelTexts = {
    "0", "20", "50", "100", "200", "300", "400", "500",
    "750", "1000", "1250", "1500", "2000", "2500", "3000"};

/// The colours that paint every cell: 16 bands split by 15 levels. Level i
/// separates colour i (below it) from colour i + 1 (at and above it). The
/// levels need not rise; the lookup takes the first level above a value.
class ElevationScale {
 public:
  ElevationScale();

  std::array<RgbColor, kScaleColorCount> ScaleColors{};
  std::array<double, kScaleLevelCount> ScaleLevels{};  ///< metres

  void SetDefaultColors();
  void SetDefaultLevels();
  /// The colour of an elevation given in tenths of a metre. No data (−9999)
  /// is not special: with the default levels it falls in the lowest band.
  RgbColor ElevationColor(std::int32_t elevation) const;
};

/// A level as the legend writes it: plain decimal, at most 15 significant
/// digits, no exponent, no trailing zeros (20, 12.5, -999.9).
std::string LevelText(double level);

}  // namespace koravel
