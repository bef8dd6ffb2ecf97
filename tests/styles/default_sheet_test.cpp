#include "styles/default_sheet.h"

#include <gtest/gtest.h>

#include "styles/colors.h"
#include "styles/lengths.h"
#include "styles/style_list.h"

using namespace html;

namespace {

TDefaultSheetSettings Settings() {
  TDefaultSheetSettings s;
  s.DefFontName = "Verdana";
  s.DefPreFontName = "Courier New";
  s.DefFontSize = 15;
  s.DefFontColor = 0x112233;
  s.DefHotSpotColor = 0x0000AA;
  s.DefVisitedLinkColor = 0x00AA00;
  s.DefOverLinkColor = 0xAA0000;
  s.MarginWidth = 12;
  s.MarginHeight = 7;
  s.CharSet = 204;
  return s;
}

}  // namespace

TEST(DefaultSheet, ValuesForEachKey) {
  TStyleList list;
  list.BuildDefaultSheet(Settings());
  const uint8_t z = 0;
  struct Case {
    const char* key;
    int index;
    PropValue want;
  } cases[] = {
      {"default", piFontFamily, "Verdana"},
      {"default", piFontSize, 15.0},
      {"default", piFontStyle, "none"},
      {"default", piFontWeight, "normal"},
      {"default", piTextAlign, "left"},
      {"default", piTextDecoration, "none"},
      {"default", piTextTransform, uint8_t{0}},
      {"default", piWordWrap, "normal"},
      {"default", piFontVariant, "normal"},
      {"default", piColor, int32_t{0x112233}},
      {"default", piMarginTop, int32_t{7}},
      {"default", piMarginBottom, int32_t{7}},
      {"default", piMarginLeft, int32_t{12}},
      {"default", piMarginRight, int32_t{12}},
      {"default", piVisibility, uint8_t{2}},
      {"default", piLetterSpacing, z},
      {"default", piZIndex, int32_t{0}},
      {"default", piPaddingLeft, LengthUnset},
      {"default", piBackgroundColor, PropValue()},
      {"::link", piColor, int32_t{0x0000AA}},
      {"::link", piTextDecoration, "underline"},
      {"::visited", piColor, int32_t{0x00AA00}},
      {"::hover", piColor, int32_t{0xAA0000}},
      {"pre", piFontFamily, "Courier New"},
      {"pre", piFontSize, 12.5},
      {"pre", piFontStyle, "none"},
      {"pre", piFontWeight, "normal"},
      {"pre", piTextDecoration, "none"},
      {"p", piMarginTop, LengthParaSpace},
      {"p", piMarginBottom, LengthParaSpace},
      {"p 11pre ", piMarginTop, z},
      {"p 11pre ", piMarginBottom, LengthUnset},
      {"ul", piPaddingLeft, uint8_t{35}},
      {"ol", piMarginTop, LengthParaSpace},
      {"menu", piMarginBottom, LengthParaSpace},
      {"dir", piListStyleType, "blank"},
      {"dl", piPaddingLeft, z},
      {"dl", piMarginLeft, z},
      {"dl", piMarginTop, z},
      {"dl", piMarginBottom, z},
      {"dl", piListStyleType, "none"},
      {"dd", piPaddingLeft, uint8_t{35}},
      {"dd", piMarginTop, z},
      {"dd", piMarginBottom, z},
      {"blockquote", piPaddingLeft, uint8_t{35}},
      {"blockquote", piMarginTop, LengthParaSpace},
      {"blockquote", piMarginBottom, uint8_t{14}},
      {"code", piFontFamily, "Courier New"},
      {"tt", piFontSize, "0.833em"},
      {"kbd", piFontSize, "0.833em"},
      {"samp", piFontFamily, "Courier New"},
      {"b", piFontWeight, "bold"},
      {"strong", piFontWeight, "bold"},
      {"th", piFontWeight, "bold"},
      {"sup", piFontSize, "75%"},
      {"sup", piVerticalAlign, "super"},
      {"sub", piFontSize, "75%"},
      {"sub", piVerticalAlign, "sub"},
      {"big", piFontSize, "1.25em"},
      {"small", piFontSize, "0.75em"},
      {"table", piTextAlign, "none"},
      {"i", piFontStyle, "italic"},
      {"em", piFontStyle, "italic"},
      {"cite", piFontStyle, "italic"},
      {"var", piFontStyle, "italic"},
      {"address", piFontStyle, "italic"},
      {"u", piTextDecoration, "underline"},
      {"s", piTextDecoration, "line-through"},
      {"strike", piTextDecoration, "line-through"},
      {"center", piTextAlign, "center"},
      {"caption", piTextAlign, "center"},
      {"input", piFontFamily, "Arial Unicode MS, Arial"},
      {"input", piFontSize, "10pt"},
      {"input", piFontStyle, "none"},
      {"input", piFontWeight, "normal"},
      {"input", piTextAlign, "left"},
      {"input", piTextDecoration, "none"},
      {"input", piColor, int32_t{0x112233}},
      {"select", piFontFamily, "Arial Unicode MS, Arial"},
      {"textarea", piFontFamily, "Courier New"},
      {"textarea", piFontSize, "10pt"},
      {"hr", piMarginLeft, z},
      {"hr", piMarginRight, z},
      {"hr", piMarginTop, uint8_t{10}},
      {"hr", piMarginBottom, uint8_t{10}},
      {"h1", piFontSize, 30.0},
      {"h2", piFontSize, 22.5},
      {"h3", piFontSize, 17.5},
      {"h4", piFontSize, 15.0},
      {"h5", piFontSize, 12.5},
      {"h6", piFontSize, 10.0},
      {"h3", piMarginTop, uint8_t{19}},
      {"h6", piMarginBottom, uint8_t{19}},
      {"h2", piFontWeight, "bold"},
  };
  for (const auto& c : cases) {
    const TProperties* rule = list.Find(c.key);
    ASSERT_NE(rule, nullptr) << c.key;
    EXPECT_EQ(rule->Values[c.index], c.want) << c.key << " " << PropertyName(c.index);
  }
  // Reals are stored as reals, small numbers as bytes.
  EXPECT_TRUE(list.Find("h1")->Values[piFontSize].IsReal());
  EXPECT_TRUE(list.Find("ul")->Values[piPaddingLeft].IsByte());
  EXPECT_TRUE(list.Find("null") != nullptr);
  EXPECT_EQ(list.Count(), 47);
}

TEST(DefaultSheet, DocumentFactsAndSettings) {
  TStyleList list;
  TDefaultSheetSettings s = Settings();
  s.UnderlineLinks = false;
  list.DescendantSerial = 33;
  list.BuildDefaultSheet(s);
  ASSERT_NE(list.DefaultRule(), nullptr);
  EXPECT_EQ(list.DefaultRule(), list.Find("default"));
  EXPECT_EQ(list.DefaultRule()->DefaultFontName, "Verdana");
  EXPECT_EQ(list.DefaultRule()->Charset, 204);
  EXPECT_EQ(list.DescendantSerial, 10);
  EXPECT_DOUBLE_EQ(DefaultFontSize(), 15);
  EXPECT_EQ(list.Find("::link")->Values[piTextDecoration], PropValue("none"));

  // Link colours carry the palette flag on palette screens.
  SetPaletteFlag(0x02000000);
  list.BuildDefaultSheet(s);
  SetPaletteFlag(0);
  EXPECT_EQ(list.Find("::hover")->Values[piColor], PropValue(int32_t{0x02AA0000}));
  EXPECT_EQ(list.Find("default")->Values[piColor], PropValue(int32_t{0x112233}));
  list.BuildDefaultSheet({});
}
