#pragma once
// A font source for style tests: a fixed list of installed families and
// metrics that follow the requested height, so font results are exact.
#include <set>
#include <string>
#include <vector>

#include "styles/font_metrics.h"
#include "support/text_util.h"

namespace html::testing {

class FakeFonts final : public TFontMetricsSource {
 public:
  FakeFonts() { previous_ = SetFontMetricsSource(this); }
  ~FakeFonts() override { SetFontMetricsSource(previous_); }
  FakeFonts(const FakeFonts&) = delete;
  FakeFonts& operator=(const FakeFonts&) = delete;

  // Em height = |Height|, internal leading = a fifth of it; "Symbol"
  // realises only the symbol set; the default set realises as ANSI.
  plat::TTextMetric Realise(const plat::TFont& font) override {
    requests.push_back(font);
    plat::TTextMetric tm;
    int em = font.Height < 0 ? -font.Height : font.Height;
    tm.tmInternalLeading = em / 5;
    tm.tmHeight = em + tm.tmInternalLeading;
    tm.tmDescent = tm.tmHeight / 4;
    tm.tmAscent = tm.tmHeight - tm.tmDescent;
    tm.tmExternalLeading = 1;
    tm.tmAveCharWidth = em / 2;
    tm.tmMaxCharWidth = em;
    if (SameText(font.Name, "Symbol"))
      tm.tmCharSet = plat::SYMBOL_CHARSET;
    else if (font.Charset == plat::DEFAULT_CHARSET)
      tm.tmCharSet = plat::ANSI_CHARSET;
    else
      tm.tmCharSet = font.Charset;
    return tm;
  }
  bool IsInstalled(std::string_view family) override {
    for (const auto& f : installed)
      if (SameText(f, family)) return true;
    return false;
  }

  std::vector<std::string> installed = {"Arial", "Times New Roman", "Courier New", "Symbol", "Verdana"};
  std::vector<plat::TFont> requests;

 private:
  TFontMetricsSource* previous_ = nullptr;
};

}  // namespace html::testing
