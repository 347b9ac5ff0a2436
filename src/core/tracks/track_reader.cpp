#include "tracks/track_reader.h"

#include <cmath>
#include <fstream>
#include <string>

#include "geo/mesh_georeference.h"
#include "mesh/cp932_codec.h"
#include "mesh/lenient_number.h"

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

// One character per CP932 character (ASCII as it is, anything else as '?'),
// so that positions count characters as the format does.
std::string CharacterView(std::string_view bytes) {
  std::string characters;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    characters.push_back(byte < 0x80 ? bytes[i] : '?');
    if (IsCp932LeadByte(bytes[i])) ++i;
  }
  return characters;
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
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

// Reads records one by one; each returns false when reading stops.
class TrackParser {
 public:
  TrackParser(const MeshDocument& mesh, TrackSet& tracks) : mesh_(mesh), tracks_(tracks) {}

  bool Record(std::string_view bytes) {
    const std::string record = CharacterView(bytes);
    const char kind = record.empty() ? '\0' : record.front();
    if (kind == 'T') return Point(record);
    previous_.reset();
    if (kind == 'U') return ChooseNotation(record);
    if (kind == 'M' && !Contains(record, "TOKYO") && !Contains(record, "Tokyo")) {
      result_.warnings.push_back(Warning::TrackDatumDiffers);
    }
    return true;
  }

  TrackReadResult Finish(bool reached_end) {
    if (reached_end) result_.draw = true;
    return result_;
  }

 private:
  bool ChooseNotation(std::string_view record) {
    if (Contains(record, "LAT LON DMS")) {
      notation_ = Notation::DegreesMinutesSeconds;
    } else if (Contains(record, "LAT LON DEG")) {
      notation_ = Notation::DecimalDegrees;
    } else if (Contains(record, "LAT LON DM")) {
      notation_ = Notation::DegreesDecimalMinutes;
    } else {
      return Stop(ErrorCode::UnsupportedTrackNotation);
    }
    return true;
  }

  bool Point(std::string_view record) {
    const std::optional<std::size_t> north = FieldStart(record, 'N');
    const std::optional<std::size_t> east = FieldStart(record, 'E');
    if (notation_ == Notation::None || !north || !east) return Stop(ErrorCode::NotTrackFile);
    const auto layout = static_cast<std::size_t>(notation_) - 1;
    const double latitude = Seconds(record, *north, kLatitudeLayouts[layout]);
    const double longitude = Seconds(record, *east, kLongitudeLayouts[layout]);
    const GridPoint point = MeshGeoreference::Of(mesh_).ToGrid({latitude, longitude});
    // Without an open mesh the steps are 0: such a point has no place.
    if (!std::isfinite(point.X) || !std::isfinite(point.Y)) return false;
    return Join(point.X, point.Y);
  }

  bool Join(double x, double y) {
    if (previous_) {
      if (!tracks_.Append({previous_->first, previous_->second, x, y})) return false;
      if (tracks_.Full()) {
        result_.draw = true;
        return Stop(ErrorCode::TrackSetFull);
      }
    }
    previous_ = {x, y};
    return true;
  }

  bool Stop(ErrorCode error) {
    result_.error = error;
    return false;
  }

  const MeshDocument& mesh_;
  TrackSet& tracks_;
  Notation notation_ = Notation::None;
  std::optional<std::pair<double, double>> previous_;
  TrackReadResult result_;
};

// Splits one line into records: a record ends at a comma or the line's end,
// leading blanks are skipped, and a record opened by a double quote runs to
// the next one. Returns false when the parser stops.
bool ReadLine(std::string_view line, TrackParser& parser) {
  do {
    line.remove_prefix(std::min(line.find_first_not_of(' '), line.size()));
    std::string_view record;
    if (!line.empty() && line.front() == '"') {
      const std::size_t close = line.find('"', 1);
      record = line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
      line.remove_prefix(close == std::string_view::npos ? line.size() : close + 1);
      line.remove_prefix(std::min(line.find(','), line.size()));
    } else {
      record = line.substr(0, line.find(','));
      line.remove_prefix(record.size());
    }
    if (!parser.Record(record)) return false;
    if (!line.empty()) line.remove_prefix(1);  // the comma
  } while (!line.empty());
  return true;
}

}  // namespace

TrackReadResult ReadTracks(std::istream& input, const MeshDocument& mesh, TrackSet& tracks) {
  TrackParser parser(mesh, tracks);
  std::string line;
  while (std::getline(input, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!ReadLine(line, parser)) return parser.Finish(false);
  }
  return parser.Finish(true);
}

TrackReadResult ReadTrackFile(const std::filesystem::path& path, const MeshDocument& mesh,
                              TrackSet& tracks) {
  std::ifstream file(path, std::ios::binary);
  if (!file || std::filesystem::is_directory(path)) return {};
  return ReadTracks(file, mesh, tracks);
}

}  // namespace koravel
