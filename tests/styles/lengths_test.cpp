#include "styles/lengths.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace html;

TEST(SplitNumberAndUnit, ExponentLetterStartsTheUnit) {
  struct Case {
    const char* text;
    double value;
    const char* unit;
  } cases[] = {
      {"1.5em", 1.5, "em"}, {"2ex", 2, "ex"}, {"1e2", 100, ""},          {"1e2px", 1, "e2px"},
      {".5em", 0.5, "em"},  {"12", 12, ""},   {"-3px", -3, "px"},        {"+4pt", 4, "pt"},
      {"50 %", 50, "%"},    {"em", 0, "em"},  {"smaller", 0, "smaller"}, {"", 0, ""},
      {"-", 0, ""},         {"1e", 1, "e"},
  };
  for (const auto& c : cases) {
    TNumberAndUnit nu = SplitNumberAndUnit(c.text);
    EXPECT_DOUBLE_EQ(nu.Value, c.value) << c.text;
    EXPECT_EQ(nu.Unit, c.unit) << c.text;
    EXPECT_TRUE(nu.Finite) << c.text;
  }
  EXPECT_TRUE(SplitNumberAndUnit("1e2").Whole);
  EXPECT_FALSE(SplitNumberAndUnit("-").Whole);
}

TEST(LengthPixels, UnitsAtNinetySixPixelsPerInch) {
  struct Case {
    const char* text;
    int base;
    bool bareRelative;
    int want;
  } cases[] = {
      {"1in", 0, false, 96},    {"2.54cm", 0, false, 96}, {"25.4mm", 0, false, 96}, {"12pt", 0, false, 16},
      {"1pc", 0, false, 16},    {"10px", 0, false, 10},   {"2em", 0, false, 32},    {"3ex", 0, false, 21},
      {"50%", 300, false, 150}, {"12", 0, false, 12},     {"12", 3, true, 36},      {"12qq", 0, false, -7},
      {"1e2", 0, false, 100},   {"1e2px", 0, false, -7},  {"IN", 0, false, -7},     {"%", 300, false, 0},
      {"px", 0, false, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(LengthPixels(c.text, c.base, c.bareRelative, -7, 16, 7), c.want) << c.text;
}

TEST(LengthPixels, TiesRoundHalfToEven) {
  struct Case {
    const char* text;
    int base, em;
    int want;
  } cases[] = {
      {"2.5px", 0, 0, 2},   {"3.5px", 0, 0, 4},   {"-2.5px", 0, 0, -2},
      {"50%", 301, 0, 150}, {"50%", 303, 0, 152}, {".5em", 0, 5, 2},
      {".5em", 0, 3, 2},    {"0.5px", 0, 0, 0},   {"1.5px", 0, 0, 2},
  };
  for (const auto& c : cases) EXPECT_EQ(LengthPixels(c.text, c.base, false, -7, c.em, 0), c.want) << c.text;
}

TEST(LengthPixels, DocumentValuesNeverReachTheMarkers) {
  // Overflowing numbers are refused; huge ones are held within ten million pixels.
  EXPECT_EQ(LengthPixels("1e999px", 0, false, -7, 0, 0), -7);
  EXPECT_EQ(LengthPixels("1e999", 0, false, -7, 0, 0), -7);
  EXPECT_EQ(LengthPixels("1e-999", 0, false, -7, 0, 0), 0);
  EXPECT_EQ(LengthPixels("-12345678px", 0, false, -7, 0, 0), -10'000'000);
  EXPECT_EQ(LengthPixels("-12348765", 0, false, -7, 0, 0), -10'000'000);
  EXPECT_EQ(LengthPixels("99999999999in", 0, false, -7, 0, 0), 10'000'000);
  EXPECT_EQ(LengthPixels("1000000000em", 0, false, -7, 2'000'000'000, 0), 10'000'000);
  EXPECT_EQ(LengthPixels("nan", 0, false, -7, 0, 0), -7);
  EXPECT_EQ(LengthPixels("inf", 0, false, -7, 0, 0), -7);
}

class FontSizes : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = DefaultFontSize();
    SetDefaultFontSize(12);
  }
  void TearDown() override { SetDefaultFontSize(saved_); }
  double saved_ = 12;
};

TEST_F(FontSizes, KeywordsUnitsAndBareNumbers) {
  struct Case {
    const char* text;
    double parent;
    double want;
  } cases[] = {
      {"small", 10, 12},    {"medium", 10, 14.4}, {"xx-large", 10, 36}, {"xx-small", 10, 8},
      {"x-small", 10, 10},  {"large", 10, 18},    {"x-large", 10, 24},  {"smaller", 10, 7.5},
      {"larger", 10, 12.5}, {"150%", 10, 15},     {"2em", 10, 20},      {"2ex", 10, 10},
      {"16px", 10, 12},     {"16", 10, 12},       {"1in", 10, 72},      {"2.54cm", 10, 72},
      {"1pc", 10, 12},      {"9pt", 10, 9},       {"bogus", 10, 12},    {"1e999pt", 10, 12},
  };
  for (const auto& c : cases) EXPECT_NEAR(FontSizePoints(c.text, c.parent), c.want, 1e-9) << c.text;
}

TEST_F(FontSizes, ResultsAreHeldInRange) {
  EXPECT_LE(FontSizePoints("1e300em", 1e300), kMaxLengthPixels);
  EXPECT_TRUE(std::isfinite(FontSizePoints("1e300em", 1e300)));
}

namespace {

// Box values as CopyBoxValues gives them for a set nobody styled.
TVMarginArray Unset() {
  TVMarginArray v;
  for (int i = piMarginTop; i <= piLeft; ++i) v[i] = LengthUnset;
  for (int i = piBorderTopStyle; i <= piBorderLeftStyle; ++i) v[i] = uint8_t{BorderNone};
  return v;
}

}  // namespace

TEST(ResolveBoxLengths, AutosBordersAndPercentHeights) {
  int autos = -1;
  TVMarginArray v = Unset();
  BoxLengths b = ResolveBoxLengths(v, 500, 400, 16, 8, autos);
  EXPECT_EQ(autos, 1);  // width not given
  EXPECT_EQ(b[piWidth], LengthAuto);
  EXPECT_EQ(b[piMarginLeft], 0);
  EXPECT_EQ(b[piBorderTopWidth], 0);  // no style
  EXPECT_EQ(b[piBackgroundColor], NoColor);
  EXPECT_EQ(b[piLeft], LengthAuto);
  EXPECT_EQ(b[piHeight], 0);

  v[piMarginLeft] = "auto";
  v[piMarginRight] = "auto";
  b = ResolveBoxLengths(v, 500, 400, 16, 8, autos);
  EXPECT_EQ(autos, 3);
  EXPECT_EQ(b[piMarginLeft], LengthAuto);
  v[piWidth] = "50%";
  b = ResolveBoxLengths(v, 500, 400, 16, 8, autos);
  EXPECT_EQ(autos, 2);
  EXPECT_EQ(b[piWidth], 250);

  // Border widths: "thick" without a style is 0; a style without a width is 4.
  v = Unset();
  v[piBorderTopWidth] = "thick";
  v[piBorderBottomStyle] = uint8_t{BorderSolid};
  v[piBorderLeftStyle] = uint8_t{BorderDotted};
  v[piBorderLeftWidth] = "thin";
  v[piBorderRightStyle] = uint8_t{BorderSolid};
  v[piBorderRightWidth] = "1em";
  b = ResolveBoxLengths(v, 500, 400, 16, 8, autos);
  EXPECT_EQ(b[piBorderTopWidth], 0);
  EXPECT_EQ(b[piBorderBottomWidth], 4);
  EXPECT_EQ(b[piBorderLeftWidth], 2);
  EXPECT_EQ(b[piBorderRightWidth], 16);

  // A percentage height loses the vertical borders and paddings.
  v = Unset();
  v[piHeight] = "50%";
  v[piPaddingTop] = "10px";
  v[piPaddingBottom] = int32_t{10};
  v[piBorderTopStyle] = uint8_t{BorderSolid};
  v[piBorderBottomStyle] = uint8_t{BorderSolid};
  v[piBorderTopWidth] = "2px";
  v[piBorderBottomWidth] = int32_t{2};
  v[piTop] = "10%";
  v[piBackgroundColor] = int32_t{0x123456};
  b = ResolveBoxLengths(v, 1000, 400, 16, 8, autos);
  EXPECT_EQ(b[piHeight], 176);
  EXPECT_EQ(b[piTop], 40);  // heights and tops against the height base
  EXPECT_EQ(b[piBackgroundColor], 0x123456);
  v[piHeight] = "200px";
  EXPECT_EQ(ResolveBoxLengths(v, 1000, 400, 16, 8, autos)[piHeight], 200);
}

TEST(ResolveBoxLengths, VerticalMarginsAreLeftToTheirOwnResolver) {
  int autos = 0;
  TVMarginArray v = Unset();
  v[piMarginTop] = "30px";
  v[piMarginBottom] = LengthParaSpace;
  EXPECT_EQ(ResolveBoxLengths(v, 100, 100, 0, 0, autos)[piMarginTop], 0);
  TVerticalMargins m = ResolveVerticalMargins(v, 100, 0, 0);
  EXPECT_EQ(m.Top, 30);
  EXPECT_FALSE(m.TopParaSpace);
  EXPECT_EQ(m.Bottom, 14);
  EXPECT_TRUE(m.BottomParaSpace);
  v[piMarginTop] = LengthUnset;
  v[piMarginBottom] = "10%";
  m = ResolveVerticalMargins(v, 300, 0, 0);
  EXPECT_EQ(m.Top, 0);
  EXPECT_EQ(m.Bottom, 30);
}

TEST(ResolveObjectLengths, WritesOnlyItsEntries) {
  TVMarginArray v = Unset();
  v[piMarginLeft] = "5px";
  v[piMarginTop] = int32_t{3};
  v[piWidth] = "50%";
  v[piPaddingLeft] = "9px";
  BoxLengths out;
  out[piPaddingLeft] = 77;
  ResolveObjectLengths(v, 200, 16, 8, out);
  EXPECT_EQ(out[piMarginLeft], 5);
  EXPECT_EQ(out[piMarginTop], 3);
  EXPECT_EQ(out[piMarginRight], LengthUnset);
  EXPECT_EQ(out[piWidth], 100);
  EXPECT_EQ(out[piHeight], LengthUnset);
  EXPECT_EQ(out[piPaddingLeft], 77);
  EXPECT_EQ(out[piBorderTopWidth], 0);
}

TEST(ResolveCellPaddings, PercentagesComeBackNegated) {
  TVMarginArray v = Unset();
  v[piPaddingTop] = "10%";
  v[piPaddingRight] = "4px";
  v[piPaddingBottom] = int32_t{6};
  TCellPaddings p = ResolveCellPaddings(v, 16, 8);
  EXPECT_EQ(p.Top, -10);
  EXPECT_EQ(p.Right, 4);
  EXPECT_EQ(p.Bottom, 6);
  EXPECT_EQ(p.Left, -1);
}

TEST(BoxArrays, OutsideTheBoxPropertiesThrows) {
  BoxLengths b;
  EXPECT_THROW(b[piColor], std::out_of_range);
  EXPECT_THROW(b[piVisibility], std::out_of_range);
  EXPECT_NO_THROW(b[piLeft]);
}
