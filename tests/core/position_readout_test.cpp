#include "core/views/position_readout.h"

#include <gtest/gtest.h>

namespace koravel {
namespace {

MeshDocument MeshWithCorner(double south_seconds, std::int32_t west_seconds) {
  MeshDocument document;
  document.SWLatSeconds = south_seconds;
  document.SWLonSeconds = west_seconds;
  document.LatStep = 1.5;
  document.LonStep = 2.25;
  return document;
}

TEST(PositionReadout, ShowsTheRecordPositionColumnFirstInThreeDigits) {
  EXPECT_EQ(RecordPositionText(7, 45), "レコード位置 : 007 , 045");
}

TEST(PositionReadout, NamesTheSouthWestCornerOfTheCursorCellRoundingOnlyInTheText) {
  const MeshDocument mesh = MeshWithCorner(128400, 502200);
  const std::tuple<MeshDocument, int, int, const char*> cases[] = {
      {mesh, 1, 1, "緯度 : 35°44' 58.5\" , 経度 : 139°30' 00.00\""},
      {mesh, 200, 200, "緯度 : 35°40' 00.0\" , 経度 : 139°37' 27.75\""},
      {mesh, 5, 195, "緯度 : 35°40' 07.5\" , 経度 : 139°30' 09.00\""},
      {MeshWithCorner(128400 + 59.96, 502200), 1, 200, "緯度 : 35°40' 60.0\" , 経度 : 139°30' 00.00\""},
      {MeshDocument(), 1, 1, "緯度 : 00°00' 00.0\" , 経度 : 000°00' 00.00\""},
  };
  for (const auto& [document, column, row, text] : cases) {
    EXPECT_EQ(LatitudeLongitudeText(document, column, row), text) << column << "," << row;
  }
}

}  // namespace
}  // namespace koravel
