#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace plat;

namespace {

const unsigned kSingleBytePages[] = {437, 874, 1250, 1251, 1252, 1253, 1254,
                                     1255, 1256, 1257, 1258, 10000, 28592};
const unsigned kDoubleBytePages[] = {932, 936, 949, 950, 1361, 20932, 51932};

std::string Hex(std::string_view s) {
  std::string out;
  char buf[4];
  for (const char c : s) {
    snprintf(buf, sizeof buf, "%02X ", static_cast<unsigned char>(c));
    out += buf;
  }
  return out;
}

std::string HexW(std::u16string_view s) {
  std::string out;
  char buf[8];
  for (const char16_t c : s) {
    snprintf(buf, sizeof buf, "%04X ", static_cast<unsigned>(c));
    out += buf;
  }
  return out;
}

std::string AllBytes() {
  std::string s(256, '\0');
  for (int b = 0; b < 256; ++b) s[static_cast<size_t>(b)] = static_cast<char>(b);
  return s;
}

// Deterministic hostile input: bytes biased toward lead and trail ranges.
std::string NoiseBytes(size_t n, uint32_t seed) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) {
    seed = seed * 1664525u + 1013904223u;
    const uint32_t r = seed >> 24;
    s[i] = static_cast<char>((r & 3) == 0 ? 0x20 + (r >> 2) : r | 0x80);
  }
  return s;
}

}  // namespace

// ---------------------------------------------------------------- single byte

TEST(CodePageSingleByte, DecodesTableEntriesAndHoles) {
  struct Case {
    unsigned cp;
    uint8_t byte;
    char16_t wide;
  };
  const Case cases[] = {
      {1252, 0x80, 0x20AC}, {1252, 0x81, 0x0081}, {1252, 0x8D, 0x008D}, {1252, 0x8F, 0x008F},
      {1252, 0x90, 0x0090}, {1252, 0x9D, 0x009D}, {1252, 0x9E, 0x017E}, {1252, 0x9F, 0x0178},
      {1252, 0xA0, 0x00A0}, {1252, 0xFF, 0x00FF}, {1252, 0x41, u'A'},   {874, 0xA1, 0x0E01},
      {874, 0xDB, 0x00DB},  {1250, 0xA3, 0x0141}, {1250, 0x81, 0x0081}, {1251, 0xC6, 0x0416},
      {1251, 0x98, 0x0098}, {1253, 0xD9, 0x03A9}, {1253, 0xAA, 0x00AA}, {1254, 0xD0, 0x011E},
      {1255, 0xF9, 0x05E9}, {1256, 0x81, 0x067E}, {1257, 0xC0, 0x0104}, {1258, 0xD2, 0x0309},
      {28592, 0xA1, 0x0104}, {437, 0xB0, 0x2591}, {437, 0x01, 0x0001}, {10000, 0x80, 0x00C4},
      {10000, 0xDB, 0x20AC},
  };
  for (const Case& c : cases) {
    const std::string in(1, static_cast<char>(c.byte));
    EXPECT_EQ(MultiByteToWideChar(c.cp, in), std::u16string(1, c.wide))
        << "page " << c.cp << " byte " << Hex(in);
  }
}

TEST(CodePageSingleByte, EveryByteRoundTripsThroughADistinctCharacter) {
  const std::string all = AllBytes();
  std::vector<unsigned> pages(std::begin(kSingleBytePages), std::end(kSingleBytePages));
  pages.insert(pages.end(), {CP_ACP, CP_OEMCP, CP_MACCP});
  for (const unsigned cp : pages) {
    const std::u16string wide = MultiByteToWideChar(cp, all);
    ASSERT_EQ(wide.size(), 256u) << cp;
    EXPECT_EQ(std::set<char16_t>(wide.begin(), wide.end()).size(), 256u) << cp;
    for (int b = 0; b < 0x80; ++b) EXPECT_EQ(wide[static_cast<size_t>(b)], b) << cp;
    EXPECT_EQ(WideCharToMultiByte(cp, wide), all) << cp;
  }
}

TEST(CodePageSingleByte, PseudoPagesUseTheirRealPages) {
  const std::string all = AllBytes();
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, all), MultiByteToWideChar(1252, all));
  EXPECT_EQ(MultiByteToWideChar(CP_THREAD_ACP, all), MultiByteToWideChar(1252, all));
  EXPECT_EQ(MultiByteToWideChar(CP_OEMCP, all), MultiByteToWideChar(437, all));
  EXPECT_EQ(MultiByteToWideChar(CP_MACCP, all), MultiByteToWideChar(10000, all));
}

TEST(CodePageSingleByte, UnmappableCharactersBecomeQuestionMarks) {
  struct Case {
    unsigned cp;
    std::u16string in;
    std::string out;
  };
  const Case cases[] = {
      {1252, u"a\u20ACb", "a\x80" "b"},
      {1252, u"\u03A9", "?"},
      {1252, u"x\U0001F600y", "x?y"},  // a pair is one character
      {1252, std::u16string(1, char16_t(0xD800)) + u"z", "?z"},
      {1252, std::u16string(1, char16_t(0xDC00)), "?"},
      {1251, u"\u0416\u00E9", "\xC6?"},
      {1253, u"\u03A9\u0416", "\xD9?"},
      {437, u"\u2591\u20AC", "\xB0?"},
      {28592, u"\u0104\u00C0", "\xA1?"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Hex(WideCharToMultiByte(c.cp, c.in)), Hex(c.out)) << c.cp << " " << HexW(c.in);
}

// ---------------------------------------------------------------------- UTF-8

TEST(CodePageUtf8, DecodesValidAndReplacesInvalidSequences) {
  constexpr char16_t R = 0xFFFD;
  struct Case {
    std::string in;
    std::u16string out;
  };
  const Case cases[] = {
      {"A", u"A"},
      {"\xC3\xA9", u"\u00E9"},
      {"\xE2\x82\xAC", u"\u20AC"},
      {"\xED\x9F\xBF", u"\uD7FF"},
      {"\xEF\xBB\xBF" "a", u"\uFEFFa"},  // a byte-order mark is kept
      {"\xF0\x9F\x98\x80", u"\U0001F600"},
      {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
      {std::string("\0", 1), std::u16string(1, u'\0')},
      // Overlong forms: each byte is invalid on its own.
      {"\xC0\x80", {R, R}},
      {"\xC1\xBF", {R, R}},
      {"\xE0\x80\x80", {R, R, R}},
      {"\xE0\x9F\xBF", {R, R, R}},
      {"\xF0\x8F\xBF\xBF", {R, R, R, R}},
      // Encoded surrogates and values past U+10FFFF.
      {"\xED\xA0\x80", {R, R, R}},
      {"\xED\xBF\xBF", {R, R, R}},
      {"\xF4\x90\x80\x80", {R, R, R, R}},
      {"\xF5\x80", {R, R}},
      {"\xFF", {R}},
      {"\x80\xBF", {R, R}},
      // Truncated sequences: one replacement for the maximal subpart.
      {"a\xE2\x82", {u'a', R}},
      {"\xF0\x9F\x98", {R}},
      {"\xF0\x9F" "A", {R, u'A'}},
      {"\xE2\x82\xE2\x82\xAC", {R, 0x20AC}},
      {"\xC3", {R}},
      // Across the eight-byte ASCII blocks.
      {"abcdefg\xC3\xA9hijklmnop\xE2\x82", u"abcdefg\u00E9hijklmnop\uFFFD"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(HexW(MultiByteToWideChar(CP_UTF8, c.in)), HexW(c.out)) << Hex(c.in);
}

TEST(CodePageUtf8, EncodesPairsAndReplacesLoneSurrogates) {
  struct Case {
    std::u16string in;
    std::string out;
  };
  const Case cases[] = {
      {u"A", "A"},
      {std::u16string(1, u'\0'), std::string("\0", 1)},
      {u"\u007F\u0080", "\x7F\xC2\x80"},
      {u"\u07FF\u0800", "\xDF\xBF\xE0\xA0\x80"},
      {u"\u20AC\uFFFF", "\xE2\x82\xAC\xEF\xBF\xBF"},
      {u"\U0001F600", "\xF0\x9F\x98\x80"},
      {u"\U0010FFFF", "\xF4\x8F\xBF\xBF"},
      {{0xD800}, "\xEF\xBF\xBD"},
      {{0xDC00, u'x'}, "\xEF\xBF\xBDx"},
      {{0xD83D, u'A'}, "\xEF\xBF\xBD" "A"},
      {{0xD83D, 0xD83D, 0xDE00}, "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
  };
  for (const Case& c : cases) EXPECT_EQ(Hex(WideCharToMultiByte(CP_UTF8, c.in)), Hex(c.out)) << HexW(c.in);
}

TEST(CodePageUtf8, EveryCodePointRoundTrips) {
  std::u16string all;
  for (uint32_t c = 0; c < 0x10000; ++c)
    if (c < 0xD800 || c > 0xDFFF) all.push_back(static_cast<char16_t>(c));
  for (uint32_t c = 0x10000; c <= 0x10FFFF; c += 0x3F1) {
    all.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
    all.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
  }
  const std::string bytes = WideCharToMultiByte(CP_UTF8, all);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, bytes), all);
}

TEST(CodePageUtf8, CharNextStepsBySequence) {
  const std::string s = "a\xC3\xA9\xF0\x9F\x98\x80\xC0\x80\xE2\x82";
  std::vector<size_t> steps;
  for (size_t pos = 0; pos < s.size(); pos = CharNextExA(CP_UTF8, s, pos)) steps.push_back(pos);
  EXPECT_EQ(steps, (std::vector<size_t>{0, 1, 3, 7, 8, 9}));
  EXPECT_EQ(CharNextExA(CP_UTF8, s, s.size()), s.size());
  EXPECT_EQ(CharNextExA(CP_UTF8, s, s.size() + 5), s.size());
  EXPECT_FALSE(IsDBCSLeadByteEx(CP_UTF8, 0xC3));
}

// ---------------------------------------------------------------- double byte

TEST(CodePageDoubleByte, LeadBytes) {
  struct Case {
    unsigned cp;
    std::vector<int> leads;
    std::vector<int> nonLeads;
  };
  const Case cases[] = {
      {932, {0x81, 0x9F, 0xE0, 0xFC}, {0x40, 0x80, 0xA0, 0xA1, 0xDF, 0xFD, 0xFF}},
      {936, {0x81, 0xB0, 0xFE}, {0x7F, 0x80, 0xFF}},
      {949, {0x81, 0xC9, 0xFE}, {0x80, 0xFF}},
      {950, {0x81, 0xA4, 0xFE}, {0x80, 0xFF}},
      {1361, {0x84, 0xD3, 0xD8, 0xDE, 0xE0, 0xF9}, {0x83, 0xD4, 0xD7, 0xDF, 0xFA}},
      {51932, {0x8E, 0x8F, 0xA1, 0xFE}, {0x8D, 0x90, 0xA0, 0xFF}},
      {20932, {0x8E, 0xA1}, {0xA0}},
      {1252, {}, {0x81, 0x9F, 0xE0}},
      {CP_ACP, {}, {0x81}},
      {50220, {}, {0x1B, 0x81}},
  };
  for (const Case& c : cases) {
    for (const int b : c.leads) EXPECT_TRUE(IsDBCSLeadByteEx(c.cp, static_cast<uint8_t>(b))) << c.cp << " " << b;
    for (const int b : c.nonLeads) EXPECT_FALSE(IsDBCSLeadByteEx(c.cp, static_cast<uint8_t>(b))) << c.cp << " " << b;
  }
  for (int b = 0; b < 0x80; ++b)
    for (const unsigned cp : kDoubleBytePages) EXPECT_FALSE(IsDBCSLeadByteEx(cp, static_cast<uint8_t>(b)));
}

TEST(CodePageDoubleByte, SamplesConvertBothWays) {
  struct Case {
    unsigned cp;
    std::string bytes;
    std::u16string wide;
  };
  const Case cases[] = {
      {932, "\x93\xFA\x96\x7B\x8C\xEA\x83\x65\x83\x4C\x83\x58\x83\x67", u"日本語テキスト"},
      {932, "\xB1\xB2\xB3", u"ｱｲｳ"},
      {932, "\\~", u"\\~"},
      {932, "\x81\x60\x87\x40\x81\xE6", u"～①∵"},
      {932, "\xFA\x5C", u"纊"},  // of its two forms, 0xFA5C is written
      {932, "\x81\x80", u"÷"},   // 0x80 is a trail byte of 932
      {936, "\xD6\xD0\xCE\xC4\xBC\xF2\xCC\xE5", u"中文简体"},
      {936, "\x80", u"€"},
      {949, "\xC7\xD1\xB1\xB9\xBE\xEE\x8C\x63", u"한국어똠"},
      {950, "\xA4\xA4\xA4\xE5\xC1\x63\xC5\xE9", u"中文繁體"},
      {1361, "\xD0\x65\x8B\x69\\", u"한글\\"},
      {51932, "\xC6\xFC\xCB\xDC\xB8\xEC", u"日本語"},
      {51932, "\x8E\xB6\x8E\xC5", u"ｶﾅ"},
      {51932, "\x8F\xB0\xA1", u"丂"},
      {20932, "a\xC6\xFC", u"a日"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HexW(MultiByteToWideChar(c.cp, c.bytes)), HexW(c.wide)) << c.cp << " " << Hex(c.bytes);
    EXPECT_EQ(Hex(WideCharToMultiByte(c.cp, c.wide)), Hex(c.bytes)) << c.cp << " " << HexW(c.wide);
  }
}

TEST(CodePageDoubleByte, DuplicateSequencesDecodeAlike) {
  // 932 holds some characters twice; both forms decode, one form is written.
  EXPECT_EQ(MultiByteToWideChar(932, "\xED\x40"), u"纊");
  EXPECT_EQ(MultiByteToWideChar(932, "\x87\x9A"), u"∵");
  EXPECT_EQ(Hex(WideCharToMultiByte(932, u"∵")), Hex("\x81\xE6"));
  // EUC-JP follows the same mappings as 932.
  EXPECT_EQ(MultiByteToWideChar(51932, "\xA1\xC1"), MultiByteToWideChar(932, "\x81\x60"));
}

TEST(CodePageDoubleByte, InvalidSequencesGiveTheDefaultCharacter) {
  constexpr char16_t J = 0x30FB;
  struct Case {
    unsigned cp;
    std::string in;
    std::u16string out;
  };
  const Case cases[] = {
      {932, "\x82<", {J, u'<'}},           // a lead byte never swallows markup
      {932, "a\x82", {u'a', J}},           // cut off at the end
      {932, "\x82\x0D\x0A", {J, u'\r', u'\n'}},
      {932, "\x85\x40", {J}},              // well-formed but unassigned: one character
      {932, "\x80\xA0\xFD\xFF", {J, J, J, J}},
      {936, "\x81\x20", {u'?', u' '}},
      {936, "\xFF", {u'?'}},
      {949, "\xB0\x40", {u'?', u'@'}},     // 0x40 is no trail byte of 949
      {950, "\xA4\x80", {u'?', 0x0080}},   // nor 0x80 of 950, which stands alone
      {1361, "\xD0", {u'?'}},
      {51932, "\x8F\xB0", {J, J}},         // 3-byte lead with one trail byte
      {51932, "\x8E\x41", {J, u'A'}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HexW(MultiByteToWideChar(c.cp, c.in)), HexW(c.out)) << c.cp << " " << Hex(c.in);
  }
  EXPECT_EQ(DefaultWideChar(932), J);
  EXPECT_EQ(DefaultWideChar(51932), J);
  EXPECT_EQ(DefaultWideChar(936), u'?');
  EXPECT_EQ(DefaultWideChar(CP_UTF8), 0xFFFD);
}

TEST(CodePageDoubleByte, UnmappableCharactersBecomeQuestionMarks) {
  struct Case {
    unsigned cp;
    std::u16string in;
    std::string out;
  };
  const Case cases[] = {
      {932, u"\u0E01a", "?a"},
      {932, u"\U0001F600", "?"},
      {932, {0xDC00, u'b'}, "?b"},
      {936, u"\u0E01", "?"},
      {949, u"\u05D0", "?"},
      {950, u"ｱ", "?"},
      {1361, u"\u0E01", "?"},
      {51932, u"\u0E01\u65E5", "?\xC6\xFC"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Hex(WideCharToMultiByte(c.cp, c.in)), Hex(c.out)) << c.cp << " " << HexW(c.in);
}

// Every pair of bytes in every double-byte page: a well-formed sequence gives
// exactly one character, and a decoded character encodes to bytes that decode
// to it again (the same bytes, unless the page holds the character twice).
TEST(CodePageDoubleByte, EveryPairDecodesToOneCharacterPerSequence) {
  for (const unsigned cp : kDoubleBytePages) {
    const char16_t def = DefaultWideChar(cp);
    int pairs = 0, sameBytes = 0;
    for (int lead = 0x80; lead < 0x100; ++lead) {
      for (int trail = 0; trail < 0x100; ++trail) {
        const std::string in{static_cast<char>(lead), static_cast<char>(trail)};
        const std::u16string wide = MultiByteToWideChar(cp, in);
        const size_t next = CharNextExA(cp, in, 0);
        if (lead == 0x8F && (cp == 51932 || cp == 20932)) {
          ASSERT_EQ(next, 1u);
          continue;
        }
        ASSERT_EQ(wide.size(), next == 2 ? 1u : 2u) << cp << " " << Hex(in);
        if (next != 2 || wide[0] == def) continue;
        ++pairs;
        const std::string back = WideCharToMultiByte(cp, wide);
        sameBytes += back == in;
        ASSERT_EQ(MultiByteToWideChar(cp, back), wide) << cp << " " << Hex(in);
      }
    }
    EXPECT_GT(pairs, 5000) << cp;
    EXPECT_GT(sameBytes, pairs * 9 / 10) << cp;
  }
}

TEST(CodePageDoubleByte, CharNextOverMixedShiftJis) {
  const std::string s = "a\x93\xFA" "b\x82<\xB1\x81";
  std::vector<size_t> steps;
  for (size_t pos = 0; pos < s.size(); pos = CharNextExA(932, s, pos)) steps.push_back(pos);
  EXPECT_EQ(steps, (std::vector<size_t>{0, 1, 3, 4, 5, 6, 7}));
  EXPECT_EQ(CharNextExA(932, s, s.size()), s.size());
  EXPECT_EQ(CharNextExA(932, s, 100), s.size());
  EXPECT_EQ(CharNextExA(932, std::string("\x82\0", 2), 0), 1u);  // NUL is no trail byte
  EXPECT_EQ(CharNextExA(51932, "\x8F\xB0\xA1x", 0), 3u);
  EXPECT_EQ(CharNextExA(1252, "\x82\xA0", 0), 1u);
  EXPECT_EQ(CharNextExA(50220, "\x1B$B", 0), 1u);
}

// Stepping with CharNextExA and decoding each step alone gives the same text
// as decoding the whole: each step is one character (two units only for a
// 4-byte UTF-8 sequence), on hostile input as on valid input.
TEST(CodePageDoubleByte, StepsAgreeWithDecodingOnNoise) {
  std::vector<unsigned> pages(std::begin(kDoubleBytePages), std::end(kDoubleBytePages));
  pages.insert(pages.end(), {CP_UTF8, 1252, 874});
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    const std::string s = NoiseBytes(300, seed);
    for (const unsigned cp : pages) {
      std::u16string stepped;
      for (size_t pos = 0; pos < s.size();) {
        const size_t next = CharNextExA(cp, s, pos);
        ASSERT_GT(next, pos);
        const std::u16string piece = MultiByteToWideChar(cp, std::string_view(s).substr(pos, next - pos));
        ASSERT_EQ(piece.size(), next - pos == 4 && cp == CP_UTF8 ? 2u : 1u) << cp << " seed " << seed;
        stepped += piece;
        pos = next;
      }
      ASSERT_EQ(stepped, MultiByteToWideChar(cp, s)) << cp << " seed " << seed;
    }
  }
}

// The reader converts runs cut out of a larger document: a sequence broken by
// the end of the run must not be completed from the bytes after it.
TEST(CodePageDoubleByte, NothingIsReadPastTheEndOfTheText) {
  struct Case {
    unsigned cp;
    std::string whole;
    size_t length;
    std::u16string out;
  };
  const Case cases[] = {
      {CP_UTF8, "\xE2\x82\xAC", 2, {0xFFFD}},
      {CP_UTF8, "\xF0\x9F\x98\x80", 3, {0xFFFD}},
      {932, "\x93\xFA", 1, {0x30FB}},
      {51932, "\x8F\xB0\xA1", 2, {0x30FB, 0x30FB}},
      {50220, "\x1B$BF|", 4, {0x30FB}},
      {50220, "\x1B$B", 2, u"\x1B$"},
  };
  for (const Case& c : cases) {
    const std::string_view run = std::string_view(c.whole).substr(0, c.length);
    EXPECT_EQ(HexW(MultiByteToWideChar(c.cp, run)), HexW(c.out)) << c.cp << " " << Hex(run);
    EXPECT_EQ(CharNextExA(c.cp, run, 0), c.cp == 51932 || c.cp == 50220 ? 1u : c.length) << c.cp;
  }
}

// ---------------------------------------------------------------- ISO-2022-JP

TEST(CodePageIso2022Jp, Decodes) {
  constexpr char16_t J = 0x30FB;
  struct Case {
    std::string in;
    std::u16string out;
  };
  const Case cases[] = {
      {"\x1B$BF|K\\8l\x1B(Babc", u"日本語abc"},
      {"\x1B$@F|\x1B(J\\", u"日\\"},
      {"\x1B$BF|\r\n", u"日\r\n"},            // controls are read as ASCII
      {"\x1B$BF", {J}},                        // cut off
      {"\x1B(I\x31\x32\x1B(B\x31", u"ｱｲ1"},
      {"\x0E\x31\x0F\x31", u"ｱ1"},
      {"\xB1", u"ｱ"},                          // 8-bit katakana
      {"\x1B$(D\x30\x21", u"丂"},              // JIS X 0212
      {"\x1B$Z", u"\x1B$Z"},                   // unknown escape passes through
      {"\x1B", u"\x1B"},
      {"\x80\xFF", {J, J}},
  };
  for (const unsigned cp : {50220u, 50221u, 50222u})
    for (const Case& c : cases)
      EXPECT_EQ(HexW(MultiByteToWideChar(cp, c.in)), HexW(c.out)) << cp << " " << Hex(c.in);
}

TEST(CodePageIso2022Jp, Encodes) {
  struct Case {
    unsigned cp;
    std::u16string in;
    std::string out;
  };
  const Case cases[] = {
      {50220, u"日本語abc", "\x1B$BF|K\\8l\x1B(Babc"},
      {50220, u"a日", "a\x1B$BF|\x1B(B"},       // ends in ASCII
      {50221, u"ｱ日ｲ", "\x1B(I\x31\x1B$BF|\x1B(I\x32\x1B(B"},
      {50222, u"ｱｲa", "\x0E\x31\x32\x0F" "a"},
      {50222, u"日ｱ", "\x1B$BF|\x1B(B\x0E\x31\x0F"},
      {50220, u"\u0E01\U0001F600", "??"},
  };
  for (const Case& c : cases) {
    const std::string bytes = WideCharToMultiByte(c.cp, c.in);
    EXPECT_EQ(Hex(bytes), Hex(c.out)) << c.cp << " " << HexW(c.in);
    if (c.out.find('?') == std::string::npos) {
      EXPECT_EQ(MultiByteToWideChar(c.cp, bytes), c.in);
    }
  }
}

// ---------------------------------------------------------------------- pages

TEST(CodePagePages, SupportedAndUnknownPages) {
  for (const unsigned cp : {0u, 1u, 2u, 3u, 437u, 874u, 932u, 936u, 949u, 950u, 1250u, 1251u, 1252u,
                            1253u, 1254u, 1255u, 1256u, 1257u, 1258u, 1361u, 10000u, 20932u, 28592u,
                            50220u, 50221u, 50222u, 51932u, 65001u})
    EXPECT_TRUE(IsCodePageSupported(cp)) << cp;
  for (const unsigned cp : {4u, 42u, 1200u, 1201u, 28591u, 65000u, 65002u, 12345u, 0xFFFFFFFFu})
    EXPECT_FALSE(IsCodePageSupported(cp)) << cp;

  EXPECT_EQ(ResolveCodePage(CP_ACP), 1252u);
  EXPECT_EQ(ResolveCodePage(CP_OEMCP), 437u);
  EXPECT_EQ(ResolveCodePage(CP_MACCP), 10000u);
  EXPECT_EQ(ResolveCodePage(CP_THREAD_ACP), 1252u);
  EXPECT_EQ(ResolveCodePage(20932), 20932u);
  EXPECT_EQ(ResolveCodePage(12345), kSystemCodePage);
}

TEST(CodePagePages, UnknownPagesBehaveAsTheSystemPage) {
  const std::string all = AllBytes();
  EXPECT_EQ(MultiByteToWideChar(12345, all), MultiByteToWideChar(1252, all));
  EXPECT_EQ(MultiByteToWideChar(42, "\x80"), u"€");
  EXPECT_EQ(WideCharToMultiByte(12345, u"€Ω"), "\x80?");
  EXPECT_EQ(CharNextExA(12345, "\x82\xA0", 0), 1u);
  EXPECT_FALSE(IsDBCSLeadByteEx(12345, 0x82));
  EXPECT_EQ(DefaultWideChar(12345), u'?');
}

TEST(CodePagePages, ConversionsAppendToTheGivenBuffer) {
  std::u16string wide = u"x";
  MultiByteToWideChar(932, "\x93\xFA", wide);
  MultiByteToWideChar(CP_UTF8, "\xC3\xA9", wide);
  EXPECT_EQ(wide, u"x日é");
  std::string bytes = "y";
  WideCharToMultiByte(1252, u"é", bytes);
  WideCharToMultiByte(CP_UTF8, u"é", bytes);
  EXPECT_EQ(bytes, "y\xE9\xC3\xA9");
  EXPECT_EQ(MultiByteToWideChar(932, ""), u"");
  EXPECT_EQ(WideCharToMultiByte(50220, u""), "");
}

// ----------------------------------------------------------------------- case

TEST(CodePageCase, MapsOneCharacterToOne) {
  struct Case {
    char16_t c, upper, lower;
  };
  const Case cases[] = {
      {u'a', u'A', u'a'},          {u'Z', u'Z', u'z'},          {u'1', u'1', u'1'},
      {u'@', u'@', u'@'},          {0x00E9, 0x00C9, 0x00E9},    {0x00C0, 0x00C0, 0x00E0},
      {0x00FF, 0x0178, 0x00FF},    {0x00DF, 0x00DF, 0x00DF},    {0x00B5, 0x039C, 0x00B5},
      {0x03B1, 0x0391, 0x03B1},    {0x03A3, 0x03A3, 0x03C3},    {0x03C2, 0x03A3, 0x03C2},
      {0x0416, 0x0416, 0x0436},    {0x0451, 0x0401, 0x0451},    {0x0149, 0x0149, 0x0149},
      {0x01C5, 0x01C4, 0x01C6},    {0x0130, 0x0130, u'i'},      {0xFF41, 0xFF21, 0xFF41},
      {0x65E5, 0x65E5, 0x65E5},    {0xD801, 0xD801, 0xD801},    {0xDC28, 0xDC28, 0xDC28},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CharUpperW(c.c), c.upper) << std::hex << unsigned(c.c);
    EXPECT_EQ(CharLowerW(c.c), c.lower) << std::hex << unsigned(c.c);
  }
}

TEST(CodePageCase, BuffersAndStrings) {
  std::u16string s = u"abcd";
  CharUpperBuffW(s.data(), 2);
  EXPECT_EQ(s, u"ABcd");
  CharLowerBuffW(s.data(), s.size());
  EXPECT_EQ(s, u"abcd");
  EXPECT_EQ(UpperCaseW(u"Straße Ωμέγα Жук"), u"STRAßE ΩΜΈΓΑ ЖУК");
  EXPECT_EQ(LowerCaseW(u"Straße ΩΜΈΓΑ ЖУК"), u"straße ωμέγα жук");
  // A character outside the BMP stays, both halves intact.
  EXPECT_EQ(UpperCaseW(u"\U00010428x"), u"\U00010428X");
}
