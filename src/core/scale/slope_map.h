#pragma once

#include "core/mesh/mesh_document.h"
#include "core/scale/gradient_field.h"

namespace koravel {

/// The steepness of every cell in degrees, as gdaldem slope computes it:
/// Horn's gradient over the true cell size (see TerrainGradient), the
/// heights as they are (no exaggeration). For colouring the maps by slope.
class SlopeMap {
 public:
  /// Works out the slope of every cell of `mesh`.
  void Compute(const MeshDocument& mesh);
  /// Works out again the cells whose slope depends on cells (left, top) to
  /// (right, bottom), grid columns and rows, after those changed.
  void Update(const MeshDocument& mesh, int left, int top, int right, int bottom);
  /// Degrees from 0 (level) towards 90 at cell (x, y); NaN for a cell
  /// without data or before Compute().
  float Degrees(int x, int y) const;

 private:
  GradientField degrees_;
};

}  // namespace koravel
