#include "styles/style_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "styles/default_sheet.h"

using namespace html;

namespace {

std::vector<std::string> Keys(const TStyleList& list) {
  std::vector<std::string> keys;
  for (int i = 0; i < list.Count(); ++i) keys.push_back(list.Key(i));
  return keys;
}

// Each rule remembers its order of creation in "z-index".
TProperties& AddNumbered(TStyleList& list, const char* key, int n) {
  auto rule = std::make_unique<TProperties>(TPropSetKind::Rule);
  rule->Values[piZIndex] = int32_t{n};
  return list.Add(key, std::move(rule));
}

}  // namespace

TEST(TStyleList, SortedIgnoringCaseWithDuplicatesFirst) {
  TStyleList list;
  AddNumbered(list, "p", 1);
  AddNumbered(list, "b", 2);
  AddNumbered(list, "P", 3);
  AddNumbered(list, "a.x", 4);
  AddNumbered(list, "p", 5);
  EXPECT_EQ(Keys(list), (std::vector<std::string>{"a.x", "b", "p", "P", "p"}));
  // A new duplicate goes before the rules already under its key.
  EXPECT_EQ(list.Rule(2).Values[piZIndex], PropValue(int32_t{5}));
  EXPECT_EQ(list.Rule(3).Values[piZIndex], PropValue(int32_t{3}));
  EXPECT_EQ(list.Rule(4).Values[piZIndex], PropValue(int32_t{1}));
  EXPECT_EQ(list.IndexOf("P"), 2);
  EXPECT_EQ(list.IndexOf("q"), -1);
  EXPECT_EQ(list.LowerBound("c"), 2);
  EXPECT_EQ(list.Rule(0).TagName, "a.x");  // a rule is named by its key
}

TEST(TStyleList, ClearFreesRulesAndRestartsTheSerial) {
  TStyleList list;
  EXPECT_EQ(list.NextSerialText(), "10");
  EXPECT_EQ(list.NextSerialText(), "11");
  AddNumbered(list, "p", 1);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.DescendantSerial, 10);
  EXPECT_EQ(list.DefaultRule(), nullptr);
}

TEST(TStyleList, DescendantKeysAreParsedWhenAdded) {
  TStyleList list;
  AddNumbered(list, "a.k:link 312li.b.a.b ul> #top ", 1);
  AddNumbered(list, "p", 2);
  AddNumbered(list, "p ", 3);  // one component only
  ASSERT_EQ(Keys(list), (std::vector<std::string>{"a.k:link 312li.b.a.b ul> #top ", "p", "p "}));
  EXPECT_EQ(list.Descendant(1), nullptr);
  EXPECT_EQ(list.Descendant(2), nullptr);
  const TDescendantKey* key = list.Descendant(0);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->count, 3);
  EXPECT_EQ(key->serial, 12);
  EXPECT_EQ(key->subjectLength, 8u);
  ASSERT_EQ(key->components.size(), 4u);
  const TKeyComponent& subject = key->components[0];
  EXPECT_EQ(subject.name, "a");
  EXPECT_EQ(subject.classes, "k");
  EXPECT_EQ(subject.pseudo, "link");
  EXPECT_FALSE(subject.directParent);
  EXPECT_EQ(key->components[1].name, "li");
  EXPECT_EQ(key->components[1].classes, "b.a.b");
  EXPECT_EQ(key->components[1].classList, (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(key->components[1].directParent);  // "ul>" is its direct parent
  EXPECT_EQ(key->components[2].name, "ul");
  EXPECT_EQ(key->components[3].id, "top");
}

TEST(StoreRuleDeclaration, CreatesOnceAndOverwrites) {
  TStyleList list;
  list.StoreRuleDeclaration("h1", "color", "red");
  list.StoreRuleDeclaration("h1", "color", "blue");
  list.StoreRuleDeclaration("h1", "font-size", "2em");
  list.StoreRuleDeclaration("h2", "no-such-property", "1");
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Rule(0).Values[piColor], PropValue(int32_t{0xFF0000}));
  EXPECT_EQ(list.Rule(0).Values[piFontSize], PropValue("2em"));
  // Rule sets leave undeclared values empty, z-index included.
  EXPECT_EQ(list.Rule(0).Values[piZIndex], PropValue());

  list.StoreRuleDeclaration("p", "color", "nonsense");  // not a colour: nothing, unlike STYLE
  ASSERT_NE(list.Find("p"), nullptr);
  EXPECT_EQ(list.Find("p")->Values[piColor], PropValue());
  list.StoreRuleDeclaration("p", "background-color", "nonsense");
  EXPECT_EQ(list.Find("p")->Values[piBackgroundColor], PropValue(int32_t{NoColor}));
  list.StoreRuleDeclaration("p", "visibility", "collapse");
  EXPECT_EQ(list.Find("p")->Values[piVisibility], PropValue());
}

TEST(StoreRuleDeclaration, DocumentLinkColoursReachTheLinkStates) {
  TStyleList list;
  list.BuildDefaultSheet({});
  auto color = [&](const char* key) { return list.Find(key)->Values[piColor]; };

  list.StoreRuleDeclaration("a", "color", "red");  // also reaches "::link"
  EXPECT_EQ(color("::link"), PropValue(int32_t{0x0000FF}));
  EXPECT_EQ(color("a"), PropValue(int32_t{0x0000FF}));
  EXPECT_EQ(color("::visited"), PropValue(int32_t{plat::clPurple}));

  list.StoreRuleDeclaration(":link", "color", "green");
  EXPECT_EQ(color("::hover"), PropValue(int32_t{0x008000}));
  EXPECT_EQ(color("::visited"), PropValue(int32_t{0x008000}));
  EXPECT_EQ(color("::link"), PropValue(int32_t{0x0000FF}));

  list.StoreRuleDeclaration(":visited", "color", "gray");
  EXPECT_EQ(color("::hover"), PropValue(int32_t{0x808080}));
  EXPECT_EQ(color("::visited"), PropValue(int32_t{0x008000}));

  list.StoreRuleDeclaration("a", "text-decoration", "none");
  EXPECT_EQ(list.Find("::link")->Values[piTextDecoration], PropValue("none"));

  list.SetPseudoLinkColor("visited", 0x010203);
  EXPECT_EQ(color("::visited"), PropValue(int32_t{0x010203}));
  list.SetPseudoLinkColor("active", 0x010203);  // no such rule: nothing
  EXPECT_EQ(list.Find("::active"), nullptr);
}

TEST(StoreRuleDeclaration, HoverRulesTellTheDocument) {
  int told = 0;
  TStyleList list([&] { ++told; });
  list.StoreRuleDeclaration("a", "color", "red");
  EXPECT_EQ(told, 0);
  list.StoreRuleDeclaration("a:hover", "color", "red");
  list.StoreRuleDeclaration("a.x:hover", "font-weight", "bold");
  list.StoreRuleDeclaration("a:hover", "no-such-property", "x");  // dropped before anything
  EXPECT_EQ(told, 2);
}

TEST(CopyRuleAs, CopiesValuesUnderANewKey) {
  TStyleList list;
  list.StoreRuleDeclaration("b", "font-weight", "bold");
  TProperties& copy = list.CopyRuleAs("strong", *list.Find("b"));
  EXPECT_EQ(copy.Values[piFontWeight], PropValue("bold"));
  EXPECT_EQ(copy.TagName, "strong");
  list.Find("b")->Values[piFontWeight] = "normal";
  EXPECT_EQ(copy.Values[piFontWeight], PropValue("bold"));
}
