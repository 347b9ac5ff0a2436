// GDAL as the oracle for reading the terrain: gdal_contour and gdaldem run
// on our own GeoTIFF export, and ogrinfo reading the contour files we write.

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "core/analysis/contour_tracer.h"
#include "core/mesh/mesh_reader.h"
#include "core/mesh/mesh_writer.h"
#include "core/scale/hill_shade.h"
#include "core/scale/slope_map.h"
#include "peer_tools.h"

namespace koravel {
namespace {

using test::GdalRaster;
using test::Numbers;
using test::Quoted;
using test::Succeeds;
using test::Tool;

class TerrainPeer : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!Succeeds("command -v gdal_contour")) GTEST_SKIP() << "gdal-bin is not installed";
    MeshReadResult read = ReadMeshFile(KORAVEL_SAMPLE_MESH);
    ASSERT_TRUE(read.document);
    sample_ = *read.document;
  }

  // `mesh` saved and exported by the tool as a GeoTIFF.
  std::filesystem::path Exported(const MeshDocument& mesh) {
    EXPECT_EQ(WriteMeshFile(mesh, folder_.Path("mesh.mem")), std::nullopt);
    EXPECT_TRUE(Succeeds(Tool("export " + Quoted(folder_.Path("mesh.mem")) + " " + Quoted(folder_.Path("mesh.tif")))));
    return folder_.Path("mesh.tif");
  }

  MeshDocument sample_;
  test::ScratchFolder folder_;
};

// Length in cells of each level's lines.
std::map<double, double> LengthByLevel(const std::vector<ContourLine>& lines) {
  std::map<double, double> lengths;
  for (const ContourLine& line : lines) {
    for (std::size_t i = 1; i < line.Points.size(); ++i) {
      const GridPoint a = line.Points[i - 1], b = line.Points[i];
      lengths[line.Metres] += std::hypot(b.X - a.X, b.Y - a.Y);
    }
  }
  return lengths;
}

TEST_F(TerrainPeer, ContoursHaveTheLengthGdalContourGivesEachLevel) {
  MeshDocument mesh = sample_;
  for (int y = 60; y < 90; ++y) {  // a lake, and a row of cells lost here and there
    for (int x = 30; x < 75; ++x) {
      if ((x - 50) * (x - 50) + (y - 75) * (y - 75) < 200) mesh.SetElevation(x, y, kNoData);
    }
  }
  for (int x = 1; x <= kMeshSize; x += 2) mesh.SetElevation(x, 150 + x % 7, kNoData);
  const std::filesystem::path tiff = Exported(mesh), lines = folder_.Path("gdal.gpkg");
  ASSERT_TRUE(Succeeds("gdal_contour -q -i 10 -a elevation " + Quoted(tiff) + " " + Quoted(lines)));
  // GDAL's lines in cells: level and length, level by level.
  const std::vector<double> gdal = Numbers(
      "/usr/bin/python3 -c 'import sys, math, collections; from osgeo import ogr\n"
      "lengths = collections.defaultdict(float)\n"
      "source = ogr.Open(sys.argv[1])\n"
      "for f in source.GetLayer(0):\n"
      "  p = [((x - 139.625) * 1600, (35.75 - y) * 2400) for x, y in f.GetGeometryRef().GetPoints()]\n"
      "  lengths[f[\"elevation\"]] += sum(math.dist(a, b) for a, b in zip(p, p[1:]))\n"
      "print(*[v for k in sorted(lengths) for v in (k, lengths[k])])' " +
      Quoted(lines));
  const std::map<double, double> ours =
      LengthByLevel(std::get<std::vector<ContourLine>>(TraceContours(mesh, {10, 0})));
  ASSERT_EQ(gdal.size(), 2 * ours.size());
  for (std::size_t i = 0; i < gdal.size(); i += 2) {
    ASSERT_TRUE(ours.count(gdal[i])) << gdal[i] << " m";
    EXPECT_NEAR(ours.at(gdal[i]), gdal[i + 1], gdal[i + 1] * 0.01) << gdal[i] << " m";
  }
}

// The heights ogrinfo reads back from a contour file, with how many lines
// each: the `elevation` attribute, or in DXF the first vertex's Z.
std::map<double, int> HeightsRead(const std::filesystem::path& file) {
  const std::vector<double> read = Numbers(
      "ogrinfo -ro -al -q " + Quoted(file) +
      " | sed -n -e 's/^  elevation (Real) = //p' -e 's/^  LINESTRING Z ([^ ]* [^ ]* \\([^,]*\\),.*/\\1/p'");
  std::map<double, int> heights;
  for (double metres : read) ++heights[metres];
  return heights;
}

// West, south, east and north of a file's lines, as ogrinfo sums them up.
std::vector<double> Extent(const std::filesystem::path& file) {
  return Numbers("ogrinfo -ro -al -so " + Quoted(file) + " | sed -n 's/^Extent: (\\(.*\\), \\(.*\\)) - " +
                 "(\\(.*\\), \\(.*\\))/\\1 \\2 \\3 \\4/p'");
}

TEST_F(TerrainPeer, OgrinfoReadsEveryContourFileWithItsLinesAndHeights) {
  const auto lines = TraceContours(sample_, {50, 25});
  std::map<double, int> expected;
  for (const ContourLine& line : std::get<std::vector<ContourLine>>(lines)) ++expected[line.Metres];
  for (const char* name : {"lines.geojson", "lines.GPKG", "lines.dxf"}) {
    const std::filesystem::path file = folder_.Path(name);
    ASSERT_TRUE(Succeeds(Tool("contour " + Quoted(KORAVEL_SAMPLE_MESH) + " " + Quoted(file) +
                              " --interval 50 --base 25 > /dev/null")));
    EXPECT_EQ(HeightsRead(file), expected) << name;
  }
  // The mesh spans 35°40'-35°45' N, 139°37'30"-139°45' E: on plane zone IX,
  // 7.5-18.9 km west (90.5 km a degree) and 27.7-37.0 km south (111 km a
  // degree) of the zone's origin at 36° N, 139°50' E, give or take the
  // 300-odd metres that the same corners move north-west on JGD2011.
  const std::vector<double> box = Extent(folder_.Path("lines.geojson"));
  ASSERT_EQ(box.size(), 4u);
  EXPECT_TRUE(box[0] > 139.62 && box[2] < 139.76 && box[1] > 35.66 && box[3] < 35.76);
  ASSERT_TRUE(Succeeds(Tool("contour " + Quoted(KORAVEL_SAMPLE_MESH) + " " + Quoted(folder_.Path("zone.dxf")) +
                            " --interval 100 --crs EPSG:6677 > /dev/null")));
  const std::vector<double> zone = Extent(folder_.Path("zone.dxf"));
  ASSERT_EQ(zone.size(), 4u);
  EXPECT_TRUE(zone[0] > -19500 && zone[2] < -7400 && zone[1] > -37100 && zone[3] < -27000);
}

// gdaldem takes the cell size from the geotransform: our export placed on a
// grid of the mesh's true cells, 56.552 m by 46.226 m (PROJ's geod).
TEST_F(TerrainPeer, ShadeAndSlopeAreGdaldemsOnTheTrueCellSize) {
  const std::filesystem::path metric = folder_.Path("metric.tif");
  ASSERT_TRUE(Succeeds("gdal_translate -q -a_srs EPSG:6677 -a_ullr 0 9245.2 11310.4 0 " + Quoted(Exported(sample_)) +
                       " " + Quoted(metric)));
  const struct {
    const char* options;
    ReliefLight light;
  } lights[] = {{"", {}},
                {"-multidirectional", {315, 45, 1, LightMode::Multidirectional}},
                {"-az 100 -alt 30 -z 3", {100, 30, 3, LightMode::Single}}};
  for (const auto& [options, light] : lights) {
    const std::filesystem::path shaded = folder_.Path("shaded.tif");
    ASSERT_TRUE(Succeeds("gdaldem hillshade -q " + std::string(options) + " " + Quoted(metric) + " " + Quoted(shaded)));
    const std::vector<double> gdal = GdalRaster(shaded);
    HillShade shade(light);
    shade.Compute(sample_);
    int compared = 0;
    for (int y = 1; y <= kMeshSize; ++y) {
      for (int x = 1; x <= kMeshSize; ++x) {
        const double value = gdal[6 + static_cast<std::size_t>((y - 1) * kMeshSize + x - 1)];
        if (value == 0) continue;  // no data: the edges and cells beside missing ones
        ASSERT_NEAR(1 + 254 * shade.Illumination(x, y), value, 1) << options << " " << x << "," << y;
        ++compared;
      }
    }
    EXPECT_GT(compared, 25000) << options;
  }
  ASSERT_TRUE(Succeeds("gdaldem slope -q " + Quoted(metric) + " " + Quoted(folder_.Path("slope.tif"))));
  const std::vector<double> gdal = GdalRaster(folder_.Path("slope.tif"));
  SlopeMap slope;
  slope.Compute(sample_);
  for (int y = 2; y < kMeshSize; ++y) {
    for (int x = 2; x < kMeshSize; ++x) {
      const double degrees = gdal[6 + static_cast<std::size_t>((y - 1) * kMeshSize + x - 1)];
      if (degrees < 0) continue;  // no data
      ASSERT_NEAR(slope.Degrees(x, y), degrees, 1e-3) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace koravel
