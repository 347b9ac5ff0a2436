#pragma once

#include "core/mesh/mesh_document.h"
#include "core/scale/gradient_field.h"
#include "core/scale/rgb_color.h"

namespace koravel {

enum class LightMode {
  Single,            ///< one light from the azimuth
  Multidirectional,  ///< as gdaldem hillshade -multidirectional (see HillShade)
};

/// How the relief is lit.
struct ReliefLight {
  double AzimuthDegrees = 315;  ///< where the light comes from, clockwise from north
  double AltitudeDegrees = 45;  ///< its height above the horizon, 1 to 90
  double Exaggeration = 1;      ///< heights are multiplied by this before shading
  LightMode Mode = LightMode::Single;
  bool operator==(const ReliefLight&) const = default;
};

/// Hill shading of a mesh, as gdaldem hillshade computes it: slopes by
/// Horn's method over the true cell size (see TerrainGradient), lit from
/// ReliefLight. With several lights, the shades from 225°, 270°, 315° and
/// 360° (the light's azimuth unused) are weighted by how squarely each
/// meets the slope's aspect (Mark 1992), as gdaldem -multidirectional does.
/// Flat ground keeps its colour, slopes facing the light brighten it and
/// slopes turned away darken it.
class HillShade {
 public:
  HillShade() = default;
  explicit HillShade(const ReliefLight& light) : light_(light) {}

  const ReliefLight& Light() const { return light_; }
  /// The light for the next Compute().
  void SetLight(const ReliefLight& light) { light_ = light; }

  /// Works out the shade of every cell of `mesh`.
  void Compute(const MeshDocument& mesh);
  /// Works out again the cells whose shade depends on cells (left, top) to
  /// (right, bottom), grid columns and rows, after those changed.
  void Update(const MeshDocument& mesh, int left, int top, int right, int bottom);
  /// `color` shaded as cell (x, y) is; a cell without data keeps its colour.
  RgbColor Shade(RgbColor color, int x, int y) const;
  /// The light cell (x, y) receives, from 0 (none) to 1 (the light square on
  /// the slope): gdaldem's value v as (v − 1) / 254. NaN for a cell without
  /// data or before Compute().
  float Illumination(int x, int y) const;

 private:
  ReliefLight light_;
  GradientField illumination_;
};

}  // namespace koravel
