#include "core/scale/slope_map.h"

#include <cmath>
#include <numbers>

namespace koravel {
namespace {

constexpr double kDegreesPerRadian = 180 / std::numbers::pi;

double SlopeDegrees(const Gradient& gradient) {
  return std::atan(std::hypot(gradient.East, gradient.North)) * kDegreesPerRadian;
}

}  // namespace

void SlopeMap::Compute(const MeshDocument& mesh) { degrees_.Compute(mesh, SlopeDegrees); }

void SlopeMap::Update(const MeshDocument& mesh, int left, int top, int right, int bottom) {
  degrees_.Update(mesh, left, top, right, bottom, SlopeDegrees);
}

float SlopeMap::Degrees(int x, int y) const { return degrees_.At(x, y); }

}  // namespace koravel
