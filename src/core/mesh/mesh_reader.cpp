#include "core/mesh/mesh_reader.h"

#include <fstream>
#include <string>

#include "core/text/cp932_field_reader.h"
#include "core/text/lenient_number.h"
#include "core/io/file_probe.h"

namespace koravel {
namespace {

// Field widths of the header and data records, in characters.
constexpr int kMeshCodeWidth = 6;
constexpr int kMapScaleWidth = 5;
constexpr int kYearWidth = 4;
constexpr int kPointCountWidth = 3;
constexpr int kDegreesWidth = 3;
constexpr int kMinutesWidth = 2;
constexpr int kSecondsWidth = 2;
constexpr int kDigitWidth = 1;
constexpr int kSheetNameWidth = 10;
constexpr int kRecordCountWidth = 3;
constexpr int kCommentWidth = 40;
constexpr int kFillerWidth = 584;
constexpr int kRecordNumberWidth = 3;
constexpr int kValueWidth = 5;

enum class Check { Lenient, NumericTest };

// The usual value field, leading blanks, an optional minus and digits, read
// in one pass; anything else takes the lenient reading.
std::optional<std::int32_t> PlainInteger(std::string_view field) {
  constexpr std::size_t kLongestWithoutOverflow = 9;
  if (field.size() > kLongestWithoutOverflow) return std::nullopt;
  std::size_t at = field.find_first_not_of(' ');
  if (at == std::string_view::npos) return std::nullopt;
  const bool negative = field[at] == '-';
  if (negative && ++at == field.size()) return std::nullopt;
  std::int32_t value = 0;
  for (; at < field.size(); ++at) {
    if (field[at] < '0' || field[at] > '9') return std::nullopt;
    value = value * 10 + (field[at] - '0');
  }
  return negative ? -value : value;
}

// Reads one file field by field in file order, straight into a document that
// is handed out only when the whole file was read. Any failure past the mesh
// code means the file is not a mesh file.
class MeshParser {
 public:
  explicit MeshParser(std::istream& input) : fields_(input) {}

  MeshReadResult Parse() {
    MeshReadResult result;
    const std::optional<std::string_view> mesh_code = fields_.Take(kMeshCodeWidth);
    if (!mesh_code) {
      result.error = ErrorCode::FileError;
    } else if (!ReadHeader(std::string(*mesh_code), result.warnings) || !ReadRecords()) {
      result.error = ErrorCode::NotMeshFile;
    } else {
      result.document = std::move(document_);
    }
    return result;
  }

 private:
  bool ReadHeader(const std::string& mesh_code, std::vector<Warning>& warnings) {
    return DecodeInto(mesh_code, document_.MeshCode, Check::NumericTest) &&
           ReadIdentification() && ReadCorners() && ReadSheets() && ReadRecordSummary(warnings);
  }

  bool ReadIdentification() {
    return TakeText(kMapScaleWidth, document_.MapScale, Check::NumericTest) &&
           TakeText(kYearWidth, document_.SurveyYear, Check::NumericTest) &&
           TakeText(kYearWidth, document_.RevisionYear, Check::NumericTest) &&
           TakeText(kYearWidth, document_.DigitizeYear, Check::NumericTest) &&
           TakeWhole(kPointCountWidth, document_.LONPointN, Check::NumericTest) &&
           TakeWhole(kPointCountWidth, document_.LATPointN, Check::NumericTest);
  }

  bool ReadCorners() {
    MeshDocument& doc = document_;
    if (!ReadCorner(doc.SWLat) || !ReadCorner(doc.SWLon) || !ReadCorner(doc.NELat) ||
        !ReadCorner(doc.NELon)) {
      return false;
    }
    const auto sw_lon = RoundHalfEven<std::int32_t>(doc.SWLon.Seconds());
    const auto ne_lon = RoundHalfEven<std::int32_t>(doc.NELon.Seconds());
    if (!sw_lon || !ne_lon || doc.LATPointN == 0 || doc.LONPointN == 0) return false;
    doc.SWLatSeconds = doc.SWLat.Seconds();
    doc.NELatSeconds = doc.NELat.Seconds();
    doc.SWLonSeconds = *sw_lon;
    doc.NELonSeconds = *ne_lon;
    doc.LatStep = (doc.NELatSeconds - doc.SWLatSeconds) / doc.LATPointN;
    doc.LonStep = (static_cast<double>(doc.NELonSeconds) - doc.SWLonSeconds) / doc.LONPointN;
    return true;
  }

  bool ReadCorner(CornerAngle& corner) {
    return TakeText(kDegreesWidth, corner.Deg) && TakeText(kMinutesWidth, corner.Min) &&
           TakeText(kSecondsWidth, corner.Sec);
  }

  bool ReadSheets() {
    if (!TakeWhole(kDigitWidth, document_.SheetCount)) return false;
    for (std::size_t sheet = 0; sheet < document_.SheetName.size(); ++sheet) {
      if (!TakeText(kSheetNameWidth, document_.SheetName[sheet]) ||
          !TakeWhole(kDigitWidth, document_.SheetFlag[sheet])) {
        return false;
      }
    }
    return true;
  }

  bool ReadRecordSummary(std::vector<Warning>& warnings) {
    if (!TakeWhole(kRecordCountWidth, document_.RecordCount)) return false;
    if (document_.RecordCount < kMeshSize) warnings.push_back(Warning::OmittedRecords);
    if (!TakeText(kCommentWidth, document_.MeshComment)) return false;
    for (int row = 1; row <= kMeshSize; ++row) {
      if (!TakeWhole(kDigitWidth, document_.RecordFlag[row])) return false;
    }
    return fields_.Take(kFillerWidth) && fields_.TakeLineEnd();
  }

  bool ReadRecords() {
    for (int y = 1; y <= kMeshSize; ++y) {
      for (int x = 1; x <= kMeshSize; ++x) document_.SetElevation(x, y, kNoData);
    }
    document_.MaxElevation = 0;
    document_.MinElevation = 9999;
    for (int row = 1; row <= kMeshSize; ++row) {
      if (document_.RecordFlag[row] == 1 && !ReadRecord()) return false;
    }
    return true;
  }

  // A record fills the row its number names, wherever it stands in the file;
  // row 0 lies outside the mesh and is never shown or saved.
  bool ReadRecord() {
    std::int32_t row = 0;
    if (!fields_.Take(kMeshCodeWidth) || !TakeWhole(kRecordNumberWidth, row) || row < 0 ||
        row > kMeshSize) {
      return false;
    }
    // The values are taken as one run of characters and then split; in the
    // usual all-ASCII run every character is one byte.
    const std::optional<std::string_view> values = fields_.Take(kMeshSize * kValueWidth);
    if (!values) return false;
    std::string_view rest = *values;
    const bool single_bytes = IsAscii(rest);
    for (int x = 1; x <= kMeshSize; ++x) {
      const std::string_view field = single_bytes ? rest.substr((x - 1) * kValueWidth, kValueWidth)
                                                  : *TakeCp932Characters(rest, kValueWidth);
      std::int32_t value = 0;
      if (const std::optional<std::int32_t> plain = PlainInteger(field)) {
        value = *plain;
      } else if (!ParseWhole(field, value, Check::Lenient)) {
        return false;
      }
      if (!TrackExtremes(value)) return false;
      document_.SetElevation(x, row, value);
    }
    return fields_.TakeLineEnd();
  }

  // The minimum is held in 16 bits: a lower value does not fit the document.
  bool TrackExtremes(std::int32_t value) {
    if (value > document_.MaxElevation) document_.MaxElevation = value;
    if (value < document_.MinElevation && value != kNoData) {
      const auto minimum = RoundHalfEven<std::int16_t>(value);
      if (!minimum) return false;
      document_.MinElevation = *minimum;
    }
    return true;
  }

  bool TakeText(int width, Cp932Text& target, Check check = Check::Lenient) {
    const std::optional<std::string_view> bytes = fields_.Take(width);
    return bytes && DecodeInto(*bytes, target, check);
  }

  // Invalid CP932 in a field that is used makes the file malformed.
  bool DecodeInto(std::string_view bytes, Cp932Text& target, Check check) {
    std::optional<std::string> text = codec_.Decode(bytes);
    if (!text || (check == Check::NumericTest && !PassesNumericTest(*text))) return false;
    target = Cp932Text::FromFile(std::move(*text), std::string(bytes));
    return true;
  }

  template <typename Int>
  bool TakeWhole(int width, Int& target, Check check = Check::Lenient) {
    const std::optional<std::string_view> bytes = fields_.Take(width);
    return bytes && ParseWhole(*bytes, target, check);
  }

  template <typename Int>
  bool ParseWhole(std::string_view bytes, Int& target, Check check) {
    std::optional<std::string> decoded;
    if (!IsAscii(bytes)) {
      decoded = codec_.Decode(bytes);
      if (!decoded) return false;
      bytes = *decoded;
    }
    if (check == Check::NumericTest && !PassesNumericTest(bytes)) return false;
    const std::optional<Int> value = RoundHalfEven<Int>(number(bytes));
    if (value) target = *value;
    return value.has_value();
  }

  Cp932FieldReader fields_;
  Cp932Codec codec_;
  MeshDocument document_;
};

}  // namespace

MeshReadResult ReadMesh(std::istream& input) { return MeshParser(input).Parse(); }

MeshReadResult ReadMeshFile(const std::filesystem::path& path) {
  if (auto failure = ProbeReadableFile(path)) return {std::nullopt, failure, {}};
  std::ifstream file(path, std::ios::binary);
  if (!file) return {std::nullopt, ErrorCode::FileError, {}};
  MeshReadResult result = ReadMesh(file);
  if (result.document) result.document->MeshFileName = path.string();
  return result;
}

}  // namespace koravel
