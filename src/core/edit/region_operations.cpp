#include "core/edit/region_operations.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "core/edit/change_builder.h"
#include "core/edit/elevation_entry.h"
#include "core/text/lenient_number.h"

namespace koravel {
namespace {

template <typename NewValue>
CellChanges StoreEach(const MeshDocument& mesh, const CellSelection& cells, NewValue new_value) {
  ChangeBuilder builder(mesh);
  cells.ForEachCell([&](GridCell cell) { builder.Store(cell, new_value(cell)); });
  return std::move(builder).Finish();
}

// The heights of a rectangle of the grid as doubles, no-data as NaN, for
// edits that compute with their neighbours.
class HeightPatch {
 public:
  HeightPatch(const MeshDocument& mesh, CellRect area) : area_(area), heights_(area.Width() * area.Height()) {
    for (int y = area.top; y <= area.bottom; ++y) {
      for (int x = area.left; x <= area.right; ++x) {
        const std::int32_t value = mesh.Elevation(x, y);
        At(x, y) = value == kNoData ? std::numeric_limits<double>::quiet_NaN() : value;
      }
    }
  }

  double& At(int x, int y) { return heights_[(y - area_.top) * area_.Width() + (x - area_.left)]; }
  double At(int x, int y) const { return heights_[(y - area_.top) * area_.Width() + (x - area_.left)]; }

  // The mean of the cells with data in the 3 × 3 block around (x, y).
  double NeighbourhoodMean(int x, int y) const {
    double sum = 0;
    int count = 0;
    for (int ny = std::max(area_.top, y - 1); ny <= std::min(area_.bottom, y + 1); ++ny) {
      for (int nx = std::max(area_.left, x - 1); nx <= std::min(area_.right, x + 1); ++nx) {
        if (std::isnan(At(nx, ny))) continue;
        sum += At(nx, ny);
        ++count;
      }
    }
    return sum / count;
  }

 private:
  CellRect area_;
  std::vector<double> heights_;
};

CellRect Grown(CellRect rect) {
  return {std::max(1, rect.left - 1), std::max(1, rect.top - 1), std::min(kMeshSize, rect.right + 1),
          std::min(kMeshSize, rect.bottom + 1)};
}

}  // namespace

std::variant<CellChanges, ErrorCode> SetHeight(const MeshDocument& mesh, const CellSelection& cells,
                                               std::int32_t tenths) {
  if (tenths < kLowestElevation || tenths > kHighestElevation) return ErrorCode::ElevationOutOfRange;
  return StoreEach(mesh, cells, [tenths](GridCell) { return tenths; });
}

CellChanges SetNoData(const MeshDocument& mesh, const CellSelection& cells) {
  return StoreEach(mesh, cells, [](GridCell) { return kNoData; });
}

std::variant<CellChanges, ErrorCode> OffsetHeights(const MeshDocument& mesh, const CellSelection& cells,
                                                   std::int32_t tenths) {
  bool in_range = true;
  cells.ForEachCell([&](GridCell cell) {
    const std::int64_t before = mesh.Elevation(cell.x, cell.y);
    // A result of -9999 itself would turn the cell into sea.
    if (before != kNoData && (before + tenths <= kNoData || before + tenths > kHighestElevation)) in_range = false;
  });
  if (!in_range) return ErrorCode::ElevationOutOfRange;
  return StoreEach(mesh, cells, [&](GridCell cell) {
    const std::int32_t before = mesh.Elevation(cell.x, cell.y);
    return before == kNoData ? before : before + tenths;
  });
}

CellChanges SmoothHeights(const MeshDocument& mesh, const CellSelection& cells, int passes) {
  const std::optional<CellRect> bounds = cells.Bounds();
  if (!bounds || passes < 1) return {};
  HeightPatch patch(mesh, Grown(*bounds));
  for (int pass = 0; pass < passes; ++pass) {
    HeightPatch next = patch;
    cells.ForEachCell([&](GridCell cell) {
      if (!std::isnan(patch.At(cell.x, cell.y))) next.At(cell.x, cell.y) = patch.NeighbourhoodMean(cell.x, cell.y);
    });
    patch = std::move(next);
  }
  return StoreEach(mesh, cells, [&](GridCell cell) {
    const double height = patch.At(cell.x, cell.y);
    return std::isnan(height) ? kNoData : *RoundHalfEven<std::int32_t>(height);
  });
}

CellChanges RestoreValues(const MeshDocument& mesh, const CellSelection& cells, const MeshDocument& original) {
  return StoreEach(mesh, cells, [&original](GridCell cell) { return original.Elevation(cell.x, cell.y); });
}

CellChanges TakeHeights(const MeshDocument& mesh, const CellSelection& cells, const std::vector<std::int32_t>& heights) {
  ChangeBuilder builder(mesh);
  cells.ForEachCell([&](GridCell cell) {
    const std::int32_t height = heights[static_cast<std::size_t>((cell.y - 1) * kMeshSize + cell.x - 1)];
    if (height != kNoData) builder.Store(cell, height);
  });
  return std::move(builder).Finish();
}

}  // namespace koravel
