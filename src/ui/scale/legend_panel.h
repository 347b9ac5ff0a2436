#pragma once

#include <QLineEdit>
#include <array>

#include "scale/elevation_scale.h"

namespace koravel {

class Picture;

/// The legend beside the detail view: the 16 colour swatches in `Picture3`
/// and the 15 level fields `Text3`, shown from the window's ElevationScale.
class LegendPanel {
 public:
  LegendPanel(ElevationScale& scale, Picture& swatches, const std::array<QLineEdit*, 15>& levels);

  /// Default colours into the scale, then the swatches painted again.
  void SetDefaultColors();
  /// Default level texts into the fields, and the scale's levels read back
  /// from them, so that fields and scale agree exactly.
  void SetDefaultLevels();
  void DrawLegend();

 private:
  ElevationScale& scale_;
  Picture& swatches_;
  std::array<QLineEdit*, 15> levels_;
};

}  // namespace koravel
