// Lines: the current position, one-pixel cosmetic pens walked pixel by
// pixel, and the hand-over of wide and geometric pens to the stroker.
#include <algorithm>
#include <cstdlib>

#include "platform/canvas.h"
#include "platform/stroke.h"

namespace plat {

namespace {

// Wider pens are drawn this wide (the stroke's cost follows the visible
// area, but the numbers stay well inside double precision).
constexpr int kMaxPenWidth = 1 << 20;

using Int128 = __int128;

// Division rounding down / up; b > 0.
Int128 FloorDiv(Int128 a, Int128 b) { return a / b - (a % b != 0 && a < 0 ? 1 : 0); }
Int128 CeilDiv(Int128 a, Int128 b) { return a / b + (a % b != 0 && a > 0 ? 1 : 0); }

struct TPoint64 {
  int64_t x = 0;
  int64_t y = 0;
};

// The on and off runs, in pixels, of the styled one-pixel pens.
struct TCosmeticStyle {
  int lengths[6];
  int count;
  int period;

  bool On(int64_t step) const {
    int p = static_cast<int>(step % period);
    for (int i = 0; i < count; ++i) {
      if (p < lengths[i]) return i % 2 == 0;
      p -= lengths[i];
    }
    return true;
  }
};

const TCosmeticStyle* CosmeticStyle(TPenStyle style) {
  static const TCosmeticStyle dot{{3, 3}, 2, 6};
  static const TCosmeticStyle dash{{18, 6}, 2, 24};
  static const TCosmeticStyle dashDot{{9, 6, 3, 6}, 4, 24};
  static const TCosmeticStyle dashDotDot{{9, 3, 3, 3, 3, 3}, 6, 24};
  switch (style) {
    case TPenStyle::psDot: return &dot;
    case TPenStyle::psDash: return &dash;
    case TPenStyle::psDashDot: return &dashDot;
    case TPenStyle::psDashDotDot: return &dashDotDot;
    default: return nullptr;
  }
}

// Pixels of one colour as they come along a line, merged into horizontal
// or vertical runs so that straight lines make one rectangle each; the
// runs are appended to `out`.
class TRuns {
 public:
  explicit TRuns(std::vector<TRect>& out) : out_(out) {}
  ~TRuns() { Flush(); }
  TRuns(const TRuns&) = delete;
  TRuns& operator=(const TRuns&) = delete;

  void Add(int x, int y) {
    if (has_) {
      bool row = cur_.Top == y && cur_.Bottom == y + 1, column = cur_.Left == x && cur_.Right == x + 1;
      if (row && x == cur_.Right) {
        ++cur_.Right;
      } else if (row && x == cur_.Left - 1) {
        --cur_.Left;
      } else if (column && y == cur_.Bottom) {
        ++cur_.Bottom;
      } else if (column && y == cur_.Top - 1) {
        --cur_.Top;
      } else {
        out_.push_back(cur_);
        cur_ = {x, y, x + 1, y + 1};
      }
      return;
    }
    cur_ = {x, y, x + 1, y + 1};
    has_ = true;
  }
  void Flush() {
    if (has_) out_.push_back(cur_);
    has_ = false;
  }

 private:
  std::vector<TRect>& out_;
  TRect cur_;
  bool has_ = false;
};

// The one-pixel line from a to b: a step per pixel along the major axis,
// the minor coordinate rounded to nearest (halves toward b); the pixel of
// b itself is left out unless `includeLast`. Only the steps that fall in
// `area` are walked, found in closed form (128-bit, as device coordinates
// may be far outside 32 bits). Step i is on or off by style (phase + i).
void WalkLine(TPoint64 a, TPoint64 b, bool includeLast, const TRect& area, const TCosmeticStyle* style,
              int64_t phase, TRuns& on, TRuns* off) {
  int64_t dx = b.x - a.x, dy = b.y - a.y;
  int64_t adx = std::llabs(dx), ady = std::llabs(dy);
  bool xMajor = adx >= ady;
  int64_t dMajor = xMajor ? adx : ady, dMinor = xMajor ? ady : adx;
  int64_t n = dMajor + (includeLast ? 1 : 0);
  if (n == 0 || area.IsEmpty()) return;
  int sMajor = (xMajor ? dx : dy) < 0 ? -1 : 1, sMinor = (xMajor ? dy : dx) < 0 ? -1 : 1;
  int64_t major0 = xMajor ? a.x : a.y, minor0 = xMajor ? a.y : a.x;
  int64_t majorLo = xMajor ? area.Left : area.Top, majorHi = xMajor ? area.Right : area.Bottom;
  int64_t minorLo = xMajor ? area.Top : area.Left, minorHi = xMajor ? area.Bottom : area.Right;

  int64_t iLo = 0, iHi = n;
  if (sMajor > 0) {
    iLo = std::max(iLo, majorLo - major0);
    iHi = std::min(iHi, majorHi - major0);
  } else {
    iLo = std::max(iLo, major0 - majorHi + 1);
    iHi = std::min(iHi, major0 - majorLo + 1);
  }
  // Minor offsets k(i) = floor((2 i dMinor + dMajor) / (2 dMajor)) that stay in the area.
  int64_t kLo = sMinor > 0 ? minorLo - minor0 : minor0 - minorHi + 1;
  int64_t kHi = sMinor > 0 ? minorHi - 1 - minor0 : minor0 - minorLo;
  if (kLo > kHi) return;
  if (dMinor == 0) {
    if (kLo > 0 || kHi < 0) return;
  } else {
    Int128 den = Int128{2} * dMinor;
    Int128 lo = CeilDiv((Int128{2} * kLo - 1) * dMajor, den);
    Int128 hi = CeilDiv((Int128{2} * kHi + 1) * dMajor, den);
    if (lo > iLo) iLo = lo >= iHi ? iHi : static_cast<int64_t>(lo);
    if (hi < iHi) iHi = hi <= iLo ? iLo : static_cast<int64_t>(hi);
  }
  for (int64_t i = iLo; i < iHi; ++i) {
    int64_t k = 0;
    if (dMajor > 0) k = static_cast<int64_t>(FloorDiv(Int128{2} * i * dMinor + dMajor, Int128{2} * dMajor));
    int64_t major = major0 + sMajor * i, minor = minor0 + sMinor * k;
    int64_t x = xMajor ? major : minor, y = xMajor ? minor : major;
    if (x < area.Left || x >= area.Right || y < area.Top || y >= area.Bottom) continue;  // kept out by the bounds
    if (!style || style->On(phase + i))
      on.Add(static_cast<int>(x), static_cast<int>(y));
    else if (off)
      off->Add(static_cast<int>(x), static_cast<int>(y));
  }
}

}  // namespace

bool TCanvas::PenVisible() const { return s_.Pen.Style != TPenStyle::psClear && s_.Pen.Color != NoColor; }

TCanvas::PenPixels TCanvas::StrokeLogicalPolyline(const TPoint* points, int count, bool closed) const {
  std::vector<TRect> ink, gaps;
  StrokeBoxes(points, count, closed, DrawableRegion().Box(), ink, gaps);
  return MakePenPixels(ink, gaps);
}

TCanvas::PenPixels TCanvas::MakePenPixels(const std::vector<TRect>& ink, const std::vector<TRect>& gaps) {
  PenPixels px;
  px.ink = TRegion::FromRects(ink);
  if (!gaps.empty()) {
    px.gaps = TRegion::FromRects(gaps);
    px.gaps.Combine(px.gaps, px.ink, RGN_DIFF);
  }
  return px;
}

void TCanvas::StrokeBoxes(const TPoint* points, int count, bool closed, const TRect& area, std::vector<TRect>& ink,
                          std::vector<TRect>& gapBoxes) const {
  if (!points || count < 1 || !PenVisible() || area.IsEmpty()) return;
  auto device = [&](const TPoint& p) {
    return TPoint64{int64_t{p.x} - s_.WindowOrg.x, int64_t{p.y} - s_.WindowOrg.y};
  };
  const TPen& pen = s_.Pen;
  if (!pen.Geometric && pen.Width <= 1) {
    const TCosmeticStyle* style = CosmeticStyle(pen.Style);
    // Like the classic device context, gaps of styled lines show the
    // background colour unless the background mode is transparent.
    bool gaps = style && s_.BkMode == OPAQUE && s_.BkColor != NoColor;
    TRuns on(ink), off(gapBoxes);
    int64_t phase = 0;
    int segments = closed ? count : count - 1;
    for (int k = 0; k < segments; ++k) {
      TPoint64 a = device(points[k]), b = device(points[(k + 1) % count]);
      WalkLine(a, b, false, area, style, phase, on, gaps ? &off : nullptr);
      if (style) {
        int64_t steps = std::max(std::llabs(b.x - a.x), std::llabs(b.y - a.y));
        phase = (phase + steps % style->period) % style->period;
      }
    }
    return;
  }
  stroke::TStrokePen sp;
  sp.width = std::clamp(pen.Width, 1, kMaxPenWidth);
  if (pen.Geometric) {
    sp.cap = pen.EndCap;
    sp.join = pen.Join;
    sp.pattern = stroke::GeometricPattern(pen.Style, sp.width);
  }  // a wide cosmetic pen: solid, round caps and joins
  std::vector<raster::TPointF> pts;
  pts.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    TPoint64 d = device(points[i]);
    pts.push_back({static_cast<double>(d.x), static_cast<double>(d.y)});
  }
  stroke::StrokePolyline(pts, closed, sp, area, ink);
}

void TCanvas::PaintPen(const PenPixels& pixels) {
  if (!pixels.gaps.Empty()) FillDeviceRegion(pixels.gaps, ColorToRGB(s_.BkColor), s_.Pen.Mode);
  if (!pixels.ink.Empty()) FillDeviceRegion(pixels.ink, ColorToRGB(s_.Pen.Color), s_.Pen.Mode);
}

void TCanvas::MoveTo(int x, int y) {
  if (path_.open) {
    // A figure of one point is replaced rather than kept.
    if (path_.extending && !path_.figures.empty() && path_.figures.back().points.size() == 1)
      path_.figures.back().points[0] = {x, y};
    else
      path_.figures.push_back({{TPoint{x, y}}, false});
    path_.extending = true;
  }
  s_.PenPos = {x, y};
}

void TCanvas::LineTo(int x, int y) {
  if (path_.open) {
    if (!path_.extending || path_.figures.empty()) {
      path_.figures.push_back({{s_.PenPos}, false});
      path_.extending = true;
    }
    path_.figures.back().points.push_back({x, y});
  } else {
    TPoint pts[2] = {s_.PenPos, {x, y}};
    PaintPen(StrokeLogicalPolyline(pts, 2, false));
  }
  s_.PenPos = {x, y};
}

void TCanvas::Polyline(const TPoint* points, int count) {
  if (!points || count < 1) return;
  if (path_.open) {
    RecordFigure(points, count, false);
    return;
  }
  if (count >= 2) PaintPen(StrokeLogicalPolyline(points, count, false));
}

}  // namespace plat
