#include "core/dem/fgd_dem_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/dem/dem_mosaic.h"
#include "fgd_dem_fixture.h"
#include "mesh_file_fields.h"

namespace koravel {
namespace {

using test::FgdDemFields;
using test::RealDemWith;

DemReadResult Read(const std::string& text, DemReadOptions options = {},
                   const std::string& name = "FG-GML-5238-74-00-DEM5A-20161001.xml") {
  std::size_t at = 0;
  return ReadFgdDem(
      [&](char* buffer, std::size_t size) {
        size = std::min(size, text.size() - at);
        std::memcpy(buffer, text.data() + at, size);
        at += size;
        return static_cast<std::ptrdiff_t>(size);
      },
      name, options);
}

float At(const DemTile& tile, int column, int row) {
  return tile.Heights[static_cast<std::size_t>(row * tile.Columns + column)];
}

// Values looked up in the file: tuple i is the point (i mod 225, i / 225).
TEST(FgdDemReader, ReadsTheRealTileAsTheSurveyDescribesIt) {
  const DemReadResult read = Read(test::ReadBytes(test::kRealDemFile));
  ASSERT_TRUE(read.Tile);
  const DemTile& tile = *read.Tile;
  EXPECT_EQ(tile.MeshCode, "52387400");
  EXPECT_EQ(tile.DataType, "DEM5A");
  EXPECT_EQ(tile.Datum, JapaneseDatum::Jgd2011);
  EXPECT_EQ(tile.Columns, 225);
  EXPECT_EQ(tile.Rows, 150);
  EXPECT_DOUBLE_EQ(tile.SouthLatitude, 35.25 * 3600);
  EXPECT_DOUBLE_EQ(tile.WestLongitude, 138.5 * 3600);
  EXPECT_DOUBLE_EQ(tile.NorthLatitude, 35.258333333 * 3600);
  EXPECT_DOUBLE_EQ(tile.EastLongitude, 138.5125 * 3600);
  EXPECT_EQ(At(tile, 0, 0), 145.30f);
  EXPECT_EQ(At(tile, 100, 44), 332.61f);
  EXPECT_EQ(At(tile, 101, 44), 338.06f);
  EXPECT_EQ(At(tile, 224, 149), 261.59f);
  EXPECT_EQ(At(tile, 1, 1), kDemNoData) << "内水面,-9999.";
  EXPECT_EQ(std::count(tile.Heights.begin(), tile.Heights.end(), kDemNoData), 302) << "the 内水面 lines";
}

struct Variant {
  const char* what;
  std::string text;
  std::optional<ErrorCode> error;
  JapaneseDatum datum = JapaneseDatum::Jgd2011;
};

TEST(FgdDemReader, ReadsTheSurveysReferenceSystemsAndRefusesWhatItCannotPlace) {
  const std::string real = test::ReadBytes(test::kRealDemFile);
  const Variant variants[] = {
      {"JGD2000", RealDemWith("jgd2011.bl", "jgd2000.bl"), std::nullopt, JapaneseDatum::Jgd2000},
      {"JGD2024, placed as JGD2011", RealDemWith("jgd2011.bl", "jgd2024.bl"), std::nullopt},
      {"no XML declaration", real.substr(real.find("<Dataset")), std::nullopt},
      {"the Tokyo datum", RealDemWith("fguuid:jgd2011.bl", "fguuid:tokyo.bl"), ErrorCode::DemUnknownReferenceSystem},
      {"columns first", RealDemWith("order=\"+x-y\"", "order=\"+y+x\""), ErrorCode::DemOrderUnsupported},
      {"a tuple too many", RealDemWith("261.59\r\n", "261.59\r\n地表面,1.00\r\n"), ErrorCode::DemTooManyPoints},
      {"a start that pushes the last out", RealDemWith(">0 0</gml:startPoint>", ">1 0</gml:startPoint>"),
       ErrorCode::DemTooManyPoints},
      {"a height that is no number", RealDemWith("地表面,145.30", "地表面,145.3x"), ErrorCode::NotDemFile},
      {"cut inside the tuple list", real.substr(0, 300000), ErrorCode::NotDemFile},
      {"a GPX file", "<?xml version=\"1.0\"?><gpx><trk/></gpx>", ErrorCode::NotDemFile},
      {"an empty file", "", ErrorCode::NotDemFile},
  };
  const std::vector<float> heights = Read(real).Tile->Heights;
  for (const Variant& variant : variants) {
    const DemReadResult read = Read(variant.text);
    EXPECT_EQ(read.Error, variant.error) << variant.what;
    if (variant.error) continue;
    ASSERT_TRUE(read.Tile) << variant.what;
    EXPECT_EQ(read.Tile->Datum, variant.datum) << variant.what;
    EXPECT_EQ(read.Tile->Heights, heights) << variant.what;
  }
}

// A list that starts at point (5, 2) and one that ends 100 points early:
// the gaps have no data.
TEST(FgdDemReader, LeavesPointsBeforeALateStartAndAfterAnEarlyEndWithoutData) {
  const std::vector<std::string> tuples = test::RealDemTuples();
  FgdDemFields late, early;
  late.start = "5 2";
  late.tuples.assign(tuples.begin(), tuples.end() - 455);
  early.tuples.assign(tuples.begin(), tuples.end() - 100);
  const DemTile late_tile = *Read(late.Text()).Tile, early_tile = *Read(early.Text()).Tile;
  EXPECT_EQ(At(late_tile, 4, 2), kDemNoData);
  EXPECT_EQ(At(late_tile, 5, 2), 145.30f);
  EXPECT_EQ(At(late_tile, 6, 2), 145.10f);
  EXPECT_EQ(At(late_tile, 224, 149), 265.88f);
  EXPECT_EQ(std::count(late_tile.Heights.begin(), late_tile.Heights.begin() + 455, kDemNoData), 455);
  EXPECT_EQ(At(early_tile, 124, 149), 125.21f);
  EXPECT_EQ(std::count(early_tile.Heights.end() - 100, early_tile.Heights.end(), kDemNoData), 100);
}

TEST(FgdDemReader, KeepsSeaAsNoDataUnlessAskedForZero) {
  FgdDemFields sea;
  sea.high = "2 1";
  sea.tuples = {"海水面,-9999.", "データなし,-9999.", "地表面,-9999", "内水面,-9999.", " 地表面 , 12.5 ", "海水面,0"};
  DemReadOptions zero;
  zero.SeaAsZero = true;
  const auto N = kDemNoData;
  EXPECT_EQ(Read(sea.Text()).Tile->Heights, std::vector<float>({N, N, N, N, 12.5f, N}));
  EXPECT_EQ(Read(sea.Text(), zero).Tile->Heights, std::vector<float>({0, N, N, N, 12.5f, 0}));
}

}  // namespace
}  // namespace koravel
