#include "platform/region.h"

#include <gtest/gtest.h>

#include <climits>

using namespace plat;

namespace {

// The pixels of a region inside a small box, as rows of '#' and '.'.
std::string Mask(const TRegion& r, int w, int h, int x0 = 0, int y0 = 0) {
  std::string s = "\n";
  for (int y = y0; y < y0 + h; ++y) {
    for (int x = x0; x < x0 + w; ++x) s += r.Contains(x, y) ? '#' : '.';
    s += '\n';
  }
  return s;
}

}  // namespace

TEST(Region, RectangleIsHalfOpenAndInvertedIsEmpty) {
  TRegion r(TRect{2, 3, 5, 6});
  EXPECT_TRUE(r.Contains(2, 3));
  EXPECT_TRUE(r.Contains(4, 5));
  EXPECT_FALSE(r.Contains(5, 5));
  EXPECT_FALSE(r.Contains(4, 6));
  EXPECT_EQ(r.Box(), (TRect{2, 3, 5, 6}));
  EXPECT_TRUE(TRegion(TRect{5, 5, 2, 2}).Empty());
  EXPECT_EQ(TRegion().Box(), TRect{});
}

TEST(Region, RectanglesSpanningTheWholeIntRange) {
  struct Case {
    TRect r;
    int width, height;  // as TRect answers them: clamped
  } cases[] = {
      {{INT_MIN, 0, INT_MAX, 5}, INT_MAX, 5},
      {{0, INT_MIN, 3, INT_MAX}, 3, INT_MAX},
      {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, INT_MAX, INT_MAX},
      {{-5, 0, INT_MAX, 1}, INT_MAX, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.r.Width(), c.width);
    EXPECT_EQ(c.r.Height(), c.height);
    TRegion r(c.r);
    EXPECT_EQ(r.Box(), c.r);
    EXPECT_EQ(r.Kind(), SIMPLEREGION);
    EXPECT_TRUE(r.Contains(c.r.Left, c.r.Top));
    EXPECT_TRUE(r.Contains(c.r.Right - 1, c.r.Bottom - 1));
    EXPECT_FALSE(r.Contains(c.r.Right, c.r.Top));
  }
  EXPECT_EQ((TRect{INT_MAX, 0, INT_MIN, 1}).Width(), INT_MIN);  // inverted: clamped too
  EXPECT_TRUE(TRegion(TRect{INT_MAX, 0, INT_MIN, 1}).Empty());
}

TEST(Region, CombineModes) {
  TRegion a(TRect{0, 0, 4, 4}), b(TRect{2, 2, 6, 6}), out;
  struct Case {
    TCombineMode op;
    int count;  // pixels covered
    TRegionKind kind;
  } cases[] = {{RGN_AND, 4, SIMPLEREGION}, {RGN_OR, 28, COMPLEXREGION}, {RGN_DIFF, 12, COMPLEXREGION},
               {RGN_XOR, 24, COMPLEXREGION}, {RGN_COPY, 16, SIMPLEREGION}};
  for (const auto& c : cases) {
    EXPECT_EQ(out.Combine(a, b, c.op), c.kind) << c.op;
    int n = 0;
    for (int y = -1; y < 8; ++y)
      for (int x = -1; x < 8; ++x) n += out.Contains(x, y);
    EXPECT_EQ(n, c.count) << c.op;
  }
  EXPECT_EQ(out.Combine(TRegion(TRect{0, 0, 1, 1}), TRegion(TRect{5, 5, 6, 6}), RGN_AND), NULLREGION);
  // The destination may be one of the operands.
  a.Combine(a, b, RGN_AND);
  EXPECT_EQ(a.Box(), (TRect{2, 2, 4, 4}));
}

TEST(Region, OffsetMovesEveryPixel) {
  TRegion r(TRect{0, 0, 2, 2});
  r.Offset(10, -3);
  EXPECT_EQ(r.Box(), (TRect{10, -3, 12, -1}));
  EXPECT_EQ(OffsetRgn(r, 1, 1), SIMPLEREGION);
  EXPECT_TRUE(PtInRegion(r, 11, -2));
}

TEST(Region, PolygonRectangleFillsExactlyItsRectangle) {
  TPoint pts[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}};
  for (auto mode : {ALTERNATE, WINDING}) {
    TRegion r = TRegion::Polygon(pts, 4, mode);
    EXPECT_EQ(r, TRegion(TRect{1, 1, 5, 4})) << Mask(r, 7, 6);
  }
}

TEST(Region, PolygonTriangleByPixelCentres) {
  TPoint pts[] = {{0, 0}, {6, 0}, {0, 6}};
  EXPECT_EQ(Mask(TRegion::Polygon(pts, 3, ALTERNATE), 7, 7),
            "\n"
            "#####..\n"
            "####...\n"
            "###....\n"
            "##.....\n"
            "#......\n"
            ".......\n"
            ".......\n");
}

TEST(Region, PolygonFillModesDifferOnOverlap) {
  // Two overlapping squares traced in one direction: the overlap is a hole
  // under alternate fill and filled under winding fill.
  TPoint pts[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}, {2, 2}, {6, 2}, {6, 6}, {2, 6}, {2, 2}};
  TRegion alt = TRegion::Polygon(pts, 10, ALTERNATE);
  TRegion wind = TRegion::Polygon(pts, 10, WINDING);
  EXPECT_FALSE(alt.Contains(3, 3)) << Mask(alt, 7, 7);
  EXPECT_TRUE(wind.Contains(3, 3)) << Mask(wind, 7, 7);
  EXPECT_TRUE(alt.Contains(1, 1));
  EXPECT_TRUE(alt.Contains(5, 5));
}

TEST(Region, SmallEllipses) {
  EXPECT_EQ(Mask(TRegion::Ellipse(TRect{0, 0, 5, 5}), 5, 5),
            "\n"
            ".###.\n"
            "#####\n"
            "#####\n"
            "#####\n"
            ".###.\n");
  EXPECT_EQ(Mask(TRegion::Ellipse(TRect{0, 0, 7, 7}), 7, 7),
            "\n"
            "..###..\n"
            ".#####.\n"
            "#######\n"
            "#######\n"
            "#######\n"
            ".#####.\n"
            "..###..\n");
  // The circle of an image map area: centre (10, 10), radius 5.
  TRegion circle = TRegion::Ellipse(TRect{5, 5, 16, 16});
  EXPECT_TRUE(circle.Contains(10, 10));
  EXPECT_TRUE(circle.Contains(10, 15));
  EXPECT_FALSE(circle.Contains(10, 16));
}

TEST(Region, HugeShapesAreLimitedToTheRowsAsked) {
  TPoint pts[] = {{0, -2000000000}, {10, -2000000000}, {10, 2000000000}, {0, 2000000000}};
  TRegion r = TRegion::Polygon(pts, 4, ALTERNATE, TRect{0, 0, 100, 100});
  EXPECT_EQ(r, TRegion(TRect{0, 0, 10, 100}));
  EXPECT_TRUE(TRegion::Ellipse(TRect{-2000000000, 0, 2000000000, 10}).Empty());
}

TEST(Region, FromRectsUnderScaleAndOffset) {
  TRegionTransform x{2, 3, 10, 20};
  TRegion r = TRegion::FromRects(x, {{0, 0, 1, 1}, {1, 0, 2, 1}});
  EXPECT_EQ(r, TRegion(TRect{10, 20, 14, 23}));
  // Overlapping input rectangles are merged.
  TRegion u = TRegion::FromRects({{0, 0, 3, 3}, {1, 1, 4, 4}, {5, 5, 5, 9}});
  EXPECT_TRUE(u.Contains(3, 3));
  EXPECT_FALSE(u.Contains(0, 3));
  EXPECT_EQ(u.Box(), (TRect{0, 0, 4, 4}));
}
