// Fills, clipping, window origin, state saving and bitmaps.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "platform/canvas.h"
#include "platform/errors.h"
#include "support/pixel_art.h"

using namespace plat;
using testing_support::Art;
using testing_support::Show;
using testing_support::ToArt;

TEST(Bitmap, CreationIsBoundedAndReportsFailure) {
  EXPECT_THROW(TBitmap(-1, 5), EOutOfResources);
  EXPECT_THROW(TBitmap(kMaxBitmapSide + 1, 1), EOutOfResources);
  EXPECT_THROW(TBitmap(1 << 19, 1 << 19), EOutOfResources);  // 2^38 pixels
  TBitmap empty(0, 10);
  EXPECT_TRUE(empty.Empty());
  empty.Canvas().FillRect({0, 0, 5, 5}, clBlack);  // nothing to draw on, no crash
}

TEST(Bitmap, NewPixelsAreWhiteAndResizeKeepsThePicture) {
  TBitmap b(3, 2);
  EXPECT_EQ(b.GetPixel(2, 1), 0xFFFFFFu);
  b.SetPixel(0, 0, clRed);
  b.SetSize(4, 3);
  EXPECT_EQ(b.GetPixel(0, 0), uint32_t(clRed));
  EXPECT_EQ(b.GetPixel(3, 2), 0xFFFFFFu);
  EXPECT_EQ(b.GetPixel(4, 0), CLR_INVALID);
  EXPECT_EQ(b.GetPixel(-1, 0), CLR_INVALID);
}

TEST(Bitmap, MonochromeConversionKeepsOnlyWhite) {
  TBitmap b(3, 1);
  b.SetPixel(0, 0, clWhite);
  b.SetPixel(1, 0, clSilver);
  b.SetPixel(2, 0, clBlack);
  b.SetMonochrome(true);
  EXPECT_TRUE(b.Monochrome());
  EXPECT_EQ(ToArt(b), (Art{".##"}));
  b.SetMonochrome(false);
  EXPECT_EQ(ToArt(b), (Art{".##"}));
}

TEST(Bitmap, CanvasFollowsAMovedBitmap) {
  TBitmap a(2, 2);
  a.Canvas().SetTextColor(clRed);
  TBitmap b(std::move(a));
  EXPECT_EQ(&b.Canvas().Target(), &b);
  EXPECT_EQ(b.Canvas().TextColor(), clRed);
}

TEST(Bitmap, ACanvasTakenEarlierSurvivesEveryChangeOfPicture) {
  struct Case {
    const char* name;
    std::function<void(TBitmap&)> change;
    int width, height;
  } cases[] = {
      {"move assignment", [](TBitmap& b) { b = TBitmap(20, 20); }, 20, 20},
      {"move assignment of a bitmap with a canvas",
       [](TBitmap& b) {
         TBitmap other(6, 5);
         other.Canvas().SetTextColor(clBlue);
         b = std::move(other);
       },
       6, 5},
      {"copy assignment", [](TBitmap& b) { b = TBitmap(7, 2); }, 7, 2},
      {"SetSize", [](TBitmap& b) { b.SetSize(9, 9); }, 9, 9},
      {"SetPixelFormat", [](TBitmap& b) { b.SetMonochrome(true); }, 3, 3},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TBitmap b(3, 3);
    TCanvas& c = b.Canvas();
    c.SetTextColor(clRed);
    k.change(b);
    EXPECT_EQ(&b.Canvas(), &c);
    EXPECT_EQ(&c.Target(), &b);
    EXPECT_EQ(c.TextColor(), clRed) << "the canvas keeps its state";
    c.FillRect({0, 0, 100, 100}, clBlack);
    ASSERT_EQ(b.Width(), k.width);
    ASSERT_EQ(b.Height(), k.height);
    EXPECT_EQ(b.GetPixel(k.width - 1, k.height - 1), 0u);
  }
  // The source of a move keeps its own canvas, over its now empty picture.
  TBitmap src(4, 4), dst(2, 2);
  TCanvas& sc = src.Canvas();
  dst = std::move(src);
  EXPECT_EQ(&sc.Target(), &src);
  EXPECT_TRUE(src.Empty());
  sc.FillRect({0, 0, 4, 4}, clBlack);  // draws nothing
  EXPECT_EQ(dst.Width(), 4);
  EXPECT_EQ(dst.GetPixel(0, 0), 0xFFFFFFu);
}

TEST(Bitmap, ARefusedSizeLeavesTheBitmapAsItWas) {
  const std::pair<int, int> refused[] = {{-1, 2}, {2, -1}, {kMaxBitmapSide + 1, 1}, {1 << 19, 1 << 19}};
  for (auto [w, h] : refused) {
    SCOPED_TRACE(testing::Message() << w << "x" << h);
    TBitmap b(3, 2);
    TCanvas& c = b.Canvas();
    b.SetPixel(2, 1, clRed);
    EXPECT_THROW(b.SetSize(w, h), EOutOfResources);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Height(), 2);
    EXPECT_EQ(b.GetPixel(2, 1), uint32_t(clRed));
    EXPECT_EQ(&b.Canvas(), &c);
    c.FillRect({0, 0, 1, 1}, clBlack);
    EXPECT_EQ(b.GetPixel(0, 0), 0u);
  }
}

TEST(CanvasFill, RectanglesAreHalfOpenAndInvertedDrawNothing) {
  TBitmap b(6, 4);
  TCanvas& c = b.Canvas();
  c.FillRect({1, 1, 4, 3}, clBlack);
  c.FillRect({5, 3, 4, 1}, clRed);  // inverted
  c.Brush().Style = TBrushStyle::bsClear;
  c.FillRect({0, 0, 6, 4});  // clear brush
  EXPECT_EQ(ToArt(b), (Art{"......", ".###..", ".###..", "......"})) << Show(ToArt(b));
}

TEST(CanvasFill, RectanglesWiderThanTheIntRange) {
  // Each call makes a rectangle whose width or height does not fit in an int.
  struct Case {
    const char* name;
    std::function<void(TCanvas&)> draw;
    Art want;
  } cases[] = {
      {"FillRect", [](TCanvas& c) { c.FillRect({INT_MIN, 1, INT_MAX, 3}, clBlack); }, {"...", "###", "###", "..."}},
      {"IntersectClipRect",
       [](TCanvas& c) {
         c.IntersectClipRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
         c.FillRect({0, 0, 3, 4}, clBlack);
       },
       {"###", "###", "###", "###"}},
      {"ExcludeClipRect",
       [](TCanvas& c) {
         c.ExcludeClipRect(INT_MIN, 0, INT_MAX, 2);
         c.FillRect({0, 0, 3, 4}, clBlack);
       },
       {"...", "...", "###", "###"}},
      {"ExcludeClipRect under an origin",
       [](TCanvas& c) {
         c.SetWindowOrg(-1, 0);
         c.ExcludeClipRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
         c.FillRect({-5, 0, 5, 4}, clBlack);
       },
       {"...", "...", "...", "..."}},
      {"ExtTextOutW opaque and clipped",
       [](TCanvas& c) {
         c.SetBkColor(clRed);
         TRect r{INT_MIN, 3, INT_MAX, INT_MAX};
         c.ExtTextOutW(0, 0, ETO_OPAQUE | ETO_CLIPPED, &r, u"");
       },
       {"...", "...", "...", "rrr"}},
      {"PatBlt", [](TCanvas& c) { c.PatBlt(-5, 2, INT_MAX, 1, BLACKNESS); }, {"...", "...", "###", "..."}},
  };
  for (const Case& k : cases) {
    TBitmap b(3, 4);
    k.draw(b.Canvas());
    EXPECT_EQ(ToArt(b), k.want) << k.name << Show(ToArt(b));
  }
}

TEST(CanvasFill, ColoursSystemPaletteAndNoColor) {
  TBitmap b(4, 1);
  TCanvas& c = b.Canvas();
  c.FillRect({0, 0, 1, 1}, clBtnFace);
  c.FillRect({1, 0, 2, 1}, static_cast<TColor>(0x02000000 | 0x0000FF));  // palette flag dropped
  c.FillRect({2, 0, 3, 1}, NoColor);
  c.FillRect({3, 0, 4, 1}, clBtnShadow);
  EXPECT_EQ(b.GetPixel(0, 0), 0xF0F0F0u);
  EXPECT_EQ(b.GetPixel(1, 0), uint32_t(clRed));
  EXPECT_EQ(b.GetPixel(2, 0), 0xFFFFFFu);
  EXPECT_EQ(b.GetPixel(3, 0), 0xA0A0A0u);
}

TEST(CanvasFill, ClippingUnderAMovedWindowOrigin) {
  TBitmap b(6, 6);
  TCanvas& c = b.Canvas();
  c.SetWindowOrg(10, 20);  // logical (10, 20) is device (0, 0)
  TRegion clip(TRect{1, 1, 4, 4});  // device units
  c.SelectClipRgn(&clip);
  c.FillRect({10, 20, 16, 26}, clBlack);
  EXPECT_EQ(ToArt(b), (Art{"......", ".###..", ".###..", ".###..", "......", "......"})) << Show(ToArt(b));
  EXPECT_EQ(c.ClipBox(), (TRect{11, 21, 14, 24}));
  // Clip rectangles are logical.
  c.ExcludeClipRect(12, 22, 13, 23);
  c.FillRect({10, 20, 16, 26}, clRed);
  EXPECT_EQ(b.GetPixel(2, 2), 0u);
  EXPECT_EQ(b.GetPixel(1, 1), uint32_t(clRed));
  c.SelectClipRgn(nullptr);
  c.IntersectClipRect(14, 24, 20, 30);
  c.FillRect({0, 0, 100, 100}, clLime);
  EXPECT_EQ(b.GetPixel(4, 4), uint32_t(clLime));
  EXPECT_EQ(b.GetPixel(3, 3), uint32_t(clRed));
  TRegion got;
  EXPECT_TRUE(c.GetClipRgn(got));
  EXPECT_EQ(got, TRegion(TRect{4, 4, 10, 10}));
  c.SelectClipRgn(nullptr);
  EXPECT_FALSE(c.GetClipRgn(got));
}

TEST(CanvasFill, SelectedClipRegionIsACopy) {
  TBitmap b(4, 1);
  TCanvas& c = b.Canvas();
  TRegion clip(TRect{0, 0, 1, 1});
  c.SelectClipRgn(&clip);
  clip.Offset(2, 0);  // changing ours leaves the canvas's alone
  c.FillRect({0, 0, 4, 1}, clBlack);
  EXPECT_EQ(ToArt(b), (Art{"#..."}));
}

TEST(CanvasFill, SaveAndRestoreTheWholeState) {
  TBitmap b(4, 4);
  TCanvas& c = b.Canvas();
  c.Brush().Color = clRed;
  int level = c.SaveDC();
  c.Brush().Color = clBlue;
  c.SetWindowOrg(5, 5);
  c.IntersectClipRect(5, 5, 6, 6);
  c.SetTextColor(clLime);
  c.SaveDC();
  c.SetBkMode(TRANSPARENT);
  EXPECT_TRUE(c.RestoreDC(level));
  EXPECT_EQ(c.Brush().Color, clRed);
  EXPECT_EQ(c.WindowOrg(), (TPoint{0, 0}));
  EXPECT_FALSE(c.HasClipRgn());
  EXPECT_EQ(c.TextColor(), clBlack);
  EXPECT_EQ(c.BkMode(), OPAQUE);
  EXPECT_FALSE(c.RestoreDC(1));  // nothing saved any more
  {
    TCanvasStateSaver keep(c);
    c.Pen().Width = 7;
    TClipRegionSaver keepClip(c);
    c.IntersectClipRect(0, 0, 1, 1);
  }
  EXPECT_EQ(c.Pen().Width, 1);
  EXPECT_FALSE(c.HasClipRgn());
}

TEST(CanvasFill, FrameFocusAndPatterns) {
  TBitmap b(5, 4);
  TCanvas& c = b.Canvas();
  c.Brush().Color = clBlack;
  c.FrameRect({0, 0, 5, 4});
  EXPECT_EQ(ToArt(b), (Art{"#####", "#...#", "#...#", "#####"}));
  c.PatBlt(0, 0, 5, 4, WHITENESS);
  c.DrawFocusRect({0, 0, 5, 4});
  EXPECT_EQ(ToArt(b), (Art{"#.#.#", ".....", "#...#", ".#.#."})) << Show(ToArt(b));
  c.DrawFocusRect({0, 0, 5, 4});  // twice restores
  EXPECT_EQ(ToArt(b), (Art{".....", ".....", ".....", "....."}));
  c.PatBlt(1, 1, 2, 2, BLACKNESS);
  c.PatBlt(0, 0, 5, 1, DSTINVERT);
  c.Brush().Color = clRed;
  c.PatBlt(4, 3, -1, -2, PATCOPY);  // negative extents end at the corner: x 4, y 2 .. 3
  EXPECT_EQ(ToArt(b), (Art{"#####", ".##..", ".##.r", "....r"})) << Show(ToArt(b));
}

TEST(CanvasFill, PatBltLaysExtentsAsBitBltDoes) {
  // BitBlt refuses extents beyond kMaxBitmapSide; the others are compared with it.
  struct Case {
    int orgX, orgY, x, y, w, h;
    Art want;
    bool huge = false;
  } cases[] = {
      {0, 0, 1, 1, 2, 2, {"....", ".##.", ".##.", "...."}},
      {0, 0, 2, 2, -2, -2, {"....", ".##.", ".##.", "...."}},
      {0, 0, 0, 3, 4, -1, {"....", "....", "....", "####"}},
      {0, 0, 3, 0, -1, 1, {"...#", "....", "....", "...."}},
      {0, 0, 1, 1, 0, 3, {"....", "....", "....", "...."}},
      // Corners and extents whose sums leave the int range.
      {INT32_MIN, 0, INT32_MIN + 1, 0, -2, 1, {"##..", "....", "....", "...."}},
      {INT32_MAX, 0, INT32_MAX, 0, 2, 1, {"##..", "....", "....", "...."}},
      {-10, INT32_MAX, -10, INT32_MAX, -1, -1, {"#...", "....", "....", "...."}},
      {0, 0, INT32_MAX, 1, INT32_MIN, 1, {"....", "####", "....", "...."}, true},
      {0, 0, INT32_MIN, 2, INT32_MAX, 1, {"....", "....", "....", "...."}, true},
      {0, 0, -5, 2, INT32_MAX, 2, {"....", "....", "####", "####"}, true},
      {INT32_MIN, 0, INT32_MAX, 0, INT32_MIN, 1, {"....", "....", "....", "...."}, true},
  };
  TBitmap src(4, 4);
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << k.x << "," << k.y << " " << k.w << "x" << k.h);
    TBitmap pat(4, 4), blt(4, 4);
    pat.Canvas().SetWindowOrg(k.orgX, k.orgY);
    pat.Canvas().PatBlt(k.x, k.y, k.w, k.h, BLACKNESS);
    EXPECT_EQ(ToArt(pat), k.want) << Show(ToArt(pat));
    if (k.huge) continue;
    blt.Canvas().SetWindowOrg(k.orgX, k.orgY);
    blt.Canvas().BitBlt(k.x, k.y, k.w, k.h, src.Canvas(), 0, 0, BLACKNESS);
    EXPECT_EQ(ToArt(blt), k.want) << Show(ToArt(blt));
  }
}

TEST(CanvasFill, FocusRectsRegionsAndClipBoxesNearTheIntLimits) {
  struct Case {
    const char* name;
    std::function<void(TCanvas&)> draw;
    Art want;
  } cases[] = {
      {"focus rect beyond the bottom", [](TCanvas& c) {
         c.SetWindowOrg(0, -10);
         c.DrawFocusRect({0, INT_MAX - 1, 5, INT_MAX});
       },
       {"....", "....", "...."}},
      {"focus rect beyond the top", [](TCanvas& c) {
         c.SetWindowOrg(0, 10);
         c.DrawFocusRect({0, INT_MIN, 5, INT_MIN + 1});
       },
       {"....", "....", "...."}},
      {"focus rect beyond the left", [](TCanvas& c) {
         c.SetWindowOrg(10, 0);
         c.DrawFocusRect({INT_MIN, 0, INT_MIN + 1, 3});
       },
       {"....", "....", "...."}},
      {"focus rect from far left", [](TCanvas& c) { c.DrawFocusRect({INT_MIN, 1, 3, 3}); },
       {"....", ".#..", "#.#."}},
      {"focus rect far right", [](TCanvas& c) {
         c.SetWindowOrg(INT_MIN, 0);
         c.DrawFocusRect({INT_MIN + 1, 0, INT_MAX, 3});
       },
       {"..#.", ".#..", "..#."}},
      {"region under the lowest origin", [](TCanvas& c) {
         c.SetWindowOrg(INT_MIN, INT_MIN);
         c.FillRgn(TRegion(TRect{INT_MIN, INT_MIN + 1, INT_MIN + 2, INT_MIN + 2}), clBlack);
       },
       {"....", "##..", "...."}},
      {"region under the highest origin", [](TCanvas& c) {
         c.SetWindowOrg(INT_MAX - 2, 0);
         c.FillRgn(TRegion(TRect{INT_MIN, 0, INT_MAX, 3}), clBlack);
       },
       {"##..", "##..", "##.."}},
      {"region far from the origin", [](TCanvas& c) {
         c.SetWindowOrg(INT_MIN, 0);
         c.FillRgn(TRegion(TRect{0, 0, INT_MAX, 3}), clBlack);
       },
       {"....", "....", "...."}},
  };
  for (const Case& k : cases) {
    TBitmap b(4, 3);
    k.draw(b.Canvas());
    EXPECT_EQ(ToArt(b), k.want) << k.name << Show(ToArt(b));
  }

  struct BoxCase {
    int orgX, orgY;
    TRect want;
  } boxes[] = {
      {INT_MAX, 0, {INT_MAX, 0, INT_MAX, 3}},
      {INT_MAX - 2, INT_MIN, {INT_MAX - 2, INT_MIN, INT_MAX, INT_MIN + 3}},
      {INT_MIN, -1, {INT_MIN, -1, INT_MIN + 4, 2}},
  };
  for (const BoxCase& k : boxes) {
    TBitmap b(4, 3);
    b.Canvas().SetWindowOrg(k.orgX, k.orgY);
    EXPECT_EQ(b.Canvas().ClipBox(), k.want) << k.orgX << "," << k.orgY;
  }
}

TEST(CanvasFill, MonochromeSurfacesTakeTheNearestOfBlackAndWhite) {
  TBitmap m(3, 1, TPixelFormat::pf1bit);
  TCanvas& c = m.Canvas();
  c.FillRect({0, 0, 1, 1}, clSilver);
  c.FillRect({1, 0, 2, 1}, RGB(100, 100, 100));
  c.FillRect({2, 0, 3, 1}, clBlack);
  EXPECT_EQ(ToArt(m), (Art{".##"}));
  c.PatBlt(0, 0, 3, 1, DSTINVERT);
  EXPECT_EQ(ToArt(m), (Art{"#.."}));
}

TEST(CanvasFill, FillRgnIsLogical) {
  TBitmap b(4, 4);
  TCanvas& c = b.Canvas();
  c.SetWindowOrg(1, 1);
  c.FillRgn(TRegion(TRect{1, 1, 3, 3}), clBlack);
  EXPECT_EQ(ToArt(b), (Art{"##..", "##..", "....", "...."}));
}
