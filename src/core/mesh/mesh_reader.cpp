#include "core/mesh/mesh_reader.h"

#include <string>

#include "core/io/input_file.h"
#include "core/mesh/mesh_layout.h"
#include "core/text/cp932_field_reader.h"
#include "core/text/lenient_number.h"

namespace koravel {
namespace {

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
    if (!ReadHeader(result.warnings) || !ReadRecords()) {
      result.error = mesh_code_taken_ ? ErrorCode::NotMeshFile : ErrorCode::FileError;
    } else {
      // Only whether anything follows is looked at, not what.
      if (!fields_.AtEnd()) result.warnings.push_back(Warning::DataAfterLastRecord);
      result.document = std::move(document_);
    }
    return result;
  }

 private:
  bool ReadHeader(std::vector<Warning>& warnings) {
    for (const auto& [field, width] : kHeaderLayout) {
      if (!ReadField(field, width, warnings)) return false;
    }
    return fields_.TakeLineEnd() && DeriveFrame();
  }

  bool ReadField(HeaderField field, int width, std::vector<Warning>& warnings) {
    MeshDocument& doc = document_;
    switch (field) {
      case HeaderField::MeshCode: return ReadMeshCode(width);
      case HeaderField::MapScale: return TakeText(width, doc.MapScale, Check::NumericTest);
      case HeaderField::SurveyYear: return TakeText(width, doc.SurveyYear, Check::NumericTest);
      case HeaderField::RevisionYear: return TakeText(width, doc.RevisionYear, Check::NumericTest);
      case HeaderField::DigitizeYear: return TakeText(width, doc.DigitizeYear, Check::NumericTest);
      case HeaderField::LonPoints: return TakeWhole(width, doc.LONPointN, Check::NumericTest);
      case HeaderField::LatPoints: return TakeWhole(width, doc.LATPointN, Check::NumericTest);
      case HeaderField::Corners:
        return ReadCorner(doc.SWLat) && ReadCorner(doc.SWLon) && ReadCorner(doc.NELat) && ReadCorner(doc.NELon);
      case HeaderField::SheetCount: return TakeWhole(width, doc.SheetCount);
      case HeaderField::Sheets: return ReadSheets();
      case HeaderField::RecordCount: return ReadRecordCount(width, warnings);
      case HeaderField::Comment: return TakeText(width, doc.MeshComment);
      case HeaderField::RecordFlags: return ReadRecordFlags();
      case HeaderField::Filler: return fields_.Take(width).has_value();
    }
    return false;
  }

  // A file too short to hold a mesh code is a file error, not a wrong file.
  bool ReadMeshCode(int width) {
    const std::optional<std::string_view> bytes = fields_.Take(width);
    mesh_code_taken_ = bytes.has_value();
    return bytes && DecodeInto(*bytes, document_.MeshCode, Check::NumericTest);
  }

  // Corners outside what mesh codes number, or steps that are not positive,
  // are no mesh: a file of digits would otherwise load as one.
  bool DeriveFrame() {
    MeshDocument& doc = document_;
    const auto sw_lon = RoundHalfEven<std::int32_t>(doc.SWLon.Seconds());
    const auto ne_lon = RoundHalfEven<std::int32_t>(doc.NELon.Seconds());
    if (!sw_lon || !ne_lon || doc.LATPointN == 0 || doc.LONPointN == 0) return false;
    doc.SWLatSeconds = doc.SWLat.Seconds();
    doc.NELatSeconds = doc.NELat.Seconds();
    doc.SWLonSeconds = *sw_lon;
    doc.NELonSeconds = *ne_lon;
    doc.LatStep = (doc.NELatSeconds - doc.SWLatSeconds) / doc.LATPointN;
    doc.LonStep = (static_cast<double>(doc.NELonSeconds) - doc.SWLonSeconds) / doc.LONPointN;
    return doc.LatStep > 0 && doc.LonStep > 0 && doc.SWLatSeconds >= kSouthmostLatitude &&
           doc.NELatSeconds <= kNorthmostLatitude && doc.SWLonSeconds >= kWestmostLongitude &&
           doc.NELonSeconds <= kEastmostLongitude;
  }

  bool ReadCorner(CornerAngle& corner) {
    return TakeText(kDegreesWidth, corner.Deg) && TakeText(kMinutesWidth, corner.Min) &&
           TakeText(kSecondsWidth, corner.Sec);
  }

  bool ReadSheets() {
    for (std::size_t sheet = 0; sheet < document_.SheetName.size(); ++sheet) {
      if (!TakeText(kSheetNameWidth, document_.SheetName[sheet]) ||
          !TakeWhole(kSheetFlagWidth, document_.SheetFlag[sheet])) {
        return false;
      }
    }
    return true;
  }

  bool ReadRecordCount(int width, std::vector<Warning>& warnings) {
    if (!TakeWhole(width, document_.RecordCount)) return false;
    if (document_.RecordCount < kMeshSize) warnings.push_back(Warning::OmittedRecords);
    return true;
  }

  bool ReadRecordFlags() {
    for (int row = 1; row <= kMeshSize; ++row) {
      if (!TakeWhole(kRecordFlagWidth, document_.RecordFlag[row])) return false;
    }
    return true;
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
    if (!fields_.Take(WidthOf(HeaderField::MeshCode)) || !TakeWhole(kRecordNumberWidth, row) || row < 0 ||
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
  bool mesh_code_taken_ = false;
};

}  // namespace

MeshReadResult ReadMesh(std::istream& input) { return MeshParser(input).Parse(); }

MeshReadResult ReadMeshFile(const std::filesystem::path& path) {
  std::variant<std::unique_ptr<InputFile>, ErrorCode> file = InputFile::Open(path);
  if (const ErrorCode* failure = std::get_if<ErrorCode>(&file)) return {std::nullopt, *failure, {}};
  MeshReadResult result = ReadMesh(std::get<std::unique_ptr<InputFile>>(file)->Stream());
  if (result.document) result.document->MeshFileName = path.string();
  return result;
}

}  // namespace koravel
