#include "core/dem/reference_dem.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "core/mesh/mesh_reader.h"
#include "core/mesh/mesh_writer.h"
#include "core/mesh/new_mesh.h"
#include "fgd_dem_fixture.h"
#include "mesh_file_fields.h"

namespace koravel {
namespace {

// A plane of heights on JGD2011, 2" points from 35°39'30" N 139°37' E
// (128760" at the north edge, 502620" at the west): point (i, j), i east
// and j south, is 100 + 0.25 i + 0.5 j metres, so that any bilinear height
// is the plane's own. Point (176, 113) has no data.
std::string PlaneTile() {
  test::FgdDemFields plane;
  plane.mesh = "53394500";
  plane.lower = "35.658333333 139.616666667";
  plane.upper = "35.766666667 139.758333333";
  plane.high = "254 194";
  for (int j = 0; j < 195; ++j) {
    for (int i = 0; i < 255; ++i) {
      char tuple[32];
      std::snprintf(tuple, sizeof tuple, "地表面,%.2f", 100 + 0.25 * i + 0.5 * j);
      plane.tuples.push_back(i == 176 && j == 113 ? "データなし,-9999." : tuple);
    }
  }
  return plane.Text();
}

struct HandWorked {
  int x, y;
  std::int32_t tenths;
};

// Each cell's centre on the Tokyo datum, taken to JGD2011 by PROJ's cct with
// the Helmert the program uses:  echo "LAT LON 0 0" | cct -d 12 EPSG:15484
//   (1, 1)     35.749791666667 139.625312500000 -> 35.753019029614 139.622087791307
//   (200, 1)   35.749791666667 139.749687500000 -> 35.753022368795 139.746452233634
//   (1, 200)   35.666875000000 139.625312500000 -> 35.670111693040 139.622091128893
//   (200, 200) 35.666875000000 139.749687500000 -> 35.670115025553 139.746455582147
//   (100, 57)  35.726458333333 139.687187500000 -> 35.729689981759 139.683958479231
//   (150, 120) 35.700208333333 139.718437500000 -> 35.703443772977 139.715206887268
// On the plane, i = (lon" − 502620) / 2 − 0.5 and j = (128760 − lat") / 2 − 0.5:
// (1, 1) lies at i 9.2580, j 24.0657, 114.3474 m; (150, 120) among points
// (176, 113) to (177, 114), one without data.
constexpr HandWorked kCells[] = {
    {1, 1, 1143}, {200, 1, 1703}, {1, 200, 1890}, {200, 200, 2449}, {100, 57, 1632}, {150, 120, kNoData},
};

TEST(ReferenceDem, FillsANewMeshWithTheModelsHeightsAtTheCellCentres) {
  if (DatumConverter().Method() != DatumConversion::Helmert) GTEST_SKIP() << "the oracle is the Helmert's";
  test::ScratchFolder folder;
  test::WriteBytes(folder.Path("FG-GML-5339-45-DEM10B-20240101.xml"), PlaneTile());
  MeshDocument mesh = *NewMesh("533945", 2024);
  const DemInputReport report = FillMeshFromDem(mesh, {folder.Path("")}, {});
  ASSERT_FALSE(report.Error);
  EXPECT_EQ(report.Placed, 1u);
  for (const HandWorked& cell : kCells) {
    EXPECT_EQ(mesh.Elevation(cell.x, cell.y), cell.tenths) << cell.x << "," << cell.y;
  }
  EXPECT_EQ(mesh.MeshComment.Text(), "基盤地図情報数値標高モデルＤＥＭ１０Ｂから作成");

  std::istringstream file(std::get<std::string>(FormatMeshFile(mesh)));
  const MeshReadResult read = ReadMesh(file);
  ASSERT_TRUE(read.document);
  EXPECT_EQ(mesh.MaxElevation, read.document->MaxElevation);
  EXPECT_EQ(mesh.MinElevation, read.document->MinElevation);
}

TEST(ReferenceDem, ReadsOnlyTheTilesNearTheMesh) {
  MeshDocument mesh = *NewMesh("533945", 2024);
  const ReferenceDemResult far = SampleReferenceDem(mesh, {test::kRealDemFile}, {});
  EXPECT_EQ(far.Report.Found, 1u);
  EXPECT_EQ(far.Report.Error, ErrorCode::NoDemToPlace) << "the real tile lies 1° west of it";
}

}  // namespace
}  // namespace koravel
