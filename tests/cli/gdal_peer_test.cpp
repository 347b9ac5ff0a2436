// GDAL reads .mem files itself (its JDEM driver) and ESRI ASCII grids: a
// file that we write must read there with our values and corners.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

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
  ASSERT_EQ(ours.values.size(), 200u * 200);
  ASSERT_EQ(gdal.values.size(), ours.values.size());
  for (const char* key : {"ncols", "nrows", "xllcorner", "yllcorner"}) {
    EXPECT_NEAR(ours.header.at(key), gdal.header.at(key), 1e-9) << key;
  }
  EXPECT_NEAR(PixelWidth(ours), PixelWidth(gdal), 1e-12);
  EXPECT_NEAR(PixelHeight(ours), PixelHeight(gdal), 1e-12);
  for (std::size_t i = 0; i < ours.values.size(); ++i) {
    ASSERT_NEAR(ours.values[i], gdal.values[i], 1e-3) << "cell " << i;
  }
  ASSERT_TRUE(RunCommand("gdalsrsinfo -o proj4 '" + folder_.Path("ours.asc").string() +
                  "' | grep -q ellps=bessel"));
}

}  // namespace
}  // namespace koravel
