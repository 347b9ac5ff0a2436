#include "core/geo/mesh_code.h"

#include <algorithm>
#include <cstdio>

namespace koravel {
namespace {

constexpr int kSubdivisions = 8;

bool IsDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Number(std::string_view digits) {
  int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

// One axis: the first-level index and the second-level index in it, moved
// by `step` with the carry; false when the first level leaves 00 to 99.
bool Step(int& first, int& second, int step) {
  second += step;
  if (second < 0 || second >= kSubdivisions) {
    first += second < 0 ? -1 : 1;
    second = (second + kSubdivisions) % kSubdivisions;
  }
  return first >= 0 && first <= 99;
}

}  // namespace

std::pair<int, int> EastNorthStep(CompassDirection direction) {
  switch (direction) {
    case CompassDirection::North: return {0, 1};
    case CompassDirection::NorthEast: return {1, 1};
    case CompassDirection::East: return {1, 0};
    case CompassDirection::SouthEast: return {1, -1};
    case CompassDirection::South: return {0, -1};
    case CompassDirection::SouthWest: return {-1, -1};
    case CompassDirection::West: return {-1, 0};
    case CompassDirection::NorthWest: return {-1, 1};
  }
  return {0, 0};
}

std::optional<std::string> NeighbourMeshCode(std::string_view code, CompassDirection direction) {
  if (code.size() != 6 || !IsDigits(code)) return std::nullopt;
  int latitude = Number(code.substr(0, 2));
  int longitude = Number(code.substr(2, 2));
  int row = code[4] - '0';
  int column = code[5] - '0';
  if (row >= kSubdivisions || column >= kSubdivisions) return std::nullopt;
  const auto [east, north] = EastNorthStep(direction);
  if (!Step(latitude, row, north) || !Step(longitude, column, east)) return std::nullopt;
  char text[16];
  std::snprintf(text, sizeof text, "%02d%02d%d%d", latitude, longitude, row, column);
  return text;
}

}  // namespace koravel
