// The 8-bit text helpers: integers in the "$" / "0x" grammar.
#include "support/text_util.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

using namespace html;

TEST(ParseStrToInt, DecimalAndHexadecimalForms) {
  struct Case {
    const char* text;
    std::optional<int32_t> want;
  } cases[] = {
      {"10", 10},
      {"  -5", -5},
      {"+7", 7},
      {"$1f", 31},
      {"0X1F", 31},
      {"-$10", -16},
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"$7FFFFFFF", INT32_MAX},
      {"$80000000", INT32_MIN},  // hexadecimal wraps into the signed range
      {"$FFFFFFFF", -1},
      {"-$FFFFFFFF", 1},
      {"0xFFFFFFFF", -1},
      {"2147483648", std::nullopt},  // decimal must fit
      {"-2147483649", std::nullopt},
      {"$100000000", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"", std::nullopt},
      {" ", std::nullopt},
      {"-", std::nullopt},
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {"12 ", std::nullopt},
      {"\t12", std::nullopt},  // only blanks lead
      {"1.5", std::nullopt},
      {"1f", std::nullopt},
      {"$G1", std::nullopt},
      {"--1", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseStrToInt(c.text), c.want) << c.text;
    EXPECT_EQ(StrToIntDef(c.text, 12345), c.want.value_or(12345)) << c.text;
  }
}

TEST(HexDigitValue, BothCases) {
  EXPECT_EQ(HexDigitValue('0'), 0);
  EXPECT_EQ(HexDigitValue('9'), 9);
  EXPECT_EQ(HexDigitValue('a'), 10);
  EXPECT_EQ(HexDigitValue('F'), 15);
  EXPECT_EQ(HexDigitValue('g'), -1);
  EXPECT_EQ(HexDigitValue('G'), -1);
  EXPECT_EQ(HexDigitValue('/'), -1);
  EXPECT_EQ(HexDigitValue(':'), -1);
}
