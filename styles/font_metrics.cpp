#include "styles/font_metrics.h"

#include <cstdlib>

namespace html {

namespace {

// Interim source while the platform's text layer is being finished:
// metrics estimated from the requested height, no families installed.
class TPlatformSource final : public TFontMetricsSource {
 public:
  plat::TTextMetric Realise(const plat::TFont& font) override {
    plat::TTextMetric tm;
    int em = font.Height < 0 ? -font.Height : (font.Height > 0 ? font.Height * 7 / 8 : 13);
    tm.tmInternalLeading = em / 8;
    tm.tmHeight = em + tm.tmInternalLeading;
    tm.tmAscent = tm.tmHeight * 4 / 5;
    tm.tmDescent = tm.tmHeight - tm.tmAscent;
    tm.tmAveCharWidth = em / 2;
    tm.tmMaxCharWidth = em;
    tm.tmCharSet = font.Charset == plat::DEFAULT_CHARSET ? uint8_t{plat::ANSI_CHARSET} : font.Charset;
    return tm;
  }
  bool IsInstalled(std::string_view) override { return false; }
};

TPlatformSource gPlatform;
TFontMetricsSource* gSource = &gPlatform;

}  // namespace

plat::TTextMetric RealiseMetrics(const plat::TFont& font) { return gSource->Realise(font); }

bool IsFontInstalled(std::string_view family) { return gSource->IsInstalled(family); }

void SelectFontInto(plat::TCanvas& canvas, const plat::TFont& font, int charExtra) {
  canvas.Font() = font;
  canvas.State().CharExtra = charExtra;
}

TFontMetricsSource* SetFontMetricsSource(TFontMetricsSource* source) {
  TFontMetricsSource* old = gSource == &gPlatform ? nullptr : gSource;
  gSource = source ? source : &gPlatform;
  return old;
}

}  // namespace html
