#include "core/text/lenient_number.h"

#include <gtest/gtest.h>

namespace koravel {
namespace {

TEST(LenientNumber, ReadsTheLongestLeadingNumberIgnoringBlanks) {
  const std::pair<const char*, double> cases[] = {
      {"  123", 123},  {"1 2 3", 123}, {"\t4\t2", 42}, {"-0005", -5},  {"+7", 7},      {"12.5", 12.5},
      {".5", 0.5},     {"5.", 5},      {"1e3", 1000},  {"1E-2", 0.01}, {"1e+", 1},     {"12abc", 12},
      {"1.2.3", 1.2},  {"abc", 0},     {"     ", 0},   {".", 0},       {"--5", 0},     {"１２", 0},
  };
  for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(number(text), value) << '"' << text << '"';
}

TEST(NumericTest, AcceptsOnlyOneNumberBetweenBlanksThatFitsThirtyTwoBits) {
  const std::pair<const char*, bool> cases[] = {
      {"  200", true},   {"200  ", true}, {"-12", true},   {"+12", true},          {"1.5", true},
      {"1e3", true},     {"2147483647.4", true},          {"2147483648", false},  {"-2147483648", true},
      {"-2147483649", false},             {"     ", false}, {"12 3", false},      {"12a", false},
      {"a12", false},    {"1e", false},   {".", false},
  };
  for (const auto& [text, passes] : cases) EXPECT_EQ(PassesNumericTest(text), passes) << '"' << text << '"';
}

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbourAndRefusesWhatDoesNotFit) {
  const std::pair<double, std::optional<std::int16_t>> cases[] = {
      {0.5, 0},         {1.5, 2},     {2.5, 2},          {-2.5, -2},       {-3.5, -4},       {2.6, 3},
      {32767.4, 32767}, {32767.5, std::nullopt},       {-32768.5, -32768}, {HUGE_VAL, std::nullopt},
      {std::nan(""), std::nullopt},
  };
  for (const auto& [value, rounded] : cases) EXPECT_EQ(RoundHalfEven<std::int16_t>(value), rounded) << value;
  EXPECT_EQ(RoundHalfEven<std::int32_t>(1e10), std::nullopt);
}

}  // namespace
}  // namespace koravel
