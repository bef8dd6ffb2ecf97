#pragma once
// Helpers for the font and text tests: a canvas with a chosen font, and
// the box of the pixels that differ from the background.
#include <string>

#include "platform/canvas.h"

namespace text_support {

inline plat::TFont MakeFont(const std::string& name, int height, bool bold = false, bool italic = false) {
  plat::TFont f;
  f.Name = name;
  f.Height = height;
  f.Style.Bold = bold;
  f.Style.Italic = italic;
  return f;
}

// The smallest rectangle holding every pixel not equal to `background`
// (empty when there is none).
inline plat::TRect InkBox(const plat::TBitmap& b, uint32_t background = 0xFFFFFF) {
  plat::TRect r{b.Width(), b.Height(), 0, 0};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.GetPixel(x, y) != background) {
        r.Left = std::min(r.Left, x);
        r.Top = std::min(r.Top, y);
        r.Right = std::max(r.Right, x + 1);
        r.Bottom = std::max(r.Bottom, y + 1);
      }
  return r.IsEmpty() ? plat::TRect{} : r;
}

inline int CountPixels(const plat::TBitmap& b, uint32_t color) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) n += b.GetPixel(x, y) == color;
  return n;
}

inline bool SamePixels(const plat::TBitmap& a, const plat::TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y)) return false;
  return true;
}

// A white bitmap whose canvas has the font and transparent text.
struct TTextSurface {
  plat::TBitmap bmp;
  TTextSurface(int w, int h, const plat::TFont& font) : bmp(w, h) {
    bmp.Canvas().Font() = font;
    bmp.Canvas().SetBkMode(plat::TRANSPARENT);
  }
  plat::TCanvas& c() { return bmp.Canvas(); }
};

}  // namespace text_support
