#include <gtest/gtest.h>

#include <cmath>

#include "core/edit/hole_filling.h"
#include "terrain.h"

namespace koravel {
namespace {

MeshDocument WithHole(MeshDocument mesh, const std::vector<GridCell>& hole) {
  for (GridCell cell : hole) mesh.SetElevation(cell.x, cell.y, kNoData);
  return mesh;
}

std::vector<GridCell> Block(int left, int top, int right, int bottom) {
  std::vector<GridCell> cells;
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) cells.push_back({x, y});
  }
  return cells;
}

TEST(FillHoles, GivesAPlaneBackAndStaysWithinTheBorder) {
  const auto plane = [](int x, int y) { return 12 * x - 5 * y + 2000; };
  std::vector<GridCell> l_shape = Block(40, 40, 59, 44);
  for (GridCell cell : Block(40, 45, 44, 60)) l_shape.push_back(cell);
  // A bowl 10 (dx² + dy²) + 1000 around (100, 100): its 3 × 3 hole solves by
  // symmetry to centre = side = 1045 and corners 525 + side / 2 = 1047.5.
  const auto bowl = [](int x, int y) { return 10 * ((x - 100) * (x - 100) + (y - 100) * (y - 100)) + 1000; };
  // The four neighbours' mean 1002 / 4 = 250.5 goes to even; the diagonals (1000) count for nothing.
  const auto cross = [](int x, int y) {
    if (x == 6) return y == 6 ? 200 : y == 8 ? 100 : 1000;
    return y != 7 ? 1000 : x == 7 ? 300 : x == 5 ? 402 : 1000;
  };
  // name, terrain, hole, cells to look at with their filled heights
  const std::tuple<const char*, MeshDocument, std::vector<GridCell>, std::vector<std::pair<GridCell, std::int32_t>>>
      cases[] = {
          {"plane", test::Terrain(plane), l_shape, {{{40, 40}, plane(40, 40)}, {{59, 44}, plane(59, 44)}, {{44, 60}, plane(44, 60)}, {{42, 50}, plane(42, 50)}}},
          {"bowl", test::Terrain(bowl), Block(99, 99, 101, 101), {{{100, 100}, 1045}, {{101, 100}, 1045}, {{99, 99}, 1048}, {{101, 101}, 1048}}},
          {"one cell", test::Terrain(cross), Block(6, 7, 6, 7), {{{6, 7}, 250}}},
          {"touching the edge", test::Terrain(plane), Block(1, 80, 5, 90), {{{3, 85}, kNoData}}},
      };
  for (const auto& [name, terrain, hole, expected] : cases) {
    MeshDocument mesh = WithHole(terrain, hole);
    FillHoles(mesh, 400).Apply(mesh);
    for (const auto& [cell, height] : expected) EXPECT_EQ(mesh.Elevation(cell.x, cell.y), height) << name << " " << cell.x << "," << cell.y;
  }
}

TEST(FillHoles, ComesWithinATenthOfAPlaneBetweenTenthsAndNeverLeavesTheBordersRange) {
  const auto plane = [](double x, double y) { return 0.37 * x + 1.13 * y + 500; };
  MeshDocument mesh = WithHole(test::Terrain([&](int x, int y) { return std::nearbyint(plane(x, y)); }), Block(60, 60, 109, 109));
  FillHoles(mesh, 2500).Apply(mesh);
  for (GridCell cell : Block(60, 60, 109, 109)) {
    ASSERT_LE(std::abs(mesh.Elevation(cell.x, cell.y) - plane(cell.x, cell.y)), 1.0) << cell.x << "," << cell.y;
  }

  // A ridge through the border: heights 0 and 1000 only, so nothing filled may leave 0..1000.
  MeshDocument ridge = WithHole(test::Terrain([](int x, int y) { return (x + y) % 7 == 0 ? 1000 : 0; }), Block(20, 20, 30, 25));
  FillHoles(ridge, 400).Apply(ridge);
  for (GridCell cell : Block(20, 20, 30, 25)) {
    ASSERT_GE(ridge.Elevation(cell.x, cell.y), 0);
    ASSERT_LE(ridge.Elevation(cell.x, cell.y), 1000);
  }
}

TEST(FillHoles, TakesTheHolesUpToTheSizeOrWhollyInTheSelection) {
  const MeshDocument mesh = WithHole(test::Terrain([](int, int) { return 100; }), {{10, 10}, {20, 20}, {21, 21}});
  EXPECT_EQ(FillHoles(mesh, 1).Cells().size(), 1u);
  EXPECT_EQ(FillHoles(mesh).Cells().size(), 3u);
  EXPECT_EQ(FillHoles(mesh, CellSelection::Rectangle({15, 15}, {20, 20})).Cells().size(), 0u) << "half of a hole";
  EXPECT_EQ(FillHoles(mesh, CellSelection::Rectangle({15, 15}, {21, 21})).Cells().size(), 2u);
}

}  // namespace
}  // namespace koravel
