#include "mesh/mesh_writer.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <sstream>

#include "mesh/mesh_reader.h"
#include "mesh_file_fields.h"

namespace koravel {
namespace {

using test::MeshFileFields;

MeshDocument Read(const std::string& bytes) {
  std::istringstream input(bytes);
  MeshReadResult result = ReadMesh(input);
  EXPECT_TRUE(result.document);
  return result.document.value_or(MeshDocument());
}

std::string Format(const MeshDocument& document) {
  auto bytes = FormatMeshFile(document);
  EXPECT_TRUE(std::holds_alternative<std::string>(bytes));
  return std::holds_alternative<std::string>(bytes) ? std::get<std::string>(bytes) : "";
}

std::string FullWidth(const char* double_byte, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += double_byte;
  return text;
}

TEST(MeshWriter, WritesAnUneditedSampleBackByteForByte) {
  const std::string sample = test::ReadBytes(KORAVEL_SAMPLE_MESH);
  ASSERT_EQ(sample.size(), 1011u * 201);
  EXPECT_EQ(Format(Read(sample)), sample);
}

TEST(MeshWriter, KeepsTheBytesOfCharactersThatCp932EncodesTwoWays) {
  MeshFileFields fields;
  // 0xED40 is the NEC-selected copy of IBM's 0xFA5C; both decode to one character.
  fields.sheets = "\xed\x40" + FullWidth("\x81\x40", 9) + "1" "          0" "          0" "          0";
  fields.comment = "\xfa\x5c" + FullWidth("\x81\x40", 39);
  const std::string file = fields.File();
  EXPECT_EQ(Format(Read(file)), file);
}

TEST(MeshWriter, ChangesOnlyTheEditedValue) {
  const std::string original = MeshFileFields().File();
  MeshDocument doc = Read(original);
  doc.SetElevation(17, 42, -5);
  std::string expected = original;
  expected.replace(931 + 1011 * 41 + 9 + 5 * 16, 5, "-0005");
  EXPECT_EQ(Format(doc), expected);
}

TEST(MeshWriter, WritesEveryValueInExactlyFiveCharacters) {
  const std::pair<std::int32_t, const char*> cases[] = {
      {0, "00000"},  {5, "00005"},  {123, "00123"},   {1234, "01234"},  {37760, "37760"},
      {99999, "99999"}, {-1, "-0001"}, {-5, "-0005"}, {-9999, "-9999"},
  };
  MeshDocument doc = Read(MeshFileFields().File());
  for (const auto& [value, text] : cases) {
    doc.SetElevation(1, 1, value);
    EXPECT_EQ(Format(doc).substr(931 + 9, 5), text) << value;
  }
}

TEST(MeshWriter, NormalisesNumberFieldsAndKeepsTextFieldsAsRead) {
  MeshFileFields fields;
  fields.record_count = " 50";
  fields.sheets = "Tokyo     " " " "          0" "          0" "          0";
  fields.mesh_code = "53394 ";
  fields.map_scale = "2.5e4";
  const std::string header = Format(Read(fields.File())).substr(0, 931);
  EXPECT_EQ(header.substr(0, 11), "53394 2.5e4") << "text fields come back as read";
  EXPECT_EQ(header.substr(68, 1), "0") << "a blank sheet code is written as 0";
  EXPECT_EQ(header.substr(102, 3), "050");
}

TEST(MeshWriter, PadsAShortCommentWithIdeographicSpacesAndCutsALongOne) {
  MeshDocument doc = Read(MeshFileFields().File());
  doc.MeshComment.SetText("abc");
  EXPECT_EQ(Format(doc).substr(105, 3 + 37 * 2), "abc" + FullWidth("\x81\x40", 37));

  doc.MeshComment.SetText(std::string(45, 'x'));
  EXPECT_EQ(Format(doc).substr(105, 41), std::string(40, 'x') + "1");

  doc.MeshComment.SetText(FullWidth("あ", 40));
  for (auto& name : doc.SheetName) name.SetText(FullWidth("い", 10));
  EXPECT_EQ(Format(doc).find("\r\n"), 1009u) << "full-width names and comment make a 1009-byte header";
}

TEST(MeshWriter, WritesNoRecordForOmittedRowsEvenWhenEdited) {
  MeshFileFields fields;
  fields.record_flags = "101" + std::string(197, '0');
  fields.record_count = "002";
  MeshDocument doc = Read(fields.File());
  doc.SetElevation(1, 2, 500);
  const std::string file = Format(doc);
  EXPECT_EQ(file.size(), 931u + 2 * 1011);
  EXPECT_EQ(file.substr(931 + 6, 3), "001");
  EXPECT_EQ(file.substr(931 + 1011 + 6, 3), "003");
}

TEST(MeshWriter, WritesTheEmptyDocumentAsAHeaderWithoutRecords) {
  const std::string file = Format(MeshDocument());
  EXPECT_EQ(file.substr(0, 34), std::string(23, ' ') + "000000" + std::string(5, ' '));
  EXPECT_EQ(file.substr(105, 80), FullWidth("\x81\x40", 40));
  EXPECT_EQ(file.substr(185, 200), std::string(200, '0'));
  EXPECT_EQ(file.size(), 185u + 200 + 584 + 2);
}

TEST(MeshWriter, RefusesTextThatCp932CannotEncode) {
  MeshDocument doc = Read(MeshFileFields().File());
  doc.MeshComment.SetText("山\xF0\x9F\x98\x80");
  const auto result = FormatMeshFile(doc);
  ASSERT_TRUE(std::holds_alternative<ErrorCode>(result));
  EXPECT_EQ(std::get<ErrorCode>(result), ErrorCode::UnencodableText);
}

TEST(MeshWriter, RefusesNumbersThatWouldNotFitTheirFields) {
  MeshFileFields wide_value;
  wide_value.value_text = [](int x, int y) {
    return x == 2 && y == 2 ? std::string("1e5  ") : MeshFileFields::DefaultValueText(x, y);
  };
  MeshFileFields wide_count;
  wide_count.lon_points = "1e4";
  MeshFileFields negative_count;
  negative_count.record_count = "-50";
  for (const MeshFileFields& fields : {wide_value, wide_count, negative_count}) {
    const auto result = FormatMeshFile(Read(fields.File()));
    ASSERT_TRUE(std::holds_alternative<ErrorCode>(result));
    EXPECT_EQ(std::get<ErrorCode>(result), ErrorCode::FieldOverflow);
  }
  MeshDocument doc = Read(MeshFileFields().File());
  doc.SetElevation(1, 1, -10000);
  EXPECT_TRUE(std::holds_alternative<ErrorCode>(FormatMeshFile(doc)));
}

class WriteMeshFileTest : public ::testing::Test {
 protected:
  MeshDocument document_ = Read(MeshFileFields().File());
  test::ScratchFolder folder_;
};

TEST_F(WriteMeshFileTest, LeavesTheFileOnDiskUntouchedWhenTheTextCannotBeEncoded) {
  test::WriteBytes(folder_.Path("a.mem"), "previous");
  document_.MeshComment.SetText("\xF0\x9F\x98\x80");
  EXPECT_EQ(WriteMeshFile(document_, folder_.Path("a.mem")), ErrorCode::UnencodableText);
  EXPECT_EQ(test::ReadBytes(folder_.Path("a.mem")), "previous");
  EXPECT_EQ(WriteMeshFile(document_, folder_.Path("new.mem")), ErrorCode::UnencodableText);
  EXPECT_FALSE(std::filesystem::exists(folder_.Path("new.mem")));
}

TEST_F(WriteMeshFileTest, RefusesAReadOnlyFileAndAFolderWithoutWriting) {
  test::WriteBytes(folder_.Path("locked.mem"), "previous");
  std::filesystem::permissions(folder_.Path("locked.mem"), std::filesystem::perms::owner_read);
  EXPECT_EQ(WriteMeshFile(document_, folder_.Path("locked.mem")), ErrorCode::InvalidPathOrNotWritable);
  EXPECT_EQ(test::ReadBytes(folder_.Path("locked.mem")), "previous");
  std::filesystem::create_directory(folder_.Path("folder.mem"));
  EXPECT_EQ(WriteMeshFile(document_, folder_.Path("folder.mem")), ErrorCode::InvalidPathOrNotWritable);
}

TEST_F(WriteMeshFileTest, RefusesToReplaceAPipeOrDeviceWithAPlainFile) {
  ASSERT_EQ(mkfifo(folder_.Path("pipe.mem").c_str(), 0644), 0);
  EXPECT_EQ(WriteMeshFile(document_, folder_.Path("pipe.mem")), ErrorCode::InvalidPathOrNotWritable);
  EXPECT_TRUE(std::filesystem::is_fifo(folder_.Path("pipe.mem")));
}

TEST_F(WriteMeshFileTest, ReportsAMissingFolderAsAFileError) {
  EXPECT_EQ(WriteMeshFile(document_, folder_.Path("absent/a.mem")), ErrorCode::FileError);
}

TEST_F(WriteMeshFileTest, ReplacesTheFileKeepingItsPermissionsAndLeavesNoTemporaryFile) {
  test::WriteBytes(folder_.Path("a.mem"), "previous");
  std::filesystem::permissions(folder_.Path("a.mem"), std::filesystem::perms::owner_read |
                                                          std::filesystem::perms::owner_write |
                                                          std::filesystem::perms::group_read);
  ASSERT_EQ(WriteMeshFile(document_, folder_.Path("a.mem")), std::nullopt);
  EXPECT_EQ(test::ReadBytes(folder_.Path("a.mem")), MeshFileFields().File());
  EXPECT_EQ(std::filesystem::status(folder_.Path("a.mem")).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::group_read);
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder_.Path(""))) ++entries;
  EXPECT_EQ(entries, 1);
}

}  // namespace
}  // namespace koravel
