#pragma once
// Small drawing chores shared by several layout objects.
#include <string_view>

#include "platform/canvas.h"

namespace html {

// Selects the rectangle (logical units) as the clip region, intersected
// with the region that was in force, and restores that region when the
// scope ends, also when an exception passes.
class TClipRect {
 public:
  TClipRect(plat::TCanvas& canvas, const plat::TRect& rect);
  TClipRect(const TClipRect&) = delete;
  TClipRect& operator=(const TClipRect&) = delete;

 private:
  plat::TClipRegionSaver saved_;
};

// Draws text word-wrapped in the rectangle with the text alignment reset
// for the call. The text is shown as it is: "&" is no mnemonic prefix here
// (alternative text is document text).
void WrapTextW(plat::TCanvas& canvas, int left, int top, int right, int bottom, std::u16string_view text);
// Fills with a solid brush of the colour; the brush is restored.
void FillRectColor(plat::TCanvas& canvas, int left, int top, int right, int bottom, plat::TColor color);
// The sunken frame of a form control. `monochrome`: printing on a 1-bit device.
void FormControlRect(plat::TCanvas& canvas, int left, int top, int right, int bottom, bool useFace,
                     bool monochrome, bool light, plat::TColor fill);

// What RaisedRectColor needs to know of the document.
struct TRaisedRectContext {
  bool Printing = false;
  bool PrintMonochromeBlack = false;
  bool MonochromeDevice = false;
  plat::TColor Background = plat::clBtnFace;
};
void RaisedRectColor(const TRaisedRectContext& doc, plat::TCanvas& canvas, int left, int top, int right,
                     int bottom, bool raised, int width);
// A 3-D frame: raised shows `light` on the top and left, `dark` on the
// bottom and right; sunken the reverse. Edges far outside the clip
// rectangle are clamped to 200 pixels beyond it.
void RaisedRect(plat::TCanvas& canvas, int left, int top, int right, int bottom, bool raised,
                plat::TColor dark, plat::TColor light, int width);

}  // namespace html
