#include "core/mesh/mesh_writer.h"

#include <cstdlib>

#include "core/io/save_file.h"
#include "core/mesh/mesh_layout.h"

namespace koravel {
namespace {

constexpr std::size_t kLineBytes = kRecordWidth + 2;
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kIdeographicSpace = "\u3000";

// Builds the file text field by field; the first text that CP932 cannot
// encode spoils the result.
class MeshFormatter {
 public:
  explicit MeshFormatter(const MeshDocument& document) : document_(document) {
    output_.reserve(kLineBytes * (kMeshSize + 1));
  }

  std::variant<std::string, ErrorCode> Format() {
    AppendHeader();
    for (int row = 1; row <= kMeshSize; ++row) {
      if (document_.RecordFlag[row] == 1) AppendRecord(row);
    }
    if (unencodable_) return ErrorCode::UnencodableText;
    if (overflow_) return ErrorCode::FieldOverflow;
    return std::move(output_);
  }

 private:
  void AppendHeader() {
    for (const auto& [field, width] : kHeaderLayout) AppendField(field, static_cast<std::size_t>(width));
    output_.append(kLineEnd);
  }

  void AppendField(HeaderField field, std::size_t width) {
    const MeshDocument& doc = document_;
    switch (field) {
      case HeaderField::MeshCode: return AppendRightAligned(doc.MeshCode, width);
      case HeaderField::MapScale: return AppendRightAligned(doc.MapScale, width);
      case HeaderField::SurveyYear: return AppendRightAligned(doc.SurveyYear, width);
      case HeaderField::RevisionYear: return AppendRightAligned(doc.RevisionYear, width);
      case HeaderField::DigitizeYear: return AppendRightAligned(doc.DigitizeYear, width);
      case HeaderField::LonPoints: return AppendZeroPadded(doc.LONPointN, width);
      case HeaderField::LatPoints: return AppendZeroPadded(doc.LATPointN, width);
      case HeaderField::Corners: return AppendCorners();
      case HeaderField::SheetCount: return AppendZeroPadded(doc.SheetCount, width);
      case HeaderField::Sheets: return AppendSheets();
      case HeaderField::RecordCount: return AppendZeroPadded(doc.RecordCount, width);
      case HeaderField::Comment: return AppendComment(width);
      case HeaderField::RecordFlags:
        for (int row = 1; row <= kMeshSize; ++row) AppendZeroPadded(doc.RecordFlag[row], kRecordFlagWidth);
        return;
      case HeaderField::Filler: output_.append(width, ' ');
    }
  }

  void AppendCorners() {
    const MeshDocument& doc = document_;
    for (const CornerAngle* corner : {&doc.SWLat, &doc.SWLon, &doc.NELat, &doc.NELon}) {
      AppendRightAligned(corner->Deg, kDegreesWidth);
      AppendRightAligned(corner->Min, kMinutesWidth);
      AppendRightAligned(corner->Sec, kSecondsWidth);
    }
  }

  void AppendSheets() {
    for (std::size_t sheet = 0; sheet < document_.SheetName.size(); ++sheet) {
      AppendRightAligned(document_.SheetName[sheet], kSheetNameWidth);
      AppendZeroPadded(document_.SheetFlag[sheet], kSheetFlagWidth);
    }
  }

  void AppendRecord(int row) {
    AppendRightAligned(document_.MeshCode, WidthOf(HeaderField::MeshCode));
    AppendZeroPadded(row, kRecordNumberWidth);
    for (int x = 1; x <= kMeshSize; ++x) {
      const std::int32_t value = document_.Elevation(x, row);
      AppendZeroPadded(value, value < 0 ? kValueWidth - 1 : kValueWidth, kValueWidth);
    }
    output_.append(kLineEnd);
  }

  // The "@" pattern: right-aligned in `width` characters, never cut.
  void AppendRightAligned(const Cp932Text& text, std::size_t width) {
    const std::size_t length = text.CharacterCount();
    if (length < width) output_.append(width - length, ' ');
    AppendEncoded(text.ToCp932(codec_));
  }

  // The "0" pattern: at least `digits` digits after any minus sign. The
  // reader accepts numbers such as "1e5" or "-50" that come out wider than
  // their field; writing them would shift every later field and leave a
  // file that no longer reads, so such a document is refused.
  void AppendZeroPadded(long long value, std::size_t digits, std::size_t field_width) {
    const std::size_t start = output_.size();
    if (value < 0) output_.push_back('-');
    const std::string magnitude = std::to_string(std::llabs(value));
    if (magnitude.size() < digits) output_.append(digits - magnitude.size(), '0');
    output_.append(magnitude);
    if (output_.size() - start != field_width) overflow_ = true;
  }

  void AppendZeroPadded(long long value, std::size_t digits) {
    AppendZeroPadded(value, digits, digits);
  }

  // The comment field holds exactly `width` characters: a longer comment is
  // cut, a shorter one padded with ideographic spaces, which with full-width
  // sheet names keeps the header as long as a data line, as GDAL expects.
  void AppendComment(std::size_t width) {
    const Cp932Text& comment = document_.MeshComment;
    if (comment.CharacterCount() == width) {
      AppendEncoded(comment.ToCp932(codec_));
      return;
    }
    std::string text = FirstCharacters(comment.Text(), width);
    for (std::size_t n = CountCharacters(text); n < width; ++n) text += kIdeographicSpace;
    AppendEncoded(codec_.Encode(text));
  }

  void AppendEncoded(const std::optional<std::string>& bytes) {
    if (bytes) {
      output_.append(*bytes);
    } else {
      unencodable_ = true;
    }
  }

  static std::string FirstCharacters(const std::string& utf8, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t seen = 0; end < utf8.size(); ++end) {
      const bool starts_character = (static_cast<unsigned char>(utf8[end]) & 0xC0) != 0x80;
      if (starts_character && seen++ == count) break;
    }
    return utf8.substr(0, end);
  }

  const MeshDocument& document_;
  Cp932Codec codec_;
  std::string output_;
  bool unencodable_ = false;
  bool overflow_ = false;
};

}  // namespace

std::variant<std::string, ErrorCode> FormatMeshFile(const MeshDocument& document) {
  return MeshFormatter(document).Format();
}

std::optional<ErrorCode> WriteMeshFile(const MeshDocument& document,
                                       const std::filesystem::path& path) {
  auto contents = FormatMeshFile(document);
  if (const ErrorCode* error = std::get_if<ErrorCode>(&contents)) return *error;
  return WriteFileContents(path, std::get<std::string>(contents));
}

}  // namespace koravel
