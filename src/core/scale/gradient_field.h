#pragma once

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

#include "core/mesh/mesh_document.h"
#include "core/scale/terrain_gradient.h"

namespace koravel {

/// A value per cell worked out from the gradient at it (a shade, a slope),
/// kept up to date as cells change; NaN for cells without data.
class GradientField {
 public:
  /// Works out value(gradient) for every cell of `mesh`.
  template <typename Value>
  void Compute(const MeshDocument& mesh, Value value) {
    values_.assign((kMeshSize + 1) * (kMeshSize + 1), std::numeric_limits<float>::quiet_NaN());
    Update(mesh, 1, 1, kMeshSize, kMeshSize, value);
  }

  /// Works it out again for the cells whose neighbourhood reaches into
  /// columns left..right and rows top..bottom, after those changed.
  template <typename Value>
  void Update(const MeshDocument& mesh, int left, int top, int right, int bottom, Value value) {
    if (values_.empty()) return Compute(mesh, value);
    const TerrainGradient gradients(mesh);
    for (int y = std::max(1, top - 1); y <= std::min(kMeshSize, bottom + 1); ++y) {
      for (int x = std::max(1, left - 1); x <= std::min(kMeshSize, right + 1); ++x) {
        const std::optional<Gradient> gradient = gradients.At(x, y);
        values_[y * (kMeshSize + 1) + x] =
            gradient ? static_cast<float>(value(*gradient)) : std::numeric_limits<float>::quiet_NaN();
      }
    }
  }

  /// The value at cell (x, y); NaN before Compute().
  float At(int x, int y) const {
    return values_.empty() ? std::numeric_limits<float>::quiet_NaN() : values_[y * (kMeshSize + 1) + x];
  }

 private:
  std::vector<float> values_;
};

}  // namespace koravel
