#pragma once
// Font descriptions of elements and links, and the font class text runs
// are made from.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/canvas.h"
#include "platform/font.h"
#include "styles/prop_value.h"
#include "styles/style_types.h"

namespace html {

// One font description.
struct ThtFontInfo {
  std::string FaceName;
  double SizePt = 0.0;
  plat::TFontStyles Styles;
  plat::TColor TextColor = 0;
  plat::TColor BackColor = NoColor;
  uint8_t CharsetCode = 0;
  PropValue LetterSpacing;  // "letter-spacing" as given
  friend bool operator==(const ThtFontInfo&, const ThtFontInfo&) = default;
};

// The four fonts of a link, by LinkState. Copying copies every entry.
class TFontInfoArray {
 public:
  ThtFontInfo& operator[](int state) { return items_.at(static_cast<size_t>(state)); }
  const ThtFontInfo& operator[](int state) const { return items_.at(static_cast<size_t>(state)); }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }
  friend bool operator==(const TFontInfoArray&, const TFontInfoArray&) = default;

 private:
  std::array<ThtFontInfo, kLinkStateCount> items_;
};

// A platform font with its realised metrics and letter spacing. Assigning
// a TMyFont copies everything; Assign(plain font) copies only the font.
class TMyFont : public plat::TFont {
 public:
  plat::TColor BackColor = NoColor;
  int32_t MetricHeight = 0;
  int32_t MetricDescent = 0;
  int32_t MetricExternalLeading = 0;
  int32_t MetricAveCharWidth = 0;
  int32_t MetricMaxCharWidth = 0;
  uint8_t MetricCharset = 0;
  int32_t LetterSpacingPx = 0;

  void Assign(const plat::TFont& font) { static_cast<plat::TFont&>(*this) = font; }
  // Selects the font into the canvas with its letter spacing as character extra.
  void ApplyToCanvas(plat::TCanvas& canvas) const;
};

// The first family of a CSS font-family list that is installed; generic
// names map to stock faces ("serif" Times New Roman, "monospace" Courier
// New, "sans-serif" and "Helvetica" Arial, "cursive" Lucida Handwriting).
// An empty item ends the search.
std::optional<std::string> FirstInstalledFamily(std::string_view list);

}  // namespace html
