#pragma once
// The one place where the style code reaches the platform's text layer:
// realising a font to read its metrics, asking whether a family is
// installed, and selecting a font into a canvas. Tests may put their own
// source in place of the platform's.
#include <string_view>

#include "platform/canvas.h"
#include "platform/font.h"

namespace html {

class TFontMetricsSource {
 public:
  virtual ~TFontMetricsSource() = default;
  // The metrics of `font` as the text layer realises it (tmCharSet is the realised set).
  virtual plat::TTextMetric Realise(const plat::TFont& font) = 0;
  // Whether a screen font family of this name is installed (ignoring case).
  virtual bool IsInstalled(std::string_view family) = 0;
};

plat::TTextMetric RealiseMetrics(const plat::TFont& font);
bool IsFontInstalled(std::string_view family);
// Selects `font` into `canvas` with `charExtra` pixels after each character.
void SelectFontInto(plat::TCanvas& canvas, const plat::TFont& font, int charExtra);

// Puts `source` in place of the platform (nullptr restores it); answers the previous one.
TFontMetricsSource* SetFontMetricsSource(TFontMetricsSource* source);

}  // namespace html
