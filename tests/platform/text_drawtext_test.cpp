// DrawTextW: measuring rectangles, word breaking, line breaks, the "&"
// prefix rule and placement.
#include <gtest/gtest.h>

#include <string>

#include "platform/canvas.h"
#include "text_support.h"

using namespace plat;
using text_support::InkBox;
using text_support::MakeFont;
using text_support::SamePixels;
using text_support::TTextSurface;

namespace {

struct TCalc {
  int height;
  TRect rect;
};

TCalc Calc(TCanvas& c, std::u16string_view text, TRect r, uint32_t format) {
  int h = c.DrawTextW(text, r, format | DT_CALCRECT);
  return {h, r};
}

}  // namespace

TEST(DrawText, CalcRectBreaksAtWordBoundaries) {
  TTextSurface s(10, 10, MakeFont("Arial", -13));
  TCanvas& c = s.c();
  const int lh = c.TextHeight(u"x");
  const int two = c.TextWidth(u"aaa bbb"), one = c.TextWidth(u"aaa"), all = c.TextWidth(u"aaa bbb ccc");
  struct Case {
    const char16_t* text;
    int width;  // of the rectangle
    uint32_t format;
    int lines;
    int right;  // widest line
  };
  const Case cases[] = {
      {u"aaa bbb ccc", two, DT_WORDBREAK, 2, two},      // exactly "aaa bbb" fits
      {u"aaa bbb ccc", two - 1, DT_WORDBREAK, 3, one},  // one pixel less: a word a line
      {u"aaa bbb ccc", 10000, DT_WORDBREAK, 1, all},
      {u"aaa bbb ccc", 5, 0, 1, all},                   // no word breaking: one line
      {u"aaa bbb ccc", 5, DT_WORDBREAK | DT_SINGLELINE, 1, all},
      {u"aaa   bbb", one, DT_WORDBREAK, 2, one},        // spaces at a break are dropped
      {u"aaa\r\nbbb\nccc\rddd", 10000, 0, 4, one},     // CR LF, LF and CR each end a line
      {u"aaa\r\nbbb", 10000, DT_SINGLELINE, 1, c.TextWidth(u"aaa\r\nbbb")},
      {u"aaa\n\nbbb", 10000, 0, 3, one},
      {u"", 100, DT_WORDBREAK, 0, 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::u16string_view(k.text).size());
    SCOPED_TRACE(k.width);
    TCalc r = Calc(c, k.text, TRect{10, 20, 10 + k.width, 25}, k.format);
    EXPECT_EQ(r.height, k.lines * lh);
    EXPECT_EQ(r.rect.Left, 10);
    EXPECT_EQ(r.rect.Top, 20);
    EXPECT_EQ(r.rect.Bottom, 20 + k.lines * lh);
    EXPECT_EQ(r.rect.Right, 10 + k.right);
  }
}

TEST(DrawText, LongWordsBreakWhereTheyOverflow) {
  TTextSurface s(10, 10, MakeFont("Courier New", -12));
  TCanvas& c = s.c();
  const int ch = c.TextWidth(u"x");
  TCalc r = Calc(c, u"xxxxxxxxxx", TRect{0, 0, 4 * ch, 0}, DT_WORDBREAK);
  EXPECT_EQ(r.height, 3 * c.TextHeight(u"x"));  // 4 + 4 + 2
  EXPECT_EQ(r.rect.Right, 4 * ch);
  r = Calc(c, u"xx", TRect{0, 0, 0, 0}, DT_WORDBREAK);  // no room: a character a line
  EXPECT_EQ(r.height, 2 * c.TextHeight(u"x"));
}

TEST(DrawText, PrefixRule) {
  TTextSurface s(10, 10, MakeFont("Arial", -13));
  TCanvas& c = s.c();
  struct Case {
    const char16_t* text;
    uint32_t format;
    const char16_t* shown;
  };
  const Case cases[] = {
      {u"&File", 0, u"File"},        {u"A&&B", 0, u"A&B"},     {u"&&&x", 0, u"&x"},
      {u"end&", 0, u"end"},          {u"&File", DT_NOPREFIX, u"&File"},
      {u"A&&B", DT_NOPREFIX, u"A&&B"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::u16string_view(k.text).size());
    EXPECT_EQ(Calc(c, k.text, TRect{0, 0, 1000, 0}, k.format | DT_SINGLELINE).rect.Right, c.TextWidth(k.shown));
  }
  EXPECT_EQ(Calc(c, u"&", TRect{0, 0, 1000, 0}, 0).height, 0);

  // "&F" draws F with a line under it; "&&" draws one "&".
  TFont f = MakeFont("Arial", -16);
  TTextSurface marked(60, 30, f), plain(60, 30, f), line(60, 30, f);
  TRect r{5, 5, 60, 30};
  marked.c().DrawTextW(u"&Fx", r, 0);
  plain.c().DrawTextW(u"Fx", r, 0);
  EXPECT_FALSE(SamePixels(marked.bmp, plain.bmp));
  TFont underlined = f;
  underlined.Style.Underline = true;
  line.c().Font() = underlined;
  line.c().TextOut(5, 5, u"F");  // the underline of F alone, then x plain
  line.c().Font() = f;
  line.c().TextOut(5 + line.c().TextWidth(u"F"), 5, u"x");
  EXPECT_TRUE(SamePixels(marked.bmp, line.bmp));

  TTextSurface amp(60, 30, f), one(60, 30, f);
  amp.c().DrawTextW(u"a&&b", r, 0);
  one.c().TextOut(5, 5, u"a&b");
  EXPECT_TRUE(SamePixels(amp.bmp, one.bmp));
}

// Each marked character is underlined across its own advance without the
// character extra, at its place on its line, however many marks there are.
TEST(DrawText, ManyMarksOverSeveralLines) {
  TFont f = MakeFont("Arial", -13), underlined = f;
  underlined.Style.Underline = true;
  struct Case {
    std::u16string lines[3];
    int extra;
  } cases[] = {
      {{u"&ab&c", u"&d &e&f", u"g&h"}, 3},
      {{std::u16string(40, u'x'), u"&x&y", u""}, 0},
      {{u"", u"", u""}, -1},
  };
  // Marked spaces, whose underlines stand alone, and every character marked.
  for (int k = 0; k < 30; ++k) cases[1].lines[0][size_t(k)] = k % 2 ? u' ' : u'&';
  for (int k = 0; k < 20; ++k) cases[2].lines[0] += u"&i", cases[2].lines[2] += u"&W";
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "extra " << k.extra);
    TTextSurface drawn(400, 60, f), want(400, 60, f);
    drawn.c().SetTextCharacterExtra(k.extra);
    TRect r{5, 2, 400, 60};
    drawn.c().DrawTextW(k.lines[0] + u"\n" + k.lines[1] + u"\n" + k.lines[2], r, 0);
    const int lh = want.c().TextHeight(u"x");
    for (int line = 0; line < 3; ++line) {
      const std::u16string& text = k.lines[line];
      int pen = 5;
      for (size_t i = 0; i < text.size(); ++i) {
        bool mark = text[i] == u'&' && i + 1 < text.size();
        if (mark) ++i;
        want.c().Font() = mark ? underlined : f;
        want.c().TextOut(pen, 2 + line * lh, std::u16string(1, text[i]));
        pen += want.c().TextWidth(std::u16string(1, text[i])) + k.extra;
      }
    }
    EXPECT_TRUE(SamePixels(drawn.bmp, want.bmp));
  }
}

TEST(DrawText, LinesDrawAsTheyMeasure) {
  TFont f = MakeFont("Times New Roman", -16);
  TTextSurface s(120, 80, f), t(120, 80, f);
  const int w = s.c().TextWidth(u"one two");
  TRect r{4, 3, 4 + w, 80};
  int h = s.c().DrawTextW(u"one two three", r, DT_WORDBREAK);
  const int lh = t.c().TextHeight(u"x");
  EXPECT_EQ(h, 2 * lh);
  t.c().TextOut(4, 3, u"one two");
  t.c().TextOut(4, 3 + lh, u"three");
  EXPECT_TRUE(SamePixels(s.bmp, t.bmp));

  // The canvas's baseline alignment does not move DrawTextW's lines.
  TTextSurface b(120, 80, f);
  b.c().SetTextAlign(TA_BASELINE);
  TRect r2 = r;
  b.c().DrawTextW(u"one two three", r2, DT_WORDBREAK);
  EXPECT_TRUE(SamePixels(b.bmp, t.bmp));
  EXPECT_EQ(b.c().TextAlign(), uint32_t(TA_BASELINE));
}

TEST(DrawText, PlacementAndClipping) {
  TFont f = MakeFont("Arial", -16);
  TTextSurface s(100, 60, f);
  TCanvas& c = s.c();
  const int w = c.TextWidth(u"mid"), lh = c.TextHeight(u"mid");
  TRect r{0, 0, 100, 60};
  c.DrawTextW(u"mid", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  TRect ink = InkBox(s.bmp);
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_GE(ink.Left, (100 - w) / 2 - 1);
  EXPECT_LE(ink.Right, (100 - w) / 2 + w + 1);
  EXPECT_GE(ink.Top, (60 - lh) / 2);
  EXPECT_LE(ink.Bottom, (60 - lh) / 2 + lh);

  TTextSurface clip(100, 60, f);
  TRect small{0, 0, 12, 60};
  clip.c().DrawTextW(u"WWWW", small, DT_SINGLELINE);
  EXPECT_LE(InkBox(clip.bmp).Right, 12);
  TTextSurface noclip(100, 60, f);
  noclip.c().DrawTextW(u"WWWW", small, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(InkBox(noclip.bmp).Right, 12);
}
