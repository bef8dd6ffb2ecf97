#pragma once
// Realised fonts: a TFont description bound to installed font files, with
// the text metrics, whole-pixel advances and glyph pictures the text
// drawing needs. Realised fonts are cached per thread by description.
//
// Errors: when the font configuration cannot be loaded or no font at all is
// installed, realising throws EOutOfResources with a message saying so.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/canvas.h"
#include "platform/font.h"

typedef union pixman_image pixman_image_t;

namespace plat {

// ---- installed fonts (the screen fonts the engine picks families from)

// The installed families: what the font configuration lists plus each
// Windows face name whose alias target is installed; sorted, one entry per
// name ignoring case.
const std::vector<std::string>& InstalledFonts();
// Membership in InstalledFonts(), ignoring ASCII case.
bool IsFontInstalled(std::string_view name);
// The installed family a Windows face name stands for ("Arial" gives
// "Liberation Sans"); empty when the name has no alias or no target is installed.
std::string FontAliasTarget(std::string_view name);
// The family realised for names that are not installed.
inline constexpr const char* kDefaultFontFamily = "Liberation Sans";

// ---- character rules shared by measuring and drawing

// Control characters measure 0 and draw nothing.
constexpr bool IsControlChar(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }
// A face with a symbol character map holds U+0020..U+00FF at U+F020..U+F0FF.
constexpr char32_t SymbolCodeFor(char32_t c) { return c >= 0x20 && c <= 0xFF ? c + 0xF000 : c; }

// Spacing added while measuring and drawing (the canvas's character extra
// and justification). The first `breakRemainder` spaces get one more pixel.
struct TTextSpacing {
  int charExtra = 0;
  int breakExtra = 0;
  int breakRemainder = 0;
  bool Plain() const { return charExtra == 0 && breakExtra == 0 && breakRemainder == 0; }
};

// The coverage of one glyph, hinted and anti-aliased, placed relative to
// the pen position on the baseline (left to the right, top above).
struct TGlyphPicture {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int stride = 0;
  std::vector<uint32_t> bits;  // a8 rows, word aligned for pixman
  pixman_image_t* image = nullptr;  // a8 view of `bits`, owned
  TGlyphPicture() = default;
  TGlyphPicture(const TGlyphPicture&) = delete;
  TGlyphPicture& operator=(const TGlyphPicture&) = delete;
  ~TGlyphPicture();
  const uint8_t* Row(int y) const { return reinterpret_cast<const uint8_t*>(bits.data()) + int64_t{y} * stride; }
};

class TRealFont {
 public:
  struct Impl;
  // Decoration rows as UnderlineTop() and the others below answer them.
  struct TDecorations {
    int underlineTop = 0, underlineThickness = 1, strikeTop = 0, strikeThickness = 1;
  };
  TRealFont(std::unique_ptr<Impl> impl, const TTextMetric& metrics, int em, const TDecorations& d);
  ~TRealFont();
  TRealFont(const TRealFont&) = delete;
  TRealFont& operator=(const TRealFont&) = delete;

  const std::string& Family() const;
  const std::string& File() const;
  // Text metrics; tmUnderlined and tmStruckOut are left 0 (they follow the request).
  const TTextMetric& Metrics() const { return metrics_; }
  int EmPixels() const { return em_; }
  bool SynthesisedBold() const;
  bool SynthesisedItalic() const;
  bool SymbolFace() const;
  // Decoration rows relative to the baseline row (the first row below the
  // baseline is 0; negative rows are above it).
  int UnderlineTop() const { return deco_.underlineTop; }
  int UnderlineThickness() const { return deco_.underlineThickness; }
  int StrikeOutTop() const { return deco_.strikeTop; }
  int StrikeOutThickness() const { return deco_.strikeThickness; }

  // Whole-pixel advance of a code point (0 for control characters). Once
  // a character has been met this allocates nothing.
  int Advance(char32_t c) {
    if (c < 0x10000) {
      const int32_t* page = pages_[c >> 8].get();
      if (page) {
        int32_t a = page[c & 0xFF];
        if (a >= 0) return a;
      }
    } else if (auto it = farAdvances_.find(c); it != farAdvances_.end()) {
      return it->second;
    }
    return ResolveAdvance(c);
  }
  // The family that draws c: this font's own, or a fallback face.
  std::string FamilyFor(char32_t c);
  // The picture of c (nullptr for control characters and empty glyphs).
  const TGlyphPicture* Picture(char32_t c);

  // Width of a string: the sum of the per-unit advances below.
  int64_t Width(std::u16string_view text, const TTextSpacing& spacing);
  // Advance of each UTF-16 unit: a surrogate pair's advance sits on its
  // first unit and the second adds 0; an unpaired surrogate is a character
  // of its own (the face's missing glyph). Character extra follows every
  // character that is not a control character; a space adds the break extra.
  // Answers the number of spaces met.
  int Advances(std::u16string_view text, const TTextSpacing& spacing, int* out);
  // Calls fn(index, units, codePoint, advance) for each character, the
  // advance as Advances gives it to the character's first unit.
  template <typename Fn>
  void ForEachAdvance(std::u16string_view text, const TTextSpacing& spacing, Fn&& fn);

 private:
  int ResolveAdvance(char32_t c);

  std::unique_ptr<Impl> impl_;
  TTextMetric metrics_;
  int em_ = 0;
  TDecorations deco_;
  std::unique_ptr<int32_t[]> pages_[256];
  std::unordered_map<char32_t, int32_t> farAdvances_;
};

// The realised font for a description (face, height, weight, slant and
// character set count; colour and decorations do not). The reference stays
// valid until the next call on this thread.
TRealFont& RealizedFont(const TFont& font);
// The same, shared: stays valid as long as it is held.
std::shared_ptr<TRealFont> RealizeFont(const TFont& font);

// A separate font system over an explicit configuration file, for checks
// of configuration failures; realising with it never touches the cache.
std::shared_ptr<TRealFont> RealizeFontWithConfig(const TFont& font, const std::string& configFile);

// Decodes the code point starting at text[i]; `units` receives 1 or 2.
inline char32_t CodePointAt(std::u16string_view text, size_t i, int& units) {
  char32_t c = text[i];
  units = 1;
  if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
    char32_t d = text[i + 1];
    if (d >= 0xDC00 && d < 0xE000) {
      units = 2;
      return 0x10000 + ((c - 0xD800) << 10) + (d - 0xDC00);
    }
  }
  return c;
}

template <typename Fn>
void TRealFont::ForEachAdvance(std::u16string_view text, const TTextSpacing& sp, Fn&& fn) {
  // Spacing may come straight from a canvas state: summed in 64 bits.
  int64_t breaks = 0;
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    int units;
    char32_t c = CodePointAt(text, i, units);
    int64_t a = Advance(c);
    if (!IsControlChar(c)) a += sp.charExtra;
    if (c == u' ') {
      a += int64_t{sp.breakExtra} + (breaks < sp.breakRemainder ? 1 : 0);
      ++breaks;
    }
    fn(i, units, c, ClampToInt(a));
    i += size_t(units - 1);
  }
}

}  // namespace plat
