#include "core/mesh/new_mesh.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "core/mesh/mesh_reader.h"
#include "core/mesh/mesh_writer.h"
#include "mesh_file_fields.h"

namespace koravel {
namespace {

using test::Repeated;

TEST(NewMesh, TakesSixDigitCodesOfMeshesInJapansRangeOnly) {
  const std::pair<const char*, bool> cases[] = {
      {"533945", true},   {"302200", true},   {"685377", true},   {"295377", false}, {"692200", false},
      {"302100", false},  {"305400", false},  {"533985", false},  {"533948", false}, {"53394", false},
      {"5339450", false}, {"53394a", false},  {" 533945", false}, {"", false},       {"５３３９４５", false},
  };
  for (const auto& [code, valid] : cases) {
    EXPECT_EQ(IsJapaneseMeshCode(code), valid) << code;
    EXPECT_EQ(NewMesh(code, 2024).has_value(), valid) << code;
  }
}

// 533945: latitude 53 × 40' + 4 × 5' = 35°40', longitude 100° + 39° + 5 × 7'30" = 139°37'30".
TEST(NewMesh, WritesTheHeaderOfItsCodeAndEveryRecordWithoutData) {
  const auto bytes = FormatMeshFile(*NewMesh("533945", 2024));
  ASSERT_TRUE(std::holds_alternative<std::string>(bytes));
  const std::string blank_sheet = Repeated("\x81\x40", 10) + "0";
  std::string expected = "533945" "    0" "202420242024" "200200" "0354000" "1393730" "0354500" "1394500" "0" +
                         Repeated(blank_sheet, 4) + "200" + Repeated("\x81\x40", 40) + std::string(200, '1') +
                         std::string(584, ' ') + "\r\n";
  ASSERT_EQ(expected.size(), 1009u + 2);
  for (int row = 1; row <= 200; ++row) {
    char number[4];
    std::snprintf(number, sizeof number, "%03d", row);
    expected += "533945" + std::string(number) + Repeated("-9999", 200) + "\r\n";
  }
  EXPECT_EQ(std::get<std::string>(bytes), expected);
}

// The corners worked out from the codes; the derived members are those the
// reader finds in the file written.
TEST(NewMesh, PutsTheCornersOfTheCodeAndTheMembersReadingWouldDerive) {
  const std::pair<const char*, const char*> cases[] = {
      {"302200", "020°00' 00\" 122°00' 00\" 020°05' 00\" 122°07' 30\""},
      {"523874", "035°15' 00\" 138°30' 00\" 035°20' 00\" 138°37' 30\""},
      {"685377", "045°55' 00\" 153°52' 30\" 046°00' 00\" 154°00' 00\""},
  };
  for (const auto& [code, corners] : cases) {
    const MeshDocument mesh = *NewMesh(code, 1999);
    EXPECT_EQ(mesh.SWLat.DisplayText() + " " + mesh.SWLon.DisplayText() + " " + mesh.NELat.DisplayText() + " " +
                  mesh.NELon.DisplayText(),
              corners);
    std::istringstream file(std::get<std::string>(FormatMeshFile(mesh)));
    const MeshReadResult read = ReadMesh(file);
    ASSERT_TRUE(read.document) << code;
    const MeshDocument& oracle = *read.document;
    EXPECT_EQ(mesh.SWLatSeconds, oracle.SWLatSeconds);
    EXPECT_EQ(mesh.SWLonSeconds, oracle.SWLonSeconds);
    EXPECT_EQ(mesh.NELatSeconds, oracle.NELatSeconds);
    EXPECT_EQ(mesh.NELonSeconds, oracle.NELonSeconds);
    EXPECT_EQ(mesh.LatStep, oracle.LatStep);
    EXPECT_EQ(mesh.LonStep, oracle.LonStep);
    EXPECT_EQ(mesh.MaxElevation, oracle.MaxElevation);
    EXPECT_EQ(mesh.MinElevation, oracle.MinElevation);
    EXPECT_TRUE(read.warnings.empty());
    EXPECT_TRUE(mesh.MeshFileName.empty());
  }
}

}  // namespace
}  // namespace koravel
