#include "host/command_line.h"

#include <gtest/gtest.h>

using namespace host;

TEST(StrToInt, Forms) {
  struct Case {
    const char* text;
    bool ok;
    int want;
  } cases[] = {
      {"10", true, 10},          {"-5", true, -5},          {"+7", true, 7},
      {"  42", true, 42},        {"$10", true, 16},         {"0x10", true, 16},
      {"0X1f", true, 31},        {"$FF00000F", true, static_cast<int>(0xFF00000F)},
      {"$00FFFFFF", true, 0xFFFFFF}, {"$FFFFFFFF", true, -1}, {"-$10", true, -16},
      {"2147483647", true, 2147483647}, {"-2147483648", true, INT32_MIN},
      {"2147483648", false, 0},  {"$100000000", false, 0},  {"abc", false, 0},
      {"", false, 0},            {"12 ", false, 0},         {"1.5", false, 0},
      {"$", false, 0},           {"0x", false, 0},          {"-", false, 0},
      {"$G1", false, 0},
  };
  for (const auto& c : cases) {
    if (c.ok) {
      EXPECT_EQ(StrToInt(c.text), c.want) << c.text;
    } else {
      try {
        StrToInt(c.text);
        ADD_FAILURE() << "accepted " << c.text;
      } catch (const EHostError& e) {
        EXPECT_EQ(e.ClassName(), "EConvertError");
        EXPECT_EQ(std::string(e.what()), "'" + std::string(c.text) + "' is not a valid integer value");
      }
    }
  }
}

TEST(CommandLine, ParametersAndMissingOnes) {
  TCommandLine cl({"htmlscrn", "100", "0x10", "-5", "$FF00000F"});
  EXPECT_EQ(cl.GetParamInt(1), 100);
  EXPECT_EQ(cl.GetParamInt(2), 16);
  EXPECT_EQ(cl.GetParamInt(3), -5);
  EXPECT_EQ(cl.GetParamInt(4), static_cast<int>(0xFF00000F));
  try {
    cl.GetParamInt(5);
    ADD_FAILURE();
  } catch (const EHostError& e) {
    EXPECT_EQ(e.ClassName(), "Exception");
    EXPECT_STREQ(e.what(), "Parameter N\"5\" not found!");
  }
  TCommandLine extra({"htmlscrn", "1", "2", "3", "4", "5", "6", "junk"});
  EXPECT_EQ(extra.GetParamInt(5), 5);  // the rest is ignored
}

TEST(CommandLine, ReportText) {
  EXPECT_EQ(ExceptionReportText("Exception", "Parameter N\"5\" not found!", "htmlscrn"),
            "Exception Exception in module htmlscrn at 00000000.\r\nParameter N\"5\" not found!\r\n");
  EXPECT_EQ(ExceptionReportText("EConvertError", "'abc' is not a valid integer value", "htmlscrn"),
            "Exception EConvertError in module htmlscrn at 00000000.\r\n'abc' is not a valid integer value.\r\n");
}
