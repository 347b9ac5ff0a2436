#include "core/edit/hole_filling.h"

#include <algorithm>
#include <array>
#include <limits>
#include <numeric>

#include "core/edit/change_builder.h"
#include "core/text/lenient_number.h"

namespace koravel {
namespace {

constexpr int kBorder = -1;

// The linear system of a hole: 4 u(i) - (sum of u over its neighbours in
// the hole) = (sum of the heights of its neighbours outside the hole).
struct HoleSystem {
  std::vector<std::array<int, 4>> neighbours;  // indices of cells of the hole, or kBorder
  std::vector<double> border_sums;
  std::int32_t lowest = std::numeric_limits<std::int32_t>::max();
  std::int32_t highest = std::numeric_limits<std::int32_t>::min();

  explicit HoleSystem(const MeshDocument& mesh, const Hole& hole);
  void Multiply(const std::vector<double>& u, std::vector<double>& product) const;
};

HoleSystem::HoleSystem(const MeshDocument& mesh, const Hole& hole)
    : neighbours(hole.cells.size()), border_sums(hole.cells.size()) {
  const CellRect& box = hole.bounds;
  std::vector<int> index(box.Width() * box.Height(), kBorder);
  const auto at = [&](int x, int y) -> int& { return index[(y - box.top) * box.Width() + (x - box.left)]; };
  for (std::size_t i = 0; i < hole.cells.size(); ++i) at(hole.cells[i].x, hole.cells[i].y) = static_cast<int>(i);
  constexpr std::array<GridCell, 4> kSteps = {{{0, -1}, {1, 0}, {0, 1}, {-1, 0}}};
  for (std::size_t i = 0; i < hole.cells.size(); ++i) {
    for (std::size_t side = 0; side < kSteps.size(); ++side) {
      const int x = hole.cells[i].x + kSteps[side].x;
      const int y = hole.cells[i].y + kSteps[side].y;
      const bool inside = x >= box.left && x <= box.right && y >= box.top && y <= box.bottom;
      neighbours[i][side] = inside ? at(x, y) : kBorder;
      if (neighbours[i][side] != kBorder) continue;
      // A hole never touches the edge, so its neighbours outside it have data.
      const std::int32_t height = mesh.Elevation(x, y);
      border_sums[i] += height;
      lowest = std::min(lowest, height);
      highest = std::max(highest, height);
    }
  }
}

void HoleSystem::Multiply(const std::vector<double>& u, std::vector<double>& product) const {
  for (std::size_t i = 0; i < u.size(); ++i) {
    double sum = 4 * u[i];
    for (int neighbour : neighbours[i]) {
      if (neighbour != kBorder) sum -= u[neighbour];
    }
    product[i] = sum;
  }
}

double Dot(const std::vector<double>& a, const std::vector<double>& b) {
  return std::inner_product(a.begin(), a.end(), b.begin(), 0.0);
}

// Conjugate gradients: the matrix is symmetric and positive definite. It
// stops when the residual's mean square falls to 1e-16 tenths², far below
// what rounding to tenths can show, or after twice as many steps as cells.
std::vector<double> Solve(const HoleSystem& system) {
  const std::size_t n = system.border_sums.size();
  const double start = (system.lowest + system.highest) / 2.0;
  std::vector<double> u(n, start), residual(n), direction(n), product(n);
  system.Multiply(u, product);
  for (std::size_t i = 0; i < n; ++i) residual[i] = system.border_sums[i] - product[i];
  direction = residual;
  double squared = Dot(residual, residual);
  for (std::size_t step = 0; step < 2 * n && squared > 1e-16 * n; ++step) {
    system.Multiply(direction, product);
    const double alpha = squared / Dot(direction, product);
    for (std::size_t i = 0; i < n; ++i) {
      u[i] += alpha * direction[i];
      residual[i] -= alpha * product[i];
    }
    const double next = Dot(residual, residual);
    for (std::size_t i = 0; i < n; ++i) direction[i] = residual[i] + next / squared * direction[i];
    squared = next;
  }
  return u;
}

CellChanges FillEach(const MeshDocument& mesh, const std::vector<const Hole*>& holes) {
  ChangeBuilder builder(mesh);
  for (const Hole* hole : holes) {
    const std::vector<std::int32_t> heights = HarmonicFill(mesh, *hole);
    for (std::size_t i = 0; i < heights.size(); ++i) builder.Store(hole->cells[i], heights[i]);
  }
  return std::move(builder).Finish();
}

template <typename Takes>
CellChanges FillHolesWhere(const MeshDocument& mesh, Takes takes) {
  const std::vector<Hole> holes = FindHoles(mesh);
  std::vector<const Hole*> taken;
  for (const Hole& hole : holes) {
    if (takes(hole)) taken.push_back(&hole);
  }
  return FillEach(mesh, taken);
}

}  // namespace

std::vector<std::int32_t> HarmonicFill(const MeshDocument& mesh, const Hole& hole) {
  const HoleSystem system(mesh, hole);
  const std::vector<double> u = Solve(system);
  std::vector<std::int32_t> heights(u.size());
  // The exact solution keeps within its border's range; the clamp keeps a
  // last rounding error of the iteration from stepping past it.
  for (std::size_t i = 0; i < u.size(); ++i) {
    heights[i] = std::clamp(*RoundHalfEven<std::int32_t>(u[i]), system.lowest, system.highest);
  }
  return heights;
}

CellChanges FillHoles(const MeshDocument& mesh, int max_cells) {
  return FillHolesWhere(mesh, [max_cells](const Hole& hole) { return std::ssize(hole.cells) <= max_cells; });
}

CellChanges FillHoles(const MeshDocument& mesh, const CellSelection& cells) {
  return FillHolesWhere(mesh, [&cells](const Hole& hole) {
    return std::all_of(hole.cells.begin(), hole.cells.end(), [&cells](GridCell cell) { return cells.Contains(cell); });
  });
}

}  // namespace koravel
