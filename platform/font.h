#pragma once
// The description of a font as the engine asks for it. Realisation (face
// lookup, metrics, glyphs) is in font_face.h; the installed font list
// (InstalledFonts, IsFontInstalled) is there too.
#include <cstdint>
#include <string>

#include "platform/color.h"

namespace plat {

// Character sets (the platform's numbering).
enum TFontCharset : uint8_t {
  ANSI_CHARSET = 0,
  DEFAULT_CHARSET = 1,
  SYMBOL_CHARSET = 2,
  MAC_CHARSET = 77,
  SHIFTJIS_CHARSET = 128,
  HANGEUL_CHARSET = 129,
  JOHAB_CHARSET = 130,
  GB2312_CHARSET = 134,
  CHINESEBIG5_CHARSET = 136,
  GREEK_CHARSET = 161,
  TURKISH_CHARSET = 162,
  VIETNAMESE_CHARSET = 163,
  HEBREW_CHARSET = 177,
  ARABIC_CHARSET = 178,
  BALTIC_CHARSET = 186,
  RUSSIAN_CHARSET = 204,
  THAI_CHARSET = 222,
  EASTEUROPE_CHARSET = 238,
  OEM_CHARSET = 255,
};

struct TFontStyles {
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  friend bool operator==(const TFontStyles&, const TFontStyles&) = default;
};

constexpr int kScreenPixelsPerInch = 96;

class TFont {
 public:
  std::string Name = "MS Sans Serif";
  // Pixels: negative gives the em height, positive the cell height, 0 the default.
  int Height = -11;
  TFontStyles Style;
  uint8_t Charset = DEFAULT_CHARSET;
  TColor Color = clWindowText;

  // Size in points, derived from Height at 96 pixels per inch.
  int Size() const;
  void SetSize(int points);

  friend bool operator==(const TFont&, const TFont&) = default;
};

}  // namespace plat
