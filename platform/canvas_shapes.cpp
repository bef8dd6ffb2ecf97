// Closed shapes: rectangles, polygons, ellipses and elliptic arcs. Each
// becomes device regions: the interior for the brush, the outline for the
// pen; the brush never paints under the pen, so exclusive-or modes see
// every pixel once.
#include <algorithm>

#include "platform/canvas.h"
#include "platform/raster.h"

namespace plat {

namespace {

using Int128 = __int128;

// The device box [l, r) x [t, b) limited to `area`.
TRect Within(int64_t l, int64_t t, int64_t r, int64_t b, const TRect& area) {
  int64_t L = std::max<int64_t>(l, area.Left), T = std::max<int64_t>(t, area.Top);
  int64_t R = std::min<int64_t>(r, area.Right), B = std::min<int64_t>(b, area.Bottom);
  if (R <= L || B <= T) return {};
  return {static_cast<int>(L), static_cast<int>(T), static_cast<int>(R), static_cast<int>(B)};
}

TRegion EllipseRegion(int64_t l, int64_t t, int64_t r, int64_t b, const TRect& area) {
  std::vector<TRect> boxes;
  raster::FillEllipse(l, t, r, b, area, boxes);
  return TRegion::FromRects(boxes);
}

// The outline a pen of width w paints on the filled ellipse. One pixel
// wide: the pixels with a 4-neighbour outside the ellipse. Wider: those
// outside the ellipse shrunk by w on each side, and always the one-pixel
// ones, so that the ring is closed. `filled` must reach one pixel beyond
// the area the result is used in.
TRegion EllipseRing(const TRegion& filled, int64_t l, int64_t t, int64_t r, int64_t b, int64_t w,
                    const TRect& area) {
  TRegion inner(filled);
  const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  for (const auto& s : steps) {
    TRegion moved(filled);
    moved.Offset(s[0], s[1]);
    inner.Combine(inner, moved, RGN_AND);
  }
  if (w > 1) inner.Combine(inner, EllipseRegion(l + w, t + w, r - w, b - w, area), RGN_AND);
  TRegion ring;
  ring.Combine(filled, inner, RGN_DIFF);
  return ring;
}

// Directions from the centre of an arc's box, in doubled units (so that
// pixel centres are whole) with y pointing up, as angles are counted.
struct TVec {
  int64_t x = 0;
  int64_t y = 0;
};
Int128 Cross(TVec a, TVec b) { return Int128{a.x} * b.y - Int128{a.y} * b.x; }
Int128 Dot(TVec a, TVec b) { return Int128{a.x} * b.x + Int128{a.y} * b.y; }

// 0 for directions from 0 (included) to half a turn (excluded)
// counter-clockwise from s, 1 for the other half.
int HalfTurn(TVec s, TVec v) {
  Int128 c = Cross(s, v);
  return c > 0 || (c == 0 && Dot(s, v) > 0) ? 0 : 1;
}

// Whether v lies in the counter-clockwise sweep from s (included) to e
// (excluded). Exact, so that two arcs meeting on a radial share none of
// its pixels and leave none out.
bool InSweep(TVec s, TVec e, TVec v) {
  if (v.x == 0 && v.y == 0) return true;
  int hv = HalfTurn(s, v), he = HalfTurn(s, e);
  if (hv != he) return hv < he;
  return Cross(v, e) > 0;
}

}  // namespace

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top) return;
  // The pen runs through the centres of the rectangle's border pixels.
  TPoint corners[4] = {{left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}};
  if (path_.open) {
    RecordFigure(corners, 4, true);
    return;
  }
  TRect area = DrawableRegion().Box();
  if (area.IsEmpty()) return;
  int64_t l = int64_t{left} - s_.WindowOrg.x, t = int64_t{top} - s_.WindowOrg.y;
  int64_t r = int64_t{right} - s_.WindowOrg.x, b = int64_t{bottom} - s_.WindowOrg.y;
  PenPixels pen;
  if (PenVisible()) {
    const TPen& p = s_.Pen;
    bool onePixel = !p.Geometric && p.Width <= 1;
    bool styled = onePixel && p.Style != TPenStyle::psSolid && p.Style != TPenStyle::psInsideFrame;
    bool thin = right - int64_t{left} < 2 || bottom - int64_t{top} < 2;
    if (p.Style == TPenStyle::psInsideFrame || (onePixel && (!styled || thin))) {
      // A frame w wide inside the edges.
      int64_t w = p.Style == TPenStyle::psInsideFrame ? std::max(p.Width, 1) : 1;
      pen.ink = TRegion(Within(l, t, r, b, area));
      pen.ink.Combine(pen.ink, TRegion(Within(l + w, t + w, r - w, b - w, area)), RGN_DIFF);
    } else {
      pen = StrokeLogicalPolyline(corners, 4, true);
    }
  }
  if (s_.Brush.Style != TBrushStyle::bsClear && s_.Brush.Color != NoColor) {
    TRegion inside(Within(l, t, r, b, area));
    inside.Combine(inside, pen.ink, RGN_DIFF);
    inside.Combine(inside, pen.gaps, RGN_DIFF);
    FillDeviceRegion(inside, ColorToRGB(s_.Brush.Color), s_.Pen.Mode);
  }
  PaintPen(pen);
}

void TCanvas::Polygon(const TPoint* points, int count) {
  if (!points || count < 1) return;
  if (path_.open) {
    RecordFigure(points, count, true);
    return;
  }
  TRect area = DrawableRegion().Box();
  if (area.IsEmpty()) return;
  PenPixels pen = StrokeLogicalPolyline(points, count, true);
  if (count >= 3 && s_.Brush.Style != TBrushStyle::bsClear && s_.Brush.Color != NoColor) {
    std::vector<std::vector<raster::TPointF>> contour(1);
    contour[0].reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
      contour[0].push_back({static_cast<double>(int64_t{points[i].x} - s_.WindowOrg.x),
                            static_cast<double>(int64_t{points[i].y} - s_.WindowOrg.y)});
    std::vector<TRect> boxes;
    raster::FillContours(contour, s_.PolyFillMode, area, boxes);
    TRegion inside = TRegion::FromRects(boxes);
    inside.Combine(inside, pen.ink, RGN_DIFF);
    inside.Combine(inside, pen.gaps, RGN_DIFF);
    FillDeviceRegion(inside, ColorToRGB(s_.Brush.Color), s_.Pen.Mode);
  }
  PaintPen(pen);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top || path_.open) return;
  TRect area = DrawableRegion().Box();
  if (area.IsEmpty()) return;
  TRect reach{area.Left - 1, area.Top - 1, area.Right + 1, area.Bottom + 1};
  int64_t l = int64_t{left} - s_.WindowOrg.x, t = int64_t{top} - s_.WindowOrg.y;
  int64_t r = int64_t{right} - s_.WindowOrg.x, b = int64_t{bottom} - s_.WindowOrg.y;
  TRegion filled = EllipseRegion(l, t, r, b, reach);
  TRegion ring;
  if (PenVisible()) ring = EllipseRing(filled, l, t, r, b, std::max(s_.Pen.Width, 1), reach);
  if (s_.Brush.Style != TBrushStyle::bsClear && s_.Brush.Color != NoColor) {
    TRegion inside;
    inside.Combine(filled, ring, RGN_DIFF);
    FillDeviceRegion(inside, ColorToRGB(s_.Brush.Color), s_.Pen.Mode);
  }
  if (!ring.Empty()) FillDeviceRegion(ring, ColorToRGB(s_.Pen.Color), s_.Pen.Mode);
}

void TCanvas::Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
  if (right <= left || bottom <= top || path_.open || !PenVisible()) return;
  TRect area = DrawableRegion().Box();
  if (area.IsEmpty()) return;
  TRect reach{area.Left - 1, area.Top - 1, area.Right + 1, area.Bottom + 1};
  int64_t ox = s_.WindowOrg.x, oy = s_.WindowOrg.y;
  int64_t l = left - ox, t = top - oy, r = right - ox, b = bottom - oy;
  TRegion ring = EllipseRing(EllipseRegion(l, t, r, b, reach), l, t, r, b, std::max(s_.Pen.Width, 1), reach);
  ring.Combine(ring, TRegion(area), RGN_AND);

  // Doubled logical coordinates of the centre, radials and pixel centres.
  int64_t cx = int64_t{left} + right, cy = int64_t{top} + bottom;
  TVec s{2 * int64_t{x3} - cx, cy - 2 * int64_t{y3}}, e{2 * int64_t{x4} - cx, cy - 2 * int64_t{y4}};
  if (s.x == 0 && s.y == 0) s = {1, 0};
  if (e.x == 0 && e.y == 0) e = {1, 0};
  // The same radial twice: the whole ellipse.
  if (!(Cross(s, e) == 0 && Dot(s, e) > 0)) {
    std::vector<TRect> kept;
    for (const TRect& rc : ring.Rects()) {
      for (int y = rc.Top; y < rc.Bottom; ++y) {
        int64_t vy = cy - (2 * (y + oy) + 1);
        int runStart = rc.Left;
        bool inRun = false;
        for (int x = rc.Left; x < rc.Right; ++x) {
          bool in = InSweep(s, e, {2 * (x + ox) + 1 - cx, vy});
          if (in && !inRun) runStart = x;
          if (!in && inRun) kept.push_back({runStart, y, x, y + 1});
          inRun = in;
        }
        if (inRun) kept.push_back({runStart, y, rc.Right, y + 1});
      }
    }
    ring = TRegion::FromRects(kept);
  }
  FillDeviceRegion(ring, ColorToRGB(s_.Pen.Color), s_.Pen.Mode);
}

}  // namespace plat
