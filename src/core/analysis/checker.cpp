#include "core/analysis/checker.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace koravel {
namespace {

constexpr int kLeastNeighbours = 5;

// The heights of the neighbours of (x, y) that have data.
struct Neighbours {
  std::array<std::int32_t, 8> heights{};
  int count = 0;

  Neighbours(const MeshDocument& mesh, int x, int y) {
    for (int ny = std::max(1, y - 1); ny <= std::min(kMeshSize, y + 1); ++ny) {
      for (int nx = std::max(1, x - 1); nx <= std::min(kMeshSize, x + 1); ++nx) {
        const std::int32_t height = mesh.Elevation(nx, ny);
        if ((nx != x || ny != y) && height != kNoData) heights[count++] = height;
      }
    }
  }

  double Median() {
    std::sort(heights.begin(), heights.begin() + count);
    const int middle = count / 2;
    return count % 2 == 1 ? heights[middle] : (heights[middle - 1] + heights[middle]) / 2.0;
  }
};

void AddSpikesAndPits(const MeshDocument& mesh, std::int32_t threshold, std::vector<Finding>& findings) {
  for (int y = 1; y <= kMeshSize; ++y) {
    for (int x = 1; x <= kMeshSize; ++x) {
      const std::int32_t height = mesh.Elevation(x, y);
      if (height == kNoData) continue;
      Neighbours neighbours(mesh, x, y);
      if (neighbours.count < kLeastNeighbours) continue;
      // The median lies between the extremes: most cells are passed by them alone.
      const auto [lowest, highest] = std::minmax_element(neighbours.heights.begin(), neighbours.heights.begin() + neighbours.count);
      if (height - *lowest <= threshold && *highest - height <= threshold) continue;
      const double median = neighbours.Median();
      if (std::abs(height - median) <= threshold) continue;
      const FindingKind kind = height > median ? FindingKind::Spike : FindingKind::Pit;
      findings.push_back({kind, {x, y}, {x, y, x, y}, 1, height, median});
    }
  }
}

void AddHoles(const MeshDocument& mesh, int max_cells, std::vector<Finding>& findings) {
  for (const Hole& hole : FindHoles(mesh)) {
    const int count = static_cast<int>(hole.cells.size());
    if (count <= max_cells) findings.push_back({FindingKind::Hole, hole.cells.front(), hole.bounds, count});
  }
}

// A seam finding grows while the next edge cell also differs too much.
void AddSeams(const MeshDocument& mesh, CompassDirection side, const EdgeHeights& facing, std::int32_t threshold,
              std::vector<Finding>& findings) {
  Finding* run = nullptr;
  for (int along = 1; along <= kMeshSize; ++along) {
    const GridCell cell = EdgeCell(side, along);
    const std::int32_t height = mesh.Elevation(cell.x, cell.y);
    const std::int32_t across = facing[along - 1];
    const std::int32_t difference = std::abs(height - across);
    if (height == kNoData || across == kNoData || difference <= threshold) {
      run = nullptr;
      continue;
    }
    if (!run) {
      run = &findings.emplace_back(Finding{FindingKind::Seam, cell, {cell.x, cell.y, cell.x, cell.y}, 0});
      run->side = side;
    }
    run->extent = {run->cell.x, run->cell.y, cell.x, cell.y};
    ++run->count;
    run->value = std::max(run->value, difference);
  }
}

// A run grows along a row while the next cell also differs too much.
void AddReferenceRuns(const MeshDocument& mesh, const std::vector<std::int32_t>& reference, std::int32_t threshold,
                      std::vector<Finding>& findings) {
  for (int y = 1; y <= kMeshSize; ++y) {
    Finding* run = nullptr;
    for (int x = 1; x <= kMeshSize; ++x) {
      const std::int32_t height = mesh.Elevation(x, y);
      const std::int32_t model = reference[static_cast<std::size_t>((y - 1) * kMeshSize + x - 1)];
      const std::int32_t difference = std::abs(height - model);
      if (!mesh.IsRowPresent(y) || height == kNoData || model == kNoData || difference <= threshold) {
        run = nullptr;
        continue;
      }
      if (!run) run = &findings.emplace_back(Finding{FindingKind::Reference, {x, y}, {x, y, x, y}, 0});
      run->extent.right = x;
      ++run->count;
      run->value = std::max(run->value, difference);
    }
  }
}

void AddOmittedRuns(const MeshDocument& mesh, std::vector<Finding>& findings) {
  for (int row = 1; row <= kMeshSize; ++row) {
    if (mesh.RecordFlag[row] == 1) continue;
    int last = row;
    while (last < kMeshSize && mesh.RecordFlag[last + 1] != 1) ++last;
    findings.push_back({FindingKind::Omitted, {1, row}, {1, row, kMeshSize, last}, last - row + 1});
    row = last;
  }
}

}  // namespace

std::string_view FindingKindName(FindingKind kind) {
  switch (kind) {
    case FindingKind::Spike: return "spike";
    case FindingKind::Pit: return "pit";
    case FindingKind::Hole: return "hole";
    case FindingKind::Seam: return "seam";
    case FindingKind::Omitted: return "omitted";
    case FindingKind::Reference: return "reference";
  }
  return {};
}

std::vector<Finding> CheckMesh(const MeshDocument& mesh, const NeighbourEdges& neighbours,
                               const CheckOptions& options) {
  std::vector<Finding> findings;
  AddSpikesAndPits(mesh, options.threshold, findings);
  AddHoles(mesh, options.max_hole_cells, findings);
  for (std::size_t i = 0; i < kMeshSides.size(); ++i) {
    if (neighbours.sides[i]) AddSeams(mesh, kMeshSides[i], *neighbours.sides[i], options.threshold, findings);
  }
  AddOmittedRuns(mesh, findings);
  if (options.reference) AddReferenceRuns(mesh, *options.reference, options.threshold, findings);
  return findings;
}

}  // namespace koravel
