#include "core/mesh/mesh_writer.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/mesh/mesh_reader.h"
#include "mesh_file_fields.h"

namespace koravel {
namespace {

using test::MeshFileFields;
using test::Repeated;

MeshDocument Read(const std::string& bytes) {
  std::istringstream input(bytes);
  MeshReadResult result = ReadMesh(input);
  EXPECT_TRUE(result.document);
  return result.document.value_or(MeshDocument());
}

std::string Format(const MeshDocument& document) {
  const auto bytes = FormatMeshFile(document);
  EXPECT_TRUE(std::holds_alternative<std::string>(bytes));
  return std::holds_alternative<std::string>(bytes) ? std::get<std::string>(bytes) : "";
}

std::optional<ErrorCode> FormatFailure(const MeshDocument& document) {
  const auto bytes = FormatMeshFile(document);
  if (const ErrorCode* error = std::get_if<ErrorCode>(&bytes)) return *error;
  return std::nullopt;
}

TEST(MeshWriter, WritesAnUneditedFileBackByteForByte) {
  MeshFileFields two_way;
  // 0xED40 is the NEC-selected copy of IBM's 0xFA5C; both decode to one character.
  two_way.sheets = "\xed\x40" + Repeated("\x81\x40", 9) + "1" "          0" "          0" "          0";
  two_way.comment = "\xfa\x5c" + Repeated("\x81\x40", 39);
  const std::string sample = test::ReadBytes(KORAVEL_SAMPLE_MESH);
  ASSERT_EQ(sample.size(), 1011u * 201);
  for (const std::string& file : {sample, two_way.File()}) EXPECT_EQ(Format(Read(file)), file);
}

// The value of (17, 42) begins at 931 + 1011 * 41 + 9 + 5 * 16.
TEST(MeshWriter, ChangesOnlyTheEditedValueWrittenInExactlyFiveCharacters) {
  const std::pair<std::int32_t, const char*> cases[] = {
      {0, "00000"},  {5, "00005"},  {123, "00123"},   {1234, "01234"},  {37760, "37760"},
      {99999, "99999"}, {-1, "-0001"}, {-5, "-0005"}, {-9999, "-9999"},
  };
  const std::string original = MeshFileFields().File();
  MeshDocument doc = Read(original);
  for (const auto& [value, text] : cases) {
    doc.SetElevation(17, 42, value);
    EXPECT_EQ(Format(doc), std::string(original).replace(931 + 1011 * 41 + 9 + 5 * 16, 5, text)) << value;
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
  EXPECT_EQ(Format(doc).substr(105, 3 + 37 * 2), "abc" + Repeated("\x81\x40", 37));

  doc.MeshComment.SetText(std::string(45, 'x'));
  EXPECT_EQ(Format(doc).substr(105, 41), std::string(40, 'x') + "1");

  doc.MeshComment.SetText(Repeated("あ", 40));
  for (auto& name : doc.SheetName) name.SetText(Repeated("い", 10));
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
  EXPECT_EQ(file.substr(105, 80), Repeated("\x81\x40", 40));
  EXPECT_EQ(file.substr(185, 200), std::string(200, '0'));
  EXPECT_EQ(file.size(), 185u + 200 + 584 + 2);
}

TEST(MeshWriter, RefusesNumbersThatWouldNotFitTheirFields) {
  MeshFileFields wide_value, wide_count, negative_count;
  wide_value.value_text = [](int x, int y) {
    return x == 2 && y == 2 ? std::string("1e5  ") : MeshFileFields::DefaultValueText(x, y);
  };
  wide_count.lon_points = "1e4";
  negative_count.record_count = "-50";
  MeshDocument too_low = Read(MeshFileFields().File());
  too_low.SetElevation(1, 1, -10000);
  for (const MeshDocument& doc : {Read(wide_value.File()), Read(wide_count.File()), Read(negative_count.File()), too_low}) {
    EXPECT_EQ(FormatFailure(doc), ErrorCode::FieldOverflow);
  }
}

// A save that cannot be made says why and leaves what is on disk as it was.
TEST(WriteMeshFile, RefusesWithItsReasonAndLeavesTheDiskAsItWas) {
  const MeshDocument valid = Read(MeshFileFields().File());
  MeshDocument unencodable = valid;
  unencodable.MeshComment.SetText("山\xF0\x9F\x98\x80");
  const struct {
    const char* name;
    const char* arrange;  // shell commands run in the folder
    const MeshDocument& document;
    const char* target;
    ErrorCode error;
  } cases[] = {
      {"text CP932 cannot encode, over a file", "printf previous > a.mem", unencodable, "a.mem",
       ErrorCode::UnencodableText},
      {"text CP932 cannot encode, to a new file", "true", unencodable, "a.mem", ErrorCode::UnencodableText},
      {"a read-only file", "printf previous > a.mem && chmod 400 a.mem", valid, "a.mem",
       ErrorCode::InvalidPathOrNotWritable},
      {"a folder", "mkdir a.mem", valid, "a.mem", ErrorCode::InvalidPathOrNotWritable},
      {"a pipe", "mkfifo a.mem", valid, "a.mem", ErrorCode::InvalidPathOrNotWritable},
      {"a missing folder", "true", valid, "absent/a.mem", ErrorCode::FileError},
  };
  for (const auto& c : cases) {
    test::ScratchFolder folder;
    const std::string in_folder = "cd " + folder.Path("").string() + " && ";
    ASSERT_EQ(test::RunShell(in_folder + c.arrange).status, 0) << c.name;
    const std::string listing = in_folder + "find . -printf '%p %y %m %s\\n' | sort";
    const std::string before = test::RunShell(listing).text;
    EXPECT_EQ(WriteMeshFile(c.document, folder.Path(c.target)), c.error) << c.name;
    EXPECT_EQ(test::RunShell(listing).text, before) << c.name;
  }
}

}  // namespace
}  // namespace koravel
