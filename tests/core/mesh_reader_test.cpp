#include "core/mesh/mesh_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>

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

// The value of column x in row y begins at 931 + 1011 (y - 1) + 9 + 5 (x - 1) in a standard file.
std::string WithValue(int x, int y, const std::string& text) {
  return MeshFileFields().File().replace(931 + 1011 * (y - 1) + 9 + 5 * (x - 1), 5, text);
}

TEST(MeshReader, ReadsEveryHeaderFieldOfAStandardMesh) {
  MeshFileFields fields;
  fields.sheet_count = "2";
  fields.sheets = "Tokyo     1" "Yokohama  2" "          0" "          0";
  const MeshDocument doc = ReadValid(fields.File());
  EXPECT_EQ(std::tuple(doc.MeshCode.Text(), doc.MapScale.Text(), doc.SurveyYear.Text(), doc.RevisionYear.Text(),
                       doc.DigitizeYear.Text()),
            std::tuple("533945", "25000", "1983", "1992", "1994"));
  EXPECT_EQ(std::tuple(doc.SWLatSeconds, doc.SWLonSeconds, doc.NELatSeconds, doc.NELonSeconds),
            std::tuple(35 * 3600 + 40 * 60, 139 * 3600 + 37 * 60 + 30, 35 * 3600 + 45 * 60, 139 * 3600 + 45 * 60));
  EXPECT_EQ(std::tuple(doc.LatStep, doc.LonStep), std::tuple(1.5, 2.25));
  EXPECT_EQ(std::tuple(doc.SheetCount, doc.SheetName[1].Text(), doc.SheetFlag[1], doc.RecordCount),
            std::tuple(2, "Yokohama  ", 2, 200));
  EXPECT_EQ(doc.MeshComment.Text(), std::string(40, 'c'));
}

TEST(MeshReader, PlacesEveryValueAtItsColumnAndRowWithEitherLineEnd) {
  for (const std::string line_end : {"\r\n", "\n"}) {
    MeshFileFields fields;
    fields.line_end = line_end;
    const MeshDocument doc = ReadValid(fields.File());
    for (auto [x, y] : {std::pair{1, 1}, {200, 1}, {1, 200}, {200, 200}, {37, 151}}) {
      EXPECT_EQ(doc.Elevation(x, y), x + 201 * y) << x << "," << y << " line end " << line_end.size();
    }
    EXPECT_EQ(doc.MinElevation, 1 + 201) << "the first value read is the least";
    EXPECT_EQ(doc.MaxElevation, 200 + 201 * 200) << "the last value read is the greatest";
  }
}

TEST(MeshReader, CountsDoubleByteCharactersAsOneCharacterOfAField) {
  MeshFileFields fields;
  fields.comment = test::Repeated("\x82\xa0", 40);  // あ
  fields.sheets = "\x93\x8c\x8b\x9e" + test::Repeated("\x81\x40", 8) + "1" + std::string(33, ' ');
  const MeshDocument doc = ReadValid(fields.File());
  EXPECT_EQ(doc.MeshComment.CharacterCount(), 40u);
  EXPECT_EQ(doc.MeshComment.Text().substr(0, 3), "あ");
  EXPECT_EQ(doc.SheetName[0].Text().substr(0, 6), "東京");
  EXPECT_EQ(doc.SheetFlag[0], 1);
  EXPECT_EQ(doc.Elevation(5, 5), 5 + 201 * 5);
}

TEST(MeshReader, FillsTheRowThatARecordNumberNamesAndLeavesRowsWithoutARecordWithoutData) {
  MeshFileFields fields;
  fields.record_flags = "11012" + std::string(195, '0');
  const MeshDocument doc =
      ReadValid(fields.Header() + fields.Record(1, 4) + fields.Record(4, 1) + fields.Record(2, 0));
  EXPECT_EQ(doc.Elevation(7, 4), 7 + 201 * 1) << "values of the first record went to row 4";
  EXPECT_EQ(doc.Elevation(7, 1), 7 + 201 * 4);
  EXPECT_EQ(doc.Elevation(7, 2), kNoData) << "a record numbered 0 shows nowhere";
  EXPECT_EQ(doc.Elevation(1, 3), kNoData);
  EXPECT_EQ(doc.Elevation(200, 5), kNoData);
  EXPECT_EQ(doc.RecordFlag[5], 2);
  fields.record_flags = std::string(200, '0');
  const MeshDocument empty = ReadValid(fields.File());
  EXPECT_EQ(std::tuple(empty.Elevation(200, 200), empty.MaxElevation, empty.MinElevation),
            std::tuple(kNoData, 0, 9999));
}

TEST(MeshReader, WarnsOfOmittedRecordsBelowTwoHundredAndOfDataAfterTheLastRecord) {
  constexpr Warning kOmitted = Warning::OmittedRecords, kAfter = Warning::DataAfterLastRecord;
  const std::tuple<const char*, const char*, std::vector<Warning>> cases[] = {
      {"199", "", {kOmitted}}, {"200", "", {}},       {"  0", "", {kOmitted}},
      {"201", "", {}},         {"200", "\x1a", {kAfter}}, {"199", "\r\n", {kOmitted, kAfter}},
  };
  for (const auto& [count, after, warnings] : cases) {
    MeshFileFields fields;
    fields.record_count = count;
    const MeshReadResult result = ReadText(fields.File() + after);
    EXPECT_TRUE(result.document) << count;
    EXPECT_EQ(result.warnings, warnings) << count << " then " << std::string(after).size() << " bytes";
  }
}

TEST(MeshReader, ReadsValueFieldsLenientlyCountingCharacters) {
  // Record 64 runs across the reader's 64 KiB block edge; column 181 sits on it.
  const std::pair<const char*, std::int32_t> cases[] = {
      {"  123", 123}, {"-0005", -5}, {"-9999", kNoData}, {"40000", 40000},        {"12.5 ", 12},
      {"13.5 ", 14},  {"abcde", 0},  {"     ", 0},      {"4 2 1", 421},          {"\x82\x4f" "1234", 0},
      {"12\x82\x4f" "12", 12},
  };
  for (const auto& [text, value] : cases) {
    const MeshDocument doc = ReadValid(WithValue(181, 64, text));
    EXPECT_EQ(doc.Elevation(181, 64), value) << text;
    EXPECT_EQ(doc.Elevation(182, 64), 182 + 201 * 64) << text;
    EXPECT_EQ(doc.Elevation(1, 65), 1 + 201 * 65) << text;
  }
}

TEST(MeshReader, NeverTestsCornersSheetsCountsOrFlags) {
  MeshFileFields fields;
  fields.corners = "abc4000" "1393730" "0354500" "1394500";
  fields.sheet_count = "x";
  fields.sheets = "Tokyo     x" + std::string(33, ' ');
  fields.record_count = "   ";
  fields.record_flags = "1" + std::string(199, 'z');
  const MeshDocument doc = ReadValid(fields.File());
  EXPECT_DOUBLE_EQ(doc.SWLatSeconds, 40 * 60);
  EXPECT_EQ(doc.SWLat.DisplayText(), "abc°40' 00\"");
  EXPECT_EQ(std::tuple(doc.SheetCount, doc.SheetFlag[0], doc.RecordCount, doc.RecordFlag[2]), std::tuple(0, 0, 0, 0));
  EXPECT_EQ(doc.Elevation(1, 2), kNoData);
}

std::string WithField(std::string MeshFileFields::*field, const std::string& text) {
  MeshFileFields fields;
  fields.*field = text;
  return fields.File();
}

std::string Cut(std::size_t length) { return MeshFileFields().File().substr(0, length); }

std::string WithRecordNumber(const std::string& text) {
  return MeshFileFields().File().replace(931 + 6, 3, text);
}

TEST(MeshReader, RefusesBadInputWithItsOwnErrorAndNoDocument) {
  using F = MeshFileFields;
  constexpr ErrorCode kFileError = ErrorCode::FileError, kNotMesh = ErrorCode::NotMeshFile;
  const std::size_t kRecordsEnd = 931 + 1011 * 200;
  const std::tuple<const char*, std::string, ErrorCode> cases[] = {
      {"empty file", "", kFileError},
      {"double-byte lead after five characters", "53394\x82", kFileError},
      {"only a mesh code", "533945", kNotMesh},
      {"letters in mesh code", WithField(&F::mesh_code, "53A945"), kNotMesh},
      {"letters in scale", WithField(&F::map_scale, "  abc"), kNotMesh},
      {"letters in survey year", WithField(&F::survey_year, "19x3"), kNotMesh},
      {"blank revision year", WithField(&F::revision_year, "    "), kNotMesh},
      {"letters in digitize year", WithField(&F::digitize_year, "abcd"), kNotMesh},
      {"letters in lon points", WithField(&F::lon_points, "2x0"), kNotMesh},
      {"blank lat points", WithField(&F::lat_points, "   "), kNotMesh},
      {"zero lon points", WithField(&F::lon_points, "000"), kNotMesh},
      {"lat points rounding to zero", WithField(&F::lat_points, "0.4"), kNotMesh},
      {"record count too big for 16 bits", WithField(&F::record_count, "1e5"), kNotMesh},
      {"longitude too big for 32 bits", WithField(&F::corners, "0354000" "9e93730" "0354500" "1394500"), kNotMesh},
      {"cut inside the record flags", Cut(500), kNotMesh},
      {"cut inside the filler", Cut(900), kNotMesh},
      {"cut inside a record", Cut(931 + 1011 * 120 + 400), kNotMesh},
      {"cut before the last line end", Cut(kRecordsEnd - 2), kNotMesh},
      {"cut inside the last line end", Cut(kRecordsEnd - 1), kNotMesh},
      {"record numbered 201", WithRecordNumber("201"), kNotMesh},
      {"negative record number", WithRecordNumber(" -1"), kNotMesh},
      {"invalid CP932 in the comment", WithField(&F::comment, "\x81\x20" + std::string(38, 'c')), kNotMesh},
      {"undefined CP932 byte in a record flag", WithField(&F::record_flags, "\xa0" + std::string(199, '1')), kNotMesh},
      {"invalid CP932 in a value", WithValue(10, 10, "\x81\x20" "1234"), kNotMesh},
      {"value too big for 32 bits", WithValue(10, 10, "9e+99"), kNotMesh},
      {"minimum too low for 16 bits", WithValue(10, 10, "-4e4 "), kNotMesh},
      {"corners that make no step", WithField(&F::corners, "0354000" "1393730" "0354000" "1393730"), kNotMesh},
      {"east edge west of the west edge", WithField(&F::corners, "0354000" "1394500" "0354500" "1393730"), kNotMesh},
      {"north of the last mesh code at 66 40'", WithField(&F::corners, "0664000" "1393730" "0664500" "1394500"),
       kNotMesh},
      {"west of the first mesh code at 100", WithField(&F::corners, "0354000" "0993000" "0354500" "1000000"), kNotMesh},
      {"nothing but digits", std::string(931 + 1011 * 200, '5'), kNotMesh},
      {"blanks for line ends", WithField(&F::line_end, "  "), kNotMesh},
      {"a record followed by blanks", MeshFileFields().File().replace(931 + 1009, 2, "  "), kNotMesh},
  };
  for (const auto& [name, file, error] : cases) {
    const MeshReadResult result = ReadText(file);
    EXPECT_FALSE(result.document) << name;
    EXPECT_EQ(result.error, error) << name;
  }
}

TEST(MeshReader, StopsAfterTheLastExpectedRecordOfAnEndlessFileAndWarnsOfTheRest) {
  test::GeneratedInput records(MeshFileFields().Header(), MeshFileFields().Record(1, 1), SIZE_MAX, false);
  std::istream input(&records);
  const MeshReadResult result = ReadMesh(input);
  ASSERT_TRUE(result.document);
  EXPECT_EQ(result.warnings, std::vector{Warning::DataAfterLastRecord});
  EXPECT_LE(records.Served(), 931u + 200 * 1011 + 2 * 65536) << "read beyond the last record";
}

TEST(MeshReadFile, NamesTheFileItReadAndTellsAMissingFileFromAMissingFolder) {
  test::ScratchFolder folder;
  test::WriteBytes(folder.Path("a.mem"), MeshFileFields().File());
  const MeshReadResult result = ReadMeshFile(folder.Path("a.mem"));
  ASSERT_TRUE(result.document);
  EXPECT_EQ(result.document->MeshFileName, folder.Path("a.mem").string());
  EXPECT_EQ(ReadMeshFile(folder.Path("absent.mem")).error, ErrorCode::FileNotFound);
  EXPECT_EQ(ReadMeshFile(folder.Path("absent/x.mem")).error, ErrorCode::PathNotFound);
  EXPECT_EQ(ReadMeshFile(folder.Path("a.mem/x.mem")).error, ErrorCode::PathNotFound);
  EXPECT_EQ(ReadMeshFile(folder.Path("")).error, ErrorCode::FileError) << "a folder";
  ASSERT_EQ(mkfifo(folder.Path("pipe.mem").c_str(), 0600), 0);
  EXPECT_EQ(ReadMeshFile(folder.Path("pipe.mem")).error, ErrorCode::NotRegularFile) << "opened at once";
  EXPECT_EQ(ReadMeshFile("/dev/zero").error, ErrorCode::NotRegularFile);
}

}  // namespace
}  // namespace koravel
