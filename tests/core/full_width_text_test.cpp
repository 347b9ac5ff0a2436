#include "core/text/full_width_text.h"

#include <gtest/gtest.h>

namespace koravel {
namespace {

TEST(FullWidthText, JoinsMarksOnlyWhereShiftJisHasTheJoinedLetter) {
  const struct {
    std::u32string typed;
    std::u32string shown;
  } cases[] = {
      {U"A~ z", U"Ａ～　ｚ"},
      {U"ｳﾞﾊﾞﾋﾟ", U"ヴバピ"},
      {U"ﾜﾞｯﾞｱﾟ", U"ワ゛ッ゛ア゜"},  // no ヷ in Shift-JIS; ッ and ア take no mark
      {U"ﾞｶ", U"゛カ"},
      {U"測量ａ。", U"測量ａ。"},
  };
  for (const auto& c : cases) EXPECT_EQ(ToFullWidth(c.typed), c.shown);
}

}  // namespace
}  // namespace koravel
