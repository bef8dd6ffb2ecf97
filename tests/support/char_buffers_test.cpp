// The character buffers and the code-page helpers that feed them.
#include <gtest/gtest.h>

#include "support/char_buffers.h"
#include "support/text_helpers.h"

using namespace html;

namespace {

TCharCollection Collect(const std::string& bytes, int32_t firstIndex) {
  TCharCollection c;
  for (size_t i = 0; i < bytes.size(); ++i) c.AppendChar(bytes[i], firstIndex + static_cast<int32_t>(i));
  return c;
}

}  // namespace

TEST(CharCollection, GrowsInStepsOf50) {
  TCharCollection c;
  EXPECT_EQ(c.Capacity(), 300u);
  for (int i = 0; i < 301; ++i) c.AppendChar('x', i);
  EXPECT_EQ(c.Capacity(), 350u);
  EXPECT_EQ(c.Size(), 301u);
  EXPECT_EQ(c.Index(300), 300);
  EXPECT_EQ(c.Index(301), -1);
  TCharCollection d = Collect("abc", 1000);
  c.AddCollection(d);
  EXPECT_EQ(c.Size(), 304u);
  EXPECT_EQ(c.AsString().substr(301), "abc");
  EXPECT_EQ(c.Index(303), 1002);
  c.Clear();
  EXPECT_EQ(c.Size(), 0u);
  c.AppendChar('q', 7);
  EXPECT_EQ(c.AsString(), "q");
}

TEST(TokenObj, TextIsCachedAndRebuiltAfterAppends) {
  TokenObj t;
  t.AppendChar(u'a', 0);
  EXPECT_EQ(t.Text(), u"a");
  t.AppendChar(u'b', 1);
  EXPECT_EQ(t.Text(), u"ab");
  t.Clear();
  EXPECT_EQ(t.Text(), u"");
  for (int i = 0; i < 1000; ++i) t.AppendChar(u'z', i);
  EXPECT_EQ(t.Capacity(), 1000u);
  EXPECT_EQ(t.Index(999), 999);
}

TEST(TokenObj, AddStringKeepsSourcePositions) {
  struct Case {
    const char* name;
    std::string bytes;
    int32_t codePage;
    std::u16string chars;
    std::vector<int32_t> indices;
  } cases[] = {
      {"single byte", "caf\xE9", 1252, u"caf\u00E9", {10, 11, 12, 13}},
      {"utf-8 two-byte", "a\xC3\xA9", 65001, u"a\u00E9", {10, 11}},
      {"utf-8 four-byte", "x\xF0\x9F\x98\x80y", 65001, u"x\U0001F600y", {10, 11, 11, 15}},
      {"shift-jis", "a\x82\xA0" "b", 932, u"a\u3042b", {10, 11, 13}},
      {"unknown page reads as 1252", "\x80", 4242, u"\u20AC", {10}},
  };
  for (const auto& c : cases) {
    TokenObj t;
    t.AddString(Collect(c.bytes, 10), c.codePage);
    EXPECT_EQ(t.Text(), c.chars) << c.name;
    std::vector<int32_t> got;
    for (size_t i = 0; i < t.Size(); ++i) got.push_back(t.Index(i));
    EXPECT_EQ(got, c.indices) << c.name;
  }
}

TEST(TokenObj, TruncatedMultiByteTextStaysInsideTheRun) {
  // A lead byte that promises more bytes than there are.
  TokenObj t;
  t.AddString(Collect("ab\xF0\x9F", 0), 65001);
  ASSERT_GE(t.Size(), 3u);
  for (size_t i = 0; i < t.Size(); ++i) {
    EXPECT_GE(t.Index(i), 0);
    EXPECT_LE(t.Index(i), 3);
  }
}

TEST(CharByteLength, Utf8ByLeadByte) {
  struct Case {
    unsigned char lead;
    int want;
  } cases[] = {{0x00, 0}, {0x41, 1}, {0x80, 1}, {0xBF, 1}, {0xC3, 2}, {0xE3, 3}, {0xF0, 4}, {0xF8, 1}, {0xFF, 1}};
  for (const auto& c : cases) {
    std::string s(1, static_cast<char>(c.lead));
    EXPECT_EQ(CharByteLength(65001, s), c.want) << int(c.lead);
  }
  EXPECT_EQ(CharByteLength(65001, ""), 0);
  EXPECT_EQ(CharByteLength(932, "\x82\xA0"), 2);
  EXPECT_EQ(CharByteLength(932, "\x82"), 1);  // a lead byte at the end
  EXPECT_EQ(CharByteLength(1252, "\xE9"), 1);
}

TEST(WideHelpers, PositionsTrimAndCase) {
  EXPECT_EQ(WidePos(u"lo", u"hello"), 4);
  EXPECT_EQ(WidePos(u"", u"hello"), 0);
  EXPECT_EQ(WidePos(u"hello!", u"hello"), 0);
  EXPECT_EQ(WideScan(u"a.b.c", u'.'), 1);
  EXPECT_EQ(WideRScan(u"a.b.c", u'.'), 3);
  EXPECT_EQ(WideScan(u"abc", u'.'), -1);
  EXPECT_EQ(WideTrim(u"\t\r\n x y \x01"), u"x y");
  EXPECT_EQ(WideUpper(u"stra\u00DFe \u00E9"), u"STRA\u00DFE \u00C9");
  EXPECT_EQ(WideLower(u"ABC \u0394"), u"abc \u03B4");
  EXPECT_EQ(PosFrom("b", "abcb", 0), 2);
  EXPECT_EQ(PosFrom("b", "abcb", 3), 4);
  EXPECT_EQ(PosFrom("b", "abcb", 5), 0);
  EXPECT_EQ(IntMin(-3, 2), -3);
  EXPECT_EQ(IntMax(-3, 2), 2);
}
