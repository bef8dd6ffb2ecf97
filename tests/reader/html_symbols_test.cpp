#include "reader/html_symbols.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace html;

TEST(LookupTag, StartAndEndSymbols) {
  struct Case {
    const char* name;
    bool end;
    THtmlSymbol want;
  } cases[] = {
      {"HTML", false, syHtml},        {"HTML", true, syHtmlEnd},     {"H", false, syH},
      {"H", true, syHEnd},            {"TD", false, syTd},           {"TD", true, syTdEnd},
      {"OBJECT", true, syObjectEnd},  {"TFOOT", true, syTFootEnd},   {"LI", false, syLi},
      {"LI", true, syUnknownTag},     // </li> has no end symbol: no effect on the document
      {"BR", true, syUnknownTag},     {"SELECTED", false, sySelected}, {"WRAP", false, syWrap},
      {"READONLY", false, syReadOnly}, {"PARAM", false, syParam},
      {"html", false, syUnknownTag},  // the scanner upper-cases; lookups are exact
      {"BLOCKQUOTE", false, syBlockquote},
      {"BLOCKQUOTEX", false, syUnknownTag},
      {"", false, syUnknownTag},
  };
  for (const auto& c : cases) EXPECT_EQ(LookupTag(c.name, c.end), c.want) << c.name << " end=" << c.end;
}

TEST(LookupTag, NamesLongerThanTwelveNeverMatch) {
  EXPECT_EQ(LookupTag("BLOCKQUOTE", false), syBlockquote);
  EXPECT_EQ(LookupTag(std::string(13, 'A'), false), syUnknownTag);
  EXPECT_EQ(LookupTag("BLOCKQUOTEAAA", false), syUnknownTag);
}

TEST(TagNames, StartAndEndNames) {
  EXPECT_EQ(TagNameOf(syTd), "td");
  EXPECT_EQ(TagNameOf(syH), "h");
  EXPECT_EQ(TagNameOf(syImg), "img");
  EXPECT_EQ(TagNameOf(syHref), "");  // an attribute only
  EXPECT_EQ(EndTagNameOf(syTHeadEnd), "thead");
  EXPECT_EQ(EndTagNameOf(syPEnd), "p");
  EXPECT_EQ(EndTagNameOf(syTd), "");
  EXPECT_EQ(EndSymbolOf(syTable), syTableEnd);
  EXPECT_EQ(EndSymbolOf(sySpan), sySpanEnd);
  EXPECT_FALSE(EndSymbolOf(syLi).has_value());
  EXPECT_FALSE(EndSymbolOf(syText).has_value());
}

TEST(LookupAttribute, SharedNamesAndFirstMatch) {
  struct Case {
    const char* name;
    THtmlSymbol want;
  } cases[] = {{"HREF", syHref},           {"VALUE", syValue},       {"SELECTED", sySelected},
               {"HTTP-EQUIV", syHttpEquiv}, {"TEXT", syText},         {"TITLE", syTitle},
               {"STYLE", syStyle},         {"SPAN", sySpan},          {"LABEL", syLabel},
               {"READONLY", syReadOnly},   {"BORDERCOLORLIGHT", syBorderColorLight},
               {"BORDERCOLORLIGHTX", syUnknownAttr}, {"href", syUnknownAttr}, {"FOO", syUnknownAttr}};
  for (const auto& c : cases) EXPECT_EQ(LookupAttribute(c.name), c.want) << c.name;
}

TEST(Symbols, ValuesAreFixed) {
  EXPECT_EQ(int(syHtml), 0);
  EXPECT_EQ(int(syAlign), 66);
  EXPECT_EQ(int(syOtherChar), 67);
  EXPECT_EQ(int(syUnknownTag), 69);
  EXPECT_EQ(int(syEol), 218);
  THtmlSymbolSet set{syTd, syTr};
  EXPECT_TRUE(set.Contains(syTd));
  EXPECT_FALSE(set.Contains(syTh));
  EXPECT_TRUE((set + THtmlSymbolSet{syTh}).Contains(syTh));
  EXPECT_FALSE((set - THtmlSymbolSet{syTd}).Contains(syTd));
}

TEST(LookupEntity, CaseSensitiveWithTheirCodePoints) {
  struct Case {
    const char* name;
    int want;  // -1: not an entity
  } cases[] = {{"apos", 0x2019}, {"Auml", 0xC4}, {"auml", 0xE4}, {"AUML", -1}, {"nbsp", 160},
               {"NBSP", -1},     {"yuml", 255},  {"Yuml", 376},  {"euro", 8364}, {"amp", 38},
               {"lt", 60},       {"diams", 9830}, {"AElig", 198}, {"aelig", 230}, {"sigmaf", 962},
               {"image", 8465},  {"", -1},       {"ampx", -1},  {"am", -1}};
  for (const auto& c : cases) {
    auto got = LookupEntity(c.name);
    if (c.want < 0)
      EXPECT_FALSE(got.has_value()) << c.name;
    else
      EXPECT_EQ(got.value_or(0), c.want) << c.name;
  }
}

TEST(LookupEntity, TableHasUniqueNamesAndEveryOneIsFound) {
  size_t n = 0;
  const TEntity* table = EntityTable(n);
  ASSERT_EQ(n, 253u);
  std::set<std::string> names;
  for (size_t i = 0; i < n; ++i) {
    EXPECT_TRUE(names.insert(table[i].Name).second) << "duplicate " << table[i].Name;
    EXPECT_EQ(LookupEntity(table[i].Name).value_or(0), table[i].Code) << table[i].Name;
  }
  // The fixed order: Latin-1 first, apos between piv and bull, euro last.
  EXPECT_STREQ(table[0].Name, "nbsp");
  EXPECT_STREQ(table[95].Name, "yuml");
  EXPECT_STREQ(table[n - 1].Name, "euro");
  for (size_t i = 0; i + 2 < n; ++i)
    if (std::string(table[i + 1].Name) == "apos") {
      EXPECT_STREQ(table[i].Name, "piv");
      EXPECT_STREQ(table[i + 2].Name, "bull");
    }
}
