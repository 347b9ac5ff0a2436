#include "core/text/value_text.h"

#include <gtest/gtest.h>

namespace koravel {
namespace {

TEST(ValueText, ShowsTenthsOfAMetreAsMetresWithoutATrailingZero) {
  const std::pair<std::int32_t, const char*> cases[] = {
      {12345, "1234.5"}, {100, "10"}, {5, "0.5"},  {-9999, "-999.9"},
      {0, "0"},          {-5, "-0.5"}, {-10, "-1"}, {99999, "9999.9"},
      {INT32_MIN, "-214748364.8"}, {INT32_MAX, "214748364.7"},
  };
  for (const auto& [tenths, text] : cases) EXPECT_EQ(ValueText(tenths), text) << tenths;
}

}  // namespace
}  // namespace koravel
