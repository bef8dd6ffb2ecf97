// The style code over the platform's real text layer.
#include <gtest/gtest.h>

#include "platform/bitmap.h"
#include "platform/font_face.h"
#include "styles/charsets.h"
#include "styles/default_sheet.h"
#include "styles/font_metrics.h"
#include "styles/prop_stack.h"
#include "styles/style_list.h"

using namespace html;

namespace {

plat::TTextMetric MetricsOf(const plat::TFont& f) {
  plat::TBitmap bitmap(1, 1);
  bitmap.Canvas().Font() = f;
  plat::TTextMetric tm;
  bitmap.Canvas().GetTextMetrics(tm);
  return tm;
}

}  // namespace

TEST(PlatformFonts, InstalledFamiliesComeFromThePlatform) {
  ASSERT_FALSE(plat::InstalledFonts().empty());
  const std::string& first = plat::InstalledFonts().front();
  EXPECT_TRUE(IsFontInstalled(first));
  EXPECT_EQ(FirstInstalledFamily("No Such Family, " + first).value_or(""), first);
  EXPECT_FALSE(IsFontInstalled("No Such Family"));
  EXPECT_FALSE(FirstInstalledFamily("No Such Family"));
}

TEST(PlatformFonts, MakeFontReadsTheRealisedMetrics) {
  TStyleList styles;
  TDefaultSheetSettings settings;
  settings.DefFontName = plat::InstalledFonts().front();
  styles.BuildDefaultSheet(settings);
  TPropStack stack;
  TProperties& root = stack.Push(std::make_unique<TProperties>());
  root.InitFromDefaults(*styles.DefaultRule());
  auto h2 = std::make_unique<TProperties>();
  h2->DeriveFrom(root, "h2");
  TProperties& set = stack.Push(std::move(h2));
  set.ResolveStyle(styles, stack, "h2", "", "", nullptr, "", "");

  TMyFont f = set.MakeFont();
  EXPECT_EQ(f.Name, settings.DefFontName);
  EXPECT_EQ(f.Height, -24);  // 18pt
  const plat::TTextMetric tm = MetricsOf(f);
  EXPECT_EQ(set.EmPixels, tm.tmHeight - tm.tmInternalLeading);
  EXPECT_EQ(set.ExPixels, set.EmPixels / 2);
  EXPECT_NEAR(set.EmPixels, 24, 2);
  EXPECT_EQ(f.MetricHeight, tm.tmHeight);
  EXPECT_EQ(f.MetricDescent, tm.tmDescent);
  EXPECT_EQ(f.MetricAveCharWidth, tm.tmAveCharWidth);
  EXPECT_EQ(f.MetricCharset, tm.tmCharSet);

  plat::TBitmap bitmap(1, 1);
  f.LetterSpacingPx = 3;
  f.ApplyToCanvas(bitmap.Canvas());
  EXPECT_EQ(bitmap.Canvas().TextCharacterExtra(), 3);
  EXPECT_EQ(bitmap.Canvas().Font().Height, -24);
}

TEST(PlatformFonts, CharsetCodesFollowTheRealisedSet) {
  for (uint8_t code : {uint8_t{0}, uint8_t{1}, uint8_t{204}, uint8_t{161}, uint8_t{128}}) {
    TProperties set;
    set.CodePage = -1;
    set.SetCharsetCode(code);
    plat::TFont probe;
    probe.Name.clear();
    probe.Charset = code;
    const uint8_t realised = MetricsOf(probe).tmCharSet;
    EXPECT_EQ(set.Charset, code == 1 ? 1 : realised) << int(code);
    EXPECT_EQ(set.CodePage, CodePageOfCharset(realised).value_or(-1)) << int(code);
  }
}
