#include "core/views/repaint_geometry.h"

#include <algorithm>
#include <cmath>

#include "core/mesh/mesh_document.h"

namespace koravel {
namespace {

constexpr double kTwipsPerLogicalPixel = 15;

}  // namespace

CellRect CellsChangedByEdit(CellRect edited, bool neighbours_drawn) {
  if (!neighbours_drawn) return edited;
  return {std::max(edited.left - 1, 1), std::max(edited.top - 1, 1), std::min(edited.right + 1, kMeshSize),
          std::min(edited.bottom + 1, kMeshSize)};
}

int DevicePixel(double twips, double device_ratio) {
  return static_cast<int>(std::floor(twips * device_ratio / kTwipsPerLogicalPixel));
}

}  // namespace koravel
