#include "mesh/corner_angle.h"

#include <gtest/gtest.h>

namespace koravel {
namespace {

CornerAngle Corner(const char* deg, const char* min, const char* sec) {
  return {Cp932Text(deg), Cp932Text(min), Cp932Text(sec)};
}

TEST(CornerAngle, ShowsItsFieldsUntrimmedWithDegreeMinuteAndSecondMarks) {
  EXPECT_EQ(Corner("035", "40", "00").DisplayText(), "035°40' 00\"");
  EXPECT_EQ(Corner(" 35", " 4", "  ").DisplayText(), " 35° 4'   \"");
}

TEST(CornerAngle, CountsArcSecondsReadingBlankFieldsAsZero) {
  EXPECT_DOUBLE_EQ(Corner("139", "37", "30").Seconds(), 502650);
  EXPECT_DOUBLE_EQ(Corner(" 35", "  ", " 7").Seconds(), 126007);
  EXPECT_DOUBLE_EQ(Corner("   ", "  ", "  ").Seconds(), 0);
  EXPECT_DOUBLE_EQ(Corner("1.5", "  ", "  ").Seconds(), 5400);
}

}  // namespace
}  // namespace koravel
