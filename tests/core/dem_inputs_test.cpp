#include <gtest/gtest.h>

#include "core/dem/dem_mosaic.h"
#include "fgd_dem_fixture.h"
#include "mesh_file_fields.h"

namespace koravel {
namespace {

using test::WriteBytes;

// The real tile's heights moved, the first of them, 145.30, made `metres`.
std::string Marked(int east, int north, const std::string& metres) {
  test::FgdDemFields tile = test::RealDemMoved(east, north);
  tile.tuples[0] = "地表面," + metres;
  return tile.Text();
}

std::vector<float> Row(const DemMosaic& mosaic, int row, int first_column, std::size_t count) {
  std::vector<float> metres(count);
  mosaic.FillRow(row, first_column, metres);
  return metres;
}

// A download as it lies on a disk: tiles in subfolders, an archive inside an
// archive, a broken archive, and files that are no tiles.
TEST(DemInputs, PlacesTilesFromFoldersAndArchivesInArchivesAndNamesWhatItLeavesOut) {
  test::ScratchFolder folder;
  std::filesystem::create_directories(folder.Path("a/b"));
  std::filesystem::copy_file(test::kRealDemFile, folder.Path("a") / test::kRealDemFile.filename());
  WriteBytes(folder.Path("a/b/FG-GML-5238-74-01-DEM5A-20161001.xml"), Marked(1, 0, "1.25"));
  test::WriteZip(folder.Path("inner.zip"), {{"FG-GML-5238-74-10-DEM5A-20161001.xml",
                                             Marked(0, 1, "2.50")},
                                            {"bad.xml", "<gpx/>"}});
  test::WriteZip(folder.Path("download.zip"), {{"inner.zip", test::ReadBytes(folder.Path("inner.zip"))}});
  std::filesystem::remove(folder.Path("inner.zip"));
  WriteBytes(folder.Path("broken.zip"), "PK\x03\x04 cut short");
  WriteBytes(folder.Path("notes.xml"), "<?xml version=\"1.0\"?><notes/>");

  const DemMosaicResult result = ReadDemMosaic({folder.Path("")}, {});
  EXPECT_EQ(result.Report.Found, 5u);
  EXPECT_EQ(result.Report.Placed, 3u);
  const std::vector<SkippedInput> left_out = result.Report.LeftOut;
  ASSERT_EQ(left_out.size(), 3u);
  EXPECT_EQ(left_out[0].Path, folder.Path("broken.zip"));
  EXPECT_EQ(left_out[0].Reason, ErrorCode::BrokenArchive);
  EXPECT_EQ(left_out[1].Path, folder.Path("download.zip/inner.zip/bad.xml"));
  EXPECT_EQ(left_out[1].Reason, ErrorCode::NotDemFile);
  EXPECT_EQ(left_out[2].Path, folder.Path("notes.xml"));

  ASSERT_TRUE(result.Mosaic);
  const DemMosaic& mosaic = *result.Mosaic;
  EXPECT_EQ(mosaic.Columns(), 450);
  EXPECT_EQ(mosaic.Rows(), 300);
  EXPECT_EQ(mosaic.Frame().WestLongitude, 138.5 * 3600);
  EXPECT_EQ(mosaic.Frame().NorthLatitude, (35.25 + 1 / 60.0) * 3600);
  EXPECT_EQ(mosaic.Frame().LatitudeStep, 0.2);
  EXPECT_EQ(Row(mosaic, 150, 224, 3), std::vector<float>({561.74f, 1.25f, 145.10f})) << "west tile, east tile";
  EXPECT_EQ(Row(mosaic, 0, 0, 2), std::vector<float>({2.5f, 145.10f})) << "the tile from the inner archive";
  EXPECT_EQ(Row(mosaic, 149, 225, 225), std::vector<float>(225, kDemNoData)) << "no tile north-east";
  EXPECT_EQ(Row(mosaic, 300, 0, 1), std::vector<float>({kDemNoData})) << "beyond the south edge";
}

}  // namespace
}  // namespace koravel
