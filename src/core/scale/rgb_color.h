#pragma once

#include <cstdint>

namespace koravel {

/// A 24-bit colour.
struct RgbColor {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;

  friend bool operator==(const RgbColor&, const RgbColor&) = default;
};

}  // namespace koravel
