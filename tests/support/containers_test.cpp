// Owning lists, attribute lists, link targets, name lists and selection sinks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/attributes.h"
#include "support/alloc_rec.h"
#include "support/free_list.h"
#include "support/id_names.h"
#include "support/sel_text.h"
#include "support/url_target.h"

using namespace html;

namespace {

// Records the order in which items are freed.
struct Tracked {
  Tracked(std::vector<int>& log, int id) : log(log), id(id) {}
  ~Tracked() { log.push_back(id); }
  std::vector<int>& log;
  int id;
};

std::unique_ptr<TAttribute> Attr(THtmlSymbol sym, const std::string& name, const std::string& value) {
  auto a = std::make_unique<TAttribute>();
  a->AttrSymbol = sym;
  a->AttrName = name;
  a->StrValue = value;
  return a;
}

}  // namespace

TEST(FreeList, FreesItemsInIndexOrder) {
  std::vector<int> log;
  {
    TFreeList<Tracked> list;
    for (int i = 0; i < 3; ++i) list.Add(std::make_unique<Tracked>(log, i));
    list.Clear();
    EXPECT_EQ(log, (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(list.Empty());
    for (int i = 3; i < 6; ++i) list.Add(std::make_unique<Tracked>(log, i));
    list.Delete(1);
    EXPECT_EQ(log.back(), 4);
    EXPECT_EQ(list.Items(7), nullptr);  // out of range is answered, not trapped
  }
  EXPECT_EQ(log, (std::vector<int>{0, 1, 2, 4, 3, 5}));
}

TEST(AttributeList, FindAnswersTheFirstOfDuplicates) {
  TAttributeList list;
  list.Add(Attr(syHref, "HREF", "first"));
  list.Add(Attr(syHref, "HREF", "second"));
  ASSERT_NE(list.Find(syHref), nullptr);
  EXPECT_EQ(list.Find(syHref)->StrValue, "first");
  EXPECT_EQ(list.Find(sySrc), nullptr);
  EXPECT_EQ(list.AsStringList(), (std::vector<std::string>{"HREF=first", "HREF=second"}));
  EXPECT_EQ(list.AsText(), "HREF=first\r\nHREF=second");
}

TEST(AttributeList, ClassSelector) {
  struct Case {
    const char* value;
    const char* want;
  } cases[] = {{" Foo ", "foo"}, {"b a", "a.b"}, {"x  y", "x.y"}, {"C b A", "a.b.c"}, {"", ""}};
  for (const auto& c : cases) {
    TAttributeList list;
    list.Add(Attr(syClass, "CLASS", c.value));
    EXPECT_EQ(list.ClassSelector(), c.want) << "'" << c.value << "'";
  }
  TAttributeList none;
  EXPECT_EQ(none.ClassSelector(), "");
}

TEST(AttributeList, IdIsComputedOncePerTag) {
  TAttributeList list;
  list.Add(Attr(syId, "ID", "Main"));
  EXPECT_EQ(list.IdName(), "main");
  list.Find(syId)->StrValue = "Other";
  EXPECT_EQ(list.IdName(), "main");  // cached until Clear
  list.Clear();
  EXPECT_EQ(list.IdName(), "");
  list.Add(Attr(syId, "ID", "Next"));
  list.Add(Attr(syTitle, "TITLE", "Tip"));
  list.Clear();
  list.Add(Attr(syId, "ID", "Next"));
  EXPECT_EQ(list.IdName(), "next");
  EXPECT_EQ(list.TitleText(), "");
}

TEST(AttributeList, InlineStyleWithoutAParserGivesNothing) {
  TAttributeList list;
  EXPECT_EQ(list.InlineStyleProps(), nullptr);
  list.Add(Attr(syStyle, "STYLE", "color: red"));
  EXPECT_EQ(list.InlineStyleProps(), nullptr);
}

TEST(UrlTarget, LinkNumbersGrowAndCloseLinkStampsTheRunsOfOneLink) {
  TAttributeList attrs;
  attrs.Add(Attr(syHref, "HREF", "a.htm"));
  TUrlTarget first, second;
  int32_t n = PeekNextLinkNumber();
  EXPECT_GE(n, 10);
  first.SetLink("a.htm", "", 5, attrs);
  second.SetLink("b.htm", "_top", 50, attrs);
  EXPECT_EQ(first.LinkNumber, n);
  EXPECT_EQ(second.LinkNumber, n + 1);
  EXPECT_EQ(first.FirstIndex(), 5);
  EXPECT_EQ(first.AttrText, "HREF=a.htm");

  // Runs: one of the first link, then two of the second.
  TUrlTarget r1, r2, r3;
  r1.CopyFrom(first);
  r2.CopyFrom(second);
  r3.CopyFrom(second);
  second.CloseLink({&r1, &r2, &r3}, 77);
  EXPECT_EQ(second.LastIndex(), 77);
  EXPECT_EQ(r3.LastIndex(), 77);
  EXPECT_EQ(r2.LastIndex(), 77);
  EXPECT_EQ(r1.LastIndex(), -1);

  second.ClearLink();
  EXPECT_EQ(second.Url, "");
  EXPECT_EQ(second.LinkNumber, 0);
  EXPECT_EQ(second.FirstIndex(), -1);
  EXPECT_EQ(second.LastIndex(), -1);
}

namespace {

struct FakeRoot : TSourcePositionFinder {
  bool FindSourcePosition(int32_t index, int& y) override {
    if (index < 0) return false;
    y = index * 2;
    return true;
  }
};

struct Marker : TIDObject {
  explicit Marker(int y) : y(y) {}
  int YPosition() const override { return y; }
  int y;
};

}  // namespace

TEST(IDNameList, LastRegistrationWinsIgnoringCase) {
  FakeRoot root;
  TIDNameList names(&root);
  Marker m1(10), m2(20);
  names.AddObject("Top", &m1);
  names.AddObject("TOP", &m2);
  EXPECT_EQ(names.Count(), 1u);
  EXPECT_EQ(names.Find("top"), &m2);
  names.AddChPosObject("pos", 21);
  ASSERT_NE(names.Find("POS"), nullptr);
  EXPECT_EQ(names.Find("POS")->YPosition(), 42);
  names.AddChPosObject("neg", -1);
  EXPECT_EQ(names.Find("neg")->YPosition(), 0);  // not locatable
  names.AddObject("pos", &m1);  // replaces (and frees) the position object
  EXPECT_EQ(names.Find("pos"), &m1);
  EXPECT_EQ(names.Find("missing"), nullptr);
  names.Clear();
  EXPECT_EQ(names.Count(), 0u);
}

TEST(SelText, CountSizesTheBufferExactly) {
  const std::u16string text = u"ab\x02" u"c\x04\x08" u"d";
  SelTextCount count;
  count.AddText(text.data(), text.size());
  count.AddTextCR(text.data(), 1);
  size_t n = count.Terminate();
  EXPECT_EQ(n, 4u + 1u + 2u);
  std::vector<char16_t> buf(n + 1, u'#');
  SelTextBuf copy(buf.data(), buf.size());
  copy.AddText(text.data(), text.size());
  copy.AddTextCR(text.data(), 1);
  EXPECT_EQ(copy.Terminate(), n + 1);
  EXPECT_EQ(std::u16string(buf.data()), u"abcda\r\n");
}

TEST(SelText, BufferNeverOverflows) {
  const std::u16string ten = u"0123456789";
  std::vector<char16_t> buf(6, u'#');
  SelTextBuf five(buf.data(), 5);
  five.AddText(ten.data(), ten.size());
  EXPECT_EQ(five.Terminate(), 5u);
  EXPECT_EQ(std::u16string(buf.data()), u"0123");
  EXPECT_EQ(buf[5], u'#');
  SelTextBuf none(buf.data(), 0);
  none.AddText(ten.data(), ten.size());
  EXPECT_EQ(none.Terminate(), 0u);
  EXPECT_EQ(buf[0], u'0');  // untouched
}

TEST(AllocRec, LargeBlocksStartAt65280Bytes) {
  EXPECT_TRUE(AllocRec(65280).IsLarge());
  EXPECT_FALSE(AllocRec(65279).IsLarge());
  AllocRec zero(0);
  EXPECT_NE(zero.BlockPtr(), nullptr);
  EXPECT_THROW(AllocRec(SIZE_MAX / 2), EAbort);
}
