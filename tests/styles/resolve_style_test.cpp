#include <gtest/gtest.h>

#include "styles/lengths.h"
#include "tests/styles/style_fixture.h"

using namespace html;
using html::testing::Color;
using html::testing::StyleFixture;

using ResolveStyle = StyleFixture;

constexpr plat::TColor kRed = 0x0000FF, kGreen = 0x008000, kBlue = 0xFF0000, kYellow = 0x00FFFF,
                       kGray = 0x808080, kOlive = 0x008080;

TEST_F(ResolveStyle, DefaultSheetThroughTags) {
  struct Case {
    const char* tag;
    int index;
    PropValue want;
  } cases[] = {
      {"h1", piFontSize, 24.0},
      {"h1", piFontWeight, "bold"},
      {"h6", piFontSize, 8.0},
      {"h2", piMarginTop, uint8_t{19}},
      {"big", piFontSize, 15.0},
      {"small", piFontSize, 9.0},
      {"sup", piFontSize, 9.0},
      {"sup", piVerticalAlign, "super"},
      {"pre", piFontSize, 10.0},
      {"pre", piFontFamily, "Courier New"},
      {"code", piFontSize, 0.833 * 12},
      {"p", piMarginTop, LengthParaSpace},
      {"ul", piPaddingLeft, uint8_t{35}},
      {"i", piFontStyle, "italic"},
      {"th", piFontWeight, "bold"},
      {"div", piFontSize, 12.0},
      {"div", piMarginTop, LengthUnset},
      {"div", piColor, Color(plat::clBtnText)},
      {"input", piFontSize, 10.0},
      {"table", piTextAlign, "none"},
  };
  for (const auto& c : cases) {
    TProperties& set = Open(c.tag);
    EXPECT_EQ(set.Values[c.index], c.want) << c.tag << " " << PropertyName(c.index);
    EXPECT_EQ(set.TagName, c.tag);
    Close();
  }
}

TEST_F(ResolveStyle, TagClassAndIdRulesInOrderOfSpecificity) {
  Rule("p", "color", "red");
  Rule(".x", "color", "green");
  Rule("p.x", "color", "blue");
  Rule("#main", "color", "yellow");
  Rule("p#main", "color", "gray");
  Rule(".x#main", "color", "olive");
  struct Case {
    const char* tag;
    const char* cls;
    const char* id;
    plat::TColor want;
  } cases[] = {
      {"p", "", "", kRed},          {"p", "x", "", kBlue},    {"div", "x", "", kGreen},
      {"div", "", "main", kYellow}, {"p", "", "main", kGray}, {"div", "x", "main", kOlive},
      {"p", "y", "", kRed},         {"p", " x ", "", kBlue},
  };
  for (const auto& c : cases) {
    TProperties& set = Open(c.tag, c.cls, c.id);
    EXPECT_EQ(set.Values[piColor], Color(c.want)) << c.tag << "." << c.cls << "#" << c.id;
    EXPECT_EQ(set.StyledTextColor(), c.want);
    Close();
  }
}

TEST_F(ResolveStyle, InlineStyleComesLastAndRelativeSizesUseTheParent) {
  Rule("#main", "color", "yellow");
  Rule("div", "font-size", "20pt");
  auto inlineStyle = NewInlineStyleSet();
  inlineStyle->StoreDeclarationByName("color", "green");
  inlineStyle->StoreDeclarationByName("font-size", "150%");
  Open("div");
  TProperties& p = Open("p", "", "main", "", inlineStyle, "a tip");
  EXPECT_EQ(p.Values[piColor], Color(kGreen));
  EXPECT_EQ(p.Values[piFontSize], PropValue(30.0));
  EXPECT_EQ(p.InlineStyle, inlineStyle);
  EXPECT_EQ(p.Title, "a tip");
  EXPECT_EQ(p.IdText, "main");
  EXPECT_EQ(Open("b").Title, "a tip");  // inherited when not given
}

TEST_F(ResolveStyle, ZIndexOfAnEarlierRuleSurvivesLaterRules) {
  Rule("p", "z-index", "5");
  Rule(".x", "color", "red");
  Rule("#y", "text-align", "right");
  TProperties& p = Open("p", "x", "y");
  EXPECT_EQ(p.ZIndexValue(), 5);
}

TEST_F(ResolveStyle, SeveralClassesTakeTheirBaseSizeOnce) {
  Rule("p", "font-size", "2em");
  Rule(".a", "font-size", "150%");
  TProperties& one = Open("p", "b");
  EXPECT_EQ(one.Values[piFontSize], PropValue(24.0));
  Close();
  TProperties& two = Open("p", "a.b");
  EXPECT_EQ(two.Values[piFontSize], PropValue(18.0));  // 150% of the inherited 12, once
  Close();
  TProperties& three = Open("p", "b.c");
  EXPECT_EQ(three.Values[piFontSize], PropValue(24.0));  // the tag's 2em of 12, not of 24
}

TEST_F(ResolveStyle, TagRulesDoNotOverrideAnEarlierClass) {
  Rule("p", "color", "red");
  Rule(".a", "color", "blue");
  Rule("p:link", "color", "gray");
  EXPECT_EQ(Open("p", "a.b").Values[piColor], Color(kBlue));
  Close();
  // Single, then compound: the rule for both classes wins over each alone.
  Rule(".b", "color", "green");
  Rule(".a.b", "font-weight", "bold");
  Rule(".a", "font-weight", "lighter");
  Rule(".b", "font-weight", "normal");
  TProperties& p = Open("p", "a.b");
  EXPECT_EQ(p.Values[piColor], Color(kGreen));
  EXPECT_EQ(p.Values[piFontWeight], PropValue("bold"));
}

// Each row: the winning rule first, then the losing one (both "color"), and
// an element opened inside a "div". A second class must not move class rules
// past rules that outrank them, nor let lower rules pass a class rule.
TEST_F(ResolveStyle, SeveralClassesKeepTheOrderOfOneClass) {
  struct Sel {
    const char* subject;
    const char* ancestor;  // "" for a simple selector
  };
  struct Case {
    const char* what;
    Sel winner, loser;
    const char *tag, *cls, *id;
    bool link;
  } cases[] = {
      {"id over its only class", {"#x", ""}, {".b", ""}, "p", "b", "x", false},
      {"id over the second class", {"#x", ""}, {".b", ""}, "p", "a.b", "x", false},
      {"id over the compound", {"#x", ""}, {".a.b", ""}, "p", "a.b", "x", false},
      {"tag#id over the second class", {"p#x", ""}, {".b", ""}, "p", "a.b", "x", false},
      {"class#id over id", {".b#x", ""}, {"#x", ""}, "p", "a.b", "x", false},
      {"a:link over its only class", {"a:link", ""}, {".b", ""}, "a", "b", "", true},
      {"a:link over the second class", {"a:link", ""}, {".b", ""}, "a", "a.b", "", true},
      {"class:link over a:link", {".b:link", ""}, {"a:link", ""}, "a", "a.b", "", true},
      {"div p over its only class", {"p", "div"}, {".b", ""}, "p", "b", "", false},
      {"div p over the second class", {"p", "div"}, {".b", ""}, "p", "a.b", "", false},
      {"div p over the compound", {"p", "div"}, {".a.b", ""}, "p", "a.b", "", false},
      {"div p.b over div p", {"p.b", "div"}, {"p", "div"}, "p", "a.b", "", false},
      {"div p.a.b over div p.b", {"p.a.b", "div"}, {"p.b", "div"}, "p", "a.b", "", false},
      {"div .b over div p", {".b", "div"}, {"p", "div"}, "p", "a.b", "", false},
      // Subjects with classes keep their place among the others in key order.
      {"div p.b over div p#x", {"p.b", "div"}, {"p#x", "div"}, "p", "a.b", "x", false},
      {"div a:link over div a.b", {"a:link", "div"}, {"a.b", "div"}, "a", "b", "", true},
      {"div a:link over div a.a.b", {"a:link", "div"}, {"a.a.b", "div"}, "a", "a.b", "", true},
      {"its only class over tag", {".b", ""}, {"p", ""}, "p", "b", "", false},
      {"second class over tag", {".b", ""}, {"p", ""}, "p", "a.b", "", false},
      {"first class over tag", {".a", ""}, {"p", ""}, "p", "a.b", "", false},
      {"class over :link", {".a", ""}, {":link", ""}, "a", "a.b", "", true},
      {"compound over each class", {".a.b", ""}, {".a", ""}, "p", "a.b", "", false},
      {"compound over tag.class", {".a.b", ""}, {"p.b", ""}, "p", "a.b", "", false},
  };
  for (const auto& c : cases) {
    styles.BuildDefaultSheet(settings);
    for (const auto& [sel, color] : {std::pair{c.winner, "red"}, std::pair{c.loser, "blue"}}) {
      const std::string key = *sel.ancestor ? Desc(sel.subject, {sel.ancestor}) : sel.subject;
      Rule(key, "color", color);
    }
    Open("div");
    TProperties& set = Open(c.tag, c.cls, c.id, c.link ? "link" : "");
    EXPECT_EQ(set.Values[piColor], Color(kRed)) << c.what;
    Close();
    Close();
  }
}

TEST_F(ResolveStyle, DescendantRules) {
  // The default sheet's "p 11pre ": no top margin for a paragraph in "pre".
  Open("pre");
  Open("div");
  EXPECT_EQ(Open("p").Values[piMarginTop], PropValue(uint8_t{0}));
  stack.DeleteAt(1);
  stack.DeleteAt(1);
  stack.DeleteAt(1);
  EXPECT_EQ(Open("p").Values[piMarginTop], PropValue(LengthParaSpace));
  Close();

  Rule(Desc("li", {"ul>"}), "color", "red");
  Rule(Desc("li", {"ul"}), "font-weight", "bold");
  Open("ul");
  TProperties& direct = Open("li");
  EXPECT_EQ(direct.Values[piColor], Color(kRed));
  EXPECT_EQ(direct.Values[piFontWeight], PropValue("bold"));
  Close();
  Open("ol");
  TProperties& nested = Open("li");
  EXPECT_NE(nested.Values[piColor], Color(kRed));
  EXPECT_EQ(nested.Values[piFontWeight], PropValue("bold"));
}

TEST_F(ResolveStyle, DescendantComponentsMatchClassesIdsAndPseudoClasses) {
  Rule(Desc("p", {"div.a.b"}), "color", "red");
  Rule(Desc("p", {"#box", "body"}), "font-weight", "bold");
  Rule(Desc("p.x", {"div"}), "text-align", "right");
  Rule(Desc("b", {"a:link"}), "font-style", "italic");
  Open("body");
  Open("div", "a.b.c", "box");
  TProperties& p = Open("p");
  EXPECT_EQ(p.Values[piColor], Color(kRed));
  EXPECT_EQ(p.Values[piFontWeight], PropValue("bold"));
  EXPECT_EQ(p.Values[piTextAlign], PropValue("left"));
  Close();
  EXPECT_EQ(Open("p", "x").Values[piTextAlign], PropValue("right"));
  Close();
  Link();
  EXPECT_EQ(Open("b").Values[piFontStyle], PropValue("italic"));
}

TEST_F(ResolveStyle, AncestorClassesFollowChangesToClassText) {
  Rule(Desc("p", {"div.a.b"}), "color", "red");
  TProperties& div = Open("div", "b. c .a.b");
  EXPECT_EQ(div.ClassList(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(Open("p").Values[piColor], Color(kRed));
  Close();
  div.ClassText = "a.c";  // set directly, as the reader may
  EXPECT_EQ(div.ClassList(), (std::vector<std::string>{"a", "c"}));
  EXPECT_NE(Open("p").Values[piColor], Color(kRed));
  Close();
  div.ClassText = "b.a";
  EXPECT_EQ(Open("p").Values[piColor], Color(kRed));
}

TEST_F(ResolveStyle, RulesWithMoreAncestorsThanOpenElementsNeverApply) {
  Rule(Desc("p", {"div", "div"}), "color", "red");
  Open("div");
  EXPECT_NE(Open("p").Values[piColor], Color(kRed));
  Close();
  Open("div");
  EXPECT_EQ(Open("p").Values[piColor], Color(kRed));
}

TEST_F(ResolveStyle, TheDocumentBaseSetIsNoAncestor) {
  Rule(Desc("p", {"default"}), "color", "red");
  EXPECT_NE(Open("p").Values[piColor], Color(kRed));
}

TEST_F(ResolveStyle, LaterDescendantRulesWinWhateverTheirNumber) {
  // The document's "pre p" comes after the built-in "p in pre" (serial 1).
  Rule(Desc("p", {"pre"}), "margin-top", "5px");
  Open("pre");
  EXPECT_EQ(Open("p").Values[piMarginTop], PropValue("5px"));
  Close();
  Close();
  // Serial 100 was declared after serial 99.
  styles.DescendantSerial = 99;
  Rule(Desc("p", {"div"}), "color", "red");
  Rule(Desc("p", {"div"}), "color", "blue");
  Open("div");
  EXPECT_EQ(Open("p").Values[piColor], Color(kBlue));
}

TEST_F(ResolveStyle, ScansSkipKeysThatDoNotFit) {
  // "a-x ..." sorts between the anchor's own keys; it must not end the scan.
  Rule(Desc("a-x", {"div"}), "color", "red");
  Rule(Desc("a.k", {"div"}), "font-weight", "bold");
  Rule(Desc(":link", {"div"}), "font-style", "italic");
  Open("div");
  TProperties& a = Link("k");
  EXPECT_EQ(a.Values[piFontWeight], PropValue("bold"));
  EXPECT_EQ(a.Values[piFontStyle], PropValue("italic"));
  EXPECT_NE(a.Values[piColor], Color(kRed));
}

TEST_F(ResolveStyle, DescendantRulesWhoseSubjectIsAnId) {
  Rule(Desc("#main", {"div"}), "color", "red");
  Open("div");
  EXPECT_EQ(Open("p", "", "main").Values[piColor], Color(kRed));
  Close();
  Close();
  EXPECT_NE(Open("p", "", "main").Values[piColor], Color(kRed));
}

TEST_F(ResolveStyle, LinkFontsUseTheViewersColours) {
  settings.DefHotSpotColor = 0x0000AA;
  settings.DefVisitedLinkColor = 0x00AA00;
  settings.DefOverLinkColor = 0xAA0000;
  styles.BuildDefaultSheet(settings);
  TProperties& a = Link();
  ASSERT_TRUE(a.HasLinkFonts && a.LinkFonts);
  const TFontInfoArray& f = *a.LinkFonts;
  EXPECT_EQ(f[LinkNormal].TextColor, 0x0000AA);
  EXPECT_EQ(f[LinkVisited].TextColor, 0x00AA00);
  EXPECT_EQ(f[LinkHover].TextColor, 0xAA0000);
  EXPECT_EQ(f[LinkVisitedHover].TextColor, 0xAA0000);
  for (const auto& font : f) EXPECT_TRUE(font.Styles.Underline);
  EXPECT_EQ(a.PseudoText, "link");

  settings.UnderlineLinks = false;
  styles.BuildDefaultSheet(settings);
  for (const auto& font : *Link().LinkFonts) EXPECT_FALSE(font.Styles.Underline);
}

TEST_F(ResolveStyle, DocumentLinkRulesReachTheLinkFonts) {
  Rule("a", "color", "red");
  Rule(":visited", "color", "gray");
  Rule("a:hover", "font-weight", "bold");
  Rule("a.k:hover", "background-color", "yellow");
  TProperties& a = Link("k");
  const TFontInfoArray& f = *a.LinkFonts;
  EXPECT_EQ(f[LinkNormal].TextColor, kRed);
  EXPECT_EQ(f[LinkVisited].TextColor, kGray);
  EXPECT_EQ(f[LinkVisitedHover].TextColor, kGray);  // ":visited" recoloured "::hover" too
  EXPECT_EQ(f[LinkHover].TextColor, kGray);
  EXPECT_FALSE(f[LinkNormal].Styles.Bold);
  EXPECT_TRUE(f[LinkHover].Styles.Bold);
  EXPECT_TRUE(f[LinkVisitedHover].Styles.Bold);
  EXPECT_EQ(f[LinkHover].BackColor, kYellow);
  EXPECT_EQ(f[LinkNormal].BackColor, NoColor);
}

TEST_F(ResolveStyle, LinkStateRulesSeeTheAnchorsAncestors) {
  Rule(Desc("a:hover", {"li>"}), "color", "green");
  Rule(Desc("a:visited", {"li>"}), "font-style", "italic");
  Rule(Desc("a:hover", {"ul>"}), "color", "red");
  Open("ul");
  Open("li");
  TProperties& a = Link();
  const TFontInfoArray& f = *a.LinkFonts;
  EXPECT_EQ(f[LinkHover].TextColor, kGreen);
  EXPECT_EQ(f[LinkVisitedHover].TextColor, kGreen);
  EXPECT_TRUE(f[LinkVisited].Styles.Italic);
  EXPECT_TRUE(f[LinkVisitedHover].Styles.Italic);
  EXPECT_FALSE(f[LinkNormal].Styles.Italic);
  EXPECT_FALSE(f[LinkHover].Styles.Italic);
}

TEST_F(ResolveStyle, IdAndPseudoClassTogether) {
  Rule("a:hover#top", "color", "green");
  TProperties& a = Link("", "top");
  EXPECT_EQ((*a.LinkFonts)[LinkHover].TextColor, kGreen);
  EXPECT_NE((*a.LinkFonts)[LinkNormal].TextColor, kGreen);
}

TEST_F(ResolveStyle, LinkFontsLeaveTheStackAsFound) {
  Open("div");
  TProperties& a = Link();
  ASSERT_EQ(stack.Count(), 3);
  EXPECT_EQ(&stack.Top(), &a);
  TProperties& b = Open("b");
  ASSERT_TRUE(b.HasLinkFonts && b.LinkFonts);
  EXPECT_TRUE((*b.LinkFonts)[LinkNormal].Styles.Bold);  // "b" bolds the link fonts it carries
  EXPECT_FALSE((*a.LinkFonts)[LinkNormal].Styles.Bold);
  // Recomputing for an anchor below the top leaves every entry in place.
  std::vector<const TProperties*> before;
  for (int i = 0; i < stack.Count(); ++i) before.push_back(&stack.Item(i));
  a.ComputeLinkFonts(styles, stack, 2);
  ASSERT_EQ(stack.Count(), 4);
  for (int i = 0; i < stack.Count(); ++i) EXPECT_EQ(&stack.Item(i), before[static_cast<size_t>(i)]);
  EXPECT_THROW(a.ComputeLinkFonts(styles, stack, 3), std::logic_error);
}

TEST_F(ResolveStyle, RefreshOfALinkRecomputesItsFonts) {
  // <b><a href>x</b>y</a>: closing B recomputes the anchor's fonts under the root.
  Open("b");
  TProperties& a = Link();
  EXPECT_TRUE((*a.LinkFonts)[LinkNormal].Styles.Bold);
  stack.DeleteAt(1);
  a.RefreshFromParent(stack.Item(0), styles, stack, 1);
  ASSERT_TRUE(a.LinkFonts);
  EXPECT_FALSE((*a.LinkFonts)[LinkNormal].Styles.Bold);
  EXPECT_EQ(stack.Count(), 2);
}

TEST_F(ResolveStyle, ASetOffTheStackIsRefused) {
  TProperties loose;
  EXPECT_THROW(loose.ResolveStyle(styles, stack, "p", "", "", nullptr, "", ""), std::logic_error);
}
