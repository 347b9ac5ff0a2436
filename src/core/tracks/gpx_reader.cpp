#include "core/tracks/gpx_reader.h"

#include <expat.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

#include "core/tracks/track_placer.h"

namespace koravel {
namespace {

constexpr int kBlockSize = 64 * 1024;
// No token of a real GPX file comes near this; expat would hold a longer one
// in memory whole.
constexpr XML_Index kLongestToken = 1 << 20;
constexpr XML_Char kNamespaceSeparator = ' ';
constexpr std::array<std::string_view, 2> kGpxNamespaces = {"http://www.topografix.com/GPX/1/1",
                                                            "http://www.topografix.com/GPX/1/0"};
constexpr double kSecondsPerDegree = 3600;
// gpx, trk, trkseg, trkpt and its children, with room for extensions; expat
// keeps every open element, so a file nested without end would take
// memory without end.
constexpr int kMaxDepth = 32;
// Heights beyond any on the earth are no heights; the text of one is never longer.
constexpr double kHighestElevation = 100000;
constexpr std::size_t kLongestElevationText = 64;

enum class Piece { None, TrackSegment, Route };

// The local name of a GPX element (in either version's namespace, or in none,
// as careless writers leave it); empty for an element of any other namespace.
std::string_view GpxName(const XML_Char* name) {
  const std::string_view full(name);
  const std::size_t split = full.rfind(kNamespaceSeparator);
  if (split == std::string_view::npos) return full;
  const std::string_view uri = full.substr(0, split);
  if (std::find(kGpxNamespaces.begin(), kGpxNamespaces.end(), uri) == kGpxNamespaces.end()) return {};
  return full.substr(split + 1);
}

// An xsd:decimal number within ±limit, surrounding blanks allowed.
std::optional<double> Decimal(std::string_view text, double limit) {
  constexpr std::string_view kBlanks = " \t\r\n";
  text.remove_prefix(std::min(text.find_first_not_of(kBlanks), text.size()));
  text.remove_suffix(text.size() - std::min(text.find_last_not_of(kBlanks) + 1, text.size()));
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  double degrees = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), degrees,
                                            std::chars_format::fixed);
  if (error != std::errc() || end != text.data() + text.size() || !(std::abs(degrees) <= limit)) {
    return std::nullopt;
  }
  return degrees;
}

std::optional<std::string_view> Attribute(const XML_Char** attributes, std::string_view name) {
  for (; *attributes != nullptr; attributes += 2) {
    if (name == attributes[0]) return std::string_view(attributes[1]);
  }
  return std::nullopt;
}

// Feeds the file to expat block by block and turns its track points into
// segments as the elements arrive.
class GpxParser {
 public:
  GpxParser(const MeshDocument& mesh, TrackSet& tracks)
      : parser_(XML_ParserCreateNS(nullptr, kNamespaceSeparator)), placer_(mesh, tracks) {}
  ~GpxParser() { XML_ParserFree(parser_); }
  GpxParser(const GpxParser&) = delete;
  GpxParser& operator=(const GpxParser&) = delete;

  TrackReadResult Read(std::istream& input) {
    if (parser_ == nullptr) return placer_.Finish(false);
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser_, OnText);
    XML_SetDefaultHandlerExpand(parser_, OnOther);
    XML_Index fed = 0;
    for (;;) {
      void* block = XML_GetBuffer(parser_, kBlockSize);
      if (block == nullptr) return Malformed();
      input.read(static_cast<char*>(block), kBlockSize);
      if (input.bad()) return placer_.Fail(ErrorCode::FileError);
      const auto size = static_cast<int>(input.gcount());
      const bool last = size < kBlockSize;
      fed += size;
      if (XML_ParseBuffer(parser_, size, last) != XML_STATUS_OK) {
        return halted_ ? placer_.Finish(false) : Malformed();
      }
      if (fed - progress_ > kLongestToken) return Malformed();
      if (last) return placer_.Finish(true);
    }
  }

 private:
  static void XMLCALL OnStart(void* self, const XML_Char* name, const XML_Char** attributes) {
    static_cast<GpxParser*>(self)->Start(GpxName(name), attributes);
  }
  static void XMLCALL OnEnd(void* self, const XML_Char* name) {
    static_cast<GpxParser*>(self)->End(GpxName(name));
  }
  static void XMLCALL OnOther(void* self, const XML_Char*, int) {
    static_cast<GpxParser*>(self)->Progress();
  }
  static void XMLCALL OnText(void* self, const XML_Char* text, int length) {
    static_cast<GpxParser*>(self)->Text(std::string_view(text, static_cast<std::size_t>(length)));
  }

  void Progress() { progress_ = XML_GetCurrentByteIndex(parser_); }

  TrackReadResult Malformed() {
    placer_.Stop(ErrorCode::NotTrackFile);
    return placer_.Finish(false);
  }

  void Start(std::string_view name, const XML_Char** attributes) {
    Progress();
    if (++depth_ > kMaxDepth) {
      HaltUnless(placer_.Stop(ErrorCode::NotTrackFile));
    } else if (!in_root_) {
      if (name != "gpx") return HaltUnless(placer_.Stop(ErrorCode::NotTrackFile));
      in_root_ = true;
    } else if (name == "trkseg" || name == "rte") {
      placer_.EndPiece();
      piece_ = name == "rte" ? Piece::Route : Piece::TrackSegment;
    } else if (IsPoint(name)) {
      HaltUnless(StartPoint(attributes));
    } else if (name == "ele" && point_) {
      elevation_text_.emplace();
    }
  }

  void End(std::string_view name) {
    Progress();
    --depth_;
    if (name == "trkseg" || name == "rte") {
      placer_.EndPiece();
      piece_ = Piece::None;
    } else if (name == "ele" && elevation_text_) {
      elevation_ = Decimal(*elevation_text_, kHighestElevation);
      elevation_text_.reset();
    } else if (IsPoint(name) && point_) {
      const GeographicPoint point = *point_;
      point_.reset();
      HaltUnless(placer_.Add(point, TrackDatum::Wgs84, elevation_));
    }
  }

  // The text of a height being read; a text too long for any number leaves
  // the point without one.
  void Text(std::string_view text) {
    Progress();
    if (!elevation_text_) return;
    if (elevation_text_->size() + text.size() > kLongestElevationText) {
      elevation_text_.reset();
    } else {
      *elevation_text_ += text;
    }
  }

  bool IsPoint(std::string_view name) const {
    return (name == "trkpt" && piece_ == Piece::TrackSegment) || (name == "rtept" && piece_ == Piece::Route);
  }

  // The position comes with the start tag, its height inside the element:
  // the point is placed at its end tag.
  bool StartPoint(const XML_Char** attributes) {
    const std::optional<std::string_view> lat = Attribute(attributes, "lat");
    const std::optional<std::string_view> lon = Attribute(attributes, "lon");
    const std::optional<double> latitude = lat ? Decimal(*lat, 90) : std::nullopt;
    const std::optional<double> longitude = lon ? Decimal(*lon, 180) : std::nullopt;
    if (!latitude || !longitude) return placer_.Stop(ErrorCode::NotTrackFile);
    point_ = GeographicPoint{*latitude * kSecondsPerDegree, *longitude * kSecondsPerDegree};
    elevation_.reset();
    return true;
  }

  // Stops expat when a handler found that reading ends.
  void HaltUnless(bool go_on) {
    if (go_on || halted_) return;
    halted_ = true;
    XML_StopParser(parser_, XML_FALSE);
  }

  XML_Parser parser_;
  TrackPlacer placer_;
  Piece piece_ = Piece::None;
  std::optional<GeographicPoint> point_;  // WGS 84, between a point's tags
  std::optional<double> elevation_;
  std::optional<std::string> elevation_text_;
  bool in_root_ = false;
  bool halted_ = false;
  int depth_ = 0;
  XML_Index progress_ = 0;
};

}  // namespace

TrackReadResult ReadGpx(std::istream& input, const MeshDocument& mesh, TrackSet& tracks) {
  return GpxParser(mesh, tracks).Read(input);
}

bool IsGpxPath(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".gpx";
}

}  // namespace koravel
