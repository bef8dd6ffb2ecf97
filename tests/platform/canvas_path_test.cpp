// Paths and geometric pens: recording, stroking, dash patterns, caps and
// joins, as box borders use them.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/canvas.h"
#include "support/pixel_art.h"

using namespace plat;
using testing_support::Art;
using testing_support::Show;
using testing_support::ToArt;

namespace {

constexpr uint32_t kWhite = 0xFFFFFFu;

TRegion PaintedRegion(const TBitmap& b) {
  std::vector<TRect> px;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.GetPixel(x, y) != kWhite) px.push_back({x, y, x + 1, y + 1});
  return TRegion::FromRects(px);
}

int PixelCount(const TRegion& r) {
  int n = 0;
  for (const TRect& rc : r.Rects()) n += rc.Width() * rc.Height();
  return n;
}

// Lengths of the runs of painted and unpainted pixels along row y,
// starting at the first painted pixel and ending at the last.
struct TRuns {
  std::vector<int> on, off;
};
TRuns RowRuns(const TBitmap& b, int y) {
  TRuns r;
  int x = 0;
  while (x < b.Width() && b.GetPixel(x, y) == kWhite) ++x;
  while (x < b.Width()) {
    int start = x;
    while (x < b.Width() && b.GetPixel(x, y) != kWhite) ++x;
    r.on.push_back(x - start);
    start = x;
    while (x < b.Width() && b.GetPixel(x, y) == kWhite) ++x;
    if (x < b.Width()) r.off.push_back(x - start);
  }
  return r;
}

void StrokeLine(TCanvas& c, int x0, int y0, int x1, int y1) {
  c.BeginPath();
  c.MoveTo(x0, y0);
  c.LineTo(x1, y1);
  c.EndPath();
  c.StrokePath();
}

// The path a box border of width w strokes along its middle line, as
// four equal sides: one closed figure.
void StrokeBorder(TCanvas& c, const TRect& outer, int w, bool close = true) {
  int l = (outer.Left + outer.Left + w) / 2, t = (outer.Top + outer.Top + w) / 2;
  int r = (outer.Right + outer.Right - w) / 2, b = (outer.Bottom + outer.Bottom - w) / 2;
  c.BeginPath();
  c.MoveTo(l, b);
  c.LineTo(l, t);
  c.LineTo(r, t);
  c.LineTo(r, b);
  c.LineTo(l, b);
  if (close) c.CloseFigure();
  c.EndPath();
  c.StrokePath();
}

TRegion Band(const TRect& outer, int w) {
  TRegion band(outer);
  TRect inner{outer.Left + w, outer.Top + w, outer.Right - w, outer.Bottom - w};
  band.Combine(band, TRegion(inner), RGN_DIFF);
  return band;
}

const uint32_t kDotted = PS_GEOMETRIC | PS_DOT | PS_JOIN_MITER;
const uint32_t kDashed = PS_GEOMETRIC | PS_DASH | PS_ENDCAP_SQUARE | PS_JOIN_MITER;

}  // namespace

TEST(CanvasPath, RecordsWithoutDrawingAndStrokingDiscardsThePath) {
  TBitmap b(10, 10);
  TCanvas& c = b.Canvas();
  c.BeginPath();
  EXPECT_TRUE(c.InPath());
  c.MoveTo(1, 1);
  c.LineTo(8, 1);
  c.LineTo(8, 8);
  c.Polyline({{1, 3}, {1, 8}});
  EXPECT_EQ(c.PenPos(), (TPoint{8, 8}));
  EXPECT_EQ(PaintedRegion(b).Kind(), NULLREGION);
  c.StrokePath();  // not ended yet: nothing
  EXPECT_EQ(PaintedRegion(b).Kind(), NULLREGION);
  c.EndPath();
  EXPECT_FALSE(c.InPath());
  c.StrokePath();
  EXPECT_EQ(ToArt(b), (Art{"..........", ".########.", "........#.", ".#......#.", ".#......#.", ".#......#.",
                           ".#......#.", ".#......#.", "..........", ".........."}))
      << Show(ToArt(b));
  c.FillRect({0, 0, 10, 10}, clWhite);
  c.StrokePath();  // the path is gone
  c.BeginPath();
  c.MoveTo(0, 0);
  c.LineTo(9, 9);
  c.AbortPath();
  c.StrokePath();
  EXPECT_EQ(PaintedRegion(b).Kind(), NULLREGION);
}

TEST(CanvasPath, CloseFigureJoinsBackAndTheNextLineStartsANewFigure) {
  TBitmap b(10, 10);
  TCanvas& c = b.Canvas();
  c.BeginPath();
  c.MoveTo(1, 1);
  c.LineTo(8, 1);
  c.LineTo(8, 8);
  c.CloseFigure();  // back along the diagonal, every vertex drawn once
  c.LineTo(1, 8);   // from the current position (8, 8)
  c.EndPath();
  c.Pen().Mode = TPenMode::pmXor;
  c.Pen().Color = clWhite;
  c.StrokePath();
  EXPECT_EQ(ToArt(b), (Art{"..........", ".########.", "..#.....#.", "...#....#.", "....#...#.", ".....#..#.",
                           "......#.#.", ".......##.", "..#######.", ".........."}))
      << Show(ToArt(b));
}

TEST(CanvasPath, DottedGeometricPensPaintRoundDotsEveryTwoWidths) {
  struct Case {
    int width;
    int dotPixels;  // a dot's area
  };
  const Case cases[] = {{1, 1}, {2, 4}, {3, 9}, {5, 21}};
  for (const Case& k : cases) {
    int w = k.width;
    TBitmap b(12 + 20 * w, 4 + 2 * w);
    TCanvas& c = b.Canvas();
    c.Pen() = ExtCreatePen(kDotted, w, clBlack);
    int y = 2 + w;
    StrokeLine(c, 6, y, 6 + 16 * w, y);  // 8 periods: 9 dots
    TRuns runs = RowRuns(b, y);
    ASSERT_EQ(runs.on.size(), 9u) << w << Show(ToArt(b));
    for (int len : runs.on) EXPECT_EQ(len, w) << w;
    for (int len : runs.off) EXPECT_EQ(len, w) << w;
    EXPECT_EQ(PixelCount(PaintedRegion(b)), 9 * k.dotPixels) << w << Show(ToArt(b));
  }
  // Width 5: each dot is its 5 x 5 box less the corners.
  TBitmap b(20, 9);
  TCanvas& c = b.Canvas();
  c.Pen() = ExtCreatePen(kDotted, 5, clBlack);
  StrokeLine(c, 4, 4, 14, 4);
  EXPECT_EQ(ToArt(b), (Art{"....................", "....................", "...###.......###....",
                           "..#####.....#####...", "..#####.....#####...", "..#####.....#####...",
                           "...###.......###....", "....................", "...................."}))
      << Show(ToArt(b));
}

TEST(CanvasPath, DashedGeometricPensHaveSquareCapsAndRealGaps) {
  for (int w : {1, 2, 5}) {
    TBitmap b(12 + 20 * w, 4 + 2 * w);
    TCanvas& c = b.Canvas();
    c.Pen() = ExtCreatePen(kDashed, w, clBlack);
    int x0 = 6, y = 2 + w;
    StrokeLine(c, x0, y, x0 + 16 * w - w, y);  // four whole dashes, then the line ends in a gap
    TRuns runs = RowRuns(b, y);
    EXPECT_EQ(runs.on, (std::vector<int>(4, 3 * w))) << w << Show(ToArt(b));
    EXPECT_EQ(runs.off, (std::vector<int>(3, w))) << w;
    // The square cap reaches half the width before the start point.
    EXPECT_EQ(b.GetPixel(x0 - w / 2, y), 0u) << w;
    EXPECT_EQ(b.GetPixel(x0 - w / 2 - 1, y), kWhite) << w;
    // A dash is w pixels across.
    TRegion painted = PaintedRegion(b);
    EXPECT_EQ(painted.Box().Height(), w) << w;
    EXPECT_EQ(PixelCount(painted), 4 * 3 * w * w) << w;
  }
}

TEST(CanvasPath, DotsAlongASlantStillPaint) {
  // Width-one dots land between pixel centres on a slanted line; each still paints.
  TBitmap b(40, 22);
  TCanvas& c = b.Canvas();
  c.Pen() = ExtCreatePen(kDotted, 1, clBlack);
  StrokeLine(c, 1, 1, 37, 19);
  double len = std::hypot(36.0, 18.0);
  for (double s = 0; s <= len; s += 2) {
    double x = 1 + 36 * s / len, y = 1 + 18 * s / len;
    bool near = false;
    for (int py = int(y) - 1; py <= int(y) + 2; ++py)
      for (int px = int(x) - 1; px <= int(x) + 2; ++px)
        near = near || (std::hypot(px - x, py - y) <= 1.0 && b.GetPixel(px, py) == 0u);
    EXPECT_TRUE(near) << "dot at " << s << Show(ToArt(b));
  }
  EXPECT_LT(PixelCount(PaintedRegion(b)), 30);  // and gaps remain
}

TEST(CanvasPath, ClosedSolidBorderFillsItsBandExactlyWithMitredCorners) {
  const TRect outer{1, 2, 21, 24};
  for (int w = 1; w <= 6; ++w) {
    TBitmap b(23, 26);
    TCanvas& c = b.Canvas();
    c.Pen() = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_JOIN_MITER, w, clBlack);
    StrokeBorder(c, outer, w);
    EXPECT_TRUE(PaintedRegion(b) == Band(outer, w)) << w << Show(ToArt(b));
  }
  // Left open with flat ends, the first corner keeps a notch.
  TBitmap b(23, 26);
  TCanvas& c = b.Canvas();
  c.Pen() = ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_JOIN_MITER, 4, clBlack);
  StrokeBorder(c, outer, 4, false);
  EXPECT_EQ(b.GetPixel(outer.Left, outer.Bottom - 1), kWhite) << Show(ToArt(b));
  EXPECT_EQ(b.GetPixel(outer.Right - 1, outer.Top), 0u);
}

TEST(CanvasPath, DottedAndDashedBordersStayInTheirBand) {
  const TRect outer{0, 0, 30, 26};
  for (uint32_t style : {kDotted, kDashed}) {
    for (int w = 1; w <= 6; ++w) {
      TBitmap b(30, 26);
      TCanvas& c = b.Canvas();
      c.Pen() = ExtCreatePen(style, w, clBlack);
      StrokeBorder(c, outer, w);
      TRegion painted = PaintedRegion(b), band = Band(outer, w), outside;
      outside.Combine(painted, band, RGN_DIFF);
      EXPECT_EQ(outside.Kind(), NULLREGION) << style << " " << w << Show(ToArt(b));
      TRegion unpainted;
      unpainted.Combine(band, painted, RGN_DIFF);
      EXPECT_NE(unpainted.Kind(), NULLREGION) << "no gaps " << style << " " << w;
      for (TRect side : {TRect{0, w, w, 26 - w}, TRect{w, 0, 30 - w, w}, TRect{30 - w, w, 30, 26 - w},
                         TRect{w, 26 - w, 30 - w, 26}})
        EXPECT_TRUE(painted.Intersects(side)) << style << " " << w;
    }
  }
}

TEST(CanvasPath, ADashRunningIntoTheStartOfAClosedFigureIsJoinedThere) {
  // Perimeter 4 * 12 = 48, flat dashes of 15 with gaps of 5: the last dash
  // runs from 40 into the start point and on into the first one, so that
  // corner is mitred (two flat ends would leave its outer part bare).
  TBitmap b(20, 20);
  TCanvas& c = b.Canvas();
  c.Pen() = ExtCreatePen(PS_GEOMETRIC | PS_DASH | PS_ENDCAP_FLAT | PS_JOIN_MITER, 5, clBlack);
  c.BeginPath();
  c.MoveTo(2, 14);
  c.LineTo(2, 2);
  c.LineTo(14, 2);
  c.LineTo(14, 14);
  c.CloseFigure();
  c.EndPath();
  c.StrokePath();
  for (int y = 12; y < 17; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(b.GetPixel(x, y), 0u) << x << "," << y << Show(ToArt(b));
}

TEST(CanvasPath, OverlappingFiguresPaintOnce) {
  TBitmap b(11, 11);
  TCanvas& c = b.Canvas();
  c.Pen() = ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_FLAT, 3, clWhite);
  c.Pen().Mode = TPenMode::pmXor;
  c.BeginPath();
  c.MoveTo(0, 5);
  c.LineTo(11, 5);
  c.MoveTo(5, 0);
  c.LineTo(5, 11);
  c.EndPath();
  c.StrokePath();
  EXPECT_EQ(ToArt(b), (Art{"....###....", "....###....", "....###....", "....###....", "###########",
                           "###########", "###########", "....###....", "....###....", "....###....",
                           "....###...."}))
      << Show(ToArt(b));
}

// Hundreds of short crossing figures in one path: the ink of all of them
// paints once, and gaps show only where no figure has ink.
TEST(CanvasPath, ManyFiguresPaintAsOneSet) {
  struct Case {
    const char* name;
    TPen pen;
  } cases[] = {
      {"cosmetic", TPen{}},
      {"cosmetic dotted", ExtCreatePen(PS_DOT, 1, clBlack)},
      {"wide cosmetic", ExtCreatePen(PS_SOLID, 3, clBlack)},
      {"geometric dashed", ExtCreatePen(kDashed, 2, clBlack)},
  };
  // Figure k: a short slanted or closed figure on a grid, crossing its neighbours.
  std::vector<std::vector<TPoint>> figures;
  for (int k = 0; k < 600; ++k) {
    int x = (k * 7) % 57, y = (k * 13) % 53;
    if (k % 3 == 0)
      figures.push_back({{x, y}, {x + 6, y + 4}, {x + 2, y + 7}, {x, y}});
    else
      figures.push_back({{x, y + (k % 5)}, {x + 5 + k % 4, y}});
  }
  auto strokeEach = [&](TCanvas& c) {
    for (const auto& f : figures) c.Polyline(f);
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TBitmap path(64, 64), want(64, 64), xored(64, 64);
    for (TBitmap* b : {&path, &want, &xored}) {
      b->Canvas().Pen() = k.pen;
      b->Canvas().SetBkColor(clRed);
    }
    TCanvas& c = path.Canvas();
    c.BeginPath();
    for (const auto& f : figures) c.Polyline(f);
    c.EndPath();
    c.StrokePath();
    // Each figure with its gaps, then all the ink again on top.
    strokeEach(want.Canvas());
    want.Canvas().SetBkMode(TRANSPARENT);
    strokeEach(want.Canvas());
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) ASSERT_EQ(path.GetPixel(x, y), want.GetPixel(x, y)) << x << "," << y;
    // Exclusive-or: a pixel painted twice (ink twice, or ink and gap) would show it.
    TCanvas& x = xored.Canvas();
    x.Pen().Color = clWhite;
    x.Pen().Mode = TPenMode::pmXor;
    x.BeginPath();
    for (const auto& f : figures) x.Polyline(f);
    x.EndPath();
    x.StrokePath();
    int inked = 0;
    for (int y = 0; y < 64; ++y)
      for (int px = 0; px < 64; ++px) {
        const uint32_t w = want.GetPixel(px, y);
        const uint32_t expect = w == 0 ? 0 : w == uint32_t(clRed) ? kWhite ^ uint32_t(clRed) : kWhite;
        inked += w == 0;
        ASSERT_EQ(xored.GetPixel(px, y), expect) << px << "," << y;
      }
    EXPECT_GT(inked, 500);
  }
}

TEST(CanvasPath, ClippedUnderAMovedWindowOriginLikeTheUnclippedPicture) {
  auto draw = [](TCanvas& c) {
    c.Pen() = ExtCreatePen(kDashed, 3, clBlack);
    StrokeBorder(c, {-7, -5, 20, 16}, 3);
    c.Pen() = ExtCreatePen(kDotted, 2, clRed);
    StrokeLine(c, -7, 12, 14, -5);
  };
  TBitmap whole(16, 16), clipped(16, 16);
  whole.Canvas().SetWindowOrg(-5, -3);
  draw(whole.Canvas());
  TCanvas& c = clipped.Canvas();
  c.SetWindowOrg(-5, -3);
  TRegion clip(TRect{3, 2, 12, 15});
  c.SelectClipRgn(&clip);
  draw(c);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      EXPECT_EQ(clipped.GetPixel(x, y), clip.Contains(x, y) ? whole.GetPixel(x, y) : kWhite) << x << "," << y;
  EXPECT_NE(PaintedRegion(clipped).Kind(), NULLREGION);
}

TEST(CanvasPath, HugeDashedPathsDrawOnlyTheVisiblePart) {
  constexpr int kFar = 2000000000;
  TBitmap b(16, 8);
  TCanvas& c = b.Canvas();
  c.Pen() = ExtCreatePen(kDashed, 2, clBlack);
  // 2e9 is a multiple of the period 8: dashes cover x mod 8 in 7..12.
  StrokeLine(c, -kFar, 5, kFar, 5);
  c.Pen() = ExtCreatePen(kDotted, 1, clBlack);
  c.SetWindowOrg(-1000000000, 0);  // device x = logical x + 1e9: up to 3e9
  StrokeLine(c, -kFar, 1, kFar, 1);
  EXPECT_EQ(ToArt(b), (Art{"................", "#.#.#.#.#.#.#.#.", "................", "................",
                           "#####..######..#", "#####..######..#", "................", "................"}))
      << Show(ToArt(b));
}
