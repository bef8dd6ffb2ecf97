#include "support/draw_helpers.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "platform/numeric.h"

namespace html {

using plat::TCanvas;
using plat::TColor;
using plat::TRect;
using plat::TRegion;

namespace {

// Device corners are kept within half the int range each way, so that a
// rectangle's width and height fit an int; no surface comes near.
constexpr int kMaxDeviceCoordinate = INT32_MAX / 2;

plat::TPoint DeviceCorner(const TCanvas& canvas, int x, int y) {
  plat::TPoint p = canvas.ToDevice(x, y);
  return {std::clamp(p.x, -kMaxDeviceCoordinate, kMaxDeviceCoordinate),
          std::clamp(p.y, -kMaxDeviceCoordinate, kMaxDeviceCoordinate)};
}

}  // namespace

TClipRect::TClipRect(TCanvas& canvas, const TRect& rect) : saved_(canvas) {
  plat::TPoint a = DeviceCorner(canvas, rect.Left, rect.Top), b = DeviceCorner(canvas, rect.Right, rect.Bottom);
  TRegion r(TRect{a.x, a.y, b.x, b.y});
  if (const auto& outer = canvas.State().ClipRgn) r.Combine(r, *outer, plat::RGN_AND);
  canvas.SelectClipRgn(&r);
}

void WrapTextW(TCanvas& canvas, int left, int top, int right, int bottom, std::u16string_view text) {
  uint32_t align = canvas.SetTextAlign(plat::TA_LEFT | plat::TA_TOP);
  TRect r{left, top, right, bottom};
  try {
    canvas.DrawTextW(text, r, plat::DT_WORDBREAK | plat::DT_NOPREFIX);
  } catch (...) {
    canvas.SetTextAlign(align);
    throw;
  }
  canvas.SetTextAlign(align);
}

namespace {

// Puts a canvas's brush back when the scope ends, also on exceptions.
class TBrushSaver {
 public:
  explicit TBrushSaver(TCanvas& canvas) : canvas_(canvas), saved_(canvas.Brush()) {}
  ~TBrushSaver() { canvas_.Brush() = saved_; }
  TBrushSaver(const TBrushSaver&) = delete;
  TBrushSaver& operator=(const TBrushSaver&) = delete;

 private:
  TCanvas& canvas_;
  plat::TBrush saved_;
};

}  // namespace

void FillRectColor(TCanvas& canvas, int left, int top, int right, int bottom, TColor color) {
  TBrushSaver saved(canvas);
  canvas.Brush() = {color, plat::TBrushStyle::bsSolid};
  canvas.FillRect({left, top, right, bottom});
}

void FormControlRect(TCanvas& canvas, int left, int top, int right, int bottom, bool useFace, bool monochrome,
                     bool light, TColor fill) {
  canvas.FillRect({left, top, right - 1, bottom - 1}, useFace && !monochrome ? plat::clBtnFace : fill);
  int w = monochrome ? 1 : 2;
  TColor first = monochrome ? plat::clBlack : light ? plat::clSilver : plat::clBtnShadow;
  TColor second = light ? plat::clBtnShadow : plat::clSilver;
  // Left and top edges, inside the rectangle.
  canvas.FillRect({left, top, left + w, bottom - 1}, first);
  canvas.FillRect({left, top, right - 1, top + w}, first);
  if (!monochrome) {
    canvas.FillRect({right - 1 - w, top + w, right - 1, bottom - 1}, second);
    canvas.FillRect({left + w, bottom - 1 - w, right - 1, bottom - 1}, second);
  }
}

void RaisedRectColor(const TRaisedRectContext& doc, TCanvas& canvas, int left, int top, int right, int bottom,
                     bool raised, int width) {
  bool whiteBackground = (plat::ColorToRGB(doc.Background) & 0xFFFFFF) == 0xFFFFFF;
  TColor light = doc.Printing || whiteBackground ? plat::clSilver : plat::clBtnHighlight;
  TColor dark = plat::clBtnShadow;
  if (doc.Printing && doc.PrintMonochromeBlack && doc.MonochromeDevice) light = dark = plat::clBlack;
  RaisedRect(canvas, left, top, right, bottom, raised, dark, light, width);
}

namespace {

// Fills one side of a frame as a quadrilateral with mitred corners.
void FillSide(TCanvas& canvas, const plat::TPoint (&p)[4], TColor color) {
  plat::TPoint dev[4];
  for (int i = 0; i < 4; ++i) dev[i] = DeviceCorner(canvas, p[i].x, p[i].y);
  canvas.FillDeviceRegion(TRegion::Polygon(dev, 4, plat::ALTERNATE, canvas.DrawableRegion().Box()),
                          plat::ColorToRGB(color));
}

}  // namespace

void RaisedRect(TCanvas& canvas, int left, int top, int right, int bottom, bool raised, TColor dark, TColor light,
                int width) {
  // Documents are painted whole, far taller than a screen: clamp relative
  // to what can be seen, not to fixed screen coordinates.
  TRect clip = canvas.ClipBox();
  top = std::max(top, plat::ClampToInt(int64_t{clip.Top} - 200));
  bottom = std::min(bottom, plat::ClampToInt(int64_t{clip.Bottom} + 200));
  left = std::max(left, plat::ClampToInt(int64_t{clip.Left} - 200));
  right = std::min(right, plat::ClampToInt(int64_t{clip.Right} + 200));
  if (right <= left || bottom <= top) return;
  TColor topLeft = raised ? light : dark, bottomRight = raised ? dark : light;
  if (width <= 1) {
    canvas.FillRect({left, top, right, top + 1}, topLeft);
    canvas.FillRect({left, top, left + 1, bottom}, topLeft);
    canvas.FillRect({left, bottom - 1, right, bottom}, bottomRight);
    canvas.FillRect({right - 1, top + 1, right, bottom}, bottomRight);
    return;
  }
  int l = left, t = top, r = right, b = bottom;
  // A document's border width may be anything.
  int il = plat::ClampToInt(int64_t{l} + width), it = plat::ClampToInt(int64_t{t} + width);
  int ir = plat::ClampToInt(int64_t{r} - width), ib = plat::ClampToInt(int64_t{b} - width);
  const plat::TPoint leftSide[4] = {{l, b}, {l, t}, {il, it}, {il, ib}};
  const plat::TPoint topSide[4] = {{l, t}, {r, t}, {ir, it}, {il, it}};
  const plat::TPoint rightSide[4] = {{r, t}, {r, b}, {ir, ib}, {ir, it}};
  const plat::TPoint bottomSide[4] = {{r, b}, {l, b}, {il, ib}, {ir, ib}};
  FillSide(canvas, leftSide, topLeft);
  FillSide(canvas, topSide, topLeft);
  FillSide(canvas, rightSide, bottomRight);
  FillSide(canvas, bottomSide, bottomRight);
}

}  // namespace html
