#include "core/tracks/gpx_reader.h"

#include <gtest/gtest.h>

#include <sstream>

#include "mesh_file_fields.h"
#include "sample_grid.h"

namespace koravel {
namespace {

constexpr auto Mesh = test::SampleGrid;

std::string Points(const char* element, int count, const char* prefix = "") {
  std::string points;
  for (int i = 0; i < count; ++i) {
    points += std::string("<") + prefix + element + " lat=\"35.7" + std::to_string(i) + "\" lon=\"139.6" +
              std::to_string(i) + "\"><" + prefix + "ele>12</" + prefix + "ele></" + prefix + element + ">";
  }
  return points;
}

std::string Segment(int count) { return "<trkseg>" + Points("trkpt", count) + "</trkseg>"; }

constexpr const char* kGpx11 = "<?xml version=\"1.0\"?><gpx xmlns=\"http://www.topografix.com/GPX/1/1\">";

struct GpxCase {
  const char* name;
  std::string file;
  int stored;
  std::optional<ErrorCode> error;
};

TEST(GpxReader, MakesOnePieceOfEachSegmentAndRouteAndStopsAtWhatIsNotGpx) {
  const std::string two_segments = std::string(kGpx11) + "<trk><name>a</name>" + Segment(3) + Segment(2) + "</trk>";
  const GpxCase cases[] = {
      {"segments are not joined", two_segments + "</gpx>", 3, std::nullopt},
      {"routes beside a track", std::string(kGpx11) + "<rte>" + Points("rtept", 3) + "</rte><trk>" + Segment(2) +
                                    "</trk><rte>" + Points("rtept", 2) + "</rte></gpx>",
       4, std::nullopt},
      {"waypoints only", std::string(kGpx11) + Points("wpt", 4) + "</gpx>", 0, std::nullopt},
      {"GPX 1.0 with a prefix, extensions in another namespace",
       "<g:gpx xmlns:g=\"http://www.topografix.com/GPX/1/0\" xmlns:x=\"urn:x\"><g:trk><g:trkseg>" +
           Points("trkpt", 2, "g:") + "<x:trkpt lat=\"1\" lon=\"2\"/><x:trkseg/>" + Points("trkpt", 2, "g:") +
           "</g:trkseg></g:trk></g:gpx>",
       3, std::nullopt},
      {"no namespace", "<gpx>" + Segment(2) + "</gpx>", 1, std::nullopt},
      {"cut off inside the last point", two_segments.substr(0, two_segments.rfind("lon=")), 2,
       ErrorCode::NotTrackFile},
      {"empty file", "", 0, ErrorCode::NotTrackFile},
      {"another XML format", "<kml>" + Segment(2) + "</kml>", 0, ErrorCode::NotTrackFile},
      {"GPX elements in a foreign namespace", "<gpx xmlns=\"urn:x\">" + Segment(2) + "</gpx>", 0,
       ErrorCode::NotTrackFile},
      {"a point without longitude", "<gpx>" + Segment(2) + "<trkseg><trkpt lat=\"35\"/></trkseg></gpx>", 1,
       ErrorCode::NotTrackFile},
      {"latitude beyond the pole", "<gpx><trkseg><trkpt lat=\"91\" lon=\"0\"/></trkseg></gpx>", 0,
       ErrorCode::NotTrackFile},
      {"a number with a unit", "<gpx><trkseg><trkpt lat=\"35N\" lon=\"139\"/></trkseg></gpx>", 0,
       ErrorCode::NotTrackFile},
      {"elements nested deeper than any GPX", "<gpx>" + test::Repeated("<e>", 40) + test::Repeated("</e>", 40) +
                                                  Segment(2) + "</gpx>",
       0, ErrorCode::NotTrackFile},
  };
  for (const GpxCase& c : cases) {
    std::istringstream input(c.file);
    TrackSet tracks;
    const TrackReadResult result = ReadGpx(input, Mesh(), tracks);
    EXPECT_EQ(tracks.TrackN(), c.stored) << c.name;
    EXPECT_EQ(result.error, c.error) << c.name;
    EXPECT_EQ(result.draw, !c.error) << c.name;
  }
}

TEST(GpxReader, KeepsEveryJoinedPointWithTheHeightItRecorded) {
  std::istringstream input(std::string(kGpx11) +
                           "<trk><trkseg><trkpt lat=\"35.7\" lon=\"139.7\"><ele> 12.5 </ele></trkpt>"
                           "<trkpt lat=\"35.71\" lon=\"139.71\"/>"
                           "<trkpt lat=\"35.72\" lon=\"139.72\"><ele>12 m</ele></trkpt></trkseg>"
                           "<trkseg><trkpt lat=\"35.73\" lon=\"139.73\"><ele>-3</ele></trkpt></trkseg></trk>"
                           "<rte><rtept lat=\"35.74\" lon=\"139.74\"><ele>7</ele></rtept>"
                           "<rtept lat=\"35.75\" lon=\"139.75\"><ele>-8.25</ele></rtept></rte></gpx>");
  TrackSet tracks;
  ReadGpx(input, Mesh(), tracks);
  const TrackPoints& points = tracks.Points();
  ASSERT_EQ(points.PieceN(), 2) << "the lone point joins nothing";
  ASSERT_EQ(points.Piece(0).size(), 3u);
  EXPECT_EQ(points.Piece(0)[0].Elevation, 12.5);
  EXPECT_FALSE(points.Piece(0)[1].Elevation) << "none given";
  EXPECT_FALSE(points.Piece(0)[2].Elevation) << "no number";
  EXPECT_EQ(points.Piece(1)[1].Elevation, -8.25);
}

}  // namespace
}  // namespace koravel
