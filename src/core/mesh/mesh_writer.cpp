#include "core/mesh/mesh_writer.h"

#include <cstdlib>

#include "core/io/file_replace.h"

namespace koravel {
namespace {

constexpr std::size_t kCommentWidth = 40;
constexpr std::size_t kFillerWidth = 584;
constexpr std::size_t kLineBytes = 1011;
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
    const MeshDocument& doc = document_;
    AppendRightAligned(doc.MeshCode, 6);
    AppendRightAligned(doc.MapScale, 5);
    AppendRightAligned(doc.SurveyYear, 4);
    AppendRightAligned(doc.RevisionYear, 4);
    AppendRightAligned(doc.DigitizeYear, 4);
    AppendZeroPadded(doc.LONPointN, 3);
    AppendZeroPadded(doc.LATPointN, 3);
    for (const CornerAngle* corner : {&doc.SWLat, &doc.SWLon, &doc.NELat, &doc.NELon}) {
      AppendRightAligned(corner->Deg, 3);
      AppendRightAligned(corner->Min, 2);
      AppendRightAligned(corner->Sec, 2);
    }
    AppendZeroPadded(doc.SheetCount, 1);
    for (std::size_t sheet = 0; sheet < doc.SheetName.size(); ++sheet) {
      AppendRightAligned(doc.SheetName[sheet], 10);
      AppendZeroPadded(doc.SheetFlag[sheet], 1);
    }
    AppendZeroPadded(doc.RecordCount, 3);
    AppendComment();
    for (int row = 1; row <= kMeshSize; ++row) AppendZeroPadded(doc.RecordFlag[row], 1);
    output_.append(kFillerWidth, ' ');
    output_.append(kLineEnd);
  }

  void AppendRecord(int row) {
    AppendRightAligned(document_.MeshCode, 6);
    AppendZeroPadded(row, 3);
    for (int x = 1; x <= kMeshSize; ++x) {
      const std::int32_t value = document_.Elevation(x, row);
      AppendZeroPadded(value, value < 0 ? 4 : 5, 5);
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

  // The comment field holds exactly 40 characters: a longer comment is cut,
  // a shorter one padded with ideographic spaces, which with full-width sheet
  // names keeps the header as long as a data line, as GDAL expects.
  void AppendComment() {
    const Cp932Text& comment = document_.MeshComment;
    if (comment.CharacterCount() == kCommentWidth) {
      AppendEncoded(comment.ToCp932(codec_));
      return;
    }
    std::string text = FirstCharacters(comment.Text(), kCommentWidth);
    for (std::size_t n = CountCharacters(text); n < kCommentWidth; ++n) text += kIdeographicSpace;
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
  return ReplaceFileContents(path, std::get<std::string>(contents));
}

}  // namespace koravel
