#include "core/tracks/track_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "mesh_file_fields.h"
#include "sample_grid.h"

namespace koravel {
namespace {

constexpr auto Mesh = test::SampleGrid;

struct Loaded {
  TrackSet tracks;
  TrackReadResult result;
};

Loaded Load(const std::string& text, const MeshDocument& mesh = Mesh()) {
  Loaded loaded;
  std::istringstream input(text);
  loaded.result = ReadTracks(input, mesh, loaded.tracks);
  return loaded;
}

const std::string kDms = "U  LAT LON DMS\r\n";
// The mesh's north-west corner, then 35°44'30" N 139°42' E: cell (120, 20).
const std::string kTwoPoints = "T  N354500.00 E1393730.00\r\nT  N354430.00 E1394200.00\r\n";

TEST(TrackReader, PlacesTwoPointsAsOneSegmentFromTheNorthWestCorner) {
  const struct {
    const char* name;
    std::string file;
    double x2, y2;
  } cases[] = {
      {"degrees, minutes, seconds", kDms + kTwoPoints, 120, 20},
      {"degrees", "U  LAT LON DEG\r\nT  N35.7500000 E139.6250000\r\nT  N35.7416667 E139.7000000\r\n", 120, 20},
      {"degrees and minutes, with a time",
       "U  LAT LON DM\r\nT  N3545.00000 E13937.50000 15-NOV-23 00:00:00 30\r\n"
       "T  N3544.50000 E13942.00000 15-NOV-23 00:00:00 30\r\n",
       120, 20},
      {"seconds where a notation names degrees too", "U  LAT LON DEG LAT LON DMS\r\n" + kTwoPoints, 120, 20},
      {"short ranges cut at the end of the record", kDms + "T  E1393730.00 N3545\r\nT  E1394200.00 N3544\r\n", 120, 40},
      {"quotes, leading blanks and a bare LF",
       kDms + "\"T  N354500.00 E1393730.00\"\r\n  T  N354430.00 E1394200.00\n", 120, 20},
      {"after a record of exactly 64 KiB", kDms + std::string(65536, 'H') + "\r\n" + kTwoPoints, 120, 20},
      // 0x81 and 0xE0 open double-byte characters, but a blank is no second byte.
      {"an invalid CP932 byte keeps the blank after it",
       kDms + "T  N354500.00\x81 E1393730.00\r\nT  N354430.00\xE0 E1394200.00\r\n", 120, 20},
  };
  for (const auto& c : cases) {
    const Loaded loaded = Load(c.file);
    ASSERT_EQ(loaded.tracks.TrackN(), 1) << c.name;
    const TrackSegment& segment = loaded.tracks.Segments()[0];
    EXPECT_NEAR(segment.X1, 0, 1e-6) << c.name;
    EXPECT_NEAR(segment.Y1, 0, 1e-6) << c.name;
    EXPECT_NEAR(segment.X2, c.x2, 1e-3) << c.name;
    EXPECT_NEAR(segment.Y2, c.y2, 1e-3) << c.name;
    EXPECT_TRUE(loaded.result.draw) << c.name;
    EXPECT_TRUE(loaded.result.reaches_mesh) << c.name;
    EXPECT_FALSE(loaded.result.error) << c.name;
  }
}

// A walk recorded a degree north draws nowhere the user could see.
TEST(TrackReader, TellsATrackThatMissesTheMesh) {
  const Loaded loaded = Load(kDms + "T  N364500.00 E1393730.00\r\nT  N364430.00 E1394200.00\r\n");
  EXPECT_EQ(loaded.tracks.TrackN(), 1);
  EXPECT_TRUE(loaded.result.draw);
  EXPECT_FALSE(loaded.result.reaches_mesh);
}

TEST(TrackReader, JoinsOnlyPointsOfOnePiece) {
  const std::string file = "H  SOFTWARE NAME & VERSION\r\nI  PCX5 2.09\r\n\r\n" + kDms +
                           "M  G WGS 84 TOKYO\r\n" + kTwoPoints + "T  N354400.00 E1394200.00\r\n"
                           "H  LATITUDE    LONGITUDE\r\n"
                           "T  N354300.00 E1394000.00\r\n"
                           "\r\n"
                           "T  N354200.00 E1394000.00\r\nT  N354100.00 E1394000.00\r\n";
  const Loaded loaded = Load(file);
  EXPECT_TRUE(loaded.result.warnings.empty());
  ASSERT_EQ(loaded.tracks.TrackN(), 3) << "two joins, a lone point, then one join";
  EXPECT_NEAR(loaded.tracks.Segments()[2].Y1, (128700 - (35 * 3600 + 42 * 60)) / 1.5, 1e-6);
  const TrackPoints& points = loaded.tracks.Points();
  ASSERT_EQ(points.PieceN(), 2);
  EXPECT_EQ(points.Piece(0).size(), 3u);
  EXPECT_EQ(points.Piece(1)[0].Position.Latitude, 35 * 3600 + 42 * 60);
  EXPECT_FALSE(points.Piece(1)[1].Elevation);
}

TEST(TrackReader, StopsWithItsMessageAndKeepsWhatWasStored) {
  const struct {
    const char* name;
    std::string file;
    std::optional<ErrorCode> error;
    int stored;
  } cases[] = {
      {"unknown notation", "U  LAT LON UTM\r\n" + kTwoPoints, ErrorCode::UnsupportedTrackNotation, 0},
      {"point before notation", kTwoPoints, ErrorCode::NotTrackFile, 0},
      {"southern latitude", kDms + "T  S354500.00 E1393730.00\r\n", ErrorCode::NotTrackFile, 0},
      {"N of NOV is no latitude", "U  LAT LON DM\r\nT  S3542.00000 E13942.00000 15-NOV-23 00:00:00 30\r\n",
       ErrorCode::NotTrackFile, 0},
      {"no longitude", kDms + "T  N354500.00 W1393730.00\r\n", ErrorCode::NotTrackFile, 0},
      {"commas split the point", kDms + "T,N354500.00,E1393730.00\r\n", ErrorCode::NotTrackFile, 0},
      {"bad point after a segment", kDms + kTwoPoints + "T  S1\r\n", ErrorCode::NotTrackFile, 1},
      {"record over 64 KiB", kDms + kTwoPoints + std::string(65537, 'H') + "\r\n" + kTwoPoints,
       ErrorCode::NotTrackFile, 1},
      {"a latitude that overflows", "U  LAT LON DEG\r\nT  N35.75 E139.625\r\nT  N1e308 E139.7\r\n",
       ErrorCode::NotTrackFile, 0},
      {"an empty file", "", ErrorCode::NotTrackFile, 0},
      {"a text of something else", "Dear Sir,\r\nHello.\r\n", ErrorCode::NotTrackFile, 0},
      {"a WGS 84 point north of the pole", "M  G WGS 84\r\n" + kDms + kTwoPoints + "T  N994500.00 E1393730.00\r\n",
       ErrorCode::NotTrackFile, 1},
  };
  for (const auto& c : cases) {
    const Loaded loaded = Load(c.file);
    EXPECT_EQ(loaded.result.error, c.error) << c.name;
    EXPECT_EQ(loaded.tracks.TrackN(), c.stored) << c.name;
    EXPECT_FALSE(loaded.result.draw) << c.name;
  }
}

std::string PointsFile(int points) {
  std::string file = "U  LAT LON DEG\r\n";
  for (int i = 0; i < points; ++i) file += "T  N35.70000" + std::to_string(i % 10) + " E139.6" + std::to_string(i % 7) + "\r\n";
  return file;
}

TEST(TrackReader, FillsTheSetAtTenThousandAndOneSegments) {
  TrackSet tracks;
  std::istringstream first(PointsFile(10002) + "T  N35.7 E139.7\r\n");
  const TrackReadResult full = ReadTracks(first, Mesh(), tracks);
  EXPECT_EQ(full.error, ErrorCode::TrackSetFull);
  EXPECT_TRUE(full.draw);
  EXPECT_EQ(tracks.TrackN(), 10001);

  std::istringstream second("M  NAD27\r\n" + PointsFile(3));
  const TrackReadResult again = ReadTracks(second, Mesh(), tracks);
  EXPECT_FALSE(again.error) << "a full set ends a further load silently";
  EXPECT_EQ(again.warnings, std::vector<Warning>{Warning::TrackDatumDiffers});
  EXPECT_FALSE(again.draw);
  EXPECT_EQ(tracks.TrackN(), 10001);
}

// A "Vm..." line of /proc/self/status, in KiB; 0 when it is missing.
long ResidentKiB(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with(field + ":")) return std::stol(line.substr(field.size() + 1));
  }
  return 0;
}

// The kernel restarts its high-water mark of resident memory at this write.
bool ResetPeakMemory() { return static_cast<bool>(std::ofstream("/proc/self/clear_refs") << "5"); }

TEST(TrackReader, StaysWithinAMebibyteWhateverTheInput) {
  if (!ResetPeakMemory()) GTEST_SKIP() << "/proc/self/clear_refs cannot be written; peak memory unmeasured";
  const struct {
    const char* name;
    std::string head, pattern;
    std::optional<ErrorCode> error;
    std::size_t warnings;
  } cases[] = {
      {"a line without end", "", "x", ErrorCode::NotTrackFile, 0},
      {"a quote never closed", "\"", "x", ErrorCode::NotTrackFile, 0},
      {"one line of short records", kDms, "H  " + std::string(100, 'x') + ",", std::nullopt, 0},
      {"a million datum records", "", "M  WGS 84" + std::string(90, ' ') + "\r\n", std::nullopt, 1},
  };
  const MeshDocument mesh = Mesh();
  for (const auto& c : cases) {
    test::GeneratedInput source(c.head, c.pattern, 100'000'000, false);
    std::istream input(&source);
    TrackSet tracks;
    const long before = ResidentKiB("VmRSS");
    ASSERT_GT(before, 0);
    ASSERT_TRUE(ResetPeakMemory());
    const TrackReadResult result = ReadTracks(input, mesh, tracks);
    EXPECT_LT(ResidentKiB("VmHWM") - before, 1024) << c.name;
    EXPECT_EQ(result.error, c.error) << c.name;
    EXPECT_EQ(result.warnings.size(), c.warnings) << c.name;
    EXPECT_EQ(result.draw, !c.error) << c.name;
  }
}

TEST(TrackReader, FailsWithAFileErrorWhenTheFileCannotBeRead) {
  test::ScratchFolder folder;
  ASSERT_EQ(mkfifo(folder.Path("pipe.gpx").c_str(), 0600), 0);
  const std::pair<std::filesystem::path, ErrorCode> cases[] = {
      {folder.Path("absent/absent.trk"), ErrorCode::FileError},
      {folder.Path("absent/absent.gpx"), ErrorCode::FileError},
      {folder.Path(""), ErrorCode::FileError},
      {"/proc/self/mem", ErrorCode::FileError},
      {folder.Path("pipe.gpx"), ErrorCode::NotRegularFile},
  };
  for (const auto& [path, error] : cases) {
    TrackSet tracks;
    const TrackReadResult result = ReadTrackFile(path, Mesh(), tracks);
    EXPECT_EQ(result.error, error) << path;
    EXPECT_FALSE(result.draw) << path;
  }
  // A disk error after the first 64 KiB, which hold one segment.
  for (const bool stream_throws : {false, true}) {
    test::GeneratedInput source(kDms + kTwoPoints, "H\r\n", 64 * 1024, true);
    std::istream input(&source);
    if (stream_throws) input.exceptions(std::ios::badbit);
    TrackSet tracks;
    const TrackReadResult result = ReadTracks(input, Mesh(), tracks);
    EXPECT_EQ(result.error, ErrorCode::FileError);
    EXPECT_EQ(tracks.TrackN(), 1);
    EXPECT_FALSE(result.draw);
  }
}

}  // namespace
}  // namespace koravel
