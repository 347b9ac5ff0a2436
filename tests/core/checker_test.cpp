#include <gtest/gtest.h>

#include <cmath>

#include "core/analysis/checker.h"
#include "core/mesh/neighbour_grid.h"
#include "core/mesh/mesh_reader.h"
#include "core/mesh/neighbour_mesh_file.h"
#include "mesh_file_fields.h"
#include "terrain.h"

namespace koravel {
namespace {

// A plane: each cell's neighbours have it as their median.
std::int32_t Plane(int x, int y) { return 10 * x + 5 * y + 1000; }

TEST(CheckMesh, ListsEachKindInItsOrderWhereTheThresholdIsPassed) {
  MeshDocument mesh = test::Terrain(Plane);
  mesh.SetElevation(60, 60, Plane(60, 60) - 501);
  mesh.SetElevation(50, 50, Plane(50, 50) + 600);
  mesh.SetElevation(70, 70, Plane(70, 70) + 500);  // exactly 50 m is not more than it
  mesh.SetElevation(1, 1, 90000);                    // three neighbours are too few to judge
  for (GridCell cell : {GridCell{101, 100}, GridCell{100, 101}, GridCell{200, 200}, GridCell{199, 200}}) {
    mesh.SetElevation(cell.x, cell.y, kNoData);     // a hole of two, and sea at the edge
  }
  for (int row : {150, 151, 152, 190}) mesh.RecordFlag[row] = 0;
  NeighbourEdges neighbours;
  EdgeHeights east{};
  for (int y = 1; y <= kMeshSize; ++y) east[y - 1] = Plane(201, y) + (y >= 10 && y <= 12 ? 800 - y : 0);
  neighbours.sides[1] = east;

  const std::vector<Finding> found = CheckMesh(mesh, neighbours);
  // kind, column, row, count, value, last column, last row
  const std::vector<std::tuple<FindingKind, int, int, int, std::int32_t, int, int>> expected = {
      {FindingKind::Spike, 50, 50, 1, Plane(50, 50) + 600, 50, 50},
      {FindingKind::Pit, 60, 60, 1, Plane(60, 60) - 501, 60, 60},
      {FindingKind::Hole, 101, 100, 2, 0, 101, 101},
      {FindingKind::Seam, 200, 10, 3, 10 + 800 - 10, 200, 12},  // the plane rises 10 a column
      {FindingKind::Omitted, 1, 150, 3, 0, 200, 152},
      {FindingKind::Omitted, 1, 190, 1, 0, 200, 190},
  };
  ASSERT_EQ(found.size(), expected.size());
  for (std::size_t i = 0; i < found.size(); ++i) {
    const Finding& f = found[i];
    EXPECT_EQ(std::tuple(f.kind, f.cell.x, f.cell.y, f.count, f.value, f.extent.right, f.extent.bottom), expected[i])
        << FindingKindName(f.kind);
  }
  EXPECT_EQ(found[0].median, Plane(50, 50));
  EXPECT_EQ(found[3].side, CompassDirection::East);
  EXPECT_EQ(CheckMesh(mesh, neighbours, {600, 1}).size(), 3u) << "only the seam and the omitted rows pass 60 m and one cell";
}

TEST(CheckMesh, FindsNothingOnTheSampleOrOnSmoothHills) {
  const MeshReadResult sample = ReadMeshFile(KORAVEL_SAMPLE_MESH);
  ASSERT_TRUE(sample.document);
  EXPECT_TRUE(CheckMesh(*sample.document, {}).empty());
  // A hill 1500 m high whose flanks rise up to about 40 m a cell.
  const MeshDocument hills = test::Terrain([](int x, int y) {
    return 15000 * std::exp(-(std::pow(x - 80, 2) + std::pow(y - 90, 2)) / 1800.0) + 800 * std::sin(x / 9.0);
  });
  EXPECT_TRUE(CheckMesh(hills, {}).empty());
}

TEST(ReadNeighbourEdges, FindsTheNeighboursFileInAnyCaseAndReadsItsFacingEdge) {
  const test::ScratchFolder folder;
  test::WriteBytes(folder.Path("533945.mem"), test::NeighbourMesh(0, 0).File());
  test::WriteBytes(folder.Path("533946.MEM"), test::NeighbourMesh(1, 0).File());
  EXPECT_EQ(NeighbourMeshFile(folder.Path("533945.mem"), "533945", CompassDirection::East), folder.Path("533946.MEM"));
  EXPECT_FALSE(NeighbourMeshFile(folder.Path("533945.mem"), "533945", CompassDirection::West));

  const NeighbourEdges edges = ReadNeighbourEdges(folder.Path("533945.mem"), "533945");
  ASSERT_TRUE(edges.sides[1]);
  EXPECT_FALSE(edges.sides[0] || edges.sides[2] || edges.sides[3]);
  // Column 1 of the eastern mesh, row 3: (7 × 201 + 13 × (3 + 20000)) mod 90000.
  EXPECT_EQ((*edges.sides[1])[2], (7 * 201 + 13 * 20003) % 90000);
  const MeshReadResult mesh = ReadMeshFile(folder.Path("533945.mem"));
  const std::vector<Finding> found = CheckMesh(*mesh.document, edges);
  EXPECT_TRUE(std::none_of(found.begin(), found.end(), [](const Finding& f) { return f.kind == FindingKind::Seam; }))
      << "values that continue across make no seam";
}

// The fixture's meshes hold (7 X + 13 Y) mod 90000 with X and Y counted
// across meshes, which in the middle mesh's frame is X = x, Y = y + 20000.
TEST(NeighbourGrid, ContinuesTheMeshsGridIntoTheNeighboursBesideIt) {
  const test::ScratchFolder folder;
  for (const auto& [east, north] : {std::pair{0, 0}, {1, 0}, {0, 1}, {-1, 1}}) {
    const test::MeshFileFields mesh = test::NeighbourMesh(east, north);
    test::WriteBytes(folder.Path(mesh.mesh_code + ".mem"), mesh.File());
  }
  const NeighbourGrid grid = NeighbourGrid::Read(folder.Path("533945.mem"), "533945");
  const auto expected = [](int x, int y) { return (7 * x + 13 * (y + 20000)) % 90000; };
  for (const auto& [x, y] : {std::pair{201, 5}, {400, 200}, {7, 0}, {3, -199}, {0, 0}, {-199, -1}}) {
    EXPECT_EQ(grid.Elevation(x, y), expected(x, y)) << x << "," << y;
  }
  for (const auto& [x, y] : {std::pair{5, 5}, {0, 5}, {201, 0}, {5, 201}, {401, 5}}) {
    EXPECT_EQ(grid.Elevation(x, y), std::nullopt) << x << "," << y << ": inside, or no neighbour there";
  }
}

}  // namespace
}  // namespace koravel
