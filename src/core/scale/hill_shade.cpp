#include "core/scale/hill_shade.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>


namespace koravel {
namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180;
constexpr double kLowestAltitude = 1;  // degrees; a light on the horizon leaves nothing to compare with
// How much of the shade goes into the colour; the rest keeps the scale's colour.
constexpr double kBlend = 0.6;

std::uint8_t Scaled(std::uint8_t channel, double factor) {
  return static_cast<std::uint8_t>(std::clamp(std::lround(channel * factor), 0L, 255L));
}

double Altitude(const ReliefLight& light) {
  return std::clamp(light.AltitudeDegrees, kLowestAltitude, 90.0) * kRadiansPerDegree;
}

// The light from `azimuth` (radians) on ground rising `east` and `north`
// (exaggerated), before dividing by the length of the surface's normal.
double Facing(double east, double north, double azimuth, double altitude) {
  return std::sin(altitude) - std::cos(altitude) * (east * std::sin(azimuth) + north * std::cos(azimuth));
}

// Each of the four lights counts as much as the slope's aspect runs across it.
double Multidirectional(double east, double north, double altitude) {
  const double steepness = east * east + north * north;
  if (steepness == 0) return std::sin(altitude);
  const std::array<double, 4> azimuths = {225, 270, 315, 360};
  const std::array<double, 4> weights = {steepness / 2 + east * north, east * east, steepness / 2 - east * north,
                                         north * north};
  double lit = 0;
  for (std::size_t i = 0; i < azimuths.size(); ++i) {
    lit += weights[i] * std::max(0.0, Facing(east, north, azimuths[i] * kRadiansPerDegree, altitude));
  }
  return lit / (2 * steepness) / std::sqrt(1 + steepness);
}

double Illuminated(const Gradient& gradient, const ReliefLight& light) {
  const double east = gradient.East * light.Exaggeration, north = gradient.North * light.Exaggeration;
  if (light.Mode == LightMode::Multidirectional) return Multidirectional(east, north, Altitude(light));
  const double facing = Facing(east, north, light.AzimuthDegrees * kRadiansPerDegree, Altitude(light));
  return std::max(0.0, facing) / std::sqrt(1 + east * east + north * north);
}

}  // namespace

void HillShade::Compute(const MeshDocument& mesh) {
  illumination_.Compute(mesh, [this](const Gradient& gradient) { return Illuminated(gradient, light_); });
}

void HillShade::Update(const MeshDocument& mesh, int left, int top, int right, int bottom) {
  illumination_.Update(mesh, left, top, right, bottom,
                       [this](const Gradient& gradient) { return Illuminated(gradient, light_); });
}

float HillShade::Illumination(int x, int y) const { return illumination_.At(x, y); }

RgbColor HillShade::Shade(RgbColor color, int x, int y) const {
  const float illumination = Illumination(x, y);
  if (std::isnan(illumination)) return color;
  // Flat ground receives sin(altitude) and keeps its colour.
  const double factor = 1 - kBlend + kBlend * illumination / std::sin(Altitude(light_));
  return {Scaled(color.Red, factor), Scaled(color.Green, factor), Scaled(color.Blue, factor)};
}

}  // namespace koravel
