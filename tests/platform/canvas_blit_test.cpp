// Block transfers: raster operations, format conversion, clipping,
// overlapping copies, stretch modes and mirroring.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "support/pixel_art.h"

using namespace plat;
using testing_support::Art;
using testing_support::Show;
using testing_support::ToArt;

namespace {

// A one-row colour bitmap of raw pixel values 0x00RRGGBB.
TBitmap PixelRow(const std::vector<uint32_t>& pixels) {
  TBitmap b(int(pixels.size()), 1);
  for (size_t i = 0; i < pixels.size(); ++i) b.Row32(0)[i] = pixels[i];
  return b;
}

std::vector<uint32_t> PixelsOf(const TBitmap& b) {
  std::vector<uint32_t> v;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) v.push_back(b.Monochrome() ? b.Row1(y)[x] : b.Row32(y)[x] & 0xFFFFFF);
  return v;
}

// A bitmap drawn from art in the default legend ('#' black, '.' white, ...).
TBitmap FromArt(const Art& art, bool mono = false) {
  const std::map<char, TColor> colours = {{'.', clWhite}, {'#', clBlack}, {'r', clRed},   {'g', clLime},
                                          {'b', clBlue},  {'y', clYellow}, {'s', clSilver}};
  TBitmap b(int(art[0].size()), int(art.size()), mono ? TPixelFormat::pf1bit : TPixelFormat::pf32bit);
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) b.SetPixel(x, y, colours.at(art[size_t(y)][size_t(x)]));
  return b;
}

using RopFn = std::function<uint32_t(uint32_t p, uint32_t s, uint32_t d)>;
struct RopCase {
  const char* name;
  uint32_t rop;
  RopFn expect;
};

const std::vector<RopCase>& RopCases() {
  static const std::vector<RopCase> cases = {
      {"SRCCOPY", SRCCOPY, [](uint32_t, uint32_t s, uint32_t) { return s; }},
      {"SRCAND", SRCAND, [](uint32_t, uint32_t s, uint32_t d) { return s & d; }},
      {"SRCPAINT", SRCPAINT, [](uint32_t, uint32_t s, uint32_t d) { return s | d; }},
      {"SRCINVERT", SRCINVERT, [](uint32_t, uint32_t s, uint32_t d) { return s ^ d; }},
      {"NOTSRCCOPY", NOTSRCCOPY, [](uint32_t, uint32_t s, uint32_t) { return ~s; }},
      {"SRCERASE", SRCERASE, [](uint32_t, uint32_t s, uint32_t d) { return s & ~d; }},
      {"NOTSRCERASE", NOTSRCERASE, [](uint32_t, uint32_t s, uint32_t d) { return ~(s | d); }},
      {"MERGECOPY", MERGECOPY, [](uint32_t p, uint32_t s, uint32_t) { return p & s; }},
      {"MERGEPAINT", MERGEPAINT, [](uint32_t, uint32_t s, uint32_t d) { return ~s | d; }},
      {"PATCOPY", PATCOPY, [](uint32_t p, uint32_t, uint32_t) { return p; }},
      {"PATPAINT", PATPAINT, [](uint32_t p, uint32_t s, uint32_t d) { return p | ~s | d; }},
      {"PATINVERT", PATINVERT, [](uint32_t p, uint32_t, uint32_t d) { return p ^ d; }},
      {"DSTINVERT", DSTINVERT, [](uint32_t, uint32_t, uint32_t d) { return ~d; }},
      {"BLACKNESS", BLACKNESS, [](uint32_t, uint32_t, uint32_t) { return 0u; }},
      {"WHITENESS", WHITENESS, [](uint32_t, uint32_t, uint32_t) { return ~0u; }},
      // Any truth table works, whatever the low word: "S ? D : P".
      {"0xB8", 0x00B80000, [](uint32_t p, uint32_t s, uint32_t d) { return (s & d) | (~s & p); }},
  };
  return cases;
}

}  // namespace

TEST(BitBltRop, EveryOperationOnColourPixels) {
  const std::vector<uint32_t> src = {0xFF00FF, 0x0F0F0F, 0x123456, 0x000000, 0xFFFFFF, 0xA5A5A5};
  const std::vector<uint32_t> dst = {0xF0F0F0, 0x00FFFF, 0xFEDCBA, 0xFFFFFF, 0x000000, 0x3C3C3C};
  const uint32_t p = 0xAA55CC;  // the brush's pixel
  for (const RopCase& c : RopCases()) {
    TBitmap s = PixelRow(src), d = PixelRow(dst);
    d.Canvas().Brush().Color = PixelToColor(p);
    d.Canvas().BitBlt(0, 0, 6, 1, s.Canvas(), 0, 0, c.rop);
    std::vector<uint32_t> want;
    for (size_t i = 0; i < src.size(); ++i) want.push_back(c.expect(p, src[i], dst[i]) & 0xFFFFFF);
    EXPECT_EQ(PixelsOf(d), want) << c.name;
  }
}

TEST(BitBltRop, EveryOperationOnMonochromePixelsWithTheBrushAsBlackOrWhite) {
  for (TColor brush : {clBlack, clWhite, clSilver}) {
    const uint32_t p = brush == clBlack ? 0 : 0xFF;  // silver is nearer white
    for (const RopCase& c : RopCases()) {
      TBitmap s = FromArt({"##.."}, true), d = FromArt({"#.#."}, true);
      d.Canvas().Brush().Color = brush;
      d.Canvas().BitBlt(0, 0, 4, 1, s.Canvas(), 0, 0, c.rop);
      const std::vector<uint32_t> sv = {0, 0, 0xFF, 0xFF}, dv = {0, 0xFF, 0, 0xFF};
      std::vector<uint32_t> want;
      for (size_t i = 0; i < 4; ++i) want.push_back(c.expect(p, sv[i], dv[i]) & 0xFF);
      EXPECT_EQ(PixelsOf(d), want) << c.name << " brush " << brush;
    }
  }
}

TEST(BitBltRop, PatternOperationsDrawNothingWithAClearBrush) {
  TBitmap s = FromArt({"rg"}), d = FromArt({".."});
  d.Canvas().Brush().Style = TBrushStyle::bsClear;
  d.Canvas().BitBlt(0, 0, 2, 1, s.Canvas(), 0, 0, MERGECOPY);
  d.Canvas().BitBlt(0, 0, 2, 1, s.Canvas(), 0, 0, PATINVERT);
  EXPECT_EQ(ToArt(d), (Art{".."}));
  d.Canvas().BitBlt(0, 0, 2, 1, s.Canvas(), 0, 0, SRCCOPY);  // no pattern: drawn
  EXPECT_EQ(ToArt(d), (Art{"rg"}));
}

TEST(BitBltRop, OperationsWithoutSourceIgnoreTheSourceBitmap) {
  TBitmap s(1, 1), d(3, 2);
  d.Canvas().Brush().Color = clRed;
  d.Canvas().BitBlt(0, 0, 3, 2, s.Canvas(), 50, 50, PATCOPY);  // source far outside its bitmap
  EXPECT_EQ(ToArt(d), (Art{"rrr", "rrr"}));
  TBitmap empty;
  d.Canvas().BitBlt(0, 0, 1, 1, empty.Canvas(), 0, 0, DSTINVERT);
  EXPECT_EQ(ToArt(d), (Art{"?rr", "rrr"}));  // cyan: red inverted
  EXPECT_EQ(d.GetPixel(0, 0), uint32_t(clAqua));
}

TEST(BitBltFormats, MonochromeSourceTakesTheDestinationsTextAndBackgroundColours) {
  TBitmap s = FromArt({"#.#."}, true), d(4, 1);
  s.Canvas().SetTextColor(clLime);  // the source canvas's colours play no part
  s.Canvas().SetBkColor(clYellow);
  d.Canvas().SetTextColor(clRed);
  d.Canvas().SetBkColor(clBlue);
  d.Canvas().BitBlt(0, 0, 4, 1, s.Canvas(), 0, 0, SRCCOPY);
  EXPECT_EQ(ToArt(d), (Art{"rbrb"})) << Show(ToArt(d));
  // The converted pixels then go through the operation: AND with red/blue on yellow.
  TBitmap y = FromArt({"yyyy"});
  y.Canvas().SetTextColor(clRed);
  y.Canvas().SetBkColor(clBlue);
  y.Canvas().BitBlt(0, 0, 4, 1, s.Canvas(), 0, 0, SRCAND);
  EXPECT_EQ(PixelsOf(y), (std::vector<uint32_t>{0xFF0000, 0, 0xFF0000, 0}));
}

TEST(BitBltFormats, ColourSourceToMonochromeKeysOnTheSourceBackground) {
  TBitmap s = FromArt({"rsbr"}), d(4, 1, TPixelFormat::pf1bit);
  d.Canvas().SetBkColor(clBlue);  // the destination's colours play no part
  s.Canvas().SetBkColor(clRed);
  d.Canvas().BitBlt(0, 0, 4, 1, s.Canvas(), 0, 0, SRCCOPY);
  EXPECT_EQ(ToArt(d), (Art{".##."}));
  s.Canvas().SetBkColor(clSilver);
  d.Canvas().BitBlt(0, 0, 4, 1, s.Canvas(), 0, 0, SRCCOPY);
  EXPECT_EQ(ToArt(d), (Art{"#.##"}));
  // White is not special: with a white background only white becomes 1.
  TBitmap w = FromArt({".s#"}), m(3, 1, TPixelFormat::pf1bit);
  m.Canvas().BitBlt(0, 0, 3, 1, w.Canvas(), 0, 0, SRCCOPY);
  EXPECT_EQ(ToArt(m), (Art{".##"}));
}

TEST(BitBltFormats, MaskCompositionShowsTilesWhereTheMaskIsBlack) {
  // Tiles are black wherever the mask is white, as tile images are built.
  TBitmap canvas = FromArt({"rgby", "sryg"});
  TBitmap tiles = FromArt({"b##s", "#yy#"});
  TBitmap mask = FromArt({"#..#", ".##."}, true);
  TBitmap compose(4, 2);
  TCanvas& c = compose.Canvas();
  c.BitBlt(0, 0, 4, 2, canvas.Canvas(), 0, 0, SRCCOPY);
  c.BitBlt(0, 0, 4, 2, tiles.Canvas(), 0, 0, SRCINVERT);
  c.BitBlt(0, 0, 4, 2, mask.Canvas(), 0, 0, SRCAND);  // text black, background white
  c.BitBlt(0, 0, 4, 2, tiles.Canvas(), 0, 0, SRCPAINT);
  canvas.Canvas().BitBlt(0, 0, 4, 2, c, 0, 0, SRCCOPY);
  EXPECT_EQ(ToArt(canvas), (Art{"bgbs", "syyg"})) << Show(ToArt(canvas));
}

TEST(BitBltClip, WindowOriginsOnBothCanvasesClipRegionAndSourceBounds) {
  TBitmap s = FromArt({"rgb", "ysr", "bgy"});
  TBitmap d(6, 4);
  TCanvas& dc = d.Canvas();
  TCanvas& sc = s.Canvas();
  dc.SetWindowOrg(10, 20);
  sc.SetWindowOrg(-1, 2);
  TRegion clip(TRect{1, 1, 5, 3});
  dc.SelectClipRgn(&clip);
  dc.ExcludeClipRect(13, 22, 14, 23);  // device (3, 2)
  // Destination device (0, 0) reads source device (-1, 0): one column left of the source.
  dc.BitBlt(10, 20, 6, 4, sc, -2, 2, SRCCOPY);
  EXPECT_EQ(ToArt(d), (Art{"......", ".ysr..", ".bg...", "......"})) << Show(ToArt(d));
}

TEST(BitBltOverlap, CopiesOntoItselfAsIfTheSourceWereReadFirst) {
  struct Case {
    const char* name;
    Art start;
    int x, y, w, h, sx, sy, sw, sh;
    Art want;
  };
  const std::vector<Case> cases = {
      {"right", {"rgby##"}, 2, 0, 4, 1, 0, 0, 4, 1, {"rgrgby"}},
      {"left", {"rgby##"}, 0, 0, 4, 1, 2, 0, 4, 1, {"by####"}},
      {"down", {"r", "g", "b", "."}, 0, 1, 1, 3, 0, 0, 1, 3, {"r", "r", "g", "b"}},
      {"up", {"r", "g", "b", "."}, 0, 0, 1, 3, 0, 1, 1, 3, {"g", "b", ".", "."}},
      {"diagonal", {"rg.", "by.", "..."}, 1, 1, 2, 2, 0, 0, 2, 2, {"rg.", "brg", ".by"}},
      {"enlarging", {"rg.."}, 0, 0, 4, 1, 0, 0, 2, 1, {"rrgg"}},
      {"mirrored in place", {"rgby"}, 0, 0, 4, 1, 3, 0, -4, 1, {"ybgr"}},
  };
  for (const Case& c : cases) {
    TBitmap b = FromArt(c.start);
    b.Canvas().StretchBlt(c.x, c.y, c.w, c.h, b.Canvas(), c.sx, c.sy, c.sw, c.sh, SRCCOPY);
    EXPECT_EQ(ToArt(b), c.want) << c.name << Show(ToArt(b));
  }
}

TEST(StretchBlt, ShrinkingFollowsTheStretchMode) {
  const uint32_t A = 0x10C0F0, B = 0x304010, C = 0x0FF020, D = 0xF11060;
  struct Case {
    TStretchMode mode;
    int w, h;
    std::vector<uint32_t> want;
  };
  const std::vector<Case> cases = {
      {BLACKONWHITE, 2, 1, {0x104010, 0x011020}},
      {BLACKONWHITE, 1, 1, {0x000000}},
      {WHITEONBLACK, 2, 1, {0x30C0F0, 0xFFF060}},
      {WHITEONBLACK, 1, 1, {0xFFF0F0}},
      {COLORONCOLOR, 2, 1, {B, D}},  // the pixel under each centre
      {COLORONCOLOR, 1, 1, {C}},
      {HALFTONE, 2, 1, {0x208080, 0x808040}},
      {HALFTONE, 1, 1, {0x508060}},
      // Shrinking across, enlarging down: each row combines the same blocks.
      {BLACKONWHITE, 2, 3, {0x104010, 0x011020, 0x104010, 0x011020, 0x104010, 0x011020}},
  };
  for (const Case& c : cases) {
    TBitmap s = PixelRow({A, B, C, D}), d(c.w, c.h);
    d.Canvas().SetStretchBltMode(c.mode);
    d.Canvas().StretchBlt(0, 0, c.w, c.h, s.Canvas(), 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(PixelsOf(d), c.want) << "mode " << c.mode << " to " << c.w << "x" << c.h;
  }
}

TEST(StretchBlt, ShrinkingMonochromeKeepsBlackOrWhiteByMode) {
  const std::vector<std::pair<TStretchMode, Art>> cases = {
      {BLACKONWHITE, {"#"}}, {WHITEONBLACK, {"."}}, {COLORONCOLOR, {"."}}, {HALFTONE, {"."}}};
  for (const auto& [mode, want] : cases) {
    TBitmap s = FromArt({".#..", "...."}, true), d(1, 1, TPixelFormat::pf1bit);
    d.Canvas().SetStretchBltMode(mode);
    d.Canvas().StretchBlt(0, 0, 1, 1, s.Canvas(), 0, 0, 4, 2, SRCCOPY);
    EXPECT_EQ(ToArt(d), want) << "mode " << mode;
  }
}

TEST(StretchBlt, EnlargingReplicatesInEveryMode) {
  for (TStretchMode mode : {BLACKONWHITE, WHITEONBLACK, COLORONCOLOR, HALFTONE}) {
    TBitmap s = FromArt({"rg", "b#"}), d(6, 4);
    d.Canvas().SetStretchBltMode(mode);
    d.Canvas().StretchBlt(0, 0, 6, 4, s.Canvas(), 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(ToArt(d), (Art{"rrrggg", "rrrggg", "bbb###", "bbb###"})) << "mode " << mode << Show(ToArt(d));
  }
}

TEST(StretchBlt, NegativeExtentsReachBackFromTheCornerAndMirror) {
  struct Case {
    const char* name;
    int x, y, w, h, sx, sy, sw, sh;
    Art want;
  };
  // Source "rgb#" over "sy.." (two rows); destination 4 x 2, white.
  const std::vector<Case> cases = {
      {"destination mirrored", 3, 0, -4, 1, 0, 0, 4, 1, {"#bgr", "...."}},
      {"source mirrored", 0, 0, 4, 1, 3, 0, -4, 1, {"#bgr", "...."}},
      {"both: not mirrored", 3, 0, -4, 1, 3, 0, -4, 1, {"rgb#", "...."}},
      {"upside down", 0, 1, 2, -2, 0, 0, 2, 2, {"sy", "rg"}},
      {"mirrored and enlarged", 0, 0, 4, 1, 1, 0, -2, 1, {"ggrr", "...."}},
      {"one pixel back", 1, 1, -1, -1, 1, 1, -1, -1, {"....", ".y.."}},
  };
  for (const Case& c : cases) {
    TBitmap s = FromArt({"rgb#", "sy.."}), d(int(c.want[0].size()), 2);
    d.Canvas().StretchBlt(c.x, c.y, c.w, c.h, s.Canvas(), c.sx, c.sy, c.sw, c.sh, SRCCOPY);
    EXPECT_EQ(ToArt(d), c.want) << c.name << Show(ToArt(d));
  }
  // BitBlt with negative extents copies the area before the corner, unmirrored.
  TBitmap s = FromArt({"rgb#"}), d(4, 1);
  d.Canvas().BitBlt(3, 0, -4, 1, s.Canvas(), 3, 0, SRCCOPY);
  EXPECT_EQ(ToArt(d), (Art{"rgb#"}));
}

TEST(StretchBlt, ZeroOversizedAndOverflowingExtentsDrawNothing) {
  struct Case {
    const char* name;
    int org, x, y, w, h, sx, sy, sw, sh;
  };
  const std::vector<Case> cases = {
      {"zero width", 0, 0, 0, 0, 2, 0, 0, 2, 2},
      {"zero source height", 0, 0, 0, 2, 2, 0, 0, 2, 0},
      {"too wide", 0, 0, 0, kMaxBitmapSide + 1, 2, 0, 0, 2, 2},
      {"source too tall", 0, 0, 0, 2, 2, 0, 0, 2, -kMaxBitmapSide - 1},
      {"most negative width", 0, 0, 0, INT_MIN, 2, 0, 0, 2, 2},
      {"most negative source width", 0, 0, 0, 2, 2, 0, 0, INT_MIN, 2},
      {"device corner beyond int", INT_MIN, INT_MAX, 0, 5, 2, 0, 0, 2, 2},
      {"source corner at the int limit", 0, 0, 0, 2, 2, INT_MIN, INT_MIN, -5, -5},
      {"source far away", 0, 0, 0, 2, 2, INT_MAX - 1, 0, 2, 2},
  };
  for (const Case& c : cases) {
    TBitmap s = FromArt({"rg", "by"}), d(2, 2);
    d.Canvas().SetWindowOrg(c.org, 0);
    d.Canvas().StretchBlt(c.x, c.y, c.w, c.h, s.Canvas(), c.sx, c.sy, c.sw, c.sh, SRCCOPY);
    EXPECT_EQ(ToArt(d), (Art{"..", ".."})) << c.name;
  }
  // The largest extent is accepted and only the visible part is worked.
  TBitmap s = FromArt({"rg"}), d(4, 1);
  d.Canvas().StretchBlt(0, 0, kMaxBitmapSide, 1, s.Canvas(), 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(ToArt(d), (Art{"rrrr"}));
}
