// GDAL reads .mem files itself (its JDEM driver), ESRI ASCII grids and
// GeoTIFF: a file that we write must read there with our values and corners.

#include <gtest/gtest.h>

#include <map>

#include "../core/fgd_dem_fixture.h"
#include "../core/mesh_file_fields.h"
#include "../core/sanitizer.h"
#include "core/mesh/mesh_reader.h"
#include "core/mesh/mesh_writer.h"
#include "peer_tools.h"

namespace koravel {
namespace {

using test::GdalRaster;
using test::Quoted;
using test::RunShell;
using test::Succeeds;
using test::Tool;

// The largest difference between the cells of two rasters (or of an
// overview of each) as GDAL reads them, relative to the second's cells.
double LargestRelativeDifference(const std::filesystem::path& a, const std::filesystem::path& b, int overview = -1) {
  return std::stod(RunShell("/usr/bin/python3 -c 'import sys, numpy; from osgeo import gdal; o = int(sys.argv[3]); "
                            "d = [gdal.Open(f) for f in sys.argv[1:3]]; r = [x.GetRasterBand(1) for x in d]; "
                            "a, b = [(x if o < 0 else x.GetOverview(o)).ReadAsArray().astype(float) for x in r]; "
                            "print(numpy.max(numpy.abs(a - b) / numpy.maximum(numpy.abs(b), 1e-30)) "
                            "if a.shape == b.shape else 1e30)' " +
                            Quoted(a) + " " + Quoted(b) + " " + std::to_string(overview))
                       .text);
}

bool ValidCog(const std::filesystem::path& raster) {
  return Succeeds("/usr/bin/python3 -m osgeo_utils.samples.validate_cloud_optimized_geotiff -q " + Quoted(raster));
}

// Mesh 533945: 139°37'30" E, 35°45' N, cells of 2.25" by 1.5".
const std::vector<double> kMeshGeoTransform = {139.625, 2.25 / 3600, 0, 35.75, 0, -1.5 / 3600};

void ExpectSameRaster(const std::vector<double>& actual, const std::vector<double>& expected, std::size_t cells) {
  ASSERT_EQ(expected.size(), 6 + cells);
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < 6; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-9) << "geotransform " << i;
  for (std::size_t i = 6; i < actual.size(); ++i) ASSERT_NEAR(actual[i], expected[i], 1e-3) << "cell " << i - 6;
}

class GdalPeer : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!Succeeds("command -v gdal_translate")) GTEST_SKIP() << "gdal-bin is not installed";
  }
  test::ScratchFolder folder_;
};

TEST_F(GdalPeer, ReadsAFileWeSavedAndOurExportOfItWithOurValuesAndCorners) {
  MeshReadResult sample = ReadMeshFile(KORAVEL_SAMPLE_MESH);
  ASSERT_TRUE(sample.document);
  MeshDocument& doc = *sample.document;
  const std::pair<std::pair<int, int>, std::int32_t> edits[] = {
      {{1, 1}, 0}, {{2, 1}, -5}, {{3, 1}, 99999}, {{4, 1}, kNoData}, {{200, 200}, 12345}};
  for (const auto& [cell, value] : edits) doc.SetElevation(cell.first, cell.second, value);
  ASSERT_EQ(WriteMeshFile(doc, folder_.Path("saved.mem")), std::nullopt);
  ASSERT_TRUE(Succeeds(Tool("export " + Quoted(folder_.Path("saved.mem")) + " " + Quoted(folder_.Path("ours.asc")))));

  // GDAL's reading of a .mem file declares no no-data: -9999 is a height of -999.9 m there.
  std::vector<double> expected = kMeshGeoTransform;
  for (int y = 1; y <= kMeshSize; ++y) {
    for (int x = 1; x <= kMeshSize; ++x) expected.push_back(doc.Elevation(x, y) / 10.0);
  }
  ExpectSameRaster(GdalRaster(folder_.Path("saved.mem")), expected, 200u * 200);
  ExpectSameRaster(GdalRaster(folder_.Path("ours.asc")), expected, 200u * 200);
  EXPECT_TRUE(Succeeds("gdalsrsinfo -o proj4 " + Quoted(folder_.Path("ours.asc")) + " | grep -q ellps=bessel"));
}

// Rows are omitted and cells edited in every way the file allows; GDAL will
// not read such a file itself, so the expected values are worked out here.
TEST_F(GdalPeer, ReadsOurGeoTiffWithItsValuesNoDataAndTokyoDatum) {
  test::MeshFileFields fields = test::NeighbourMesh(0, 0);
  fields.record_flags[9] = '0';
  fields.record_flags[199] = '2';
  const std::map<std::pair<int, int>, std::string> edited = {
      {{1, 1}, "00000"}, {{2, 1}, "-0005"}, {{3, 1}, "99999"}, {{4, 1}, "-9999"}, {{200, 199}, "12345"}};
  fields.value_text = [base = fields.value_text, &edited](int x, int y) {
    return edited.count({x, y}) ? edited.at({x, y}) : base(x, y);
  };
  const std::filesystem::path mem = folder_.Path("partial.mem"), tiff = folder_.Path("ours.TIFF");
  test::WriteBytes(mem, fields.File());
  EXPECT_FALSE(Succeeds("gdal_translate -q -of AAIGrid " + Quoted(mem) + " " + Quoted(folder_.Path("refused.asc"))));

  ASSERT_TRUE(Succeeds(Tool("export " + Quoted(mem) + " " + Quoted(tiff))));
  const std::vector<double> gdal = GdalRaster(tiff);
  ASSERT_EQ(gdal.size(), 6 + 200u * 200);
  EXPECT_EQ(std::vector(gdal.begin(), gdal.begin() + 6), kMeshGeoTransform);
  const std::map<std::pair<int, int>, double> expected = {
      {{1, 1}, 0},         {{2, 1}, -0.5},       {{3, 1}, 9999.9},     {{4, 1}, -9999},     {{5, 1}, 8004.8},
      {{200, 199}, 1234.5}, {{7, 10}, -9999},     {{200, 200}, -9999},  {{1, 2}, 8003.3}, {{200, 198}, 8397.4}};
  for (const auto& [cell, metres] : expected) {
    EXPECT_NEAR(gdal[6 + static_cast<std::size_t>((cell.second - 1) * 200 + cell.first - 1)], metres, 1e-3)
        << cell.first << "," << cell.second;
  }
  EXPECT_TRUE(Succeeds("gdalinfo " + Quoted(tiff) + " | grep -q 'NoData Value=-9999$'"));
  EXPECT_TRUE(Succeeds("gdalsrsinfo -o epsg " + Quoted(tiff) + " | grep -qx EPSG:4301"));
  EXPECT_TRUE(Succeeds("gdalinfo " + Quoted(tiff) + " | grep -q AREA_OR_POINT=Area"));
}

// Nine neighbouring meshes given as a folder, then three that must be left
// out: one a second off the grid, one with other steps, one no mesh at all;
// and one far away, which would stretch the frame and is refused by name.
TEST_F(GdalPeer, MosaicEqualsGdalsLeavesOutWhatDoesNotFitAndRefusesAFarMesh) {
  std::filesystem::create_directory(folder_.Path("meshes"));
  std::string gdal_inputs;
  for (int north = 0; north < 3; ++north) {
    for (int east = 0; east < 3; ++east) {
      const auto path = folder_.Path("meshes/" + std::to_string(north) + std::to_string(east) + ".mem");
      test::WriteBytes(path, test::NeighbourMesh(east, north).File());
      gdal_inputs += " " + Quoted(path);
    }
  }
  test::MeshFileFields off_grid = test::NeighbourMesh(3, 0), other_steps = test::NeighbourMesh(4, 0),
                       far = test::NeighbourMesh(5, 0);
  off_grid.corners = "0354000" "1394531" "0354500" "1395301";
  other_steps.corners = "0354000" "1395230" "0354500" "1400730";
  far.corners = "0000000" "1393730" "0000500" "1394500";  // 85,600 cells south: a mosaic of terabytes
  test::WriteBytes(folder_.Path("off_grid.mem"), off_grid.File());
  test::WriteBytes(folder_.Path("other_steps.mem"), other_steps.File());
  test::WriteBytes(folder_.Path("far.mem"), far.File());
  test::WriteBytes(folder_.Path("broken.mem"), "533945");
  const std::string inputs = Quoted(folder_.Path("meshes")) + " " + Quoted(folder_.Path("off_grid.mem")) + " " +
                             Quoted(folder_.Path("other_steps.mem")) + " " + Quoted(folder_.Path("broken.mem"));
  const std::string left_out = folder_.Path("off_grid.mem").string() + ": 最初のメッシュの格子からずれています。\n" +
                               folder_.Path("other_steps.mem").string() + ": 最初のメッシュと格子の間隔が異なります。\n" +
                               folder_.Path("broken.mem").string() + ": メッシュファイルではありません。\n";

  const auto refused = RunShell(Tool("mosaic " + Quoted(folder_.Path("ours.tif")) + " " + inputs + " " +
                                     Quoted(folder_.Path("far.mem"))));
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.text, "mosaic: 600 x 86200 cells, 0 to 35.916667 N, 139.625 to 140 E, 0.773% covered\n" +
                              left_out + folder_.Path("ours.tif").string() +
                              ": 範囲の1%も覆わないため書き出しません。範囲を広げているファイルを除くか、"
                              "--allow-sparseを付けて下さい。\n  " +
                              folder_.Path("far.mem").string() + "\nmosaic: 0 of 13 meshes placed, 3 left out\n");
  EXPECT_FALSE(std::filesystem::exists(folder_.Path("ours.tif")));

  const auto mosaic = RunShell(Tool("mosaic " + Quoted(folder_.Path("ours.tif")) + " " + inputs));
  EXPECT_EQ(mosaic.status, 1);
  EXPECT_EQ(mosaic.text, "mosaic: 600 x 600 cells, 35.666667 to 35.916667 N, 139.625 to 140 E, 100% covered\n" +
                             left_out + "mosaic: 9 of 12 meshes placed, 3 left out\n");
  EXPECT_TRUE(ValidCog(folder_.Path("ours.tif")));
  ASSERT_TRUE(Succeeds("gdal_merge.py -q -of GTiff -o " + Quoted(folder_.Path("gdal.tif")) + gdal_inputs));
  ExpectSameRaster(GdalRaster(folder_.Path("ours.tif")), GdalRaster(folder_.Path("gdal.tif")), 600u * 600);
}

// 27 meshes of a block of 6 × 6 whose north-west quarter is missing, so
// that its first tile holds no data; every thirteenth cell without data.
TEST_F(GdalPeer, CloudOptimisedMosaicReadsAsItsPlainFormAndHasGdalsAverageOverviews) {
  std::filesystem::create_directory(folder_.Path("meshes"));
  for (int north = 0; north < 6; ++north) {
    for (int east = 0; east < 6; ++east) {
      if (north >= 3 && east < 3) continue;
      test::MeshFileFields mesh = test::NeighbourMesh(east, north);
      mesh.value_text = [base = mesh.value_text](int x, int y) { return (x * y) % 13 == 0 ? "-9999" : base(x, y); };
      test::WriteBytes(folder_.Path("meshes/" + mesh.mesh_code + ".mem"), mesh.File());
    }
  }
  const std::string meshes = " " + Quoted(folder_.Path("meshes"));
  ASSERT_TRUE(Succeeds(Tool("mosaic " + Quoted(folder_.Path("ours.tif")) + meshes)));
  ASSERT_TRUE(Succeeds(Tool("mosaic --compress zstd " + Quoted(folder_.Path("zstd.tif")) + meshes)));
  ASSERT_TRUE(Succeeds(Tool("mosaic --no-cog " + Quoted(folder_.Path("plain.tif")) + meshes)));
  EXPECT_TRUE(ValidCog(folder_.Path("ours.tif")));
  EXPECT_TRUE(ValidCog(folder_.Path("zstd.tif")));
  EXPECT_TRUE(Succeeds("gdalinfo " + Quoted(folder_.Path("ours.tif")) + " | grep -q 'Overviews: 600x600, 300x300'"));
  EXPECT_FALSE(Succeeds("gdalinfo -mdd TIFF " + Quoted(folder_.Path("ours.tif")) + " | grep -q BLOCK_SIZE_0_0"));
  EXPECT_EQ(LargestRelativeDifference(folder_.Path("ours.tif"), folder_.Path("plain.tif")), 0);
  EXPECT_EQ(LargestRelativeDifference(folder_.Path("zstd.tif"), folder_.Path("plain.tif")), 0);
  ASSERT_TRUE(Succeeds("cp " + Quoted(folder_.Path("plain.tif")) + " " + Quoted(folder_.Path("gdal.tif")) +
                       " && gdaladdo -q -r average " + Quoted(folder_.Path("gdal.tif")) + " 2 4"));
  for (int overview = 0; overview < 2; ++overview) {  // within a Float32's rounding
    EXPECT_LT(LargestRelativeDifference(folder_.Path("ours.tif"), folder_.Path("gdal.tif"), overview), 1.2e-7)
        << "overview " << overview;
  }
}

// Run as another user, to whom one folder deep in the scan is closed.
TEST_F(GdalPeer, MosaicNamesAFolderItCannotReadAndGoesOn) {
  std::filesystem::create_directories(folder_.Path("in/a/b/closed"));
  test::WriteBytes(folder_.Path("in/a/533945.mem"), test::NeighbourMesh(0, 0).File());
  test::WriteBytes(folder_.Path("in/a/b/closed/533946.mem"), test::NeighbourMesh(1, 0).File());
  test::WriteBytes(folder_.Path("in/a/b/533946.mem"), test::NeighbourMesh(1, 0).File());
  std::filesystem::permissions(folder_.Path("in/a/b/closed"), std::filesystem::perms::none);
  std::filesystem::permissions(folder_.Path(""), std::filesystem::perms::all);
  const auto mosaic = RunShell("setpriv --reuid=65534 --regid=65534 --clear-groups " +
                               Tool("mosaic " + Quoted(folder_.Path("out.tif")) + " " + Quoted(folder_.Path("in"))));
  EXPECT_EQ(mosaic.status, 1);
  EXPECT_EQ(mosaic.text, "mosaic: 400 x 200 cells, 35.666667 to 35.75 N, 139.625 to 139.875 E, 100% covered\n" +
                             folder_.Path("in/a/b/closed").string() + ": フォルダを読めません。\n" +
                             "mosaic: 2 of 2 meshes placed, 1 left out\n");
  EXPECT_TRUE(ValidCog(folder_.Path("out.tif")));
}

// The peak of the whole process, from /usr/bin/time, with 20,000 files that
// are no meshes beside one mesh, against that mesh alone: each costs the
// bytes of its name and its place in the index, not a mesh's worth.
TEST_F(GdalPeer, MosaicMemoryStaysBoundedWithThousandsOfInputs) {
#ifdef KORAVEL_UNDER_ADDRESS_SANITIZER
  GTEST_SKIP() << "AddressSanitizer keeps freed memory in quarantine, so the peak says nothing of the index";
#endif
  std::filesystem::create_directories(folder_.Path("many"));
  test::WriteBytes(folder_.Path("533945.mem"), test::NeighbourMesh(0, 0).File());
  for (int i = 0; i < 20000; ++i) test::WriteBytes(folder_.Path("many/" + std::to_string(i) + ".mem"), "5");
  const auto peak_kb = [this](const std::string& inputs) {
    RunShell("/usr/bin/time -f %M -o " + Quoted(folder_.Path("peak")) + " " +
             Tool("mosaic " + Quoted(folder_.Path("out.tif")) + " " + inputs) + " > /dev/null");
    const std::string report = test::ReadBytes(folder_.Path("peak"));  // after any "Command exited" line
    return std::stol(report.substr(report.find_last_of('\n', report.size() - 2) + 1));
  };
  const long alone = peak_kb(Quoted(folder_.Path("533945.mem")));
  const long with_many = peak_kb(Quoted(folder_.Path("533945.mem")) + " " + Quoted(folder_.Path("many")));
  EXPECT_LT(with_many - alone, 8 * 1024) << alone << " KB alone, " << with_many << " KB with 20,000 more";
}

// The names in `folder` with what each holds.
std::map<std::string, std::string> Contents(const std::filesystem::path& folder) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    contents[entry.path().filename()] = test::ReadBytes(entry.path());
  }
  return contents;
}

class BatchExport : public ::testing::TestWithParam<const char*> {
 protected:
  test::ScratchFolder folder_;
};

TEST_P(BatchExport, WritesWhatSingleExportsWriteAndSkipsWhatItCannotRead) {
  const std::string format = GetParam();
  std::filesystem::create_directories(folder_.Path("in/sub"));
  std::filesystem::create_directories(folder_.Path("single"));
  const std::string names[] = {"a", "b", "sub/c"};
  for (int i = 0; i < 3; ++i) {
    const std::filesystem::path mem = folder_.Path("in/" + names[i] + ".mem");
    test::WriteBytes(mem, test::NeighbourMesh(i, 1).File());
    ASSERT_TRUE(Succeeds(Tool("export " + Quoted(mem) + " " +
                              Quoted(folder_.Path("single/" + mem.stem().string() + "." + format)))));
  }
  test::WriteBytes(folder_.Path("in/broken.mem"), "533945");
  const auto batch = RunShell(Tool("export --to " + Quoted(folder_.Path("out")) + " --format " + format + " " +
                                   Quoted(folder_.Path("in"))));
  EXPECT_EQ(batch.status, 1);
  EXPECT_EQ(batch.text, folder_.Path("in/broken.mem").string() +
                            ": メッシュファイルではありません。\nexport: 3 of 4 meshes written, 1 skipped\n");
  EXPECT_EQ(Contents(folder_.Path("out")), Contents(folder_.Path("single")));
}

INSTANTIATE_TEST_SUITE_P(Formats, BatchExport, ::testing::Values("asc", "tif"));

// Every file of the folder is either absent or whole: a reader never sees
// half a file, nor a temporary left behind, nor a grid without its projection.
TEST_F(BatchExport, KilledMidwayLeavesOnlyWholeFiles) {
  constexpr int kMeshes = 600;
  std::filesystem::create_directory(folder_.Path("in"));
  const std::string mesh = test::NeighbourMesh(0, 0).File();
  for (int i = 0; i < kMeshes; ++i) test::WriteBytes(folder_.Path("in/" + std::to_string(i) + ".mem"), mesh);
  ASSERT_TRUE(Succeeds(Tool("export " + Quoted(folder_.Path("in/0.mem")) + " " + Quoted(folder_.Path("whole.asc")))));
  const std::map<std::string, std::string> whole = {{".asc", test::ReadBytes(folder_.Path("whole.asc"))},
                                                    {".prj", test::ReadBytes(folder_.Path("whole.prj"))}};

  ASSERT_TRUE(Succeeds("cd " + Quoted(folder_.Path("")) + " && { " + Tool("export --to out in") +
                       " & } && until [ -e out/0.asc ]; do :; done && kill -KILL $! && wait $!; true"));
  const auto written = Contents(folder_.Path("out"));
  for (const auto& [name, bytes] : written) {
    const std::filesystem::path path(name);
    ASSERT_TRUE(whole.count(path.extension())) << name;
    EXPECT_EQ(bytes, whole.at(path.extension())) << name;
    if (path.extension() == ".asc") {
      EXPECT_TRUE(written.count(path.stem().string() + ".prj")) << name;
    }
  }
  EXPECT_LT(written.size(), 2u * kMeshes);
}

// 523874: 52 × 40' + 7 × 5' = 35°15' N to 35°20', 138°30' E to 138°37'30".
TEST_F(GdalPeer, ReadsANewMeshWithItsCornersAndNothingButNoData) {
  const std::filesystem::path mem = folder_.Path("523874.mem");
  ASSERT_TRUE(Succeeds(Tool("new 523874 " + Quoted(mem))));
  std::vector<double> expected = {138.5, 2.25 / 3600, 0, 35 + 20 / 60.0, 0, -1.5 / 3600};
  expected.resize(6 + 200 * 200, -999.9);
  ExpectSameRaster(GdalRaster(mem), expected, 200u * 200);

  const auto wrong = RunShell(Tool("new 5238 " + Quoted(folder_.Path("wrong.mem"))));
  EXPECT_EQ(wrong.status, 2);
  EXPECT_EQ(wrong.text, "5238: メッシュコードは6桁の数字です。日本の範囲の1次メッシュ4桁(緯度30～68、経度22～53)に、"
                        "2次メッシュの行と列(0～7)が続きます。\n");
  const auto from = RunShell(Tool("new 523874 " + Quoted(folder_.Path("from.mem")) + " --from " +
                                  Quoted(test::kRealDemFile)));
  EXPECT_EQ(from.status, 0) << from.text;
  EXPECT_TRUE(Succeeds("gdalinfo " + Quoted(folder_.Path("from.mem")) + " | grep -q 'Size is 200, 200'"));
}

// Four tiles, two of them in an archive inside an archive: one as the survey
// made it, one starting late, one ending early with sea, one on JGD2024.
TEST_F(GdalPeer, DemGridEqualsTheGdalPythonConvertersOfTheSameFiles) {
  std::filesystem::create_directory(folder_.Path("xml"));
  test::FgdDemFields late = test::RealDemMoved(1, 0), early = test::RealDemMoved(0, 1),
                     jgd2024 = test::RealDemMoved(1, 1);
  late.start = "7 3";
  late.tuples.resize(late.tuples.size() - (3 * 225 + 7));
  early.tuples.resize(30000);
  early.tuples[100] = "海水面,-9999.";
  early.tuples[200] = "データなし,-9999.";
  jgd2024.srs = "fguuid:jgd2024.bl";
  const std::pair<std::string, std::string> files[] = {
      {"01.xml", late.Text()}, {"10.xml", early.Text()}, {"11.xml", jgd2024.Text()}};
  std::string python_inputs = " " + Quoted(test::kRealDemFile);
  for (const auto& [name, text] : files) {
    test::WriteBytes(folder_.Path("xml/" + name), text);
    python_inputs += " " + Quoted(folder_.Path("xml/" + name));
  }
  test::WriteZip(folder_.Path("inner.zip"), {files[1], files[2]});
  test::WriteZip(folder_.Path("download.zip"), {{"inner.zip", test::ReadBytes(folder_.Path("inner.zip"))}});
  const std::string inputs = Quoted(test::kRealDemFile) + " " + Quoted(folder_.Path("xml/01.xml")) + " " +
                             Quoted(folder_.Path("download.zip"));
  ASSERT_TRUE(Succeeds("/usr/bin/python3 " + Quoted(KORAVEL_DEM_CONVERTER) + " " + Quoted(folder_.Path("python.tif")) +
                       python_inputs));
  const auto tif = RunShell(Tool("dem " + Quoted(folder_.Path("ours.tif")) + " " + inputs));
  EXPECT_EQ(tif.text, "dem: 450 x 300 cells, 35.25 to 35.266667 N, 138.5 to 138.525 E, 100% covered\n"
                      "dem: 4 of 4 files placed, 0 left out\n");
  ASSERT_TRUE(Succeeds(Tool("dem " + Quoted(folder_.Path("ours.asc")) + " " + inputs)));
  const std::vector<double> python = GdalRaster(folder_.Path("python.tif"));
  for (const char* ours : {"ours.tif", "ours.asc"}) {
    const std::vector<double> raster = GdalRaster(folder_.Path(ours));
    ASSERT_EQ(raster.size(), 6 + 450u * 300) << ours;
    for (std::size_t i = 0; i < 6; ++i) EXPECT_NEAR(raster[i], python[i], 1e-9) << ours << " geotransform " << i;
    EXPECT_TRUE(std::equal(raster.begin() + 6, raster.end(), python.begin() + 6)) << ours;
    EXPECT_TRUE(Succeeds("gdalsrsinfo -o epsg " + Quoted(folder_.Path(ours)) + " | grep -qx EPSG:6668")) << ours;
  }
  EXPECT_TRUE(Succeeds("gdalinfo " + Quoted(folder_.Path("ours.tif")) + " | grep -q 'NoData Value=-9999$'"));
  EXPECT_TRUE(ValidCog(folder_.Path("ours.tif")));
}

// A 10 m tile of a whole second-level mesh, and the real tile on JGD2000.
TEST_F(GdalPeer, DemRefusesTilesOfMixedCellSizesOrDatumsNamingEachKind) {
  test::FgdDemFields ten_metres;
  ten_metres.upper = "35.333333333 138.625";
  ten_metres.high = "1124 749";
  ten_metres.tuples.assign(1125 * 750, "地表面,100.00");
  test::WriteBytes(folder_.Path("FG-GML-5238-74-DEM10B-20161001.xml"), ten_metres.Text());
  test::WriteBytes(folder_.Path("FG-GML-5238-74-00-DEM5A-jgd2000.xml"), test::RealDemWith("jgd2011", "jgd2000"));
  const std::pair<const char*, const char*> others[] = {
      {"FG-GML-5238-74-DEM10B-20161001.xml", "  DEM10B (0.4\" x 0.4\", EPSG:6668): "},
      {"FG-GML-5238-74-00-DEM5A-jgd2000.xml", "  DEM5A (0.2\" x 0.2\", EPSG:4612): "},
  };
  const std::string real = test::kRealDemFile.string(), out = folder_.Path("out.tif").string();
  for (const auto& [other, kind] : others) {
    const auto mixed = RunShell(Tool("dem " + Quoted(out) + " " + Quoted(real) + " " + Quoted(folder_.Path(other))));
    EXPECT_EQ(mixed.status, 1);
    EXPECT_EQ(mixed.text, out + ": 解像度または測地系の異なる数値標高モデルは一つにできません。\n"
                                "  DEM5A (0.2\" x 0.2\", EPSG:6668): " + real + "\n" + kind +
                              folder_.Path(other).string() + "\ndem: 0 of 2 files placed, 0 left out\n");
  }
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace koravel
