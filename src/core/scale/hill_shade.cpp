#include "core/scale/hill_shade.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace koravel {
namespace {

constexpr int kStride = kMeshSize + 1;
constexpr double kCellMetres = 50;
constexpr double kAltitude = std::numbers::pi / 4;
constexpr double kAzimuth = 7 * std::numbers::pi / 4;  // clockwise from north
// How much of the shade goes into the colour; the rest keeps the scale's colour.
constexpr double kBlend = 0.6;

std::uint8_t Scaled(std::uint8_t channel, float factor) {
  return static_cast<std::uint8_t>(std::clamp(std::lround(channel * factor), 0L, 255L));
}

}  // namespace

void HillShade::Compute(const MeshDocument& mesh) {
  factors_.assign(kStride * kStride, 1.0F);
  for (int y = 1; y <= kMeshSize; ++y) {
    for (int x = 1; x <= kMeshSize; ++x) factors_[y * kStride + x] = CellFactor(mesh, x, y);
  }
}

void HillShade::Update(const MeshDocument& mesh, int left, int top, int right, int bottom) {
  if (factors_.empty()) return Compute(mesh);
  // A cell's slope comes from its eight neighbours.
  for (int y = std::max(1, top - 1); y <= std::min(kMeshSize, bottom + 1); ++y) {
    for (int x = std::max(1, left - 1); x <= std::min(kMeshSize, right + 1); ++x) {
      factors_[y * kStride + x] = CellFactor(mesh, x, y);
    }
  }
}

float HillShade::CellFactor(const MeshDocument& mesh, int x, int y) const {
  const std::int32_t centre = mesh.Elevation(x, y);
  if (centre == kNoData) return 1;
  // z(dx, dy) in metres; dy counts rows southward.
  const auto z = [&](int dx, int dy) {
    const int nx = x + dx;
    const int ny = y + dy;
    const bool inside = nx >= 1 && nx <= kMeshSize && ny >= 1 && ny <= kMeshSize;
    const std::int32_t value = inside ? mesh.Elevation(nx, ny) : kNoData;
    return (value == kNoData ? centre : value) / 10.0;
  };
  const double east = ((z(1, -1) + 2 * z(1, 0) + z(1, 1)) - (z(-1, -1) + 2 * z(-1, 0) + z(-1, 1))) / (8 * kCellMetres);
  const double north = ((z(-1, -1) + 2 * z(0, -1) + z(1, -1)) - (z(-1, 1) + 2 * z(0, 1) + z(1, 1))) / (8 * kCellMetres);
  // The surface normal (-east, -north, 1) against the light's direction.
  const double light = std::cos(kAltitude) * (-east * std::sin(kAzimuth) - north * std::cos(kAzimuth)) +
                       std::sin(kAltitude);
  const double shade = std::max(0.0, light / std::sqrt(east * east + north * north + 1));
  return static_cast<float>(1 - kBlend + kBlend * shade / std::sin(kAltitude));
}

RgbColor HillShade::Shade(RgbColor color, int x, int y) const {
  if (factors_.empty()) return color;
  const float factor = factors_[y * kStride + x];
  return {Scaled(color.Red, factor), Scaled(color.Green, factor), Scaled(color.Blue, factor)};
}

}  // namespace koravel
