// Alpha images: storage, conversion, and source-over drawing with
// scaling, clipping and window origins.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "platform/argb_image.h"
#include "platform/canvas.h"
#include "platform/errors.h"
#include "support/pixel_art.h"

using namespace plat;
using testing_support::Art;
using testing_support::Show;
using testing_support::ToArt;

namespace {

TArgbImage Opaque(const std::vector<std::vector<TColor>>& rows) {
  TArgbImage img(int(rows[0].size()), int(rows.size()));
  for (int y = 0; y < img.Height(); ++y)
    for (int x = 0; x < img.Width(); ++x) {
      const uint32_t c = ColorToRGB(rows[size_t(y)][size_t(x)]);
      img.SetPixel(x, y, 255, uint8_t(GetRValue(c)), uint8_t(GetGValue(c)), uint8_t(GetBValue(c)));
    }
  return img;
}

void ExpectNear(uint32_t colour, int r, int g, int b, const char* what) {
  EXPECT_LE(std::abs(GetRValue(colour) - r), 1) << what << " red " << GetRValue(colour);
  EXPECT_LE(std::abs(GetGValue(colour) - g), 1) << what << " green " << GetGValue(colour);
  EXPECT_LE(std::abs(GetBValue(colour) - b), 1) << what << " blue " << GetBValue(colour);
}

}  // namespace

TEST(ArgbImage, CreationIsBoundedLikeBitmaps) {
  EXPECT_THROW(TArgbImage(-1, 4), EOutOfResources);
  EXPECT_THROW(TArgbImage(kMaxBitmapSide + 1, 1), EOutOfResources);
  EXPECT_THROW(TArgbImage(1 << 19, 1 << 19), EOutOfResources);
  TArgbImage empty(0, 7);
  EXPECT_TRUE(empty.Empty());
  EXPECT_EQ(empty.Image(), nullptr);
  empty.Draw(Opaque({{clRed}}), {0, 0, 1, 1}, {0, 0, 1, 1}, false);  // nothing to draw on
  TBitmap b(2, 2);
  b.Canvas().DrawArgb(empty, {0, 0, 2, 2}, {0, 0, 1, 1}, false);  // nothing to draw
  EXPECT_EQ(ToArt(b), (Art{"..", ".."}));
}

TEST(ArgbImage, StoresPremultipliedAndAnswersStraightColours) {
  TArgbImage img(3, 1);
  EXPECT_EQ(img.Row(0)[0], 0u);  // starts transparent
  img.SetPixel(0, 0, 128, 255, 0, 64);
  EXPECT_EQ(img.Row(0)[0], 0x80800020u);
  EXPECT_EQ(img.GetPixel(0, 0), (TArgb{128, 255, 0, 64}));
  img.SetPixel(1, 0, 255, 1, 2, 3);
  EXPECT_EQ(img.GetPixel(1, 0), (TArgb{255, 1, 2, 3}));
  img.SetPixel(2, 0, 0, 10, 20, 30);  // no alpha: no colour either
  EXPECT_EQ(img.Row(0)[2], 0u);
  EXPECT_EQ(img.GetPixel(2, 0), TArgb{});
  img.SetPixel(3, 0, 255, 1, 1, 1);  // outside: ignored
  img.SetPixel(-1, 0, 255, 1, 1, 1);
  EXPECT_EQ(img.GetPixel(3, 0), TArgb{});
  TArgbImage copy(img);
  img.Clear();
  EXPECT_EQ(img.GetPixel(1, 0), TArgb{});
  EXPECT_EQ(copy.GetPixel(1, 0), (TArgb{255, 1, 2, 3}));
}

TEST(ArgbImage, BitmapsBecomeOpaque) {
  TBitmap colour(2, 1);
  colour.SetPixel(0, 0, clRed);
  colour.SetPixel(1, 0, RGB(1, 2, 3));
  TArgbImage fromColour(colour);
  EXPECT_EQ(fromColour.GetPixel(0, 0), (TArgb{255, 255, 0, 0}));
  EXPECT_EQ(fromColour.GetPixel(1, 0), (TArgb{255, 1, 2, 3}));
  TBitmap mono(2, 1, TPixelFormat::pf1bit);
  mono.SetPixel(0, 0, clBlack);
  TArgbImage fromMono(mono);
  EXPECT_EQ(fromMono.GetPixel(0, 0), (TArgb{255, 0, 0, 0}));
  EXPECT_EQ(fromMono.GetPixel(1, 0), (TArgb{255, 255, 255, 255}));
}

TEST(ArgbImage, FromRgbaRowsHonoursTheStrideAndChecksTheData) {
  // Two rows of two pixels, four bytes of padding after each row.
  const std::vector<uint8_t> data = {255, 0, 0, 255, 0, 255, 0, 128, 9, 9, 9, 9,
                                     0,   0, 255, 64, 10, 20, 30, 0};
  TArgbImage img = TArgbImage::FromRgbaRows(2, 2, data, 12);
  EXPECT_EQ(img.GetPixel(0, 0), (TArgb{255, 255, 0, 0}));
  EXPECT_EQ(img.Row(0)[1], 0x80008000u);
  EXPECT_EQ(img.GetPixel(0, 1), (TArgb{64, 0, 0, 255}));
  EXPECT_EQ(img.Row(1)[1], 0u);
  EXPECT_THROW(TArgbImage::FromRgbaRows(2, 2, std::span(data).first(19), 12), std::invalid_argument);
  EXPECT_THROW(TArgbImage::FromRgbaRows(2, 2, data, 7), std::invalid_argument);  // rows overlap
  EXPECT_THROW(TArgbImage::FromRgbaRows(-2, 2, data, 12), EOutOfResources);
  EXPECT_TRUE(TArgbImage::FromRgbaRows(0, 0, {}, 0).Empty());
}

TEST(DrawArgb, HalfRedOverBlueBlends) {
  TBitmap b(2, 1);
  b.Canvas().FillRect({0, 0, 2, 1}, clBlue);
  TArgbImage red(1, 1);
  red.SetPixel(0, 0, 128, 255, 0, 0);
  b.Canvas().DrawArgb(red, {0, 0, 2, 1}, {0, 0, 1, 1}, false);
  for (int x = 0; x < 2; ++x) ExpectNear(b.GetPixel(x, 0), 128, 0, 127, "over blue");
}

TEST(DrawArgb, NearestKeepsBlocksAndBilinearBlends) {
  const TArgbImage checker = Opaque({{clBlack, clWhite}, {clWhite, clBlack}});
  TBitmap nearest(4, 4), smooth(4, 4);
  nearest.Canvas().DrawArgb(checker, {0, 0, 4, 4}, {0, 0, 2, 2}, false);
  EXPECT_EQ(ToArt(nearest), (Art{"##..", "##..", "..##", "..##"})) << Show(ToArt(nearest));
  smooth.Canvas().DrawArgb(checker, {0, 0, 4, 4}, {0, 0, 2, 2}, true);
  // Corners sit on one source pixel (the edges are padded, not faded);
  // inner pixels mix: (1, 1) is a quarter of the way to its neighbours in each axis.
  EXPECT_EQ(smooth.GetPixel(0, 0), uint32_t(clBlack));
  EXPECT_EQ(smooth.GetPixel(3, 0), uint32_t(clWhite));
  EXPECT_EQ(smooth.GetPixel(3, 3), uint32_t(clBlack));
  const int inner = GetRValue(smooth.GetPixel(1, 1));
  EXPECT_NEAR(inner, 96, 8);  // 37.5 % white
  EXPECT_EQ(smooth.GetPixel(1, 2), smooth.GetPixel(2, 1));
  EXPECT_NEAR(GetRValue(smooth.GetPixel(2, 1)), 255 - 96, 8);
}

TEST(DrawArgb, ClipRegionAndWindowOriginAreHonoured) {
  TBitmap b(4, 3);
  TCanvas& c = b.Canvas();
  c.SetWindowOrg(10, 10);
  TRegion clip(TRect{1, 0, 3, 2});  // device units
  c.SelectClipRgn(&clip);
  c.DrawArgb(Opaque({{clRed}}), {10, 10, 14, 13}, {0, 0, 1, 1}, true);
  EXPECT_EQ(ToArt(b), (Art{".rr.", ".rr.", "...."})) << Show(ToArt(b));
  c.SelectClipRgn(nullptr);
  c.DrawArgb(Opaque({{clLime, clBlue}}), {12, 12, 13, 13}, {1, 0, 2, 1}, false);
  EXPECT_EQ(ToArt(b), (Art{".rr.", ".rr.", "..b."})) << Show(ToArt(b));
}

TEST(DrawArgb, PixelsWhoseSampleLiesOutsideTheImageStayAlone) {
  TBitmap b(4, 1);
  // Source x 1 .. 3 of a two-pixel image, doubled: the last two pixels map past its edge.
  b.Canvas().DrawArgb(Opaque({{clRed, clLime}}), {0, 0, 4, 1}, {1, 0, 3, 1}, true);
  EXPECT_EQ(ToArt(b), (Art{"gg.."})) << Show(ToArt(b));
  b.Canvas().DrawArgb(Opaque({{clRed}}), {0, 0, 4, 1}, {-3, 0, 1, 1}, false);
  EXPECT_EQ(ToArt(b), (Art{"gg.r"})) << Show(ToArt(b));
}

TEST(DrawArgb, SurfacesBeyondSixteenBitCoordinates) {
  TBitmap b(1, 40000);
  const TArgbImage halves = Opaque({{clRed}, {clBlue}});
  b.Canvas().DrawArgb(halves, {0, 0, 1, 40000}, {0, 0, 1, 2}, false);
  EXPECT_EQ(b.GetPixel(0, 0), uint32_t(clRed));
  EXPECT_EQ(b.GetPixel(0, 19999), uint32_t(clRed));
  EXPECT_EQ(b.GetPixel(0, 20000), uint32_t(clBlue));
  EXPECT_EQ(b.GetPixel(0, 39999), uint32_t(clBlue));
  b.Canvas().DrawArgb(halves, {0, 0, 1, 40000}, {0, 0, 1, 2}, true);
  EXPECT_EQ(b.GetPixel(0, 5000), uint32_t(clRed));
  EXPECT_EQ(b.GetPixel(0, 35000), uint32_t(clBlue));
  b.Canvas().DrawArgb(Opaque({{clLime}}), {0, 39990, 1, 39991}, {0, 0, 1, 1}, false);
  EXPECT_EQ(b.GetPixel(0, 39990), uint32_t(clLime));
  EXPECT_EQ(b.GetPixel(0, 39991), uint32_t(clBlue));
}

TEST(DrawArgb, BilinearTilesJoinWithoutSeams) {
  // A ramp from black to white across rows 1250 .. 3750, drawn in tiles of
  // a couple of thousand rows: it must rise steadily through the joins.
  TBitmap b(1, 5000);
  b.Canvas().DrawArgb(Opaque({{clBlack}, {clWhite}}), {0, 0, 1, 5000}, {0, 0, 1, 2}, true);
  int previous = 0, biggestStep = 0;
  for (int y = 0; y < 5000; ++y) {
    const int v = GetRValue(b.GetPixel(0, y));
    ASSERT_GE(v, previous) << "row " << y;
    biggestStep = std::max(biggestStep, v - previous);
    previous = v;
  }
  EXPECT_EQ(GetRValue(b.GetPixel(0, 1000)), 0);
  EXPECT_NEAR(GetRValue(b.GetPixel(0, 2500)), 128, 4);  // pixman weighs in 1/128 steps
  EXPECT_EQ(previous, 255);
  EXPECT_LE(biggestStep, 2);
}

TEST(DrawArgb, ExtremeReductionSamplesUnderEachCentre) {
  TArgbImage wide(6000, 1);
  for (int x = 0; x < 6000; ++x) x < 2000 || (x >= 3000 && x < 4000) ? wide.SetPixel(x, 0, 255, 255, 0, 0)
                                                                     : wide.SetPixel(x, 0, 255, 0, 0, 255);
  TBitmap b(2, 1);
  b.Canvas().DrawArgb(wide, {0, 0, 2, 1}, {0, 0, 6000, 1}, true);  // centres at 1500 and 4500
  EXPECT_EQ(ToArt(b), (Art{"rb"}));
  b.Canvas().DrawArgb(wide, {0, 0, 1, 1}, {0, 0, 6000, 1}, false);  // centre at 3000
  EXPECT_EQ(ToArt(b), (Art{"rb"}));
}

TEST(DrawArgb, MonochromeTargetKeepsTheNearestOfBlackAndWhite) {
  TBitmap b(4, 1, TPixelFormat::pf1bit);
  TArgbImage img(4, 1);
  img.SetPixel(0, 0, 255, 0, 0, 0);  // opaque black
  img.SetPixel(1, 0, 64, 0, 0, 0);   // light grey over white
  img.SetPixel(2, 0, 192, 0, 0, 0);  // dark grey over white
  img.SetPixel(3, 0, 255, 0, 0, 0);  // clipped away
  TRegion clip(TRect{0, 0, 3, 1});
  b.Canvas().SelectClipRgn(&clip);
  b.Canvas().DrawArgb(img, {0, 0, 4, 1}, {0, 0, 4, 1}, false);
  EXPECT_EQ(ToArt(b), (Art{"#.#."}));
}

TEST(ArgbImage, DrawsOntoAnotherAlphaImage) {
  TArgbImage half(1, 1);
  half.SetPixel(0, 0, 128, 255, 0, 0);
  TArgbImage tiles(3, 1);
  tiles.SetPixel(1, 0, 255, 0, 0, 255);
  tiles.Draw(half, {0, 0, 2, 1}, {0, 0, 1, 1}, false);
  EXPECT_EQ(tiles.Row(0)[0], 0x80800000u);  // onto transparent: the tile itself
  const TArgb over = tiles.GetPixel(1, 0);  // onto opaque blue: a blend, still opaque
  EXPECT_EQ(over.a, 255);
  EXPECT_NEAR(over.r, 128, 1);
  EXPECT_NEAR(over.b, 127, 1);
  EXPECT_EQ(tiles.Row(0)[2], 0u);
  tiles.Draw(tiles, {2, 0, 3, 1}, {0, 0, 1, 1}, false);  // from itself
  EXPECT_EQ(tiles.Row(0)[2], 0x80800000u);
}
