#include <gtest/gtest.h>

#include <sstream>

#include "core/geo/datum_converter.h"
#include "core/tracks/gpx_reader.h"
#include "core/tracks/track_reader.h"
#include "sample_grid.h"

namespace koravel {
namespace {

constexpr auto Mesh = test::SampleGrid;

// Where a point of the Tokyo datum (degrees) lies on the sample's grid.
GridPoint OnMesh(double latitude, double longitude) {
  return {(longitude * 3600 - 502650) / 2.25, (128700 - latitude * 3600) / 1.5};
}

// 1 mm in grid units, for the narrowest cells of Japan (1.5″ of latitude,
// 2.25″ of longitude at 26° north, both about 46 m and more).
constexpr double kMillimetre = 1.0 / 46000;

void ExpectAt(double x, double y, GridPoint expected, const std::string& what) {
  EXPECT_NEAR(x, expected.X, kMillimetre) << what;
  EXPECT_NEAR(y, expected.Y, kMillimetre) << what;
}

class DatumConversion : public ::testing::Test {
 protected:
  void SetUp() override {
    if (DatumConverter().Method() != koravel::DatumConversion::Helmert)
      GTEST_SKIP() << "the expected positions are those of the Helmert; a grid is installed";
  }
};

struct OraclePoint {
  const char* place;
  double wgs84_latitude, wgs84_longitude, tokyo_latitude, tokyo_longitude;
};

// Tokyo-datum positions from PROJ's cct with the pipeline that
// `projinfo -k operation EPSG:15484 -o PROJ` prints, run backwards:
//   echo "LAT LON 0 0" | cct -I -d 12 <pipeline>
// Near Fukuoka, PROJ's own choice (`cs2cs EPSG:4326 EPSG:4301`) takes a
// transformation for South Korea and lands 6 m away.
constexpr OraclePoint kOracle[] = {
    {"Tokyo", 35.68, 139.77, 35.676760434535, 139.773234330132},
    {"Sapporo", 43.06, 141.35, 43.057577214226, 141.353741659719},
    {"Naha", 26.21, 127.68, 26.205971601980, 127.681943678505},
    {"Fukuoka", 33.59, 130.40, 33.586737331077, 130.402341309242},
};

TEST_F(DatumConversion, PlacesGpxPointsWhereProjPutsThemOnTheTokyoDatum) {
  std::string gpx = "<gpx version=\"1.1\"><trk><trkseg>";
  for (const OraclePoint& p : kOracle) {
    gpx += "<trkpt lat=\"" + std::to_string(p.wgs84_latitude) + "\" lon=\"" + std::to_string(p.wgs84_longitude) +
           "\"/>";
  }
  std::istringstream input(gpx + "</trkseg></trk></gpx>");
  TrackSet tracks;
  ReadGpx(input, Mesh(), tracks);
  ASSERT_EQ(tracks.TrackN(), 3);
  for (int i = 0; i < 4; ++i) {
    const TrackSegment& s = tracks.Segments()[std::min(i, 2)];
    const OraclePoint& p = kOracle[i];
    ExpectAt(i < 3 ? s.X1 : s.X2, i < 3 ? s.Y1 : s.Y2, OnMesh(p.tokyo_latitude, p.tokyo_longitude), p.place);
    const GeographicPoint kept = tracks.Points().Piece(0)[static_cast<std::size_t>(i)].Position;
    EXPECT_NEAR(kept.Latitude, p.tokyo_latitude * 3600, 1e-4) << p.place;  // 3 mm
    EXPECT_NEAR(kept.Longitude, p.tokyo_longitude * 3600, 1e-4) << p.place;
  }
}

TEST_F(DatumConversion, DatumRecordsDecideWhetherPointsAreConverted) {
  // 35°45' N 139°37'30" E and 35°44'30" N 139°42' E; on the Tokyo datum by
  // the same cct command: 35.746772199955 139.628224853293 and
  // 35.738435916318 139.703230884647.
  const GridPoint converted[] = {OnMesh(35.746772199955, 139.628224853293),
                                 OnMesh(35.738435916318, 139.703230884647)};
  const GridPoint as_written[] = {{0, 0}, {120, 20}};
  const struct {
    const char* record;
    bool converts, warns;
  } cases[] = {
      {"M  G WGS 84", true, false},  {"M  G WGS-84", true, false}, {"M  G WGS84", true, false},
      {"M  G JGD2011", true, false}, {"M  G TOKYO", false, false}, {"M  G Tokyo", false, false},
      {"M  G NAD27", false, true},   {"M  G wgs 84", false, true}, {"M  G tokyo", false, true},
  };
  for (const auto& c : cases) {
    std::istringstream input(std::string("U  LAT LON DMS\r\n") + c.record +
                             "\r\nT  N354500.00 E1393730.00\r\nT  N354430.00 E1394200.00\r\n");
    TrackSet tracks;
    const TrackReadResult result = ReadTracks(input, Mesh(), tracks);
    ASSERT_EQ(tracks.TrackN(), 1) << c.record;
    EXPECT_EQ(result.warnings.size(), c.warns ? 1u : 0u) << c.record;
    const GridPoint* expected = c.converts ? converted : as_written;
    const TrackSegment& s = tracks.Segments()[0];
    ExpectAt(s.X1, s.Y1, expected[0], c.record);
    ExpectAt(s.X2, s.Y2, expected[1], c.record);
  }
}

}  // namespace
}  // namespace koravel
