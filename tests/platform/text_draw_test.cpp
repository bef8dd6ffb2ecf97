// Drawing text: ink against the measured extent, alignment, background,
// decorations, spacing, fallback glyphs, clipping, monochrome targets and
// hostile coordinates.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/font_face.h"
#include "text_support.h"

using namespace plat;
using text_support::CountPixels;
using text_support::InkBox;
using text_support::MakeFont;
using text_support::SamePixels;
using text_support::TTextSurface;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

}  // namespace

// Ink stays inside the measured extent horizontally (an italic may lean
// out by its slant over the ascent, an upright glyph by a pixel of side
// bearing) and inside the cell vertically (glyphs are clipped to the cell,
// as the accented capitals reach above the ascent).
TEST(TextDraw, InkStaysWithinTheMeasuredExtent) {
  const TFont fonts[] = {MakeFont("Times New Roman", -16),       MakeFont("Arial", -13, true),
                         MakeFont("Courier New", -20),           MakeFont("Times New Roman", -16, false, true),
                         MakeFont("MS Gothic", -16, true),       MakeFont("MS Gothic", -16, false, true),
                         MakeFont("Arial", 24, true, true)};
  const std::u16string text = u"Hxgjy|\xC0\xC9 f\x65E5W";
  for (const TFont& f : fonts) {
    SCOPED_TRACE(f.Name + (f.Style.Bold ? " bold" : "") + (f.Style.Italic ? " italic" : ""));
    TTextSurface s(300, 60, f);
    TTextMetric tm;
    s.c().GetTextMetrics(tm);
    const int x = 40, y = 10, extent = s.c().TextWidth(text);
    s.c().TextOut(x, y, text);
    TRect ink = InkBox(s.bmp);
    ASSERT_FALSE(ink.IsEmpty());
    int lean = f.Style.Italic ? int(std::ceil(tm.tmAscent * 0.2126)) + 1 : 1;
    int leanLeft = f.Style.Italic ? int(std::ceil(tm.tmDescent * 0.2126)) + 1 : 1;
    EXPECT_GE(ink.Left, x - leanLeft);
    EXPECT_LE(ink.Right, x + extent + lean);
    EXPECT_GT(ink.Right, x + extent - tm.tmMaxCharWidth);
    EXPECT_GE(ink.Top, y);
    EXPECT_LE(ink.Bottom, y + tm.tmHeight);
    EXPECT_GT(ink.Bottom, y + tm.tmAscent) << "descenders reach below the baseline";
  }
}

TEST(TextDraw, BaselineAlignmentMovesUpByTheAscent) {
  TFont f = MakeFont("Arial", -16);
  TTextSurface top(80, 60, f), base(80, 60, f);
  TTextMetric tm;
  top.c().GetTextMetrics(tm);
  top.c().TextOut(5, 30, u"Hg");
  EXPECT_EQ(base.c().SetTextAlign(TA_BASELINE), uint32_t(TA_TOP));
  base.c().TextOut(5, 30, u"Hg");
  TRect a = InkBox(top.bmp), b = InkBox(base.bmp);
  ASSERT_FALSE(a.IsEmpty());
  EXPECT_EQ(b, a.Offset(0, -tm.tmAscent));
  // The baseline row: 'H' ends right above it.
  TTextSurface h(40, 60, f);
  h.c().SetTextAlign(TA_BASELINE);
  h.c().TextOut(5, 30, u"H");
  EXPECT_EQ(InkBox(h.bmp).Bottom, 30);
}

TEST(TextDraw, OpaqueBackgroundFillsTheCell) {
  TFont f = MakeFont("Times New Roman", -16);
  TTextSurface s(120, 40, f);
  s.c().SetBkMode(OPAQUE);
  s.c().SetBkColor(clYellow);
  s.c().SetTextColor(clBlue);
  const int x = 10, y = 5, w = s.c().TextWidth(u"Cell text"), h = s.c().TextHeight(u"Cell text");
  s.c().TextOut(x, y, u"Cell text");
  for (int yy = 0; yy < 40; ++yy)
    for (int xx = 0; xx < 120; ++xx) {
      bool inside = xx >= x && xx < x + w && yy >= y && yy < y + h;
      uint32_t p = s.bmp.GetPixel(xx, yy);
      if (inside) {
        ASSERT_NE(p, kWhite) << xx << "," << yy;
      } else {
        ASSERT_NE(p, uint32_t(clYellow)) << xx << "," << yy;
      }
    }
  EXPECT_GT(CountPixels(s.bmp, uint32_t(clBlue)), 0);
  TTextSurface t(120, 40, f);  // transparent: no background
  t.c().SetBkColor(clYellow);
  t.c().TextOut(x, y, u"Cell text");
  EXPECT_EQ(CountPixels(t.bmp, uint32_t(clYellow)), 0);
}

TEST(TextDraw, UnderlineAndStrikeOutSpanTheExtent) {
  for (bool strike : {false, true}) {
    SCOPED_TRACE(strike ? "strike-out" : "underline");
    TFont f = MakeFont("Arial", -16);
    (strike ? f.Style.StrikeOut : f.Style.Underline) = true;
    std::shared_ptr<TRealFont> real = RealizeFont(f);
    TTextSurface s(100, 40, f);
    s.c().SetTextAlign(TA_BASELINE);
    const int x = 10, base = 25, w = s.c().TextWidth(u"   ");
    s.c().TextOut(x, base, u"   ");  // spaces: only the line shows
    int top = base + (strike ? real->StrikeOutTop() : real->UnderlineTop());
    int rows = strike ? real->StrikeOutThickness() : real->UnderlineThickness();
    EXPECT_EQ(InkBox(s.bmp), (TRect{x, top, x + w, top + rows}));
    EXPECT_EQ(CountPixels(s.bmp, 0), w * rows);
    // With letters the line still runs the whole extent, at the same rows.
    TTextSurface t(100, 40, f);
    t.c().SetTextAlign(TA_BASELINE);
    const int w2 = t.c().TextWidth(u"a b");
    t.c().TextOut(x, base, u"a b");
    for (int xx = x; xx < x + w2; ++xx) EXPECT_EQ(t.bmp.GetPixel(xx, top), 0u) << xx;
    EXPECT_EQ(t.bmp.GetPixel(x + w2, top), kWhite);
  }
}

// Character extra and justification move the glyphs exactly as measured.
TEST(TextDraw, SpacingShiftsInkAsMeasured) {
  TFont f = MakeFont("Times New Roman", -16);
  TTextSurface spaced(120, 30, f), pieces(120, 30, f);
  spaced.c().SetTextCharacterExtra(5);
  spaced.c().TextOut(3, 3, u"ab");
  int a = pieces.c().TextWidth(u"a");
  pieces.c().TextOut(3, 3, u"a");
  pieces.c().TextOut(3 + a + 5, 3, u"b");
  EXPECT_TRUE(SamePixels(spaced.bmp, pieces.bmp));

  TTextSurface justified(120, 30, f), apart(120, 30, f);
  justified.c().SetTextJustification(7, 2);  // first space 4, second 3
  justified.c().TextOut(3, 3, u"a b c");
  int sp = apart.c().TextWidth(u" "), b = apart.c().TextWidth(u"b");
  apart.c().TextOut(3, 3, u"a");
  apart.c().TextOut(3 + a + sp + 4, 3, u"b");
  apart.c().TextOut(3 + a + sp + 4 + b + sp + 3, 3, u"c");
  EXPECT_TRUE(SamePixels(justified.bmp, apart.bmp));

  TTextSurface dx(120, 30, f), placed(120, 30, f);
  const int advances[] = {10, 10, 10};
  dx.c().SetTextCharacterExtra(4);  // a dx array replaces all spacing
  dx.c().ExtTextOutW(3, 3, 0, nullptr, u"iii", advances);
  for (int k = 0; k < 3; ++k) placed.c().TextOut(3 + 10 * k, 3, u"i");
  EXPECT_TRUE(SamePixels(dx.bmp, placed.bmp));
}

TEST(TextDraw, FallbackGlyphsDrawAsTheirOwnFace) {
  TFont times = MakeFont("Times New Roman", -16);
  const std::u16string jp = u"\x65E5\x672C\x8A9E";
  TTextSurface s(100, 30, times);
  s.c().TextOut(2, 2, jp);
  TRect ink = InkBox(s.bmp);
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_LE(ink.Right, 2 + s.c().TextWidth(jp));
  std::string family = RealizeFont(times)->FamilyFor(0x65E5);
  TTextSurface d(100, 30, MakeFont(family, -16));
  d.c().TextOut(2, 2, jp);
  EXPECT_TRUE(SamePixels(s.bmp, d.bmp)) << family;
  // The pen moves on by the measured width: what follows lands where measured.
  TTextSurface joined(100, 30, times), split(100, 30, times);
  joined.c().TextOut(2, 2, jp + u"X");
  split.c().TextOut(2, 2, jp);
  split.c().TextOut(2 + split.c().TextWidth(jp), 2, u"X");
  EXPECT_TRUE(SamePixels(joined.bmp, split.bmp));
}

TEST(TextDraw, ClipRegionClippedAndOpaqueRectangles) {
  TFont f = MakeFont("Arial", -20);
  TTextSurface full(100, 40, f);
  full.c().TextOut(5, 5, u"WWWW");
  TRect all = InkBox(full.bmp);

  TTextSurface clipped(100, 40, f);
  clipped.c().IntersectClipRect(0, 0, 30, 40);
  clipped.c().TextOut(5, 5, u"WWWW");
  TRect part = InkBox(clipped.bmp);
  EXPECT_EQ(part.Left, all.Left);
  EXPECT_LE(part.Right, 30);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 30; ++x) {
      ASSERT_EQ(clipped.bmp.GetPixel(x, y), full.bmp.GetPixel(x, y));
    }
  }

  TTextSurface eto(100, 40, f);
  TRect r{20, 0, 50, 40};
  eto.c().SetBkColor(clYellow);
  eto.c().ExtTextOutW(5, 5, ETO_CLIPPED | ETO_OPAQUE, &r, u"WWWW");
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 100; ++x) {
      uint32_t p = eto.bmp.GetPixel(x, y);
      if (!r.Contains(x, y)) {
        ASSERT_EQ(p, kWhite) << x << "," << y;
      } else if (full.bmp.GetPixel(x, y) == kWhite) {
        ASSERT_EQ(p, uint32_t(clYellow)) << x << "," << y;
      }
    }
  // The clip region of the destination image is not left behind.
  TTextSurface after(100, 40, f);
  after.c().IntersectClipRect(0, 0, 10, 10);
  after.c().TextOut(5, 5, u"W");
  after.c().SelectClipRgn(nullptr);
  after.c().TextOut(5, 5, u"WWWW");
  EXPECT_EQ(InkBox(after.bmp), all);
}

TEST(TextDraw, WindowOriginShiftsText) {
  TFont f = MakeFont("Arial", -16);
  TTextSurface a(80, 40, f), b(80, 40, f);
  a.c().TextOut(20, 15, u"Ab");
  b.c().SetWindowOrg(10, 5);
  b.c().TextOut(20, 15, u"Ab");
  EXPECT_EQ(InkBox(b.bmp), InkBox(a.bmp).Offset(-10, -5));
}

TEST(TextDraw, MonochromeTargetsThresholdTheCoverage) {
  TBitmap mono(80, 30, TPixelFormat::pf1bit);
  TCanvas& c = mono.Canvas();
  c.Font() = MakeFont("Arial", -16);
  c.SetBkMode(TRANSPARENT);
  c.TextOut(5, 5, u"Hello");
  int black = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 80; ++x) {
      uint8_t v = mono.Row1(y)[x];
      ASSERT_TRUE(v == 0 || v == 0xFF);
      black += v == 0;
    }
  EXPECT_GT(black, 20);
  TRect ink = InkBox(mono);
  EXPECT_LE(ink.Right, 5 + c.TextWidth(u"Hello") + 1);
  // Text in white on the mask clears what it covers.
  c.SetTextColor(clWhite);
  c.TextOut(5, 5, u"Hello");
  EXPECT_EQ(CountPixels(mono, 0), 0);
}

TEST(TextDraw, UpdateCpDrawsAtAndMovesThePenPosition) {
  TFont f = MakeFont("Arial", -16);
  TTextSurface cp(120, 30, f), plain(120, 30, f);
  cp.c().State().PenPos = {7, 4};
  cp.c().SetTextAlign(TA_UPDATECP);
  cp.c().TextOut(1000, 1000, u"ab");
  cp.c().TextOut(0, 0, u"cd");
  EXPECT_EQ(cp.c().PenPos().x, 7 + plain.c().TextWidth(u"abcd"));
  plain.c().TextOut(7, 4, u"abcd");
  EXPECT_TRUE(SamePixels(cp.bmp, plain.bmp));
}

TEST(TextDraw, ControlCharactersDrawNothing) {
  TTextSurface s(60, 30, MakeFont("Times New Roman", -16));
  s.c().TextOut(5, 5, u"\x01\x02\x04\x08\t\n\r\x7F\x85\x9F");
  EXPECT_TRUE(InkBox(s.bmp).IsEmpty());
  TTextSurface a(60, 30, MakeFont("Times New Roman", -16)), b(60, 30, MakeFont("Times New Roman", -16));
  a.c().TextOut(5, 5, u"a\x08" u"b");
  b.c().TextOut(5, 5, u"ab");
  EXPECT_TRUE(SamePixels(a.bmp, b.bmp));
}

// Nothing hangs or crashes: off-surface and extreme coordinates, huge
// strings, odd code units, huge fonts. Only what is visible is drawn.
TEST(TextDraw, HostileTextAndCoordinates) {
  TTextSurface s(50, 20, MakeFont("Arial", -13));
  s.c().SetBkMode(OPAQUE);
  s.c().SetBkColor(clYellow);
  s.c().TextOut(INT32_MIN + 5, INT32_MAX - 5, u"far away");
  s.c().TextOut(INT32_MAX - 5, 0, u"far right");
  s.c().SetWindowOrg(INT32_MIN, INT32_MIN);
  s.c().TextOut(INT32_MAX, INT32_MAX, u"overflowing origin");
  s.c().SetWindowOrg(0, 0);
  EXPECT_TRUE(InkBox(s.bmp).IsEmpty());
  std::u16string big(3'000'000, u'x');
  s.c().SetBkMode(TRANSPARENT);
  s.c().TextOut(-1'000'000, 2, big);  // passes most characters off the left edge
  EXPECT_FALSE(InkBox(s.bmp).IsEmpty());
  s.c().TextOut(0, 2, u"\xD800\xDFFF\xDC00\xFFFF\xFFFE\xD83D");
  TTextSurface h(40, 40, MakeFont("Arial", -1000000, true, true));
  h.c().SetTextAlign(TA_BASELINE);
  h.c().TextOut(-250, 1420, u"W\x65E5");  // the top of the left stroke of W
  EXPECT_FALSE(InkBox(h.bmp).IsEmpty());
  TBitmap empty(0, 0);
  empty.Canvas().Font() = MakeFont("Arial", -13);
  empty.Canvas().TextOut(0, 0, u"nothing to draw on");
}
