// Rectangles, polygons, ellipses and arcs: outlines with the pen,
// interiors with the brush.
#include <gtest/gtest.h>

#include <vector>

#include "platform/canvas.h"
#include "support/pixel_art.h"

using namespace plat;
using testing_support::Art;
using testing_support::Show;
using testing_support::ToArt;

namespace {

int CountOf(const TBitmap& b, uint32_t colour) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) n += b.GetPixel(x, y) == colour;
  return n;
}

// The bitmap's pixels that are not white, as a region.
TRegion PaintedRegion(const TBitmap& b) {
  std::vector<TRect> px;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.GetPixel(x, y) != 0xFFFFFFu) px.push_back({x, y, x + 1, y + 1});
  return TRegion::FromRects(px);
}

}  // namespace

TEST(CanvasShapes, RectangleCoversItsHalfOpenBoxAndInvertedDrawsNothing) {
  TBitmap b(7, 5);
  TCanvas& c = b.Canvas();
  c.Brush().Color = clRed;
  c.Rectangle(1, 1, 6, 4);
  c.Rectangle(6, 4, 1, 1);  // inverted
  c.Rectangle(0, 0, 0, 5);  // empty
  EXPECT_EQ(ToArt(b), (Art{".......", ".#####.", ".#rrr#.", ".#####.", "......."})) << Show(ToArt(b));
}

TEST(CanvasShapes, RectangleFrames) {
  struct Case {
    const char* name;
    TPen pen;
    TBrushStyle brush;
    Art want;
  };
  TPen inside;
  inside.Width = 3;
  inside.Style = TPenStyle::psInsideFrame;
  TPen centred;
  centred.Width = 3;
  TPen clear;
  clear.Style = TPenStyle::psClear;
  TPen dotted;
  dotted.Style = TPenStyle::psDot;
  const Case cases[] = {
      {"inside frame 3 stays inside", inside, TBrushStyle::bsSolid,
       {"...........", "...........", "..#######..", "..#######..", "..#######..", "..###r###..",
        "..#######..", "..#######..", "..#######..", "...........", "..........."}},
      {"wide pen centred on the border pixels", centred, TBrushStyle::bsSolid,
       {"...........", ".#########.", ".#########.", ".#########.", ".###rrr###.", ".###rrr###.",
        ".###rrr###.", ".#########.", ".#########.", ".#########.", "..........."}},
      {"clear pen: the brush fills the whole box", clear, TBrushStyle::bsSolid,
       {"...........", "...........", "..rrrrrrr..", "..rrrrrrr..", "..rrrrrrr..", "..rrrrrrr..",
        "..rrrrrrr..", "..rrrrrrr..", "..rrrrrrr..", "...........", "..........."}},
      {"clear brush leaves the inside", centred, TBrushStyle::bsClear,
       {"...........", ".#########.", ".#########.", ".#########.", ".###yyy###.", ".###yyy###.",
        ".###yyy###.", ".#########.", ".#########.", ".#########.", "..........."}},
      {"dotted frame, the pattern going round the corners", dotted, TBrushStyle::bsSolid,
       {"...........", "...........", "..###bbb#..", "..brrrrr#..", "..brrrrr#..", "..brrrrrb..",
        "..#rrrrrb..", "..#rrrrrb..", "..#bbb###..", "...........", "..........."}},
  };
  for (const Case& k : cases) {
    TBitmap b(11, 11);
    TCanvas& c = b.Canvas();
    if (k.brush == TBrushStyle::bsClear) c.FillRect({4, 4, 7, 7}, clYellow);
    c.Pen() = k.pen;
    c.Brush().Color = clRed;
    c.Brush().Style = k.brush;
    c.SetBkColor(clBlue);  // the dotted pen's gaps
    c.Rectangle(2, 2, 9, 9);
    EXPECT_EQ(ToArt(b), k.want) << k.name << Show(ToArt(b));
  }
}

TEST(CanvasShapes, BrushNeverPaintsUnderThePen) {
  // Exclusive-or of white on black: a pixel painted twice would turn black again.
  const TPen pens[] = {TPen{}, ExtCreatePen(PS_GEOMETRIC | PS_DASH | PS_ENDCAP_SQUARE, 3, clWhite),
                       ExtCreatePen(PS_GEOMETRIC | PS_INSIDEFRAME, 4, clWhite)};
  for (const TPen& pen : pens) {
    TBitmap b(14, 14);
    TCanvas& c = b.Canvas();
    c.FillRect({0, 0, 14, 14}, clBlack);
    c.Pen() = pen;
    c.Pen().Color = clWhite;
    c.Pen().Mode = TPenMode::pmXor;
    c.Brush().Color = clWhite;
    c.Rectangle(4, 3, 11, 11);
    c.Ellipse(0, 0, 3, 14);
    TRegion covered = TRegion::Ellipse({0, 0, 3, 14});
    covered.Combine(covered, TRegion(TRect{4, 3, 11, 11}), RGN_OR);
    for (const TRect& r : covered.Rects())
      for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
          ASSERT_EQ(b.GetPixel(x, y), 0xFFFFFFu) << x << "," << y << " width " << pen.Width << Show(ToArt(b));
  }
}

TEST(CanvasShapes, PolygonInteriorFollowsThePixelCentreRule) {
  TBitmap b(8, 6);
  TCanvas& c = b.Canvas();
  c.Pen().Style = TPenStyle::psClear;
  c.Brush().Color = clRed;
  c.Polygon({{1, 1}, {6, 1}, {6, 5}, {1, 5}});  // a rectangle fills exactly [1, 6) x [1, 5)
  EXPECT_EQ(ToArt(b), (Art{"........", ".rrrrr..", ".rrrrr..", ".rrrrr..", ".rrrrr..", "........"}));

  // A triangle: the same pixels as the polygon region.
  const std::vector<TPoint> tri = {{1, 1}, {10, 1}, {1, 10}};
  TBitmap t(12, 12);
  TCanvas& d = t.Canvas();
  d.Pen().Style = TPenStyle::psClear;
  d.Brush().Color = clBlack;
  d.Polygon(tri);
  EXPECT_TRUE(PaintedRegion(t) == TRegion::Polygon(tri.data(), 3, ALTERNATE)) << Show(ToArt(t));
  EXPECT_EQ(ToArt(t)[1], ".########...");
  EXPECT_EQ(ToArt(t)[8], ".#..........");
}

TEST(CanvasShapes, PolygonFillModes) {
  // A five-pointed star: its centre is wound twice.
  const std::vector<TPoint> star = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
  for (TPolyFillMode mode : {ALTERNATE, WINDING}) {
    TBitmap b(21, 20);
    TCanvas& c = b.Canvas();
    c.Pen().Style = TPenStyle::psClear;
    c.Brush().Color = clBlack;
    c.SetPolyFillMode(mode);
    c.Polygon(star);
    EXPECT_EQ(b.GetPixel(10, 11), mode == WINDING ? 0u : 0xFFFFFFu) << mode;
    EXPECT_EQ(b.GetPixel(10, 3), 0u);  // a point
    EXPECT_TRUE(PaintedRegion(b) == TRegion::Polygon(star.data(), 5, mode)) << mode << Show(ToArt(b));
  }
}

TEST(CanvasShapes, PolygonOutlineRunsThroughTheVertexPixels) {
  TBitmap b(7, 7);
  TCanvas& c = b.Canvas();
  c.Brush().Color = clRed;
  c.Polygon({{1, 1}, {5, 1}, {5, 5}, {1, 5}});
  EXPECT_EQ(ToArt(b), (Art{".......", ".#####.", ".#rrr#.", ".#rrr#.", ".#rrr#.", ".#####.", "......."}))
      << Show(ToArt(b));
  c.Polygon({{0, 0}, {6, 6}});  // two points: a line there and back
  EXPECT_EQ(b.GetPixel(6, 6), 0u);
  EXPECT_EQ(b.GetPixel(0, 0), 0u);
}

TEST(CanvasShapes, ListMarkerEllipses) {
  TBitmap disc(5, 5);
  TCanvas& c = disc.Canvas();
  c.Brush().Color = clBlack;
  c.Ellipse(0, 0, 5, 5);
  EXPECT_EQ(ToArt(disc), (Art{".###.", "#####", "#####", "#####", ".###."})) << Show(ToArt(disc));

  TBitmap ring(9, 9);
  TCanvas& r = ring.Canvas();
  r.Brush().Style = TBrushStyle::bsClear;
  r.FillRect({4, 4, 5, 5}, clYellow);
  r.Ellipse(1, 1, 8, 8);
  EXPECT_EQ(ToArt(ring), (Art{".........", "...###...", "..#...#..", ".#.....#.", ".#..y..#.", ".#.....#.",
                              "..#...#..", "...###...", "........."}))
      << Show(ToArt(ring));
}

TEST(CanvasShapes, EllipseFillsTheEllipseRegionAndTheRingIsClosed) {
  for (int w = 1; w <= 24; w += 1) {
    for (int h = 1; h <= 24; h += 3) {
      TBitmap b(26, 26);
      TCanvas& c = b.Canvas();
      c.Pen().Color = clRed;
      c.Pen().Width = 1 + (w + h) % 3;
      c.Brush().Color = clBlack;
      c.Ellipse(1, 1, 1 + w, 1 + h);
      ASSERT_TRUE(PaintedRegion(b) == TRegion::Ellipse({1, 1, 1 + w, 1 + h}))
          << w << "x" << h << Show(ToArt(b));
      // No brush pixel touches the outside: the pen's ring closes around it.
      for (int y = 1; y < 25; ++y) {
        for (int x = 1; x < 25; ++x) {
          if (b.GetPixel(x, y) != 0u) continue;
          ASSERT_TRUE(b.GetPixel(x - 1, y) != 0xFFFFFFu && b.GetPixel(x + 1, y) != 0xFFFFFFu &&
                      b.GetPixel(x, y - 1) != 0xFFFFFFu && b.GetPixel(x, y + 1) != 0xFFFFFFu)
              << w << "x" << h << Show(ToArt(b));
        }
      }
    }
  }
}

TEST(CanvasShapes, ArcHalvesOfARadioCircleShareTheRing) {
  // The upper-left half from the radial through the top-right corner
  // counter-clockwise to the one through the bottom-left; the lower-right
  // half the other way round.
  TBitmap b(14, 14);
  TCanvas& c = b.Canvas();
  c.Pen().Width = 2;
  c.Pen().Color = clRed;
  c.Arc(0, 0, 14, 14, 14, 0, 0, 14);
  c.Pen().Color = clBlue;
  c.Arc(0, 0, 14, 14, 0, 14, 14, 0);
  EXPECT_EQ(ToArt(b), (Art{"....rrrrrr....", "...rrrrrrrr...", "..rrr....rrr..", ".rr........bb.",
                           "rrr........bbb", "rr..........bb", "rr..........bb", "rr..........bb",
                           "rr..........bb", "rrr........bbb", ".rr........bb.", "..bbb....bbb..",
                           "...bbbbbbbb...", "....bbbbbb...."}))
      << Show(ToArt(b));
  EXPECT_EQ(CountOf(b, uint32_t(clRed)), CountOf(b, uint32_t(clBlue)));

  // Exclusive-or of both halves gives the full ring: no pixel twice, none missed.
  TBitmap x(14, 14), full(14, 14);
  TCanvas& xc = x.Canvas();
  xc.Pen().Width = 2;
  xc.Pen().Mode = TPenMode::pmXor;
  xc.Pen().Color = clWhite;
  xc.Arc(0, 0, 14, 14, 14, 0, 0, 14);
  xc.Arc(0, 0, 14, 14, 0, 14, 14, 0);
  TCanvas& fc = full.Canvas();
  fc.Pen().Width = 2;
  fc.Brush().Style = TBrushStyle::bsClear;
  fc.Ellipse(0, 0, 14, 14);
  EXPECT_EQ(ToArt(x), ToArt(full)) << Show(ToArt(x));
}

TEST(CanvasShapes, ArcSweepsCounterClockwiseOnScreen) {
  struct Case {
    const char* name;
    int x3, y3, x4, y4;
    Art want;
  };
  const Case cases[] = {
      // From the right (3 o'clock) to the top: the upper right quarter.
      {"quarter", 9, 4, 4, 0, {"....###..", ".......#.", "........#", "........#", ".........", ".........",
                               ".........", ".........", "........."}},
      // From the top to the right: all but that quarter.
      {"three quarters", 4, 0, 9, 4, {"..##.....", ".#.......", "#........", "#........", "#.......#",
                                      "#.......#", "#.......#", ".#.....#.", "..#####.."}},
      {"same radial: whole", 9, 4, 18, 3, {"..#####..", ".#.....#.", "#.......#", "#.......#", "#.......#",
                                           "#.......#", "#.......#", ".#.....#.", "..#####.."}},
  };
  for (const Case& k : cases) {
    TBitmap b(9, 9);
    TCanvas& c = b.Canvas();
    c.Arc(0, 0, 9, 9, k.x3, k.y3, k.x4, k.y4);
    EXPECT_EQ(ToArt(b), k.want) << k.name << Show(ToArt(b));
  }
}

TEST(CanvasShapes, ClippedUnderAMovedWindowOrigin) {
  TBitmap b(8, 8);
  TCanvas& c = b.Canvas();
  c.SetWindowOrg(-3, 5);  // logical (x, y) is device (x + 3, y - 5)
  c.IntersectClipRect(-3, 5, 1, 13);  // device columns 0..3
  c.Brush().Color = clRed;
  c.Rectangle(-2, 6, 4, 12);
  EXPECT_EQ(ToArt(b), (Art{"........", ".###....", ".#rr....", ".#rr....", ".#rr....", ".#rr....",
                           ".###....", "........"}))
      << Show(ToArt(b));
  TBitmap e(8, 8);
  TCanvas& d = e.Canvas();
  d.SetWindowOrg(-3, 5);
  d.IntersectClipRect(-3, 5, 1, 13);
  d.Brush().Color = clBlack;
  d.Ellipse(-3, 5, 2, 10);  // the 5 x 5 disc at device (0, 0), its right column cut
  EXPECT_EQ(ToArt(e), (Art{".###....", "####....", "####....", "####....", ".###....", "........",
                           "........", "........"}))
      << Show(ToArt(e));
}

TEST(CanvasShapes, HugeShapesDrawOnlyWhatIsVisible) {
  constexpr int kFar = 2000000000;
  struct Case {
    const char* name;
    void (*draw)(TCanvas&);
    Art want;
  };
  const Case cases[] = {
      {"rectangle edge", [](TCanvas& c) { c.Rectangle(0, 2, kFar, kFar); },
       {"......", "......", "######", "#rrrrr", "#rrrrr"}},
      {"ellipse far bigger than the surface", [](TCanvas& c) { c.Ellipse(-kFar, -kFar, kFar, kFar); },
       {"rrrrrr", "rrrrrr", "rrrrrr", "rrrrrr", "rrrrrr"}},
      {"ellipse edge", [](TCanvas& c) { c.Ellipse(-kFar, 3, kFar, kFar); },
       {"......", "......", "......", "######", "rrrrrr"}},
      {"triangle", [](TCanvas& c) { c.Polygon({{-kFar, -kFar}, {kFar, kFar}, {-kFar, kFar}}); },
       {"#.....", "r#....", "rr#...", "rrr#..", "rrrr#."}},
      // Dashes of 12 and gaps of 4 along the top, the phase 2e9 - 8 pixels
      // in; rows 0 and 1 lie above the box (the pen is centred).
      {"thick dashed outline", [](TCanvas& c) {
         c.Pen() = ExtCreatePen(PS_GEOMETRIC | PS_DASH | PS_ENDCAP_FLAT, 4, clBlack);
         c.Rectangle(-kFar + 8, 2, kFar, kFar);
       },
       {"####..", "####..", "####rr", "####rr", "rrrrrr"}},
      // All but the sliver between the radials through (5, 0) and (0, 0).
      {"arc", [](TCanvas& c) { c.Arc(-kFar, 2, kFar, kFar, 0, 0, 5, 0); }, {"......", "......", ".....#",
                                                                             "......", "......"}},
  };
  for (const Case& k : cases) {
    TBitmap b(6, 5);
    TCanvas& c = b.Canvas();
    c.Brush().Color = clRed;
    k.draw(c);
    EXPECT_EQ(ToArt(b), k.want) << k.name << Show(ToArt(b));
  }
}
