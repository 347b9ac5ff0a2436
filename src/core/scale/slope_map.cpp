#include "core/scale/slope_map.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "core/scale/terrain_gradient.h"

namespace koravel {
namespace {

constexpr int kStride = kMeshSize + 1;
constexpr double kDegreesPerRadian = 180 / std::numbers::pi;

}  // namespace

void SlopeMap::Compute(const MeshDocument& mesh) {
  degrees_.assign(kStride * kStride, std::numeric_limits<float>::quiet_NaN());
  Update(mesh, 1, 1, kMeshSize, kMeshSize);
}

void SlopeMap::Update(const MeshDocument& mesh, int left, int top, int right, int bottom) {
  if (degrees_.empty()) return Compute(mesh);
  TerrainGradient(mesh).Refresh(degrees_, left, top, right, bottom, [](const Gradient& gradient) {
    return std::atan(std::hypot(gradient.East, gradient.North)) * kDegreesPerRadian;
  });
}

float SlopeMap::Degrees(int x, int y) const {
  return degrees_.empty() ? std::numeric_limits<float>::quiet_NaN() : degrees_[y * kStride + x];
}

}  // namespace koravel
