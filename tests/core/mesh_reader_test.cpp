#include "mesh/mesh_reader.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <streambuf>

#include "mesh_file_fields.h"

namespace koravel {
namespace {

using test::MeshFileFields;

MeshReadResult ReadText(const std::string& bytes) {
  std::istringstream input(bytes);
  return ReadMesh(input);
}

MeshDocument ReadValid(const std::string& bytes) {
  MeshReadResult result = ReadText(bytes);
  EXPECT_FALSE(result.error) << MessageText(*result.error);
  return result.document.value_or(MeshDocument());
}

TEST(MeshReader, ReadsEveryHeaderFieldOfAStandardMesh) {
  MeshFileFields fields;
  fields.sheet_count = "2";
  fields.sheets = "Tokyo     1" "Yokohama  2" "          0" "          x";
  const MeshDocument doc = ReadValid(fields.File());
  EXPECT_EQ(doc.MeshCode.Text(), "533945");
  EXPECT_EQ(doc.MapScale.Text(), "25000");
  EXPECT_EQ(doc.SurveyYear.Text(), "1983");
  EXPECT_EQ(doc.RevisionYear.Text(), "1992");
  EXPECT_EQ(doc.DigitizeYear.Text(), "1994");
  EXPECT_EQ(doc.LONPointN, 200);
  EXPECT_EQ(doc.LATPointN, 200);
  EXPECT_EQ(doc.SWLat.DisplayText(), "035°40' 00\"");
  EXPECT_EQ(doc.NELon.DisplayText(), "139°45' 00\"");
  EXPECT_DOUBLE_EQ(doc.SWLatSeconds, 35 * 3600 + 40 * 60);
  EXPECT_EQ(doc.SWLonSeconds, 139 * 3600 + 37 * 60 + 30);
  EXPECT_DOUBLE_EQ(doc.NELatSeconds, 35 * 3600 + 45 * 60);
  EXPECT_EQ(doc.NELonSeconds, 139 * 3600 + 45 * 60);
  EXPECT_DOUBLE_EQ(doc.LatStep, 1.5);
  EXPECT_DOUBLE_EQ(doc.LonStep, 2.25);
  EXPECT_EQ(doc.SheetCount, 2);
  EXPECT_EQ(doc.SheetName[1].Text(), "Yokohama  ");
  EXPECT_EQ(doc.SheetFlag[1], 2);
  EXPECT_EQ(doc.SheetFlag[3], 0) << "a letter in a sheet code reads as 0";
  EXPECT_EQ(doc.RecordCount, 200);
  EXPECT_EQ(doc.MeshComment.Text(), std::string(40, 'c'));
  EXPECT_EQ(doc.RecordFlag[1], 1);
  EXPECT_EQ(doc.RecordFlag[200], 1);
}

TEST(MeshReader, PlacesEveryValueAtItsColumnAndRow) {
  const MeshDocument doc = ReadValid(MeshFileFields().File());
  for (auto [x, y] : {std::pair{1, 1}, {200, 1}, {1, 200}, {200, 200}, {37, 151}}) {
    EXPECT_EQ(doc.Elevation(x, y), x + 201 * y) << x << "," << y;
  }
  EXPECT_EQ(doc.MinElevation, 1 + 201) << "the first value read is the least";
  EXPECT_EQ(doc.MaxElevation, 200 + 201 * 200) << "the last value read is the greatest";
}

TEST(MeshReader, CountsDoubleByteCharactersAsOneCharacterOfAField) {
  MeshFileFields fields;
  std::string full_width_comment;
  for (int i = 0; i < 40; ++i) full_width_comment += "\x82\xa0";  // あ
  fields.comment = full_width_comment;
  fields.sheets = "\x93\x8c\x8b\x9e" "\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40" "1" +
                  std::string(33, ' ');
  const MeshDocument doc = ReadValid(fields.File());
  EXPECT_EQ(doc.MeshComment.CharacterCount(), 40u);
  EXPECT_EQ(doc.MeshComment.Text().substr(0, 3), "あ");
  EXPECT_EQ(doc.SheetName[0].Text().substr(0, 6), "東京");
  EXPECT_EQ(doc.SheetFlag[0], 1);
  EXPECT_EQ(doc.Elevation(5, 5), 5 + 201 * 5);
}

TEST(MeshReader, ReadsFilesWithLineFeedOnlyLineEndsLikeCrLfFiles) {
  MeshFileFields lf_fields;
  lf_fields.line_end = "\n";
  const MeshDocument crlf = ReadValid(MeshFileFields().File());
  const MeshDocument lf = ReadValid(lf_fields.File());
  for (int y = 1; y <= kMeshSize; y += 13) {
    for (int x = 1; x <= kMeshSize; x += 17) ASSERT_EQ(lf.Elevation(x, y), crlf.Elevation(x, y));
  }
  EXPECT_EQ(lf.MaxElevation, crlf.MaxElevation);
}

TEST(MeshReader, FillsTheRowThatARecordNumberNames) {
  MeshFileFields fields;
  fields.record_flags = "11" + std::string(198, '0');
  fields.record_count = "002";
  const MeshDocument doc = ReadValid(fields.Header() + fields.Record(1, 2) + fields.Record(2, 1));
  EXPECT_EQ(doc.Elevation(7, 2), 7 + 201 * 1) << "values of the first record went to row 2";
  EXPECT_EQ(doc.Elevation(7, 1), 7 + 201 * 2);
  EXPECT_EQ(doc.Elevation(7, 3), kNoData);
}

TEST(MeshReader, AcceptsARecordNumberedZeroWithoutShowingIt) {
  MeshFileFields fields;
  fields.record_flags = "11" + std::string(198, '0');
  const MeshReadResult result = ReadText(fields.Header() + fields.Record(1, 0) + fields.Record(2, 2));
  ASSERT_TRUE(result.document);
  EXPECT_EQ(result.document->Elevation(9, 1), kNoData);
  EXPECT_EQ(result.document->Elevation(9, 2), 9 + 201 * 2);
}

TEST(MeshReader, LeavesOmittedRowsWithoutDataAndWarnsOfThem) {
  MeshFileFields fields;
  fields.record_flags = std::string(200, '1');
  fields.record_flags[2] = '0';
  fields.record_flags[6] = '2';
  fields.record_count = "198";
  const MeshReadResult result = ReadText(fields.File());
  ASSERT_TRUE(result.document);
  EXPECT_EQ(result.warnings, std::vector<Warning>{Warning::OmittedRecords});
  EXPECT_EQ(result.document->Elevation(1, 3), kNoData);
  EXPECT_EQ(result.document->Elevation(200, 7), kNoData);
  EXPECT_EQ(result.document->RecordFlag[7], 2);
  EXPECT_EQ(result.document->Elevation(1, 4), 1 + 201 * 4);
}

TEST(MeshReader, WarnsOnlyWhenTheRecordCountIsBelowTwoHundred) {
  for (auto [count, warned] : {std::pair{"199", true}, {"200", false}, {"  0", true}, {"201", false}}) {
    MeshFileFields fields;
    fields.record_count = count;
    EXPECT_EQ(ReadText(fields.File()).warnings.size(), warned ? 1u : 0u) << count;
  }
}

TEST(MeshReader, ReadsAMeshWithoutRecordsAsNoDataThroughout) {
  MeshFileFields fields;
  fields.record_flags = std::string(200, '0');
  const MeshDocument doc = ReadValid(fields.File());
  EXPECT_EQ(doc.Elevation(1, 1), kNoData);
  EXPECT_EQ(doc.Elevation(200, 200), kNoData);
  EXPECT_EQ(doc.MaxElevation, 0);
  EXPECT_EQ(doc.MinElevation, 9999);
}

std::string WithValue(int x, int y, const char* text) {
  MeshFileFields fields;
  fields.value_text = [=](int cx, int cy) {
    return cx == x && cy == y ? std::string(text) : MeshFileFields::DefaultValueText(cx, cy);
  };
  return fields.File();
}

struct LenientValueCase {
  const char* text;
  std::int32_t value;
};

TEST(MeshReader, ReadsValueFieldsLeniently) {
  const LenientValueCase cases[] = {
      {"  123", 123}, {"-0005", -5},     {"99999", 99999}, {"-9999", kNoData}, {"12.5 ", 12},
      {"13.5 ", 14},  {"1e3  ", 1000},   {"abcde", 0},     {"     ", 0},      {"4 2 1", 421},
      {"40000", 40000},
  };
  for (const LenientValueCase& c : cases) {
    MeshFileFields fields;
    fields.value_text = [&](int x, int y) {
      return x == 3 && y == 4 ? std::string(c.text) : MeshFileFields::DefaultValueText(x, y);
    };
    EXPECT_EQ(ReadValid(fields.File()).Elevation(3, 4), c.value) << c.text;
  }
}

TEST(MeshReader, CountsADoubleByteCharacterInAValueAsOneCharacter) {
  // Record 64 puts a double-byte character across the reader's 64 KiB block edge.
  const MeshDocument doc = ReadValid(WithValue(181, 64, "12\x82\x4f" "12"));
  EXPECT_EQ(doc.Elevation(181, 64), 12);
  EXPECT_EQ(doc.Elevation(182, 64), 182 + 201 * 64);
  EXPECT_EQ(doc.Elevation(1, 65), 1 + 201 * 65);
  const MeshDocument early = ReadValid(WithValue(3, 4, "\x82\x4f" "1234"));
  EXPECT_EQ(early.Elevation(3, 4), 0) << "a full-width digit is no digit";
  EXPECT_EQ(early.Elevation(4, 4), 4 + 201 * 4);
}

TEST(MeshReader, NeverTestsCornersSheetsCountsOrFlags) {
  MeshFileFields fields;
  fields.corners = "abc4000" "1393730" "0354500" "1394500";
  fields.sheet_count = "x";
  fields.record_count = "   ";
  fields.record_flags = "1" + std::string(199, 'z');
  const MeshDocument doc = ReadValid(fields.File());
  EXPECT_DOUBLE_EQ(doc.SWLatSeconds, 40 * 60);
  EXPECT_EQ(doc.SWLat.DisplayText(), "abc°40' 00\"");
  EXPECT_EQ(doc.SheetCount, 0);
  EXPECT_EQ(doc.RecordCount, 0);
  EXPECT_EQ(doc.RecordFlag[2], 0);
  EXPECT_EQ(doc.Elevation(1, 2), kNoData);
}

struct BadInputCase {
  const char* name;
  std::function<std::string()> file;
  ErrorCode error;
};

std::string WithField(std::string MeshFileFields::*field, const char* text) {
  MeshFileFields fields;
  fields.*field = text;
  return fields.File();
}

std::string Cut(std::size_t length) { return MeshFileFields().File().substr(0, length); }

const BadInputCase kBadInputs[] = {
    {"empty file", [] { return std::string(); }, ErrorCode::FileError},
    {"five characters", [] { return std::string("53394"); }, ErrorCode::FileError},
    {"only a mesh code", [] { return std::string("533945"); }, ErrorCode::NotMeshFile},
    {"letters in mesh code", [] { return WithField(&MeshFileFields::mesh_code, "53A945"); }, ErrorCode::NotMeshFile},
    {"blank mesh code", [] { return WithField(&MeshFileFields::mesh_code, "      "); }, ErrorCode::NotMeshFile},
    {"letters in scale", [] { return WithField(&MeshFileFields::map_scale, "  abc"); }, ErrorCode::NotMeshFile},
    {"blank inside scale", [] { return WithField(&MeshFileFields::map_scale, "25 00"); }, ErrorCode::NotMeshFile},
    {"letters in survey year", [] { return WithField(&MeshFileFields::survey_year, "19x3"); }, ErrorCode::NotMeshFile},
    {"blank revision year", [] { return WithField(&MeshFileFields::revision_year, "    "); }, ErrorCode::NotMeshFile},
    {"letters in digitize year", [] { return WithField(&MeshFileFields::digitize_year, "abcd"); }, ErrorCode::NotMeshFile},
    {"letters in lon points", [] { return WithField(&MeshFileFields::lon_points, "2x0"); }, ErrorCode::NotMeshFile},
    {"blank lat points", [] { return WithField(&MeshFileFields::lat_points, "   "); }, ErrorCode::NotMeshFile},
    {"zero lon points", [] { return WithField(&MeshFileFields::lon_points, "000"); }, ErrorCode::NotMeshFile},
    {"zero lat points", [] { return WithField(&MeshFileFields::lat_points, "000"); }, ErrorCode::NotMeshFile},
    {"lat points rounding to zero", [] { return WithField(&MeshFileFields::lat_points, "0.4"); }, ErrorCode::NotMeshFile},
    {"record count too big for 16 bits", [] { return WithField(&MeshFileFields::record_count, "1e5"); }, ErrorCode::NotMeshFile},
    {"longitude too big for 32 bits", [] { return WithField(&MeshFileFields::corners, "0354000" "9e93730" "0354500" "1394500"); }, ErrorCode::NotMeshFile},
    {"cut inside the header", [] { return Cut(500); }, ErrorCode::NotMeshFile},
    {"cut inside the filler", [] { return Cut(900); }, ErrorCode::NotMeshFile},
    {"cut inside a record", [] { return Cut(931 + 1011 * 120 + 400); }, ErrorCode::NotMeshFile},
    {"cut before the last line end", [] { return Cut(931 + 1011 * 200 - 2); }, ErrorCode::NotMeshFile},
    {"cut inside the last line end", [] { return Cut(931 + 1011 * 200 - 1); }, ErrorCode::NotMeshFile},
    {"record numbered 201", [] {
       MeshFileFields fields;
       fields.record_flags = "1" + std::string(199, '0');
       return fields.Header() + fields.Record(1, 201);
     }, ErrorCode::NotMeshFile},
    {"negative record number", [] {
       MeshFileFields fields;
       fields.record_flags = "1" + std::string(199, '0');
       return fields.Header() + fields.Record(1, 1).replace(6, 3, " -1");
     }, ErrorCode::NotMeshFile},
    {"invalid CP932 in the comment", [] { return WithField(&MeshFileFields::comment, "\x81\x20" "bcdefghijklmnopqrstuvwxyz0123456789abcd"); }, ErrorCode::NotMeshFile},
    {"undefined CP932 byte in a sheet name", [] { return WithField(&MeshFileFields::sheets, "\xa0" "okyo     1" "          0" "          0" "          0"); }, ErrorCode::NotMeshFile},
    {"invalid CP932 in a value", [] { return WithValue(10, 10, "\x81\x20" "1234"); }, ErrorCode::NotMeshFile},
    {"invalid CP932 in a record flag", [] { return WithField(&MeshFileFields::record_flags, ("\xa0" + std::string(199, '1')).c_str()); }, ErrorCode::NotMeshFile},
    {"value too big for 32 bits", [] { return WithValue(10, 10, "9e+99"); }, ErrorCode::NotMeshFile},
    {"minimum too low for 16 bits", [] { return WithValue(10, 10, "-4e4 "); }, ErrorCode::NotMeshFile},
    {"double-byte lead at the end", [] { return std::string("53394\x82"); }, ErrorCode::FileError},
};

TEST(MeshReader, RefusesBadInputWithItsOwnErrorAndNoDocument) {
  for (const BadInputCase& c : kBadInputs) {
    const MeshReadResult result = ReadText(c.file());
    EXPECT_FALSE(result.document) << c.name;
    EXPECT_EQ(result.error, c.error) << c.name;
  }
}

// An endless source of digits that counts what was taken from it.
class EndlessDigits : public std::streambuf {
 public:
  std::size_t served() const { return served_; }

 protected:
  int_type underflow() override {
    block_.assign(4096, '1');
    served_ += block_.size();
    setg(block_.data(), block_.data(), block_.data() + block_.size());
    return traits_type::to_int_type('1');
  }

 private:
  std::string block_;
  std::size_t served_ = 0;
};

TEST(MeshReader, StopsAfterTheLastExpectedRecordOfAnEndlessFileOfDigits) {
  EndlessDigits digits;
  std::istream input(&digits);
  const MeshReadResult result = ReadMesh(input);
  ASSERT_TRUE(result.document) << "digits make a header of numbers and records of values";
  EXPECT_LE(digits.served(), 931u + 200 * 1011 + 65536 + 4096) << "read beyond the last record";
}

TEST(MeshReadFile, TellsAMissingFileFromAMissingFolderAndAFolder) {
  test::ScratchFolder folder;
  EXPECT_EQ(ReadMeshFile(folder.Path("absent.mem")).error, ErrorCode::FileNotFound);
  EXPECT_EQ(ReadMeshFile(folder.Path("absent/x.mem")).error, ErrorCode::PathNotFound);
  EXPECT_EQ(ReadMeshFile(folder.Path("")).error, ErrorCode::FileError);
  test::WriteBytes(folder.Path("plain"), "x");
  EXPECT_EQ(ReadMeshFile(folder.Path("plain/x.mem")).error, ErrorCode::PathNotFound);
}

TEST(MeshReadFile, NamesTheFileItReadInTheDocument) {
  test::ScratchFolder folder;
  test::WriteBytes(folder.Path("a.mem"), MeshFileFields().File());
  const MeshReadResult result = ReadMeshFile(folder.Path("a.mem"));
  ASSERT_TRUE(result.document);
  EXPECT_EQ(result.document->MeshFileName, folder.Path("a.mem").string());
}

}  // namespace
}  // namespace koravel
