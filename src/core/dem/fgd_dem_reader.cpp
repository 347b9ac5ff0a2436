#include "core/dem/fgd_dem_reader.h"

#include <expat.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace koravel {
namespace {

constexpr std::size_t kBlockSize = 64 * 1024;
// No token of a real file comes near this; expat would hold a longer one in
// memory whole.
constexpr XML_Index kLongestToken = 1 << 20;
constexpr std::size_t kLongestField = 256;
// Far beyond the largest tile the survey makes; a grid size above it is a
// broken file, not a reason to allocate gigabytes.
constexpr long long kMostPoints = 1 << 25;
constexpr XML_Char kNamespaceSeparator = ' ';
constexpr double kSecondsPerDegree = 3600;
constexpr std::string_view kSea = "海水面";
constexpr std::string_view kNoDataType = "データなし";
constexpr double kNoDataValue = -9999;

enum class Field { None, MeshCode, Type, LowerCorner, UpperCorner, High, StartPoint, Tuples };
enum class Stage { BeforeDem, InDem, AfterDem };

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Written out by hand: this runs twice for every point of the model.
std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsUtf8Name(std::string_view encoding) {
  return encoding.size() == 5 && std::equal(encoding.begin(), encoding.end(), "utf-8", [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == b;
         });
}

std::string_view LocalName(const XML_Char* name) {
  const std::string_view full(name);
  const std::size_t split = full.rfind(kNamespaceSeparator);
  return split == std::string_view::npos ? full : full.substr(split + 1);
}

std::optional<std::string_view> Attribute(const XML_Char** attributes, std::string_view name) {
  for (; *attributes != nullptr; attributes += 2) {
    if (name == LocalName(attributes[0])) return std::string_view(attributes[1]);
  }
  return std::nullopt;
}

// The whole of `text` as one number.
template <typename Number>
std::optional<Number> NumberIn(std::string_view text) {
  Number number{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

// Two numbers apart by blanks: "35.25 138.5", "224 149".
template <typename Number>
std::optional<std::pair<Number, Number>> TwoNumbers(std::string_view text) {
  text = Trimmed(text);
  const std::size_t gap = std::find_if(text.begin(), text.end(), IsBlank) - text.begin();
  if (gap == text.size()) return std::nullopt;
  const std::optional<Number> first = NumberIn<Number>(text.substr(0, gap));
  const std::optional<Number> second = NumberIn<Number>(Trimmed(text.substr(gap)));
  if (!first || !second) return std::nullopt;
  return std::pair(*first, *second);
}

std::optional<JapaneseDatum> DatumNamed(std::string_view srs_name) {
  if (srs_name == "fguuid:jgd2000.bl") return JapaneseDatum::Jgd2000;
  if (srs_name == "fguuid:jgd2011.bl" || srs_name == "fguuid:jgd2024.bl") return JapaneseDatum::Jgd2011;
  return std::nullopt;
}

// The survey names its files after the data type; the XML itself only says
// "5mメッシュ（標高）", whichever of 5A, 5B or 5C it is.
std::string DataTypeOf(std::string_view name, std::string_view type_text) {
  name = name.substr(name.find_last_of('/') + 1);
  for (std::string_view type : kDemDataTypes) {
    if (name.find(type) != std::string_view::npos) return std::string(type);
  }
  return std::string(type_text);
}

// Feeds the file to expat block by block, taking the tile's fields as their
// elements end and its heights line by line as the tuple list streams past.
class FgdDemParser {
 public:
  FgdDemParser(std::string_view name, const DemReadOptions& options)
      : parser_(XML_ParserCreateNS(nullptr, kNamespaceSeparator)), name_(name), options_(options) {}
  ~FgdDemParser() {
    if (parser_ != nullptr) XML_ParserFree(parser_);
  }
  FgdDemParser(const FgdDemParser&) = delete;
  FgdDemParser& operator=(const FgdDemParser&) = delete;

  DemReadResult Read(const ByteReader& read) {
    if (parser_ == nullptr) return Failure(ErrorCode::FileError);
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser_, OnText);
    XML_SetXmlDeclHandler(parser_, OnDeclaration);
    thread_local std::vector<char> block(kBlockSize);
    for (;;) {
      const std::ptrdiff_t size = read(block.data(), block.size());
      if (size < 0) return Failure(ErrorCode::FileError);
      if (!Feed(std::string_view(block.data(), static_cast<std::size_t>(size)), size == 0)) {
        return stopped_ ? Failure(error_) : Failure(ErrorCode::NotDemFile);
      }
      if (fed_ - progress_ > kLongestToken) return Failure(ErrorCode::NotDemFile);
      if (size == 0) return Finish();
    }
  }

 private:
  static void XMLCALL OnStart(void* self, const XML_Char* name, const XML_Char** attributes) {
    static_cast<FgdDemParser*>(self)->Start(LocalName(name), attributes);
  }
  static void XMLCALL OnEnd(void* self, const XML_Char*) { static_cast<FgdDemParser*>(self)->End(); }
  static void XMLCALL OnText(void* self, const XML_Char* text, int length) {
    static_cast<FgdDemParser*>(self)->Text(std::string_view(text, static_cast<std::size_t>(length)));
  }

  static void XMLCALL OnDeclaration(void* self, const XML_Char*, const XML_Char* encoding, int) {
    static_cast<FgdDemParser*>(self)->utf8_ = encoding != nullptr && IsUtf8Name(encoding);
  }

  static DemReadResult Failure(std::optional<ErrorCode> error) { return {std::nullopt, error}; }

  // Gives expat all but the tuple list, which is read here straight from the
  // bytes: it is nearly all of the file, and expat would hand it over a line
  // at a time.
  bool Feed(std::string_view bytes, bool last) {
    while (!bytes.empty() && !stopped_) {
      if (raw_tuples_) {
        bytes.remove_prefix(TakeRawTuples(bytes));
        continue;
      }
      const std::size_t cut = EndOfTupleListTag(bytes);
      if (!Parse(bytes.substr(0, cut), false)) return false;
      bytes.remove_prefix(cut);
    }
    return !stopped_ && (!last || Parse({}, true));
  }

  bool Parse(std::string_view bytes, bool last) {
    fed_ += static_cast<XML_Index>(bytes.size());
    return XML_Parse(parser_, bytes.data(), static_cast<int>(bytes.size()), last) == XML_STATUS_OK;
  }

  // Where the tuple list's start tag would end in `bytes`, so that expat
  // stops there and leaves the list to TakeRawTuples.
  std::size_t EndOfTupleListTag(std::string_view bytes) const {
    if (field_ == Field::Tuples || tuples_read_) return bytes.size();
    const std::size_t name = bytes.find("tupleList");
    const std::size_t end = name == std::string_view::npos ? name : bytes.find('>', name);
    return end == std::string_view::npos ? bytes.size() : end + 1;
  }

  // Takes the tuples from `bytes` up to the first markup or reference, which
  // are expat's again; returns how many bytes it took.
  std::size_t TakeRawTuples(std::string_view bytes) {
    const std::string_view text = bytes.substr(0, bytes.find('<'));
    const std::size_t stop = std::min(text.find('&'), text.size());
    Tuples(text.substr(0, stop));
    raw_tuples_ = stop == bytes.size();
    return stop;
  }

  // Ends reading: with an error, or with none when the tile is not wanted.
  void Stop(std::optional<ErrorCode> error) {
    if (stopped_) return;
    stopped_ = true;
    error_ = error;
    XML_StopParser(parser_, XML_FALSE);
  }

  void Start(std::string_view name, const XML_Char** attributes) {
    progress_ = XML_GetCurrentByteIndex(parser_);
    if (++depth_ == 1 && name != "Dataset") return Stop(ErrorCode::NotDemFile);
    if (stage_ == Stage::BeforeDem && name == "DEM") {
      stage_ = Stage::InDem;
      dem_depth_ = depth_;
    }
    if (stage_ != Stage::InDem || stopped_) return;
    if (depth_ == dem_depth_ + 1 && name == "mesh") return Capture(Field::MeshCode);
    if (depth_ == dem_depth_ + 1 && name == "type") return Capture(Field::Type);
    if (name == "lowerCorner") return Capture(Field::LowerCorner);
    if (name == "upperCorner") return Capture(Field::UpperCorner);
    if (name == "high") return Capture(Field::High);
    if (name == "startPoint") return Capture(Field::StartPoint);
    if (name == "tupleList") return BeginTuples();
    if (name == "Envelope") {
      datum_ = DatumNamed(Attribute(attributes, "srsName").value_or(""));
      if (!datum_) Stop(ErrorCode::DemUnknownReferenceSystem);
    } else if (name == "sequenceRule" && Attribute(attributes, "order").value_or("+x-y") != "+x-y") {
      Stop(ErrorCode::DemOrderUnsupported);
    }
  }

  void End() {
    progress_ = XML_GetCurrentByteIndex(parser_);
    if (field_ != Field::None && depth_ == field_depth_ && !stopped_) Complete(std::exchange(field_, Field::None));
    if (stage_ == Stage::InDem && depth_ == dem_depth_) stage_ = Stage::AfterDem;
    --depth_;
  }

  void Text(std::string_view text) {
    progress_ = XML_GetCurrentByteIndex(parser_);
    if (stopped_) return;
    if (field_ == Field::Tuples) return Tuples(text);
    if (field_ == Field::None) return;
    text_ += text;
    if (text_.size() > kLongestField) Stop(ErrorCode::NotDemFile);
  }

  void Capture(Field field) {
    field_ = field;
    field_depth_ = depth_;
    text_.clear();
  }

  void Complete(Field field) {
    switch (field) {
      case Field::MeshCode: tile_.MeshCode = Trimmed(text_); break;
      case Field::Type: type_text_ = Trimmed(text_); break;
      case Field::LowerCorner: Corner(tile_.SouthLatitude, tile_.WestLongitude); break;
      case Field::UpperCorner: Corner(tile_.NorthLatitude, tile_.EastLongitude); break;
      case Field::High: GridSize(); break;
      case Field::StartPoint: StartPoint(); break;
      case Field::Tuples: EndTuples(); break;
      case Field::None: break;
    }
  }

  // A corner in degrees, latitude first.
  void Corner(double& latitude, double& longitude) {
    const auto degrees = TwoNumbers<double>(text_);
    if (!degrees || !(std::abs(degrees->first) <= 90) || !(std::abs(degrees->second) <= 180)) {
      return Stop(ErrorCode::NotDemFile);
    }
    latitude = degrees->first * kSecondsPerDegree;
    longitude = degrees->second * kSecondsPerDegree;
    ++corners_;
  }

  void GridSize() {
    const auto high = TwoNumbers<long long>(text_);
    const auto within = [](long long last) { return last >= 0 && last < kMostPoints; };
    if (!high || !within(high->first) || !within(high->second) ||
        (high->first + 1) * (high->second + 1) > kMostPoints) {
      return Stop(ErrorCode::NotDemFile);
    }
    tile_.Columns = static_cast<int>(high->first + 1);
    tile_.Rows = static_cast<int>(high->second + 1);
  }

  void StartPoint() {
    const auto start = TwoNumbers<long long>(text_);
    if (!start || start->first < 0 || start->second < 0 || start->first >= tile_.Columns ||
        start->second >= tile_.Rows) {
      return Stop(ErrorCode::NotDemFile);
    }
    start_ = static_cast<std::size_t>(start->second * tile_.Columns + start->first);
  }

  bool Overlaps(const GeographicBox& area) const {
    return tile_.SouthLatitude < area.North && tile_.NorthLatitude > area.South &&
           tile_.WestLongitude < area.East && tile_.EastLongitude > area.West;
  }

  // The envelope and the size come before the heights in every such file.
  void BeginTuples() {
    const bool placed = datum_ && corners_ == 2 && tile_.Columns > 0 && tile_.NorthLatitude > tile_.SouthLatitude &&
                        tile_.EastLongitude > tile_.WestLongitude;
    if (!placed) return Stop(ErrorCode::NotDemFile);
    if (options_.Within && !Overlaps(*options_.Within)) return Stop(std::nullopt);
    tile_.Datum = *datum_;
    tile_.Heights.assign(static_cast<std::size_t>(tile_.Columns) * static_cast<std::size_t>(tile_.Rows), kDemNoData);
    Capture(Field::Tuples);
    // The bytes after the tag are read here only when expat has none of them
    // and the file is UTF-8 as expat reads it.
    raw_tuples_ = utf8_ && XML_GetCurrentByteIndex(parser_) + XML_GetCurrentByteCount(parser_) == fed_;
  }

  // Expat hands over the text in pieces that may end inside a line.
  void Tuples(std::string_view text) {
    for (std::size_t end; (end = text.find('\n')) != std::string_view::npos; text.remove_prefix(end + 1)) {
      if (pending_.empty()) {
        Tuple(text.substr(0, end));
      } else {
        pending_ += text.substr(0, end);
        Tuple(pending_);
        pending_.clear();
      }
      if (stopped_) return;
    }
    pending_ += text;
  }

  void EndTuples() {
    raw_tuples_ = false;
    Tuple(pending_);
    tuples_read_ = true;
  }

  // One line, "地表面,145.30": the kind of point, a comma and metres.
  void Tuple(std::string_view line) {
    line = Trimmed(line);
    if (line.empty()) return;
    const std::size_t comma = line.find(',');
    const std::optional<double> metres =
        comma == std::string_view::npos ? std::nullopt : NumberIn<double>(Trimmed(line.substr(comma + 1)));
    if (!metres) return Stop(ErrorCode::NotDemFile);
    if (count_ == tile_.Heights.size()) return Stop(ErrorCode::DemTooManyPoints);
    tile_.Heights[count_++] = Height(Trimmed(line.substr(0, comma)), *metres);
  }

  float Height(std::string_view type, double metres) const {
    if (type == kSea) return options_.SeaAsZero ? 0.0f : kDemNoData;
    if (type == kNoDataType || metres <= kNoDataValue) return kDemNoData;
    return static_cast<float>(metres);
  }

  // The start point comes after the list: the heights move there now.
  DemReadResult Finish() {
    if (!tuples_read_) return Failure(ErrorCode::NotDemFile);
    std::vector<float>& heights = tile_.Heights;
    if (start_ + count_ > heights.size()) return Failure(ErrorCode::DemTooManyPoints);
    const auto first = heights.begin();
    const auto start = static_cast<std::ptrdiff_t>(start_), count = static_cast<std::ptrdiff_t>(count_);
    std::copy_backward(first, first + count, first + start + count);
    std::fill(first, first + std::min(start, count), kDemNoData);
    tile_.DataType = DataTypeOf(name_, type_text_);
    return {std::move(tile_), std::nullopt};
  }

  XML_Parser parser_;
  std::string_view name_;
  const DemReadOptions& options_;
  DemTile tile_;
  std::optional<JapaneseDatum> datum_;
  std::string type_text_;
  int corners_ = 0;
  std::size_t start_ = 0;
  std::size_t count_ = 0;
  bool tuples_read_ = false;

  Stage stage_ = Stage::BeforeDem;
  int depth_ = 0;
  int dem_depth_ = 0;
  Field field_ = Field::None;
  int field_depth_ = 0;
  std::string text_;
  std::string pending_;
  bool utf8_ = false;
  bool raw_tuples_ = false;
  XML_Index fed_ = 0;
  bool stopped_ = false;
  std::optional<ErrorCode> error_;
  XML_Index progress_ = 0;
};

}  // namespace

DemReadResult ReadFgdDem(const ByteReader& read, std::string_view name, const DemReadOptions& options) {
  return FgdDemParser(name, options).Read(read);
}

}  // namespace koravel
