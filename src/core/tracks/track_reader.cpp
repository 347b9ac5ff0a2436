#include "core/tracks/track_reader.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/io/input_file.h"
#include "core/text/cp932_codec.h"
#include "core/text/lenient_number.h"
#include "core/tracks/gpx_reader.h"
#include "core/tracks/track_placer.h"
#include "core/tracks/track_record_reader.h"

namespace koravel {
namespace {

enum class Notation { None, DegreesMinutesSeconds, DecimalDegrees, DegreesDecimalMinutes };

// Where each notation keeps its numbers, in characters after the hemisphere
// letter: {offset, length} for degrees, minutes and seconds (length 0 when
// the notation has no such part).
struct Layout {
  int degrees_offset, degrees_length, minutes_offset, minutes_length, seconds_offset, seconds_length;
};

constexpr Layout kLatitudeLayouts[] = {
    {1, 2, 3, 2, 5, 6},   // degrees-minutes-seconds
    {1, 10, 0, 0, 0, 0},  // decimal degrees
    {1, 2, 3, 8, 0, 0},   // degrees and decimal minutes
};
constexpr Layout kLongitudeLayouts[] = {
    {1, 3, 4, 2, 6, 6},
    {1, 11, 0, 0, 0, 0},
    {1, 3, 4, 8, 0, 0},
};

bool IsCp932TrailByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// One character per CP932 character (ASCII as it is, anything else as '?'),
// so that positions count characters as the format does. A lead byte without
// its trail byte is one character of its own and leaves the next one alone.
void CharacterView(std::string_view bytes, std::string& characters) {
  characters.clear();
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    characters.push_back(byte < 0x80 ? bytes[i] : '?');
    if (IsCp932LeadByte(bytes[i]) && i + 1 < bytes.size() && IsCp932TrailByte(bytes[i + 1])) ++i;
  }
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// WGS 84 as GPS tools spell it, and the Japanese datums that lie within
// centimetres of it.
bool NamesWgs84(std::string_view record) {
  for (std::string_view name : {"WGS 84", "WGS-84", "WGS84", "JGD2000", "JGD2011"}) {
    if (Contains(record, name)) return true;
  }
  return false;
}

// The first `letter` that starts a coordinate field: right after a blank,
// or right after the record's leading "T". An "N" inside "NOV" is no field.
std::optional<std::size_t> FieldStart(std::string_view record, char letter) {
  for (std::size_t i = 1; i < record.size(); ++i) {
    if (record[i] == letter && (i == 1 || record[i - 1] == ' ')) return i;
  }
  return std::nullopt;
}

// A fixed range after the letter, cut short where the record ends.
double RangeValue(std::string_view record, std::size_t letter, int offset, int length) {
  if (length == 0) return 0;
  const std::size_t start = std::min(record.size(), letter + static_cast<std::size_t>(offset));
  return number(record.substr(start, static_cast<std::size_t>(length)));
}

double Seconds(std::string_view record, std::size_t letter, const Layout& layout) {
  const double degrees = RangeValue(record, letter, layout.degrees_offset, layout.degrees_length);
  const double minutes = RangeValue(record, letter, layout.minutes_offset, layout.minutes_length);
  const double seconds = RangeValue(record, letter, layout.seconds_offset, layout.seconds_length);
  return 3600 * degrees + 60 * minutes + seconds;
}

// A record of the format is a kind letter and a blank: header, datum,
// notation, track point, waypoint, route.
bool IsFormatRecord(std::string_view record) {
  return record.size() >= 2 && record[1] == ' ' && std::string_view("HIMUTWR").find(record[0]) != std::string_view::npos;
}

// Reads records one by one; each returns false when reading stops.
class TrackParser {
 public:
  TrackParser(const MeshDocument& mesh, TrackSet& tracks) : placer_(mesh, tracks) {}

  bool Record(std::string_view bytes) {
    CharacterView(bytes, characters_);
    const std::string_view record = characters_;
    const char kind = record.empty() ? '\0' : record.front();
    if (IsFormatRecord(record)) format_seen_ = true;
    if (kind == 'T') return Point(record);
    placer_.EndPiece();
    if (kind == 'U') return ChooseNotation(record);
    if (kind == 'M') ChooseDatum(record);
    return true;
  }

  /// Reading stopped at a record.
  TrackReadResult Stopped() { return placer_.Finish(false); }

  /// The records ran out: at the end of the file, which draws, or at a
  /// failure to read them.
  TrackReadResult RecordsEnded(std::optional<ErrorCode> failure) {
    if (failure) return placer_.Fail(*failure);
    if (!format_seen_) return placer_.Fail(ErrorCode::NotTrackFile);
    return placer_.Finish(true);
  }

 private:
  // Points after a datum record are on that datum; a datum the program does
  // not convert is drawn as recorded, with a warning.
  void ChooseDatum(std::string_view record) {
    const bool tokyo = Contains(record, "TOKYO") || Contains(record, "Tokyo");
    datum_ = !tokyo && NamesWgs84(record) ? TrackDatum::Wgs84 : TrackDatum::Tokyo;
    if (!tokyo && datum_ == TrackDatum::Tokyo) placer_.Warn(Warning::TrackDatumDiffers);
  }

  bool ChooseNotation(std::string_view record) {
    if (Contains(record, "LAT LON DMS")) {
      notation_ = Notation::DegreesMinutesSeconds;
    } else if (Contains(record, "LAT LON DEG")) {
      notation_ = Notation::DecimalDegrees;
    } else if (Contains(record, "LAT LON DM")) {
      notation_ = Notation::DegreesDecimalMinutes;
    } else {
      return placer_.Stop(ErrorCode::UnsupportedTrackNotation);
    }
    return true;
  }

  bool Point(std::string_view record) {
    const std::optional<std::size_t> north = FieldStart(record, 'N');
    const std::optional<std::size_t> east = FieldStart(record, 'E');
    if (notation_ == Notation::None || !north || !east) return placer_.Stop(ErrorCode::NotTrackFile);
    const auto layout = static_cast<std::size_t>(notation_) - 1;
    const double latitude = Seconds(record, *north, kLatitudeLayouts[layout]);
    const double longitude = Seconds(record, *east, kLongitudeLayouts[layout]);
    return placer_.Add({latitude, longitude}, datum_);
  }

  TrackPlacer placer_;
  bool format_seen_ = false;
  Notation notation_ = Notation::None;
  TrackDatum datum_ = TrackDatum::Tokyo;
  std::string characters_;
};

}  // namespace

TrackReadResult ReadTracks(std::istream& input, const MeshDocument& mesh, TrackSet& tracks) {
  TrackParser parser(mesh, tracks);
  if (!input) return parser.RecordsEnded(ErrorCode::FileError);  // not opened
  TrackRecordReader records(input);
  while (const std::optional<std::string_view> record = records.Next()) {
    if (!parser.Record(*record)) return parser.Stopped();
  }
  return parser.RecordsEnded(records.Failure());
}

TrackReadResult ReadTrackFile(const std::filesystem::path& path, const MeshDocument& mesh,
                              TrackSet& tracks) {
  std::variant<std::unique_ptr<InputFile>, ErrorCode> file = InputFile::Open(path);
  if (const ErrorCode* failure = std::get_if<ErrorCode>(&file)) {
    return {{}, *failure == ErrorCode::NotRegularFile ? *failure : ErrorCode::FileError, false};
  }
  std::istream& input = std::get<std::unique_ptr<InputFile>>(file)->Stream();
  return IsGpxPath(path) ? ReadGpx(input, mesh, tracks) : ReadTracks(input, mesh, tracks);
}

}  // namespace koravel
