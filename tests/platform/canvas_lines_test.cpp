// Lines: the one-pixel walk, cosmetic styles, wide pens, clipping and
// coordinates far outside the surface.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "platform/canvas.h"
#include "support/pixel_art.h"

using namespace plat;
using testing_support::Art;
using testing_support::Show;
using testing_support::ToArt;

namespace {

using PixelSet = std::set<std::pair<int, int>>;

// The pixels that are not white.
PixelSet Painted(const TBitmap& b) {
  PixelSet s;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.GetPixel(x, y) != 0xFFFFFFu) s.insert({x, y});
  return s;
}

}  // namespace

TEST(CanvasLines, LineToDrawsTheFirstPointAndOmitsTheLastInEveryDirection) {
  struct Case {
    int dx, dy;
  };
  const Case cases[] = {{3, 0}, {3, 3}, {0, 3}, {-3, 3}, {-3, 0}, {-3, -3}, {0, -3}, {3, -3}};
  for (const Case& k : cases) {
    TBitmap b(11, 11);
    TCanvas& c = b.Canvas();
    c.MoveTo(5, 5);
    c.LineTo(5 + k.dx, 5 + k.dy);
    PixelSet want;
    for (int i = 0; i < 3; ++i) want.insert({5 + i * k.dx / 3, 5 + i * k.dy / 3});
    EXPECT_EQ(Painted(b), want) << "towards " << k.dx << "," << k.dy << Show(ToArt(b));
    EXPECT_EQ(c.PenPos(), (TPoint{5 + k.dx, 5 + k.dy}));
  }
}

TEST(CanvasLines, ShallowAndSteepLinesStepOnePixelAlongTheLongerAxis) {
  TBitmap b(6, 6);
  TCanvas& c = b.Canvas();
  c.MoveTo(0, 0);
  c.LineTo(4, 1);  // minor offsets 0, 0.25, 0.5, 0.75 round to 0, 0, 1, 1
  c.MoveTo(5, 5);
  c.LineTo(4, 1);  // steep, upwards
  EXPECT_EQ(ToArt(b), (Art{"##....", "..##..", "....#.", "....#.", ".....#", ".....#"})) << Show(ToArt(b));
}

TEST(CanvasLines, ASinglePointLineDrawsNothingButMovesThePen) {
  TBitmap b(5, 5);
  TCanvas& c = b.Canvas();
  c.MoveTo(2, 2);
  c.LineTo(2, 2);
  EXPECT_TRUE(Painted(b).empty());
  c.LineTo(4, 2);
  EXPECT_EQ(Painted(b), (PixelSet{{2, 2}, {3, 2}}));
}

TEST(CanvasLines, PolylineDrawsEachInteriorVertexOnceAndOmitsTheLastPoint) {
  // Exclusive-or with white on white turns a pixel drawn once black and
  // one drawn twice back to white.
  TBitmap b(7, 5);
  TCanvas& c = b.Canvas();
  c.Pen().Mode = TPenMode::pmXor;
  c.Pen().Color = clWhite;
  c.Polyline({{0, 0}, {3, 3}, {6, 0}, {6, 4}});
  EXPECT_EQ(ToArt(b), (Art{"#.....#", ".#...##", "..#.#.#", "...#..#", "......."})) << Show(ToArt(b));
  EXPECT_EQ(c.PenPos(), (TPoint{0, 0}));  // Polyline leaves the position alone
  c.Polyline({{1, 4}});                   // one point: nothing
  EXPECT_EQ(b.GetPixel(1, 4), 0xFFFFFFu);
}

TEST(CanvasLines, CosmeticStylesRepeatTheirPatternAndGoOnAlongAPolyline) {
  struct Case {
    TPenStyle style;
    const char* row;
  };
  const Case cases[] = {
      {TPenStyle::psDot, "###...###...###...###...###...###..."},
      {TPenStyle::psDash, "##################......############"},
      {TPenStyle::psDashDot, "#########......###......#########..."},
      {TPenStyle::psDashDotDot, "#########...###...###...#########..."},
      {TPenStyle::psInsideFrame, "####################################"},
  };
  for (const Case& k : cases) {
    TBitmap b(36, 1);
    TCanvas& c = b.Canvas();
    c.SetBkMode(TRANSPARENT);
    c.Pen().Style = k.style;
    c.MoveTo(0, 0);
    c.LineTo(36, 0);
    EXPECT_EQ(ToArt(b), (Art{k.row})) << int(k.style);
  }
  // The phase carries over the vertex: 4 steps along the top, then down.
  TBitmap b(6, 8);
  TCanvas& c = b.Canvas();
  c.SetBkMode(TRANSPARENT);
  c.Pen().Style = TPenStyle::psDot;
  c.Polyline({{0, 0}, {4, 0}, {4, 8}});
  EXPECT_EQ(ToArt(b), (Art{"###...", "......", "....#.", "....#.", "....#.", "......", "......", "......"}))
      << Show(ToArt(b));
}

TEST(CanvasLines, StyledGapsTakeTheBackgroundColourWhenOpaque) {
  TBitmap b(12, 2);
  TCanvas& c = b.Canvas();
  c.Pen().Style = TPenStyle::psDot;
  c.SetBkColor(clRed);
  c.MoveTo(0, 0);
  c.LineTo(12, 0);  // opaque is the default
  c.SetBkMode(TRANSPARENT);
  c.MoveTo(0, 1);
  c.LineTo(12, 1);
  EXPECT_EQ(ToArt(b), (Art{"###rrr###rrr", "###...###..."})) << Show(ToArt(b));
}

TEST(CanvasLines, WideCosmeticPensAreSolidWithRoundEnds) {
  TBitmap b(16, 9);
  TCanvas& c = b.Canvas();
  c.Pen().Width = 5;
  c.Pen().Style = TPenStyle::psDash;  // ignored when wider than a pixel
  c.MoveTo(4, 4);
  c.LineTo(11, 4);
  EXPECT_EQ(ToArt(b), (Art{"................", "................", "...##########...",
                           "..############..", "..############..", "..############..",
                           "...##########...", "................", "................"}))
      << Show(ToArt(b));
}

TEST(CanvasLines, GeometricOnePixelPensKeepTheEndPointUnlessFlat) {
  struct Case {
    uint32_t cap;
    const char* row;
  };
  const Case cases[] = {
      {PS_ENDCAP_FLAT, ".####."}, {PS_ENDCAP_SQUARE, ".#####"}, {PS_ENDCAP_ROUND, ".#####"}};
  for (const Case& k : cases) {
    TBitmap b(6, 1);
    TCanvas& c = b.Canvas();
    c.Pen() = ExtCreatePen(PS_GEOMETRIC | k.cap, 1, clBlack);
    c.MoveTo(1, 0);
    c.LineTo(5, 0);
    EXPECT_EQ(ToArt(b), (Art{k.row})) << k.cap;
  }
}

TEST(CanvasLines, ClippedUnderAMovedWindowOrigin) {
  TBitmap b(8, 6);
  TCanvas& c = b.Canvas();
  c.SetWindowOrg(10, 20);
  TRegion clip(TRect{2, 0, 6, 6});  // device units
  c.SelectClipRgn(&clip);
  c.MoveTo(5, 21);  // device (-5, 1)
  c.LineTo(30, 21);
  c.MoveTo(13, 18);  // a steep line entering from above
  c.LineTo(15, 28);
  c.Pen().Width = 3;
  c.MoveTo(0, 24);  // wide, device row 4
  c.LineTo(40, 24);
  EXPECT_EQ(ToArt(b), (Art{"...#....", "..####..", "....#...", "..####..", "..####..", "..####.."}))
      << Show(ToArt(b));
}

TEST(CanvasLines, HugeCoordinatesDrawOnlyTheVisiblePart) {
  constexpr int kFar = 2000000000;
  TBitmap b(10, 4);
  TCanvas& c = b.Canvas();
  c.MoveTo(-kFar, 0);
  c.LineTo(kFar, 0);
  // Slope 1 in 4e9: the minor step happens exactly at x = 0.
  c.MoveTo(-kFar, 1);
  c.LineTo(kFar, 2);
  c.Pen().Style = TPenStyle::psDot;
  c.SetBkMode(TRANSPARENT);
  c.MoveTo(kFar, 3);  // right to left, dotted: the phase at x = 9 is (2e9 - 9) mod 6 = 5
  c.LineTo(-kFar, 3);
  EXPECT_EQ(ToArt(b), (Art{"##########", "..........", "##########", "###...###."})) << Show(ToArt(b));

  // Device coordinates beyond 32 bits.
  TBitmap d(6, 6);
  TCanvas& e = d.Canvas();
  e.SetWindowOrg(-kFar, -kFar);
  e.MoveTo(kFar, kFar);  // device (4e9, 4e9)
  e.LineTo(-kFar, -kFar);
  EXPECT_EQ(Painted(d), (PixelSet{{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}}));  // (0, 0) is the end
}

TEST(CanvasLines, ExclusiveOrTwiceRestoresThePicture) {
  TBitmap b(12, 12);
  TCanvas& c = b.Canvas();
  c.FillRect({2, 2, 9, 9}, clNavy);
  Art before = ToArt(b);
  c.Pen().Mode = TPenMode::pmXor;
  c.Pen().Color = clYellow;
  for (int pass = 0; pass < 2; ++pass) {
    c.MoveTo(0, 1);
    c.LineTo(11, 10);
    c.Polyline({{1, 11}, {6, 0}, {11, 11}});
  }
  c.Pen().Width = 3;
  c.MoveTo(0, 6);
  c.LineTo(11, 6);
  EXPECT_NE(ToArt(b), before);
  c.MoveTo(0, 6);
  c.LineTo(11, 6);
  EXPECT_EQ(ToArt(b), before) << Show(ToArt(b));
}

TEST(CanvasLines, ClearPensAndNoColorDrawNothing) {
  TBitmap b(5, 5);
  TCanvas& c = b.Canvas();
  c.Pen().Style = TPenStyle::psClear;
  c.MoveTo(0, 0);
  c.LineTo(5, 5);
  c.Pen().Style = TPenStyle::psSolid;
  c.Pen().Color = NoColor;
  c.LineTo(0, 4);
  EXPECT_TRUE(Painted(b).empty());
  EXPECT_EQ(c.PenPos(), (TPoint{0, 4}));
}
