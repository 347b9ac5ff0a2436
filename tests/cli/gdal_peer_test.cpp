// GDAL reads .mem files itself (its JDEM driver) and ESRI ASCII grids: a
// file that we write must read there with our values and corners.

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <thread>

#include "../core/mesh_file_fields.h"
#include "mesh/mesh_reader.h"
#include "mesh/mesh_writer.h"

namespace koravel {
namespace {

struct AsciiGrid {
  std::map<std::string, double> header;
  std::vector<double> values;  // rows from north to south
};

AsciiGrid ReadAsciiGrid(const std::filesystem::path& path) {
  AsciiGrid grid;
  std::ifstream file(path);
  std::string key;
  while (file >> key && std::isalpha(static_cast<unsigned char>(key[0]))) {
    file >> grid.header[key];
  }
  if (!key.empty()) grid.values.push_back(std::stod(key));
  for (double value; file >> value;) grid.values.push_back(value);
  return grid;
}

bool RunCommand(const std::string& command) { return std::system(command.c_str()) == 0; }

std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

struct Outcome {
  int status = -1;
  std::string output;  // standard output and error together
};

Outcome Capture(const std::string& command) {
  Outcome outcome;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) outcome.output.append(buffer, n);
  const int status = pclose(pipe);
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

// The geotransform exactly as GDAL holds it: west, width, 0, north, 0, -height.
// Debian's GDAL bindings belong to the system's own interpreter.
std::vector<double> GdalGeoTransform(const std::filesystem::path& raster) {
  std::istringstream numbers(Capture("/usr/bin/python3 -c 'import sys; from osgeo import gdal; "
                                     "print(*gdal.Open(sys.argv[1]).GetGeoTransform())' " + Quoted(raster)).output);
  return {std::istream_iterator<double>(numbers), std::istream_iterator<double>()};
}

std::string Tool(const std::string& arguments) { return std::string(KORAVEL_TOOL) + " " + arguments; }

// GDAL's own reading of a .mem file, written out as an ASCII grid.
AsciiGrid GdalReading(const std::filesystem::path& mem, const std::filesystem::path& asc) {
  EXPECT_TRUE(RunCommand("gdal_translate -q -of AAIGrid '" + mem.string() + "' '" + asc.string() + "'"));
  return ReadAsciiGrid(asc);
}

double PixelWidth(const AsciiGrid& grid) {
  return grid.header.count("dx") ? grid.header.at("dx") : grid.header.at("cellsize");
}

double PixelHeight(const AsciiGrid& grid) {
  return grid.header.count("dy") ? grid.header.at("dy") : grid.header.at("cellsize");
}

void ExpectSameGrid(const AsciiGrid& ours, const AsciiGrid& gdal, std::size_t cells) {
  ASSERT_EQ(ours.values.size(), cells);
  ASSERT_EQ(gdal.values.size(), ours.values.size());
  for (const char* key : {"ncols", "nrows", "xllcorner", "yllcorner"}) {
    EXPECT_NEAR(ours.header.at(key), gdal.header.at(key), 1e-9) << key;
  }
  EXPECT_NEAR(PixelWidth(ours), PixelWidth(gdal), 1e-12);
  EXPECT_NEAR(PixelHeight(ours), PixelHeight(gdal), 1e-12);
  for (std::size_t i = 0; i < ours.values.size(); ++i) ASSERT_NEAR(ours.values[i], gdal.values[i], 1e-3) << "cell " << i;
}

class GdalPeer : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!RunCommand("command -v gdal_translate > /dev/null")) GTEST_SKIP() << "gdal-bin is not installed";
  }
  test::ScratchFolder folder_;
};

TEST_F(GdalPeer, ReadsTheValuesAndCornersOfAFileWeSaved) {
  MeshReadResult sample = ReadMeshFile(KORAVEL_SAMPLE_MESH);
  ASSERT_TRUE(sample.document);
  MeshDocument& doc = *sample.document;
  const std::pair<std::pair<int, int>, std::int32_t> edits[] = {
      {{1, 1}, 0}, {{2, 1}, -5}, {{3, 1}, 99999}, {{4, 1}, kNoData}, {{200, 200}, 12345}};
  for (const auto& [cell, value] : edits) doc.SetElevation(cell.first, cell.second, value);
  ASSERT_EQ(WriteMeshFile(doc, folder_.Path("saved.mem")), std::nullopt);

  const AsciiGrid gdal = GdalReading(folder_.Path("saved.mem"), folder_.Path("gdal.asc"));
  ASSERT_EQ(gdal.values.size(), 200u * 200);
  EXPECT_NEAR(gdal.header.at("xllcorner"), doc.SWLonSeconds / 3600.0, 1e-9);
  EXPECT_NEAR(gdal.header.at("yllcorner"), doc.SWLatSeconds / 3600.0, 1e-9);
  EXPECT_NEAR(PixelWidth(gdal), doc.LonStep / 3600.0, 1e-9);
  EXPECT_NEAR(PixelHeight(gdal), doc.LatStep / 3600.0, 1e-9);
  for (int y = 1; y <= kMeshSize; ++y) {
    for (int x = 1; x <= kMeshSize; ++x) {
      ASSERT_NEAR(gdal.values[static_cast<std::size_t>((y - 1) * 200 + x - 1)],
                  doc.Elevation(x, y) / 10.0, 1e-3)
          << x << "," << y;
    }
  }
}

TEST_F(GdalPeer, ReadsOurExportAsItReadsTheMeshItself) {
  ASSERT_TRUE(RunCommand(std::string(KORAVEL_TOOL) + " export '" KORAVEL_SAMPLE_MESH "' '" +
                  folder_.Path("ours.asc").string() + "'"));
  const AsciiGrid ours = ReadAsciiGrid(folder_.Path("ours.asc"));
  const AsciiGrid gdal = GdalReading(KORAVEL_SAMPLE_MESH, folder_.Path("gdal.asc"));
  ExpectSameGrid(ours, gdal, 200u * 200);
  ASSERT_TRUE(RunCommand("gdalsrsinfo -o proj4 '" + folder_.Path("ours.asc").string() +
                  "' | grep -q ellps=bessel"));
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
  test::WriteBytes(folder_.Path("partial.mem"), fields.File());
  EXPECT_FALSE(RunCommand("gdal_translate -q -of AAIGrid " + Quoted(folder_.Path("partial.mem")) + " " +
                          Quoted(folder_.Path("refused.asc")) + " 2>/dev/null"));

  ASSERT_TRUE(RunCommand(Tool("export " + Quoted(folder_.Path("partial.mem")) + " " +
                              Quoted(folder_.Path("ours.TIFF")) + " 2>/dev/null")));
  const AsciiGrid gdal = GdalReading(folder_.Path("ours.TIFF"), folder_.Path("gdal.asc"));
  ASSERT_EQ(gdal.values.size(), 200u * 200);
  // 139°37'30" E, 35°45' N, cells of 2.25" by 1.5"
  EXPECT_EQ(GdalGeoTransform(folder_.Path("ours.TIFF")),
            (std::vector<double>{139.625, 2.25 / 3600, 0, 35.75, 0, -1.5 / 3600}));
  EXPECT_EQ(gdal.header.at("NODATA_value"), -9999);
  const std::map<std::pair<int, int>, double> expected = {
      {{1, 1}, 0},         {{2, 1}, -0.5},       {{3, 1}, 9999.9},     {{4, 1}, -9999},     {{5, 1}, 8004.8},
      {{200, 199}, 1234.5}, {{7, 10}, -9999},     {{200, 200}, -9999},  {{1, 2}, 8003.3}, {{200, 198}, 8397.4}};
  for (const auto& [cell, metres] : expected) {
    EXPECT_NEAR(gdal.values[static_cast<std::size_t>((cell.second - 1) * 200 + cell.first - 1)], metres, 1e-3)
        << cell.first << "," << cell.second;
  }
  EXPECT_TRUE(RunCommand("gdalsrsinfo -o epsg " + Quoted(folder_.Path("ours.TIFF")) + " | grep -qx EPSG:4301"));
  EXPECT_TRUE(RunCommand("gdalinfo " + Quoted(folder_.Path("ours.TIFF")) + " | grep -q AREA_OR_POINT=Area"));
}

// Nine neighbouring meshes given as a folder, then three that must be left
// out: one half a cell off the grid, one with other steps, one no mesh at all.
TEST_F(GdalPeer, MosaicEqualsGdalsAndLeavesOutWhatDoesNotFit) {
  std::filesystem::create_directory(folder_.Path("meshes"));
  std::string gdal_inputs;
  for (int north = 0; north < 3; ++north) {
    for (int east = 0; east < 3; ++east) {
      const auto path = folder_.Path("meshes/" + std::to_string(north) + std::to_string(east) + ".mem");
      test::WriteBytes(path, test::NeighbourMesh(east, north).File());
      gdal_inputs += " " + Quoted(path);
    }
  }
  test::MeshFileFields off_grid = test::NeighbourMesh(3, 0), other_steps = test::NeighbourMesh(4, 0);
  off_grid.corners = "0354000" "1394531" "0354500" "1395301";  // one second east
  other_steps.corners = "0354000" "1395230" "0354500" "1400730";
  test::WriteBytes(folder_.Path("off_grid.mem"), off_grid.File());
  test::WriteBytes(folder_.Path("other_steps.mem"), other_steps.File());
  test::WriteBytes(folder_.Path("broken.mem"), "533945");

  const Outcome mosaic = Capture(Tool("mosaic " + Quoted(folder_.Path("ours.tif")) + " " +
                                      Quoted(folder_.Path("meshes")) + " " + Quoted(folder_.Path("off_grid.mem")) +
                                      " " + Quoted(folder_.Path("other_steps.mem")) + " " +
                                      Quoted(folder_.Path("broken.mem"))));
  EXPECT_EQ(mosaic.status, 1);
  EXPECT_EQ(mosaic.output, folder_.Path("off_grid.mem").string() + ": 最初のメッシュの格子からずれています。\n" +
                               folder_.Path("other_steps.mem").string() + ": 最初のメッシュと格子の間隔が異なります。\n" +
                               folder_.Path("broken.mem").string() + ": メッシュファイルではありません。\n" +
                               "mosaic: 9 of 12 meshes placed, 3 left out\n");
  ASSERT_TRUE(RunCommand("gdal_merge.py -q -of GTiff -o " + Quoted(folder_.Path("gdal.tif")) + gdal_inputs));
  const AsciiGrid ours = GdalReading(folder_.Path("ours.tif"), folder_.Path("ours.asc"));
  const AsciiGrid gdal = GdalReading(folder_.Path("gdal.tif"), folder_.Path("gdal.asc"));
  ExpectSameGrid(ours, gdal, 600u * 600);
}

class BatchExport : public ::testing::TestWithParam<const char*> {
 protected:
  test::ScratchFolder folder_;
};

TEST_P(BatchExport, WritesWhatSingleExportsWriteAndSkipsWhatItCannotRead) {
  const std::string format = GetParam();
  std::filesystem::create_directories(folder_.Path("in/sub"));
  const std::vector<std::string> names = {"a", "b", "sub/c"};
  for (std::size_t i = 0; i < names.size(); ++i) {
    test::WriteBytes(folder_.Path("in/" + names[i] + ".mem"), test::NeighbourMesh(static_cast<int>(i), 1).File());
  }
  test::WriteBytes(folder_.Path("in/broken.mem"), "533945");
  const Outcome batch = Capture(Tool("export --to " + Quoted(folder_.Path("out")) + " --format " + format + " " +
                                     Quoted(folder_.Path("in"))));
  EXPECT_EQ(batch.status, 1);
  EXPECT_EQ(batch.output, folder_.Path("in/broken.mem").string() +
                              ": メッシュファイルではありません。\nexport: 3 of 4 meshes written, 1 skipped\n");
  std::vector<std::string> outputs = {"a." + format, "b." + format, "c." + format};
  if (format == "asc") outputs.insert(outputs.end(), {"a.prj", "b.prj", "c.prj"});
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder_.Path("out"))) {
    ++files;
    EXPECT_NE(std::find(outputs.begin(), outputs.end(), entry.path().filename()), outputs.end()) << entry.path();
  }
  EXPECT_EQ(files, outputs.size());
  for (const std::string& name : names) {
    const std::string stem = std::filesystem::path(name).filename().string();
    ASSERT_TRUE(RunCommand(Tool("export " + Quoted(folder_.Path("in/" + name + ".mem")) + " " +
                                Quoted(folder_.Path("single." + format)))));
    EXPECT_EQ(test::ReadBytes(folder_.Path("out/" + stem + "." + format)),
              test::ReadBytes(folder_.Path("single." + format)))
        << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, BatchExport, ::testing::Values("asc", "tif"));

// Every file of the folder is either absent or whole: a reader never sees
// half a file, nor a temporary left behind.
TEST_F(BatchExport, KilledMidwayLeavesOnlyWholeFiles) {
  constexpr int kMeshes = 600;
  std::filesystem::create_directory(folder_.Path("in"));
  const std::string mesh = test::NeighbourMesh(0, 0).File();
  for (int i = 0; i < kMeshes; ++i) test::WriteBytes(folder_.Path("in/" + std::to_string(i) + ".mem"), mesh);
  ASSERT_TRUE(RunCommand(Tool("export " + Quoted(folder_.Path("in/0.mem")) + " " + Quoted(folder_.Path("whole.asc")))));
  const std::map<std::string, std::string> whole = {{".asc", test::ReadBytes(folder_.Path("whole.asc"))},
                                                    {".prj", test::ReadBytes(folder_.Path("whole.prj"))}};

  std::vector<std::string> words = {KORAVEL_TOOL, "export", "--to", folder_.Path("out").string(),
                                    folder_.Path("in").string()};
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  ASSERT_EQ(posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), nullptr), 0);
  while (!std::filesystem::exists(folder_.Path("out/0.asc"))) std::this_thread::sleep_for(std::chrono::microseconds(200));
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);

  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder_.Path("out"))) {
    ++files;
    ASSERT_TRUE(whole.count(entry.path().extension().string())) << entry.path();
    EXPECT_EQ(test::ReadBytes(entry.path()), whole.at(entry.path().extension().string())) << entry.path();
  }
  EXPECT_LT(files, 2u * kMeshes);
}

}  // namespace
}  // namespace koravel
