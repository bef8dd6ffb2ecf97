// Canvas state, clipping and the fill operations every primitive ends in.
#include "platform/canvas.h"

#include <algorithm>
#include <utility>

#include <pixman.h>

namespace plat {

namespace {

// Pixel value of one colour on a surface of the given format.
uint32_t SurfaceValue(const TBitmap& b, uint32_t rgb) {
  if (b.Monochrome()) return MonoByteFor(rgb);
  return (GetRValue(rgb) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb);
}

template <typename T>
void ApplyMode(T* p, int n, T value, T mask, TPenMode mode) {
  switch (mode) {
    case TPenMode::pmCopy: std::fill(p, p + n, value); break;
    case TPenMode::pmNot: for (int i = 0; i < n; ++i) p[i] = T(~p[i] & mask); break;
    case TPenMode::pmXor: for (int i = 0; i < n; ++i) p[i] = T((p[i] ^ value) & mask); break;
    case TPenMode::pmNotXor: for (int i = 0; i < n; ++i) p[i] = T(~(p[i] ^ value) & mask); break;
    case TPenMode::pmMask: for (int i = 0; i < n; ++i) p[i] = T(p[i] & value); break;
    case TPenMode::pmMerge: for (int i = 0; i < n; ++i) p[i] = T((p[i] | value) & mask); break;
    case TPenMode::pmBlack: std::fill(p, p + n, T(0)); break;
    case TPenMode::pmWhite: std::fill(p, p + n, mask); break;
  }
}

}  // namespace

TPen ExtCreatePen(uint32_t style, int width, TColor color) {
  TPen pen;
  pen.Color = color;
  pen.Geometric = (style & PS_GEOMETRIC) != 0;
  pen.Width = std::max(width, 1);
  switch (style & 0xF) {
    case PS_DASH: pen.Style = TPenStyle::psDash; break;
    case PS_DOT: pen.Style = TPenStyle::psDot; break;
    case PS_DASHDOT: pen.Style = TPenStyle::psDashDot; break;
    case PS_DASHDOTDOT: pen.Style = TPenStyle::psDashDotDot; break;
    case PS_NULL: pen.Style = TPenStyle::psClear; break;
    case PS_INSIDEFRAME: pen.Style = TPenStyle::psInsideFrame; break;
    default: pen.Style = TPenStyle::psSolid; break;
  }
  switch (style & 0xF00) {
    case PS_ENDCAP_SQUARE: pen.EndCap = TEndCap::Square; break;
    case PS_ENDCAP_FLAT: pen.EndCap = TEndCap::Flat; break;
    default: pen.EndCap = TEndCap::Round; break;
  }
  switch (style & 0xF000) {
    case PS_JOIN_BEVEL: pen.Join = TLineJoin::Bevel; break;
    case PS_JOIN_MITER: pen.Join = TLineJoin::Mitre; break;
    default: pen.Join = TLineJoin::Round; break;
  }
  return pen;
}

TCanvas::TCanvas(TBitmap& target) : target_(&target) {}

TColor TCanvas::SetTextColor(TColor c) { return std::exchange(s_.TextColor, c); }
TColor TCanvas::SetBkColor(TColor c) { return std::exchange(s_.BkColor, c); }
TBkMode TCanvas::SetBkMode(TBkMode m) { return std::exchange(s_.BkMode, m); }
TStretchMode TCanvas::SetStretchBltMode(TStretchMode m) { return std::exchange(s_.StretchMode, m); }
TPolyFillMode TCanvas::SetPolyFillMode(TPolyFillMode m) { return std::exchange(s_.PolyFillMode, m); }

TPoint TCanvas::SetWindowOrg(int x, int y) { return std::exchange(s_.WindowOrg, TPoint{x, y}); }

int TCanvas::SaveDC() {
  saved_.push_back(s_);
  return static_cast<int>(saved_.size());
}

bool TCanvas::RestoreDC(int level) {
  int n = static_cast<int>(saved_.size());
  if (level < 0) level = n + 1 + level;
  if (level < 1 || level > n) return false;
  s_ = std::move(saved_[static_cast<size_t>(level - 1)]);
  saved_.resize(static_cast<size_t>(level - 1));
  return true;
}

void TCanvas::SelectClipRgn(const TRegion* rgn) {
  if (rgn)
    s_.ClipRgn = *rgn;
  else
    s_.ClipRgn.reset();
}

bool TCanvas::GetClipRgn(TRegion& out) const {
  if (!s_.ClipRgn) return false;
  out = *s_.ClipRgn;
  return true;
}

TRegionKind TCanvas::IntersectClipRect(int left, int top, int right, int bottom) {
  TPoint a = ToDevice(left, top), b = ToDevice(right, bottom);
  TRegion r(TRect{a.x, a.y, b.x, b.y});
  if (!s_.ClipRgn) {
    s_.ClipRgn = std::move(r);
  } else {
    s_.ClipRgn->Combine(*s_.ClipRgn, r, RGN_AND);
  }
  return s_.ClipRgn->Kind();
}

TRegionKind TCanvas::ExcludeClipRect(int left, int top, int right, int bottom) {
  TPoint a = ToDevice(left, top), b = ToDevice(right, bottom);
  if (!s_.ClipRgn) s_.ClipRgn = TRegion(TRect{0, 0, target_->Width(), target_->Height()});
  s_.ClipRgn->Combine(*s_.ClipRgn, TRegion(TRect{a.x, a.y, b.x, b.y}), RGN_DIFF);
  return s_.ClipRgn->Kind();
}

TRegion TCanvas::DrawableRegion() const {
  TRegion area(TRect{0, 0, target_->Width(), target_->Height()});
  if (s_.ClipRgn) area.Combine(area, *s_.ClipRgn, RGN_AND);
  return area;
}

// Offset clamps: a box beyond the int range in logical units stops at its ends.
TRect TCanvas::ClipBox() const { return DrawableRegion().Box().Offset(s_.WindowOrg.x, s_.WindowOrg.y); }

uint32_t TCanvas::GetPixel(int x, int y) const {
  TPoint d = ToDevice(x, y);
  return target_->GetPixel(d.x, d.y);
}

void TCanvas::SetPixel(int x, int y, TColor c) {
  TPoint d = ToDevice(x, y);
  if (s_.ClipRgn && !s_.ClipRgn->Contains(d.x, d.y)) return;
  target_->SetPixel(d.x, d.y, c);
}

void TCanvas::FillDeviceRegion(const TRegion& rgn, uint32_t rgb, TPenMode mode) {
  TBitmap& b = *target_;
  if (b.Empty()) return;
  TRegion area = DrawableRegion();
  area.Combine(area, rgn, RGN_AND);
  uint32_t value = SurfaceValue(b, rgb & 0xFFFFFF);
  for (const TRect& r : area.Rects()) {
    for (int y = r.Top; y < r.Bottom; ++y) {
      if (b.Monochrome())
        ApplyMode<uint8_t>(b.Row1(y) + r.Left, r.Width(), uint8_t(value), uint8_t(0xFF), mode);
      else
        ApplyMode<uint32_t>(b.Row32(y) + r.Left, r.Width(), value, 0xFFFFFFu, mode);
    }
  }
}

void TCanvas::FillRect(const TRect& r, TColor color) {
  if (color == NoColor || r.IsEmpty()) return;
  TPoint a = ToDevice(r.Left, r.Top), b = ToDevice(r.Right, r.Bottom);
  FillDeviceRegion(TRegion(TRect{a.x, a.y, b.x, b.y}), ColorToRGB(color));
}

void TCanvas::FillRect(const TRect& r) {
  if (s_.Brush.Style == TBrushStyle::bsClear) return;
  FillRect(r, s_.Brush.Color);
}

void TCanvas::FrameRect(const TRect& r) {
  if (r.IsEmpty() || s_.Brush.Style == TBrushStyle::bsClear || s_.Brush.Color == NoColor) return;
  TRegion outer(r), inner(TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1});
  outer.Combine(outer, inner, RGN_DIFF);
  FillRgn(outer, s_.Brush.Color);
}

void TCanvas::DrawFocusRect(const TRect& r) {
  if (r.IsEmpty()) return;
  // Every other pixel of the frame, the pattern anchored at the device
  // origin; only the part within reach of the surface is walked.
  // Device corners in 64 bits: they may lie beyond the int range.
  const int64_t ax = int64_t{r.Left} - s_.WindowOrg.x, ay = int64_t{r.Top} - s_.WindowOrg.y;
  const int64_t bx = int64_t{r.Right} - s_.WindowOrg.x, by = int64_t{r.Bottom} - s_.WindowOrg.y;
  const TRect reach = DrawableRegion().Box();
  std::vector<TRect> dots;
  auto add = [&](int64_t x, int64_t y) {
    if (((x + y) & 1) == 0 && x >= reach.Left && x < reach.Right && y >= reach.Top && y < reach.Bottom)
      dots.push_back({int(x), int(y), int(x) + 1, int(y) + 1});
  };
  const int64_t x0 = std::max<int64_t>(ax, reach.Left), x1 = std::min<int64_t>(bx, reach.Right);
  const int64_t y0 = std::max<int64_t>(ay + 1, reach.Top), y1 = std::min<int64_t>(by - 1, reach.Bottom);
  for (int64_t x = x0; x < x1; ++x) {
    add(x, ay);
    if (by - 1 > ay) add(x, by - 1);
  }
  for (int64_t y = y0; y < y1; ++y) {
    add(ax, y);
    if (bx - 1 > ax) add(bx - 1, y);
  }
  FillDeviceRegion(TRegion::FromRects(dots), 0xFFFFFF, TPenMode::pmXor);
}

void TCanvas::PatBlt(int x, int y, int width, int height, uint32_t rop) {
  // Extents as BitBlt lays them; device coordinates may lie beyond the int range.
  const int64_t x0 = ExtentStart(int64_t{x} - s_.WindowOrg.x, width);
  const int64_t y0 = ExtentStart(int64_t{y} - s_.WindowOrg.y, height);
  const TRegion dev(TRect{ClampToInt(x0), ClampToInt(y0), ClampToInt(x0 + ExtentLength(width)),
                          ClampToInt(y0 + ExtentLength(height))});
  uint32_t brush = ColorToRGB(s_.Brush.Color);
  switch (rop) {
    case PATCOPY:
      if (s_.Brush.Style != TBrushStyle::bsClear) FillDeviceRegion(dev, brush);
      break;
    case PATINVERT:
      if (s_.Brush.Style != TBrushStyle::bsClear) FillDeviceRegion(dev, brush, TPenMode::pmXor);
      break;
    case DSTINVERT: FillDeviceRegion(dev, 0, TPenMode::pmNot); break;
    case BLACKNESS: FillDeviceRegion(dev, 0, TPenMode::pmBlack); break;
    case WHITENESS: FillDeviceRegion(dev, 0, TPenMode::pmWhite); break;
    default: break;
  }
}

void TCanvas::FillRgn(const TRegion& rgn, TColor color) {
  if (color == NoColor) return;
  // Only the part over the drawable area can show. It is moved to device
  // units a rectangle at a time in 64 bits: -WindowOrg may not fit in an int.
  const TRect box = DrawableRegion().Box();
  if (box.IsEmpty()) return;
  const int64_t ox = s_.WindowOrg.x, oy = s_.WindowOrg.y;
  TRegion part(box.Offset(s_.WindowOrg.x, s_.WindowOrg.y));
  part.Combine(part, rgn, RGN_AND);
  std::vector<TRect> rects = part.Rects();
  for (TRect& r : rects)
    r = {ClampToInt(r.Left - ox), ClampToInt(r.Top - oy), ClampToInt(r.Right - ox), ClampToInt(r.Bottom - oy)};
  FillDeviceRegion(TRegion::FromRects(rects), ColorToRGB(color));
}

void TCanvas::FillRgn(const TRegion& rgn) {
  if (s_.Brush.Style == TBrushStyle::bsClear) return;
  FillRgn(rgn, s_.Brush.Color);
}

}  // namespace plat
