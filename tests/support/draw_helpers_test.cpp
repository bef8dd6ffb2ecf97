// The shared drawing chores: clipping scopes, fills, 3-D frames, wrapped text.
#include "support/draw_helpers.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "support/pixel_art.h"

using namespace html;
using testing_support::Art;
using testing_support::Show;
using testing_support::ToArt;

TEST(ClipRect, IntersectsAndRestoresEvenOnExceptions) {
  plat::TBitmap b(6, 1);
  plat::TCanvas& c = b.Canvas();
  c.SetWindowOrg(10, 0);
  c.IntersectClipRect(10, 0, 14, 1);  // device 0..4
  try {
    TClipRect clip(c, {12, 0, 20, 1});  // device 2..10, cut to 2..4
    c.FillRect({0, 0, 100, 1}, plat::clBlack);
    throw 1;
  } catch (int) {
  }
  EXPECT_EQ(ToArt(b), (Art{"..##.."}));
  c.FillRect({0, 0, 100, 1}, plat::clRed);
  EXPECT_EQ(ToArt(b), (Art{"rrrr.."}));  // the outer clip is back
}

TEST(ClipRect, ExtremeCoordinatesAreClampedNotWrapped) {
  struct Case {
    int orgX;
    plat::TRect rect;
    Art want;
  } cases[] = {
      {-2, {0, 0, INT32_MAX, 1}, {"..####"}},
      {10, {INT32_MIN, 0, 12, 1}, {"##...."}},
      {INT32_MIN, {INT32_MAX - 1, 0, INT32_MAX, 1}, {"......"}},  // far beyond the right edge
      {INT32_MIN, {INT32_MIN, 0, INT32_MIN + 3, 1}, {"###..."}},  // an origin whose negation overflows
  };
  for (const auto& c : cases) {
    plat::TBitmap b(6, 1);
    plat::TCanvas& canvas = b.Canvas();
    canvas.SetWindowOrg(c.orgX, 0);
    {
      TClipRect clip(canvas, c.rect);
      canvas.FillDeviceRegion(plat::TRegion(plat::TRect{0, 0, 6, 1}), 0);
    }
    EXPECT_EQ(ToArt(b), c.want) << c.orgX << " " << Show(ToArt(b));
    EXPECT_FALSE(canvas.State().ClipRgn.has_value());  // no clip before, none after
  }
}

TEST(FillRectColor, RestoresTheBrush) {
  plat::TBitmap b(2, 1);
  plat::TCanvas& c = b.Canvas();
  c.Brush() = {plat::clLime, plat::TBrushStyle::bsClear};
  FillRectColor(c, 0, 0, 1, 1, plat::clBlack);
  EXPECT_EQ(ToArt(b), (Art{"#."}));
  EXPECT_EQ(c.Brush().Color, plat::clLime);
  EXPECT_EQ(c.Brush().Style, plat::TBrushStyle::bsClear);
}

TEST(RaisedRect, OnePixelFramesAndWiderTrapezoids) {
  plat::TBitmap b(5, 4);
  RaisedRect(b.Canvas(), 0, 0, 5, 4, true, plat::clBlack, plat::clRed, 1);
  EXPECT_EQ(ToArt(b), (Art{"rrrrr", "r...#", "r...#", "#####"})) << Show(ToArt(b));
  plat::TBitmap s(5, 4);
  RaisedRect(s.Canvas(), 0, 0, 5, 4, false, plat::clBlack, plat::clRed, 1);
  EXPECT_EQ(ToArt(s), (Art{"#####", "#...r", "#...r", "rrrrr"})) << Show(ToArt(s));
  plat::TBitmap w(6, 6);
  RaisedRect(w.Canvas(), 0, 0, 6, 6, true, plat::clBlack, plat::clRed, 2);
  EXPECT_EQ(ToArt(w), (Art{"rrrrr#", "rrrr##", "rr..##", "rr..##", "r#####", "######"})) << Show(ToArt(w));
}

TEST(RaisedRect, ClampsRelativeToTheClipNotToScreenCoordinates) {
  // A frame far down a tall document, painted where it shows.
  plat::TBitmap b(4, 3);
  plat::TCanvas& c = b.Canvas();
  c.SetWindowOrg(0, 9000);
  RaisedRect(c, 0, 9000, 4, 9003, true, plat::clBlack, plat::clRed, 1);
  EXPECT_EQ(ToArt(b), (Art{"rrrr", "r..#", "####"})) << Show(ToArt(b));
  // A frame reaching far beyond the clip is drawn as if it ended 200 pixels out.
  plat::TBitmap t(3, 3);
  RaisedRect(t.Canvas(), 0, 0, 3, 2000000000, true, plat::clBlack, plat::clRed, 1);
  EXPECT_EQ(ToArt(t), (Art{"rrr", "r.#", "r.#"})) << Show(ToArt(t));
}

TEST(RaisedRect, HostileWidthsAndOriginsStayWithinRange) {
  // The same frame drawn with the origin at the bottom of the int range.
  plat::TBitmap near(6, 6), far(6, 6);
  RaisedRect(near.Canvas(), 0, 0, 6, 6, true, plat::clBlack, plat::clRed, 2);
  far.Canvas().SetWindowOrg(INT32_MIN, INT32_MIN);
  RaisedRect(far.Canvas(), INT32_MIN, INT32_MIN, INT32_MIN + 6, INT32_MIN + 6, true, plat::clBlack, plat::clRed, 2);
  EXPECT_EQ(ToArt(far), ToArt(near)) << Show(ToArt(far));
  // A border width near the int limit: the inner corners are clamped, not
  // wrapped (the sanitizer build traps a wrap), and the box is covered.
  plat::TBitmap b(6, 5);
  RaisedRect(b.Canvas(), 1, 1, 5, 4, true, plat::clBlack, plat::clRed, INT32_MAX);
  Art art = ToArt(b);
  for (int y = 1; y < 4; ++y) EXPECT_EQ(art.at(y).substr(1, 4).find('.'), std::string::npos) << Show(art);
}

TEST(WrapTextW, AmpersandsAreShownAsTheyAre) {
  plat::TBitmap withPrefix(200, 20), plain(200, 20);
  for (plat::TBitmap* b : {&withPrefix, &plain}) {
    b->Canvas().Font().Name = "Arial";
    b->Canvas().Font().Height = -13;
    b->Canvas().SetBkMode(plat::TRANSPARENT);
  }
  WrapTextW(plain.Canvas(), 0, 0, 200, 20, u"A&B");
  plat::TRect r{0, 0, 200, 20};
  withPrefix.Canvas().DrawTextW(u"A&&B", r, plat::DT_WORDBREAK);  // the prefix rule's way to show "A&B"
  EXPECT_EQ(ToArt(plain), ToArt(withPrefix));
}
