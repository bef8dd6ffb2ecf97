#include "styles/font_metrics.h"

#include "platform/bitmap.h"
#include "platform/font_face.h"

namespace html {

namespace {

// The platform's text layer: a font selected into a small screen-like
// canvas answers its metrics.
class TPlatformSource final : public TFontMetricsSource {
 public:
  plat::TTextMetric Realise(const plat::TFont& font) override {
    plat::TBitmap bitmap(1, 1);
    plat::TCanvas& canvas = bitmap.Canvas();
    canvas.Font() = font;
    plat::TTextMetric tm;
    canvas.GetTextMetrics(tm);
    return tm;
  }
  bool IsInstalled(std::string_view family) override { return plat::IsFontInstalled(family); }
};

TPlatformSource gPlatform;
TFontMetricsSource* gSource = &gPlatform;

}  // namespace

plat::TTextMetric RealiseMetrics(const plat::TFont& font) { return gSource->Realise(font); }

bool IsFontInstalled(std::string_view family) { return gSource->IsInstalled(family); }

void SelectFontInto(plat::TCanvas& canvas, const plat::TFont& font, int charExtra) {
  canvas.Font() = font;
  canvas.SetTextCharacterExtra(charExtra);
}

TFontMetricsSource* SetFontMetricsSource(TFontMetricsSource* source) {
  TFontMetricsSource* old = gSource == &gPlatform ? nullptr : gSource;
  gSource = source ? source : &gPlatform;
  return old;
}

}  // namespace html
