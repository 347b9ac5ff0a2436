#pragma once

#include <vector>

#include "core/mesh/mesh_document.h"
#include "core/scale/rgb_color.h"

namespace koravel {

/// Hill shading of a mesh: light from the north-west (azimuth 315°) at 45°
/// above the horizon, slopes from each cell's 3 × 3 neighbourhood (Horn's
/// method) with cells 50 m apart. Flat ground keeps its colour, slopes
/// facing the light brighten it and slopes turned away darken it.
class HillShade {
 public:
  /// Works out the shade of every cell of `mesh`. A neighbour without data
  /// or outside the grid counts as level with the cell.
  void Compute(const MeshDocument& mesh);
  /// Works out again the cells whose shade depends on cells (left, top) to
  /// (right, bottom), grid columns and rows, after those changed.
  void Update(const MeshDocument& mesh, int left, int top, int right, int bottom);
  /// `color` shaded as cell (x, y) is; a cell without data keeps its colour.
  RgbColor Shade(RgbColor color, int x, int y) const;

 private:
  float CellFactor(const MeshDocument& mesh, int x, int y) const;

  std::vector<float> factors_;  ///< per cell, indexed y * 201 + x; 1 leaves a colour as it is
};

}  // namespace koravel
