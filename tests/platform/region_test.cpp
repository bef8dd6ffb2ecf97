#include "platform/region.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <vector>

#include "platform/canvas.h"

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

// A region made from a shape holds the pixels the canvas fills for it (an
// image map's hit areas are the shapes drawn), also when limited to rows.
TEST(Region, ShapesHoldThePixelsTheCanvasFills) {
  constexpr int kSize = 48;
  auto painted = [](const std::function<void(TCanvas&)>& draw) {
    TBitmap b(kSize, kSize);
    TCanvas& c = b.Canvas();
    c.Pen().Style = TPenStyle::psClear;
    c.Brush().Color = clBlack;
    draw(c);
    std::vector<TRect> px;
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x)
        if (b.GetPixel(x, y) == 0) px.push_back({x, y, x + 1, y + 1});
    return TRegion::FromRects(px);
  };
  std::vector<TPoint> star, zigzag;
  for (int k = 0; k < 10; ++k) {
    double a = k * 3.14159265358979 / 5, r = k % 2 ? 9 : 22;
    star.push_back({24 + int(std::lround(r * std::sin(a))), 24 - int(std::lround(r * std::cos(a)))});
  }
  for (int k = 0; k <= 300; ++k) zigzag.push_back({k * 47 / 300, 5 + (k % 2) * (3 + k % 7)});
  zigzag.push_back({47, 46});
  zigzag.push_back({0, 40});
  const TRect band{-100, 9, 100, 30};
  const TRect whole{0, 0, kSize, kSize};
  for (const auto* pts : {&star, &zigzag}) {
    for (TPolyFillMode mode : {ALTERNATE, WINDING}) {
      SCOPED_TRACE(testing::Message() << pts->size() << " points, mode " << mode);
      TRegion want = painted([&](TCanvas& c) {
        c.SetPolyFillMode(mode);
        c.Polygon(*pts);
      });
      const int n = int(pts->size());
      EXPECT_EQ(TRegion::Polygon(pts->data(), n, mode), want) << Mask(want, 48, 48);
      TRegion rows = want;
      rows.Combine(rows, TRegion(band), RGN_AND);
      EXPECT_EQ(TRegion::Polygon(pts->data(), n, mode, band), rows);
    }
  }
  const TRect boxes[] = {{0, 0, 5, 5}, {3, 4, 10, 8}, {1, 2, 47, 31}, {-20, 10, 30, 60}, {10, 10, 11, 40}};
  for (const TRect& r : boxes) {
    SCOPED_TRACE(testing::Message() << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom);
    TRegion want = painted([&](TCanvas& c) { c.Ellipse(r.Left, r.Top, r.Right, r.Bottom); });
    TRegion got = TRegion::Ellipse(r);
    got.Combine(got, TRegion(whole), RGN_AND);
    EXPECT_EQ(got, want) << Mask(got, 48, 48);
    TRegion rows = want;
    rows.Combine(rows, TRegion(band), RGN_AND);
    got = TRegion::Ellipse(r, band);
    got.Combine(got, TRegion(whole), RGN_AND);
    EXPECT_EQ(got, rows);
  }
}

TEST(Region, HugeShapesAreLimitedToTheRowsAsked) {
  TPoint pts[] = {{0, -2000000000}, {10, -2000000000}, {10, 2000000000}, {0, 2000000000}};
  TRegion r = TRegion::Polygon(pts, 4, ALTERNATE, TRect{0, 0, 100, 100});
  EXPECT_EQ(r, TRegion(TRect{0, 0, 10, 100}));
  EXPECT_TRUE(TRegion::Ellipse(TRect{-2000000000, 0, 2000000000, 10}).Empty());
  // The size limit is inclusive; rows limit the work.
  const TRect row{-kRegionRowLimit, 0, kRegionRowLimit, 1};
  TRegion widest = TRegion::Ellipse(TRect{0, -kRegionRowLimit / 2, kRegionRowLimit, kRegionRowLimit / 2}, row);
  EXPECT_EQ(widest, TRegion(TRect{0, 0, kRegionRowLimit, 1}));
  EXPECT_TRUE(TRegion::Ellipse(TRect{0, -5, kRegionRowLimit + 1, 5}, row).Empty());
  TPoint spike[] = {{0, INT_MIN}, {10, INT_MAX}, {20, INT_MIN}};
  EXPECT_EQ(TRegion::Polygon(spike, 3, WINDING, TRect{0, 0, 10, 10}), TRegion(TRect{5, 0, 15, 10}));
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
