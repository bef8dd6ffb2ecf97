#include "styles/properties.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "styles/prop_stack.h"
#include "styles/style_list.h"

using namespace html;

TEST(PropertyTable, NamesAndLookups) {
  std::set<std::string> names;
  for (int i = 0; i < kPropCount; ++i) {
    std::string name(PropertyName(i));
    EXPECT_TRUE(names.insert(name).second) << name;
    EXPECT_EQ(FindPropertyIndex(name), i) << name;
  }
  struct Case {
    const char* name;
    int index;
  } known[] = {{"font-family", 0},        {"letter-spacing", 6}, {"border-color", 10},
               {"border-left-style", 30}, {"left", 36},          {"visibility", 37},
               {"z-index", 45},           {"word-wrap", 55},     {"display", 59}};
  for (const auto& c : known) EXPECT_EQ(FindPropertyIndex(c.name), c.index) << c.name;
  EXPECT_FALSE(FindPropertyIndex("Color"));  // exact: the parser lower-cases first
  EXPECT_FALSE(FindPropertyIndex("colour"));
  EXPECT_FALSE(FindPropertyIndex(""));
  EXPECT_EQ(PropertyName(60), "");
  EXPECT_EQ(PropertyName(-1), "");
}

TEST(PropValue, NumbersCompareByValueTextsExactly) {
  EXPECT_EQ(PropValue(int32_t{0}), PropValue(uint8_t{0}));
  EXPECT_EQ(PropValue(int32_t{2}), PropValue(2.0));
  EXPECT_NE(PropValue("0"), PropValue(int32_t{0}));
  EXPECT_NE(PropValue(""), PropValue());
  EXPECT_EQ(PropValue(), PropValue());
  EXPECT_NE(PropValue("Bold"), PropValue("bold"));
  EXPECT_EQ(PropValue(14.4).TextForm(), "14.4");
  EXPECT_EQ(PropValue(1e20).TextForm(), "100000000000000000000");
  EXPECT_EQ(PropValue(uint8_t{7}).TextForm(), "7");
  EXPECT_EQ(PropValue(2.5).AsInteger(), 2);  // half to even
  EXPECT_EQ(PropValue("12").AsInteger(-1), -1);
}

TEST(TProperties, NewSetsAndRuleSets) {
  TProperties element;
  TProperties rule(TPropSetKind::Rule);
  for (int i = 0; i < kPropCount; ++i) {
    bool box = i >= piMarginTop && i <= piLeft;
    EXPECT_EQ(rule.Values[i], box ? PropValue(LengthUnset) : PropValue()) << PropertyName(i);
    PropValue want = i == piZIndex ? PropValue(int32_t{0}) : rule.Values[i];
    EXPECT_EQ(element.Values[i], want) << PropertyName(i);
    EXPECT_FALSE(element.StyledFlags[i]);
  }
  EXPECT_EQ(element.TextBackColor, NoColor);
  EXPECT_EQ(rule.Serial, element.Serial + 1);
}

namespace {

constexpr int kInherited[] = {0, 1, 2, 3, 4, 5, 6, 8, 37, 38, 43, 45, 46, 47, 50, 54, 55, 56};

enum class Kind { Inherit, Unset, Empty };
Kind ChildKind(int i) {
  for (int k : kInherited)
    if (k == i) return Kind::Inherit;
  return i >= piMarginTop && i <= piLeft ? Kind::Unset : Kind::Empty;
}

// A parent whose every property is given and styled.
void FillParent(TProperties& parent, const char* tag) {
  parent.TagName = tag;
  for (int i = 0; i < kPropCount; ++i) {
    parent.Values[i] = "v" + std::to_string(i);
    parent.StyledFlags[i] = true;
  }
}

}  // namespace

TEST(DeriveFrom, ParentKindsAgainstPropertyGroups) {
  for (const char* parentTag : {"div", "span", "tbody", "thead", "tfoot"}) {
    TProperties parent;
    FillParent(parent, parentTag);
    TProperties child;
    child.DeriveFrom(parent, "b");
    const std::string p = parentTag;
    const bool span = p == "span", group = p.front() == 't';
    for (int i = 0; i < kPropCount; ++i) {
      PropValue want;
      if (group || (span && i != piBorderStyle) || ChildKind(i) == Kind::Inherit)
        want = parent.Values[i];
      else if (ChildKind(i) == Kind::Unset)
        want = LengthUnset;
      EXPECT_EQ(child.Values[i], want) << p << " " << PropertyName(i);
      // Only a row group hands its values on as styled.
      EXPECT_EQ(child.StyledFlags[i], group) << p << " " << PropertyName(i);
    }
  }
}

TEST(DeriveFrom, TableWordWrapIsNormalUnlessTheParentHandsItOn) {
  struct Case {
    const char* parentTag;
    const char* want;
  } cases[] = {{"div", "normal"}, {"td", "normal"}, {"span", "break-word"}, {"tbody", "break-word"}};
  for (const auto& c : cases) {
    TProperties parent;
    parent.TagName = c.parentTag;
    parent.Values[piWordWrap] = "break-word";
    TProperties table, other;
    table.DeriveFrom(parent, "table");
    other.DeriveFrom(parent, "p");
    EXPECT_EQ(table.Values[piWordWrap], PropValue(c.want)) << c.parentTag;
    EXPECT_EQ(other.Values[piWordWrap], PropValue("break-word")) << c.parentTag;
  }
}

TEST(DeriveFrom, DocumentFactsAndLinkFontsTravel) {
  TProperties parent;
  parent.DefaultFontName = "Verdana";
  parent.TextBackColor = 0x112233;
  parent.Charset = 204;
  parent.CodePage = 1251;
  parent.Title = "tip";
  parent.EmPixels = 17;
  parent.ExPixels = 3;
  parent.TagName = "a";
  parent.ClassText = "x";
  parent.HasLinkFonts = true;
  parent.LinkFonts = std::make_unique<TFontInfoArray>();
  (*parent.LinkFonts)[LinkHover].FaceName = "Arial";
  TProperties child;
  child.DeriveFrom(parent, "b");
  EXPECT_EQ(child.DefaultFontName, "Verdana");
  EXPECT_EQ(child.TextBackColor, 0x112233);
  EXPECT_EQ(child.Charset, 204);
  EXPECT_EQ(child.CodePage, 1251);
  EXPECT_EQ(child.Title, "tip");
  EXPECT_EQ(child.EmPixels, 17);
  EXPECT_EQ(child.ExPixels, 8);
  EXPECT_EQ(child.TagName, "");
  EXPECT_EQ(child.ClassText, "");
  ASSERT_TRUE(child.HasLinkFonts && child.LinkFonts);
  EXPECT_NE(child.LinkFonts.get(), parent.LinkFonts.get());
  EXPECT_EQ(*child.LinkFonts, *parent.LinkFonts);
}

TEST(DeriveFrom, SpanBackgroundIsHeldButNotStyled) {
  TProperties span, group;
  span.TagName = "span";
  group.TagName = "tbody";
  for (TProperties* p : {&span, &group}) {
    p->Values[piBackgroundColor] = int32_t{0x00FF00};
    p->StyledFlags[piBackgroundColor] = true;
  }
  TProperties b, row;
  b.DeriveFrom(span, "b");
  row.DeriveFrom(group, "tr");
  EXPECT_EQ(b.Values[piBackgroundColor], PropValue(int32_t{0x00FF00}));
  EXPECT_EQ(b.StyledBackgroundColor(), NoColor);
  EXPECT_EQ(row.StyledBackgroundColor(), 0x00FF00);
}

TEST(RefreshFromParent, UnstyledValuesAreDerivedAgainFromTheNewParent) {
  // <div style="border:solid; margin-left:9px; font-weight:bold"><b><i>x</b>y</i>:
  // closing B leaves I under the div. It follows the div's inherited values
  // but does not take on the div's border, margins or background.
  TStyleList styles;
  TPropStack stack;
  auto& root = stack.Push(std::make_unique<TProperties>());
  auto& div = stack.Push(std::make_unique<TProperties>());
  div.DeriveFrom(root, "div");
  div.TagName = "div";
  div.Values[piBorderStyle] = "solid";
  div.Values[piMarginLeft] = "9px";
  div.Values[piBackgroundImage] = "url(a.gif)";
  div.Values[piFontWeight] = "bold";
  div.Values[piColor] = int32_t{0x0000FF};
  div.TextBackColor = 0x00FFFF;
  auto& i = stack.Push(std::make_unique<TProperties>());
  i.DeriveFrom(div, "i");
  i.TagName = "i";
  i.Values[piFontWeight] = "normal";  // as under the B, unstyled
  i.Values[piFontStyle] = "italic";
  i.StyledFlags[piFontStyle] = true;
  i.Values[piColor] = int32_t{0x00FF00};
  i.StyledFlags[piColor] = true;
  i.MakeFont();
  ASSERT_TRUE(i.CachedFont);

  i.RefreshFromParent(div, styles, stack, 2);
  EXPECT_EQ(i.Values[piFontWeight], PropValue("bold"));
  EXPECT_EQ(i.Values[piFontStyle], PropValue("italic"));
  EXPECT_EQ(i.Values[piColor], PropValue(int32_t{0x00FF00}));
  EXPECT_EQ(i.Values[piBorderStyle], PropValue());
  EXPECT_EQ(i.BorderStyleCode(), BorderNone);
  EXPECT_EQ(i.Values[piMarginLeft], PropValue(LengthUnset));
  EXPECT_EQ(i.Values[piBackgroundImage], PropValue());
  EXPECT_EQ(i.TextBackColor, 0x00FFFF);
  EXPECT_FALSE(i.CachedFont);

  // Under a span everything but the border style passes on, as when derived.
  div.TagName = "span";
  i.RefreshFromParent(div, styles, stack, 2);
  EXPECT_EQ(i.Values[piMarginLeft], PropValue("9px"));
  EXPECT_EQ(i.Values[piBorderStyle], PropValue());
}

TEST(RefreshFromParent, LinkFontsFollowTheParentOrGo) {
  TStyleList styles;
  TPropStack stack;
  TProperties parent;
  TProperties child;
  child.LinkFonts = std::make_unique<TFontInfoArray>();
  child.HasLinkFonts = true;
  child.RefreshFromParent(parent, styles, stack, 0);  // not a link, parent without link fonts
  EXPECT_FALSE(child.LinkFonts);
  EXPECT_FALSE(child.HasLinkFonts);

  parent.HasLinkFonts = true;
  parent.LinkFonts = std::make_unique<TFontInfoArray>();
  (*parent.LinkFonts)[LinkVisited].SizePt = 9;
  child.LinkFonts = std::make_unique<TFontInfoArray>();
  child.RefreshFromParent(parent, styles, stack, 0);
  ASSERT_TRUE(child.LinkFonts);
  EXPECT_EQ((*child.LinkFonts)[LinkVisited].SizePt, 9);
}

TEST(StoreDeclaration, WhatEachPropertyStores) {
  struct Case {
    const char* name;
    const char* text;
    int index;
    PropValue want;
  } cases[] = {
      {"font-size", "12pt", piFontSize, "12pt"},
      {"color", "red", piColor, int32_t{0x0000FF}},
      {"color", "nonsense", piColor, int32_t{0}},
      {"background-color", "#00f", piBackgroundColor, int32_t{0xFF0000}},
      {"background-color", "nonsense", piBackgroundColor, int32_t{NoColor}},
      {"border-color", "nonsense", piBorderColor, PropValue()},
      {"border-top-color", "nonsense", piBorderTopColor, LengthUnset},
      {"border-top-color", "lime", piBorderTopColor, int32_t{0x00FF00}},
      {"margin-top", "3em", piMarginTop, "3em"},
      {"width", "50%", piWidth, "50%"},
      {"visibility", "hidden", piVisibility, uint8_t{1}},
      {"visibility", "visible", piVisibility, uint8_t{2}},
      {"visibility", "collapse", piVisibility, PropValue()},
      {"text-transform", "uppercase", piTextTransform, uint8_t{1}},
      {"text-transform", "lowercase", piTextTransform, uint8_t{2}},
      {"text-transform", "capitalize", piTextTransform, uint8_t{0}},
      {"word-wrap", "break-word", piWordWrap, "break-word"},
      {"word-wrap", "anything", piWordWrap, "normal"},
      {"font-variant", "small-caps", piFontVariant, "small-caps"},
      {"font-variant", "normal", piFontVariant, "normal"},
      {"font-variant", "inherit", piFontVariant, PropValue()},
      {"float", "left", piFloat, "left"},
      {"unknown-thing", "x", piFloat, PropValue()},
  };
  for (const auto& c : cases) {
    TProperties set(TPropSetKind::Rule);
    set.StoreDeclarationByName(c.name, c.text);
    EXPECT_EQ(set.Values[c.index], c.want) << c.name << ": " << c.text;
    EXPECT_FALSE(set.StyledFlags[c.index]);
  }
}

TEST(StoreDeclaration, BorderShorthandsReachTheSides) {
  TProperties set(TPropSetKind::Rule);
  set.StoreDeclarationByName("border-style", "dashed");
  set.StoreDeclarationByName("border-color", "#0f0");
  for (int i = piBorderTopStyle; i <= piBorderLeftStyle; ++i) EXPECT_EQ(set.Values[i], PropValue("dashed"));
  for (int i = piBorderTopColor; i <= piBorderLeftColor; ++i)
    EXPECT_EQ(set.Values[i], PropValue(int32_t{0x00FF00}));
  EXPECT_EQ(set.Values[piBorderColor], PropValue(int32_t{0x00FF00}));

  // A side style other than "none" also becomes the element's border style.
  TProperties side(TPropSetKind::Rule);
  side.StoreDeclarationByName("border-left-style", "none");
  EXPECT_EQ(side.Values[piBorderStyle], PropValue());
  side.StoreDeclarationByName("border-left-style", "groove");
  EXPECT_EQ(side.Values[piBorderStyle], PropValue("groove"));
  EXPECT_EQ(side.Values[piBorderLeftStyle], PropValue("groove"));
}

TEST(ApplyRule, RulesTouchOnlyWhatTheyDeclare) {
  TProperties element;
  auto earlier = NewInlineStyleSet();
  earlier->StoreDeclarationByName("z-index", "5");
  earlier->StoreDeclarationByName("margin-left", "4px");
  earlier->StoreDeclarationByName("color", "red");
  auto later = NewInlineStyleSet();
  later->StoreDeclarationByName("text-align", "center");
  element.ApplyRule(*earlier);
  element.ApplyRule(*later);
  // A later rule that says nothing about z-index leaves the earlier one's.
  EXPECT_EQ(element.Values[piZIndex], PropValue("5"));
  EXPECT_EQ(element.ZIndexValue(), 5);
  EXPECT_EQ(element.Values[piMarginLeft], PropValue("4px"));
  EXPECT_EQ(element.Values[piTextAlign], PropValue("center"));
  EXPECT_TRUE(element.StyledFlags[piZIndex]);
  EXPECT_TRUE(element.StyledFlags[piMarginLeft]);
  EXPECT_FALSE(element.StyledFlags[piMarginRight]);
  EXPECT_EQ(element.Values[piMarginRight], PropValue(LengthUnset));
  EXPECT_EQ(element.StyledTextColor(), 0x0000FF);

  // Integers other than the unset marker are copied into box properties; reals are not.
  TProperties rule(TPropSetKind::Rule);
  rule.Values[piPaddingTop] = uint8_t{0};
  rule.Values[piPaddingLeft] = 2.0;
  element.ApplyRule(rule);
  EXPECT_EQ(element.Values[piPaddingTop], PropValue(int32_t{0}));
  EXPECT_TRUE(element.StyledFlags[piPaddingTop]);
  EXPECT_EQ(element.Values[piPaddingLeft], PropValue(LengthUnset));
}

TEST(SetIfNotStyled, NeverOverridesAStyledValue) {
  TProperties set;
  auto rule = NewInlineStyleSet();
  rule->StoreDeclarationByName("color", "blue");
  set.ApplyRule(*rule);
  set.SetIfNotStyled(piColor, int32_t{0x0000FF});
  EXPECT_EQ(set.Values[piColor], PropValue(int32_t{0xFF0000}));
  set.SetIfNotStyled(piTextAlign, "right");
  EXPECT_EQ(set.Values[piTextAlign], PropValue("right"));
  EXPECT_TRUE(set.StyledFlags[piTextAlign]);
  set.SetIfNotStyled(piTextAlign, "left");  // an attribute counts as styling too
  EXPECT_EQ(set.Values[piTextAlign], PropValue("right"));
  set.SetIfNotStyled(60, "x");  // outside the table: nothing
  set.SetIfNotStyled(-1, "x");
}

TEST(TakeTextBackground, OnlyAStyledColour) {
  TProperties set;
  set.Values[piBackgroundColor] = int32_t{0x123456};
  set.TakeTextBackground();
  EXPECT_EQ(set.TextBackColor, NoColor);
  set.StyledFlags[piBackgroundColor] = true;
  set.TakeTextBackground();
  EXPECT_EQ(set.TextBackColor, 0x123456);
}

TEST(CodeLookups, AlignAndBorderWords) {
  struct AlignCase {
    const char* text;
    AlignKind want;
  } aligns[] = {{"top", AlignTop},
                {"MIDDLE", AlignMiddle},
                {"absmiddle", AlignMiddle},
                {"Center", AlignMiddle},
                {"left", AlignLeft},
                {"right", AlignRight},
                {"bottom", AlignBottom},
                {"baseline", AlignBaseline},
                {"justify", AlignJustify},
                {"texttop", AlignNone},
                {"", AlignNone}};
  for (const auto& c : aligns) EXPECT_EQ(AlignCodeOf(c.text), c.want) << c.text;
  struct BorderCase {
    const char* text;
    BorderKind want;
  } borders[] = {{"none", BorderNone},     {"solid", BorderSolid},   {"inset", BorderInset},
                 {"outset", BorderOutset}, {"groove", BorderGroove}, {"ridge", BorderRidge},
                 {"dashed", BorderDashed}, {"dotted", BorderDotted}, {"double", BorderDouble},
                 {"Solid", BorderNone},    {"hidden", BorderNone}};
  for (const auto& c : borders) EXPECT_EQ(BorderCodeOf(c.text), c.want) << c.text;
}

TEST(UrlOf, Forms) {
  struct Case {
    PropValue value;
    const char* want;
  } cases[] = {{"url('a.gif')", "a.gif"},
               {"url(b.png)", "b.png"},
               {"url(\"c d.jpg\")", "c d.jpg"},
               {"none", ""},
               {int32_t{5}, ""},
               {"url('')", "''"},
               {"url(x", "x"},
               {"url()", ""}};
  for (const auto& c : cases) EXPECT_EQ(UrlOf(c.value), c.want) << c.value.TextForm();
}

TEST(BackgroundLayout, Placements) {
  struct Case {
    const char* position;
    PlacementKind h;
    int hOffset;
    PlacementKind v;
    int vOffset;
  } cases[] = {
      {nullptr, AtLength, 0, AtLength, 0},
      {"right bottom", AtRight, 0, AtBottom, 0},
      {"bottom right", AtRight, 0, AtBottom, 0},
      {"30px left", AtLeft, 30, AtLength, 30},
      {"top", AtCenter, 0, AtTop, 0},
      {"bottom", AtCenter, 0, AtBottom, 0},
      {"50%", AtPercent, 50, AtCenter, 0},
      {"center", AtCenter, 0, AtCenter, 0},
      {"left", AtLeft, 0, AtCenter, 0},
      {"12px", AtLength, 12, AtCenter, 0},
      {"10px 20%", AtLength, 10, AtPercent, 20},
      {"2em 1ex", AtLength, 32, AtLength, 7},
      {"top center", AtCenter, 0, AtTop, 0},
      {"center top", AtCenter, 0, AtTop, 0},
      {"left top", AtLeft, 0, AtTop, 0},
      {"  right   30%  ", AtRight, 0, AtPercent, 30},
  };
  for (const auto& c : cases) {
    TProperties set;
    if (c.position) set.Values[piBackgroundPosition] = c.position;
    BackgroundPlacement p[2];
    set.BackgroundLayout(16, 7, p);
    const char* name = c.position ? c.position : "(none)";
    EXPECT_EQ(p[0].Kind, c.h) << name;
    EXPECT_EQ(p[1].Kind, c.v) << name;
    if (c.h == AtLength || c.h == AtPercent) {
      EXPECT_EQ(p[0].Offset, c.hOffset) << name;
    }
    if (c.v == AtLength || c.v == AtPercent) {
      EXPECT_EQ(p[1].Offset, c.vOffset) << name;
    }
  }
}

TEST(BackgroundLayout, RepeatAndAttachment) {
  struct Case {
    const char* repeat;
    const char* attachment;
    bool hRepeat, vRepeat, fixed;
  } cases[] = {{nullptr, nullptr, true, true, false},
               {"no-repeat", "fixed", false, false, true},
               {" repeat-x ", "scroll", true, false, false},
               {"repeat-y", " fixed ", false, true, true},
               {"repeat", nullptr, true, true, false}};
  for (const auto& c : cases) {
    TProperties set;
    if (c.repeat) set.Values[piBackgroundRepeat] = c.repeat;
    if (c.attachment) set.Values[piBackgroundAttachment] = c.attachment;
    BackgroundPlacement p[2];
    set.BackgroundLayout(16, 7, p);
    EXPECT_EQ(p[0].Repeat, c.hRepeat);
    EXPECT_EQ(p[1].Repeat, c.vRepeat);
    EXPECT_EQ(p[0].Fixed, c.fixed);
    EXPECT_EQ(p[1].Fixed, c.fixed);
  }
}

TEST(Accessors, CodesFromValues) {
  TProperties set;
  EXPECT_EQ(set.VisibilityCode(), VisVisible);  // never 0
  set.Values[piVisibility] = uint8_t{VisHidden};
  EXPECT_EQ(set.VisibilityCode(), VisHidden);

  EXPECT_EQ(set.BulletCode(), BulletBlank);
  set.Values[piListStyleType] = "none";
  EXPECT_EQ(set.BulletCode(), BulletNone);
  set.Values[piListStyleType] = "upper-roman";
  EXPECT_EQ(set.BulletCode(), BulletUpperRoman);
  set.Values[piListStyleType] = "hebrew";
  EXPECT_EQ(set.BulletCode(), BulletBlank);

  ClearKind clear = ClearNone;
  set.Values[piClear] = "both";
  EXPECT_TRUE(set.TakeClearCode(clear));
  EXPECT_EQ(clear, ClearBoth);
  EXPECT_FALSE(set.TakeClearCode(clear));  // taken once

  AlignKind align = AlignNone;
  EXPECT_FALSE(set.VerticalAlignCode(align));
  set.Values[piVerticalAlign] = "text-top";
  EXPECT_TRUE(set.VerticalAlignCode(align));
  EXPECT_EQ(align, AlignTop);
  set.Values[piVerticalAlign] = "super";
  EXPECT_TRUE(set.VerticalAlignCode(align));
  EXPECT_EQ(align, AlignSuper);
  set.Values[piFloat] = "right";
  EXPECT_TRUE(set.FloatCode(align));
  EXPECT_EQ(align, AlignRight);
  set.Values[piFloat] = "centre";
  EXPECT_FALSE(set.FloatCode(align));

  EXPECT_EQ(set.PositionCode(), PlaceStatic);
  set.Values[piPosition] = "relative";
  EXPECT_EQ(set.PositionCode(), PlaceRelative);
  set.Values[piZIndex] = " 12 ";
  EXPECT_EQ(set.ZIndexValue(), 12);
  set.Values[piZIndex] = "auto";
  EXPECT_EQ(set.ZIndexValue(), 0);

  EXPECT_EQ(set.TransformCode(), TransformNone);
  set.Values[piTextTransform] = uint8_t{TransformLower};
  EXPECT_EQ(set.TransformCode(), TransformLower);
  set.Values[piTextTransform] = "uppercase";  // not a code: as not given
  EXPECT_EQ(set.TransformCode(), TransformNone);
  EXPECT_EQ(set.WordWrapText(), "normal");

  bool before, after, avoid;
  set.Values[piPageBreakBefore] = "always";
  set.Values[piPageBreakInside] = "avoid";
  set.PageBreakFlags(before, after, avoid);
  EXPECT_TRUE(before);
  EXPECT_FALSE(after);
  EXPECT_TRUE(avoid);

  std::string url = "old";
  EXPECT_FALSE(set.BackgroundImageUrl(url));
  set.Values[piBackgroundImage] = "none";
  EXPECT_TRUE(set.BackgroundImageUrl(url));
  EXPECT_EQ(url, "");
  set.Values[piBackgroundImage] = "url(tile.gif)";
  EXPECT_TRUE(set.BackgroundImageUrl(url));
  EXPECT_EQ(url, "tile.gif");
  set.Values[piListStyleImage] = "url('dot.png')";
  EXPECT_EQ(set.ListImageUrl(), "dot.png");

  EXPECT_FALSE(set.HasBorderStyleText());
  set.Values[piBorderStyle] = "ridge";
  EXPECT_EQ(set.BorderStyleCode(), BorderRidge);
  set.Values[piOverflow] = "hidden";
  set.Values[piDisplay] = "none";
  set.Values[piBorderCollapse] = "collapse";
  EXPECT_TRUE(set.OverflowHidden() && set.DisplayIsNone() && set.CollapsedBorders());
}

TEST(Accessors, LineHeightAndTextIndent) {
  TProperties set;
  set.EmPixels = 20;
  set.ExPixels = 10;
  EXPECT_EQ(set.LineHeightPixels(15), -1);
  struct Case {
    const char* text;
    int want;
  } lines[] = {{"1.5", 22},  {"2", 30},     {"1e1", 150},   {"24px", 24},
               {"150%", 30}, {"1.2em", 24}, {"normal", -1}, {"", 0}};
  for (const auto& c : lines) {
    set.Values[piLineHeight] = c.text;
    EXPECT_EQ(set.LineHeightPixels(15), c.want) << c.text;
  }
  bool percent = true;
  EXPECT_EQ(set.TextIndentValue(percent), 0);
  EXPECT_FALSE(percent);
  set.Values[piTextIndent] = "12.5%";
  EXPECT_EQ(set.TextIndentValue(percent), 12);
  EXPECT_TRUE(percent);
  set.Values[piTextIndent] = "2ex";  // ex counts as em here
  EXPECT_EQ(set.TextIndentValue(percent), 40);
  EXPECT_FALSE(percent);
}

TEST(Accessors, CopyBoxValuesGivesSideStylesAsCodes) {
  TProperties set;
  set.Values[piBorderTopStyle] = "dotted";
  set.Values[piBorderLeftStyle] = "bogus";
  set.Values[piMarginLeft] = "3px";
  set.Values[piBackgroundColor] = int32_t{7};
  TVMarginArray v = set.CopyBoxValues();
  EXPECT_EQ(v[piBorderTopStyle], PropValue(uint8_t{BorderDotted}));
  EXPECT_TRUE(v[piBorderTopStyle].IsByte());
  EXPECT_EQ(v[piBorderLeftStyle], PropValue(uint8_t{BorderNone}));
  EXPECT_EQ(v[piBorderRightStyle], PropValue(uint8_t{BorderNone}));  // unset
  EXPECT_EQ(v[piMarginLeft], PropValue("3px"));
  EXPECT_EQ(v[piBackgroundColor], PropValue(int32_t{7}));
  EXPECT_EQ(v[piWidth], PropValue(LengthUnset));
}
