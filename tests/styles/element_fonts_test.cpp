#include <gtest/gtest.h>

#include "platform/bitmap.h"
#include "styles/charsets.h"
#include "styles/lengths.h"
#include "tests/styles/style_fixture.h"

using namespace html;
using html::testing::FakeFonts;
using html::testing::StyleFixture;

using ElementFonts = StyleFixture;

TEST_F(ElementFonts, MakeFontRealisesOnceAndSetsTheEmSize) {
  Rule("h1", "letter-spacing", "0.25em");
  TProperties& h1 = Open("h1");
  EXPECT_EQ(h1.EmPixels, 0);  // inherited from the root, which has made no font
  fonts.requests.clear();
  TMyFont f = h1.MakeFont();
  EXPECT_EQ(f.Name, "Times New Roman");
  EXPECT_EQ(f.Height, -32);  // 24pt at 96 pixels per inch
  EXPECT_TRUE(f.Style.Bold);
  EXPECT_FALSE(f.Style.Italic);
  EXPECT_EQ(f.Color, plat::clBtnText);
  EXPECT_EQ(f.BackColor, NoColor);
  EXPECT_EQ(h1.EmPixels, 32);
  EXPECT_EQ(h1.ExPixels, 16);
  EXPECT_EQ(f.MetricHeight, 38);
  EXPECT_EQ(f.MetricDescent, 9);
  EXPECT_EQ(f.MetricExternalLeading, 1);
  EXPECT_EQ(f.MetricAveCharWidth, 16);
  EXPECT_EQ(f.MetricMaxCharWidth, 32);
  EXPECT_EQ(f.LetterSpacingPx, 8);
  // The document's set is the default one: one realisation is enough.
  EXPECT_EQ(f.Charset, plat::DEFAULT_CHARSET);
  EXPECT_EQ(fonts.requests.size(), 1u);

  // Later calls hand out copies of the cached font.
  f.Name = "changed";
  TMyFont again = h1.MakeFont();
  EXPECT_EQ(again.Name, "Times New Roman");
  EXPECT_EQ(fonts.requests.size(), 1u);

  // Children take the em size of the font made for their parent.
  EXPECT_EQ(Open("b").EmPixels, 32);
}

TEST_F(ElementFonts, CharacterSetProbe) {
  stack.Item(0).SetCharsetCode(204);
  Rule(".sym", "font-family", "Symbol");
  TProperties& text = Open("p");
  fonts.requests.clear();
  EXPECT_EQ(text.MakeFont().Charset, 204);
  ASSERT_EQ(fonts.requests.size(), 2u);  // probed with the default set, then realised for real
  EXPECT_EQ(fonts.requests[0].Charset, plat::DEFAULT_CHARSET);
  EXPECT_EQ(fonts.requests[1].Charset, 204);
  Close();
  // A face that realises only the symbol set keeps it, whatever the document's set.
  TMyFont symbol = Open("p", "sym").MakeFont();
  EXPECT_EQ(symbol.Charset, plat::SYMBOL_CHARSET);
  EXPECT_EQ(symbol.MetricCharset, plat::SYMBOL_CHARSET);
}

TEST_F(ElementFonts, LetterSpacingAndHostileSizes) {
  struct Case {
    const char* spacing;
    int want;
  } cases[] = {{"2px", 2}, {"normal", 0}, {"1ex", 8}, {"-1px", -1}, {"100000px", 1000}, {"wide", 0}};
  for (const auto& c : cases) {
    auto style = NewInlineStyleSet();
    style->StoreDeclarationByName("letter-spacing", c.spacing);
    EXPECT_EQ(Open("span", "", "", "", style).MakeFont().LetterSpacingPx, c.want) << c.spacing;
    Close();
  }
  TProperties& n = Open("span");
  n.Values[piLetterSpacing] = int32_t{3};
  EXPECT_EQ(n.MakeFont().LetterSpacingPx, 3);
  Close();

  auto huge = NewInlineStyleSet();
  huge->StoreDeclarationByName("font-size", "99999999pt");
  EXPECT_EQ(Open("span", "", "", "", huge).MakeFont().Height, -1333);
  Close();
  auto negative = NewInlineStyleSet();
  negative->StoreDeclarationByName("font-size", "-5pt");
  EXPECT_EQ(Open("span", "", "", "", negative).MakeFont().Height, 0);
}

TEST_F(ElementFonts, FillFontInfoReadsTheFontProperties) {
  struct Case {
    const char* weight;
    bool bold;
  } weights[] = {{"bold", true},    {"bolder", true},   {"600", true}, {"599", false},
                 {"normal", false}, {"lighter", false}, {"900", true}};
  for (const auto& c : weights) {
    TProperties set;
    set.Values[piFontWeight] = c.weight;
    ThtFontInfo info;
    set.FillFontInfo(info);
    EXPECT_EQ(info.Styles.Bold, c.bold) << c.weight;
  }
  struct DecorationCase {
    const char* style;
    const char* decoration;
    bool italic, underline, strike;
  } decorations[] = {{"italic", "underline", true, true, false},
                     {"oblique", "line-through", true, false, true},
                     {"normal", "underline line-through", false, false, false},
                     {"none", "none", false, false, false}};
  for (const auto& c : decorations) {
    TProperties set;
    set.Values[piFontStyle] = c.style;
    set.Values[piTextDecoration] = c.decoration;
    ThtFontInfo info;
    set.FillFontInfo(info);
    EXPECT_EQ(info.Styles.Italic, c.italic) << c.style;
    EXPECT_EQ(info.Styles.Underline, c.underline) << c.decoration;
    EXPECT_EQ(info.Styles.StrikeOut, c.strike) << c.decoration;
  }
  TProperties set;
  set.Values[piFontSize] = 13.5;
  set.Values[piColor] = int32_t{0x123456};
  set.Values[piLetterSpacing] = "1px";
  set.TextBackColor = 0x654321;
  set.Charset = 161;
  set.DefaultFontName = "Verdana";
  ThtFontInfo info;
  info.Styles.Bold = true;  // everything is written afresh
  set.FillFontInfo(info);
  EXPECT_EQ(info.SizePt, 13.5);
  EXPECT_EQ(info.TextColor, 0x123456);
  EXPECT_EQ(info.BackColor, 0x654321);
  EXPECT_EQ(info.CharsetCode, 161);
  EXPECT_EQ(info.LetterSpacing, PropValue("1px"));
  EXPECT_FALSE(info.Styles.Bold);
  EXPECT_EQ(info.FaceName, "Verdana");  // no family given
}

TEST(FirstInstalledFamily, ListsAndGenericNames) {
  FakeFonts fonts;
  struct Case {
    const char* list;
    const char* want;  // nullptr: none installed
  } cases[] = {
      {"Arial", "Arial"},
      {"arial", "arial"},  // as written; the platform compares ignoring case
      {"Foo, 'Courier New'", "Courier New"},
      {"\"Times New Roman\", serif", "Times New Roman"},
      {"Foo", nullptr},
      {"", nullptr},
      {"Foo, , Arial", nullptr},  // an empty item ends the search
      {"serif", "Times New Roman"},
      {"monospace", "Courier New"},
      {"sans-serif", "Arial"},
      {"HELVETICA", "Arial"},
      {"cursive", nullptr},  // Lucida Handwriting is not installed here
      {" Foo ,  verdana ", "verdana"},
  };
  for (const auto& c : cases) {
    auto got = FirstInstalledFamily(c.list);
    if (c.want) {
      EXPECT_EQ(got.value_or("(none)"), c.want) << c.list;
    } else {
      EXPECT_FALSE(got) << c.list;
    }
  }
  fonts.installed.push_back("Lucida Handwriting");
  EXPECT_EQ(FirstInstalledFamily("cursive").value_or(""), "Lucida Handwriting");
}

TEST(SetCharsetCode, RealisedSetsAndCodePages) {
  FakeFonts fonts;
  struct Case {
    uint8_t code;
    uint8_t charset;
    int32_t codePage;
  } cases[] = {
      {31, 238, 28592}, {204, 204, 1251}, {1, 1, 1252},  {0, 0, 1252},    {128, 128, 932},
      {2, 2, 0},        {222, 222, 874},  {255, 255, 1}, {200, 200, 777},  // unlisted: unchanged
  };
  for (const auto& c : cases) {
    TProperties set;
    set.CodePage = 777;
    set.LinkFonts = std::make_unique<TFontInfoArray>();
    set.SetCharsetCode(c.code);
    EXPECT_EQ(set.Charset, c.charset) << int(c.code);
    EXPECT_EQ(set.CodePage, c.codePage) << int(c.code);
    for (const auto& f : *set.LinkFonts) EXPECT_EQ(f.CharsetCode, c.charset) << int(c.code);
  }
  TProperties set;
  set.LinkFonts = std::make_unique<TFontInfoArray>();
  set.SetCharsetCode(204);
  set.UseUtf8();
  EXPECT_EQ(set.CodePage, kUtf8CodePage);
  EXPECT_EQ(set.Charset, 0);
  EXPECT_EQ((*set.LinkFonts)[LinkHover].CharsetCode, 204);  // left alone
}

TEST_F(ElementFonts, RulesUpdateTheLinkFontsTheyReach) {
  TProperties& a = Link();
  const TFontInfoArray& f = *a.LinkFonts;
  auto apply = [&](const char* name, const char* value) {
    auto rule = NewInlineStyleSet();
    rule->StoreDeclarationByName(name, value);
    a.ApplyRule(*rule);
  };
  apply("font-weight", "500");  // leaves the link fonts' bold as it was
  EXPECT_FALSE(f[LinkNormal].Styles.Bold);
  (*a.LinkFonts)[LinkHover].Styles.Bold = true;
  apply("font-weight", "500");
  EXPECT_TRUE(f[LinkHover].Styles.Bold);
  ThtFontInfo own;
  a.FillFontInfo(own);
  EXPECT_FALSE(own.Styles.Bold);
  apply("font-weight", "600");
  for (const auto& font : f) EXPECT_TRUE(font.Styles.Bold);
  apply("font-weight", "normal");
  for (const auto& font : f) EXPECT_FALSE(font.Styles.Bold);

  apply("font-style", "oblique");
  EXPECT_TRUE(f[LinkVisited].Styles.Italic);
  apply("font-style", "inherit");
  EXPECT_TRUE(f[LinkVisited].Styles.Italic);
  apply("font-style", "normal");
  EXPECT_FALSE(f[LinkVisited].Styles.Italic);

  apply("text-decoration", "line-through");
  EXPECT_TRUE(f[LinkNormal].Styles.StrikeOut && f[LinkNormal].Styles.Underline);
  apply("text-decoration", "none");
  EXPECT_FALSE(f[LinkNormal].Styles.StrikeOut || f[LinkNormal].Styles.Underline);

  apply("font-family", "Nowhere, Verdana");
  EXPECT_EQ(f[LinkHover].FaceName, "Verdana");
  apply("font-family", "Nowhere");
  EXPECT_EQ(f[LinkHover].FaceName, "Verdana");

  apply("font-size", "2em");
  EXPECT_DOUBLE_EQ(f[LinkVisitedHover].SizePt, 24);
  apply("color", "lime");
  EXPECT_EQ(f[LinkNormal].TextColor, 0x00FF00);
  apply("background-color", "red");
  EXPECT_EQ(f[LinkNormal].BackColor, 0x0000FF);
  apply("letter-spacing", "3px");
  EXPECT_EQ(f[LinkNormal].LetterSpacing, PropValue("3px"));

  // A size already in points (the default sheet's headings) stays in points.
  TProperties points(TPropSetKind::Rule);
  points.Values[piFontSize] = 20.0;
  a.ApplyRule(points);
  EXPECT_DOUBLE_EQ(f[LinkNormal].SizePt, 20);
}

TEST_F(ElementFonts, LinksInsideHeadingsTakeTheHeadingFont) {
  Open("h1");
  TProperties& a = Link();
  for (const auto& f : *a.LinkFonts) {
    EXPECT_DOUBLE_EQ(f.SizePt, 24);
    EXPECT_TRUE(f.Styles.Bold);
    EXPECT_EQ(f.FaceName, "Times New Roman");
  }
}

TEST_F(ElementFonts, PresentationalAttributesReachLinkFonts) {
  TProperties& a = Link();
  a.DefaultFontName = "Verdana";
  a.SetIfNotStyled(piFontFamily, "");
  for (const auto& f : *a.LinkFonts) EXPECT_EQ(f.FaceName, "Verdana");  // never an empty face
  a.StyledFlags[piFontFamily] = false;
  a.SetIfNotStyled(piFontFamily, "Nowhere, Courier New");
  EXPECT_EQ((*a.LinkFonts)[LinkHover].FaceName, "Courier New");
  a.SetIfNotStyled(piFontSize, 18.0);
  EXPECT_DOUBLE_EQ((*a.LinkFonts)[LinkVisited].SizePt, 18);
  a.StyledFlags[piColor] = false;
  a.SetIfNotStyled(piColor, int32_t{0x0000FF});
  EXPECT_EQ((*a.LinkFonts)[LinkVisitedHover].TextColor, 0x0000FF);
}

TEST(TMyFont, AssigningAndSelecting) {
  TMyFont a;
  a.Name = "Arial";
  a.Height = -20;
  a.MetricHeight = 23;
  a.LetterSpacingPx = 2;
  a.BackColor = 0x111111;
  TMyFont b;
  b = a;
  EXPECT_EQ(b.MetricHeight, 23);
  EXPECT_EQ(b.LetterSpacingPx, 2);
  plat::TFont plain;
  plain.Name = "Verdana";
  b.Assign(plain);
  EXPECT_EQ(b.Name, "Verdana");
  EXPECT_EQ(b.MetricHeight, 23);  // only the platform font is taken

  plat::TBitmap bitmap(1, 1);
  a.ApplyToCanvas(bitmap.Canvas());
  EXPECT_EQ(bitmap.Canvas().Font(), static_cast<const plat::TFont&>(a));
  EXPECT_EQ(bitmap.Canvas().TextCharacterExtra(), 2);
}
