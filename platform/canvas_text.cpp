// Text on the canvas: alignment, character extra, justification, metrics,
// measuring and drawing. Measuring and drawing walk the same per-character
// advances (TRealFont::ForEachAdvance), so what is measured is what is drawn.
//
// Justification: SetTextJustification(extra, count) gives every space
// extra div count pixels, and one more to each of the first extra mod
// count spaces. Measuring counts the remainder still owed; drawing (without
// a dx array) uses it up, so it carries on into the next call until the
// justification is set again or reset with (0, 0). A negative extra or a
// count below 1 turns justification off.
#include <algorithm>
#include <utility>
#include <vector>

#include <pixman.h>

#include "platform/canvas.h"
#include "platform/font_face.h"
#include "platform/numeric.h"

namespace plat {

namespace {

constexpr uint32_t kAlignRight = 2, kAlignCenter = 6, kAlignBottom = 8, kAlignVertical = 24;
constexpr int64_t kCoordLimit = int64_t{1} << 29;  // rectangle sides stay far from overflow
// Character extra and justification extra are limited to this many pixels.
constexpr int kMaxTextExtra = 1 << 20;

TTextSpacing SpacingOf(const TCanvasState& s) {
  TTextSpacing sp;
  sp.charExtra = s.CharExtra;
  if (s.BreakCount > 0 && s.BreakExtra > 0) {
    sp.breakExtra = s.BreakExtra / s.BreakCount;
    sp.breakRemainder = s.BreakRem;
  }
  return sp;
}

int Clamp(int64_t v) { return static_cast<int>(std::clamp(v, -kCoordLimit, kCoordLimit)); }

TRect DeviceRect(int64_t l, int64_t t, int64_t r, int64_t b) { return {Clamp(l), Clamp(t), Clamp(r), Clamp(b)}; }

// Clears the destination's clip region when drawing ends.
class TImageClip {
 public:
  TImageClip(pixman_image_t* image, const TRegion& area) : image_(image) {
    pixman_image_set_clip_region32(image_, const_cast<pixman_region32_t*>(area.Raw()));
  }
  ~TImageClip() { pixman_image_set_clip_region32(image_, nullptr); }
  TImageClip(const TImageClip&) = delete;
  TImageClip& operator=(const TImageClip&) = delete;

 private:
  pixman_image_t* image_;
};

struct TSolid {
  explicit TSolid(uint32_t rgb) {
    pixman_color_t c{uint16_t(GetRValue(rgb) * 0x101), uint16_t(GetGValue(rgb) * 0x101),
                     uint16_t(GetBValue(rgb) * 0x101), 0xFFFF};
    image = pixman_image_create_solid_fill(&c);
  }
  ~TSolid() {
    if (image) pixman_image_unref(image);
  }
  TSolid(const TSolid&) = delete;
  TSolid& operator=(const TSolid&) = delete;
  pixman_image_t* image = nullptr;
};

}  // namespace

uint32_t TCanvas::SetTextAlign(uint32_t align) { return std::exchange(s_.TextAlign, align); }

int TCanvas::SetTextCharacterExtra(int extra) {
  return std::exchange(s_.CharExtra, std::clamp(extra, -kMaxTextExtra, kMaxTextExtra));
}

void TCanvas::SetTextJustification(int extra, int count) {
  if (extra <= 0 || count <= 0) {
    s_.BreakExtra = s_.BreakCount = s_.BreakRem = 0;
    return;
  }
  extra = std::min(extra, kMaxTextExtra);
  s_.BreakExtra = extra;
  s_.BreakCount = count;
  s_.BreakRem = extra % count;
}

bool TCanvas::GetTextMetrics(TTextMetric& tm) {
  tm = RealizedFont(s_.Font).Metrics();
  tm.tmUnderlined = s_.Font.Style.Underline ? 255 : 0;
  tm.tmStruckOut = s_.Font.Style.StrikeOut ? 255 : 0;
  return true;
}

TSize TCanvas::GetTextExtentPoint32W(std::u16string_view text) {
  TRealFont& f = RealizedFont(s_.Font);
  return {ClampToInt(f.Width(text, SpacingOf(s_))), f.Metrics().tmHeight};
}

TSize TCanvas::GetTextExtentExPointW(std::u16string_view text, int maxExtent, int* fit, int* extents) {
  TRealFont& f = RealizedFont(s_.Font);
  int64_t sum = 0;
  int fitted = 0;
  bool fitting = maxExtent > 0;
  f.ForEachAdvance(text, SpacingOf(s_), [&](size_t i, int units, char32_t, int a) {
    sum += a;
    if (fitting) {
      if (sum <= maxExtent)
        fitted = static_cast<int>(i) + units;
      else
        fitting = false;
    }
    if (extents) {
      extents[i] = ClampToInt(sum);
      if (units == 2) extents[i + 1] = ClampToInt(sum);
    }
  });
  if (fit) *fit = fitted;
  return {ClampToInt(sum), f.Metrics().tmHeight};
}

void TCanvas::TextOut(int x, int y, std::u16string_view text) { ExtTextOutW(x, y, 0, nullptr, text, nullptr); }

bool TCanvas::ExtTextOutW(int x, int y, uint32_t options, const TRect* rect, std::u16string_view text,
                          const int* dx) {
  TRealFont& f = RealizedFont(s_.Font);
  const TTextMetric& tm = f.Metrics();
  const TTextSpacing sp = SpacingOf(s_);
  const bool updateCp = (s_.TextAlign & TA_UPDATECP) != 0;
  if (updateCp) x = s_.PenPos.x, y = s_.PenPos.y;

  int64_t extent = 0;
  int breaks = 0;
  if (dx) {
    for (size_t i = 0; i < text.size(); ++i) extent += dx[i];
  } else {
    extent = f.Width(text, sp);
    for (char16_t c : text) breaks += c == u' ';
  }

  int64_t left = x;
  uint32_t h = s_.TextAlign & kAlignCenter;
  if (h == kAlignCenter)
    left -= extent / 2;
  else if (h == kAlignRight)
    left -= extent;
  int64_t top = y;
  uint32_t v = s_.TextAlign & kAlignVertical;
  if (v == TA_BASELINE)
    top -= tm.tmAscent;
  else if (v == kAlignBottom)
    top -= tm.tmHeight;

  const int64_t devLeft = left - s_.WindowOrg.x, devTop = top - s_.WindowOrg.y;
  const int64_t baseline = devTop + tm.tmAscent;  // the first row below the baseline
  TRegion area = DrawableRegion();
  if (rect && (options & (ETO_CLIPPED | ETO_OPAQUE))) {
    TPoint a = ToDevice(rect->Left, rect->Top), b = ToDevice(rect->Right, rect->Bottom);
    TRegion r(TRect{a.x, a.y, b.x, b.y});
    if ((options & ETO_OPAQUE) && s_.BkColor != NoColor) FillDeviceRegion(r, ColorToRGB(s_.BkColor));
    if (options & ETO_CLIPPED) area.Combine(area, r, RGN_AND);
  }
  const uint32_t textRgb = ColorToRGB(s_.TextColor);
  auto fillRows = [&](int64_t y0, int64_t rows, uint32_t rgb) {
    TRegion band(DeviceRect(devLeft, y0, devLeft + extent, y0 + rows));
    band.Combine(band, area, RGN_AND);
    if (!band.Empty()) FillDeviceRegion(band, rgb);
  };
  if (s_.BkMode == OPAQUE && s_.BkColor != NoColor && !area.Empty())
    fillRows(devTop, tm.tmHeight, ColorToRGB(s_.BkColor));

  if (!area.Empty() && !text.empty() && s_.TextColor != NoColor) {
    const TRect box = area.Box();
    const int64_t margin = int64_t{f.EmPixels()} * 2 + 8;
    TBitmap& bmp = *target_;
    // Glyphs are clipped to the cell: ink beyond the font's ascent and
    // descent (accents on capitals, taller fallback faces) is not drawn.
    TRegion glyphArea(DeviceRect(box.Left, devTop, box.Right, devTop + tm.tmHeight));
    glyphArea.Combine(glyphArea, area, RGN_AND);
    if (!glyphArea.Empty() && baseline + margin > box.Top && baseline - margin < box.Bottom) {
      TImageClip clip(bmp.Image(), glyphArea);
      TSolid solid(textRgb);
      const uint8_t mono = MonoByteFor(textRgb);
      const std::vector<TRect> monoRects = bmp.Monochrome() ? glyphArea.Rects() : std::vector<TRect>{};
      int64_t pen = devLeft;
      auto draw = [&](char32_t c) {
        if (pen + margin < box.Left || pen - margin > box.Right) return;
        const TGlyphPicture* pic = f.Picture(c);
        if (!pic || !pic->image) return;
        int gx = static_cast<int>(pen + pic->left), gy = static_cast<int>(baseline - pic->top);
        TRect g{gx, gy, gx + pic->width, gy + pic->height};
        if (IntersectRect(g, box).IsEmpty()) return;
        if (!bmp.Monochrome()) {
          pixman_image_composite32(PIXMAN_OP_OVER, solid.image, pic->image, bmp.Image(), 0, 0, 0, 0, gx, gy,
                                   pic->width, pic->height);
          return;
        }
        // One bit a pixel: coverage of half or more sets the pixel.
        for (const TRect& r : monoRects) {
          TRect part = IntersectRect(g, r);
          for (int yy = part.Top; yy < part.Bottom; ++yy) {
            const uint8_t* cov = pic->Row(yy - gy);
            uint8_t* row = bmp.Row1(yy);
            for (int xx = part.Left; xx < part.Right; ++xx)
              if (cov[xx - gx] >= 128) row[xx] = mono;
          }
        }
      };
      if (dx) {
        for (size_t i = 0; i < text.size(); ++i) {
          int units;
          char32_t c = CodePointAt(text, i, units);
          draw(c);
          pen += dx[i];
          if (units == 2) pen += dx[++i];
        }
      } else {
        f.ForEachAdvance(text, sp, [&](size_t, int, char32_t c, int a) {
          draw(c);
          pen += a;
        });
      }
    }
    if (s_.Font.Style.Underline) fillRows(baseline + f.UnderlineTop(), f.UnderlineThickness(), textRgb);
    if (s_.Font.Style.StrikeOut) fillRows(baseline + f.StrikeOutTop(), f.StrikeOutThickness(), textRgb);
  }

  if (!dx) s_.BreakRem = std::max(0, s_.BreakRem - breaks);
  if (updateCp) {
    int64_t nx = h == kAlignRight ? int64_t{x} - extent : h == kAlignCenter ? int64_t{x} : int64_t{x} + extent;
    s_.PenPos.x = ClampToInt(nx);
  }
  return true;
}

int TCanvas::DrawTextW(std::u16string_view text, TRect& rect, uint32_t format) {
  TRealFont& f = RealizedFont(s_.Font);
  const int lineHeight = f.Metrics().tmHeight;

  // The "&" prefix: "&x" shows x underlined, "&&" one "&"; a final "&" shows nothing.
  std::u16string shown;
  std::vector<size_t> marked;
  shown.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (!(format & DT_NOPREFIX) && text[i] == u'&') {
      if (++i >= text.size()) break;
      if (text[i] != u'&') marked.push_back(shown.size());
    }
    shown.push_back(text[i]);
  }

  // Character extra applies; justification does not.
  TTextSpacing sp;
  sp.charExtra = s_.CharExtra;
  std::vector<int> adv(shown.size());
  if (!shown.empty()) f.Advances(shown, sp, adv.data());
  // prefix[k]: the width of the first k units, so that any piece measures in constant time.
  std::vector<int64_t> prefix(shown.size() + 1, 0);
  for (size_t k = 0; k < shown.size(); ++k) prefix[k + 1] = prefix[k] + adv[k];
  auto widthOf = [&](size_t a, size_t b) { return prefix[b] - prefix[a]; };

  struct Line {
    size_t start, end;
    int64_t width;
  };
  std::vector<Line> lines;
  const bool wrap = (format & DT_WORDBREAK) && !(format & DT_SINGLELINE);
  const int64_t room = int64_t{rect.Right} - rect.Left;
  auto addParagraph = [&](size_t p0, size_t p1) {
    size_t i = p0;
    bool first = true;
    do {
      if (!first) {
        while (i < p1 && shown[i] == u' ') ++i;
        if (i == p1) break;
      }
      first = false;
      size_t start = i, end = p1, next = p1, lastBreak = SIZE_MAX;
      int64_t w = 0;
      for (size_t j = i; j < p1; ++j) {
        if (shown[j] == u' ') {
          if (j > start && shown[j - 1] != u' ') lastBreak = j;
        } else if (wrap && j > start && w + adv[j] > room) {
          // A word that does not fit goes to the next line; one longer
          // than the line is broken where it overflows.
          if (lastBreak != SIZE_MAX) {
            end = lastBreak;
            next = lastBreak + 1;
          } else {
            end = next = j;
          }
          break;
        }
        w += adv[j];
      }
      size_t e = end;
      while (e > start && shown[e - 1] == u' ') --e;
      lines.push_back({start, e, widthOf(start, e)});
      i = next;
    } while (i < p1);
  };
  if (!shown.empty()) {
    if (format & DT_SINGLELINE) {
      lines.push_back({0, shown.size(), widthOf(0, shown.size())});
    } else {
      size_t p0 = 0;
      for (size_t k = 0; k <= shown.size(); ++k) {
        if (k == shown.size() || shown[k] == u'\r' || shown[k] == u'\n') {
          addParagraph(p0, k);
          if (k + 1 < shown.size() && shown[k] == u'\r' && shown[k + 1] == u'\n') ++k;
          p0 = k + 1;
        }
      }
    }
  }

  const int64_t total = int64_t{lineHeight} * int64_t(lines.size());
  if (format & DT_CALCRECT) {
    int64_t widest = 0;
    for (const Line& l : lines) widest = std::max(widest, l.width);
    rect.Right = ClampToInt(rect.Left + widest);
    rect.Bottom = ClampToInt(rect.Top + total);
    return ClampToInt(total);
  }

  int64_t y = rect.Top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER)
      y = rect.Top + (int64_t{rect.Bottom} - rect.Top - lineHeight) / 2;
    else if (format & DT_BOTTOM)
      y = int64_t{rect.Bottom} - lineHeight;
  }
  const uint32_t savedAlign = std::exchange(s_.TextAlign, TA_LEFT | TA_TOP);
  const uint32_t options = (format & DT_NOCLIP) ? 0u : uint32_t{ETO_CLIPPED};
  size_t mark = 0;
  std::vector<TRect> underlines;
  const TPoint clipA = ToDevice(rect.Left, rect.Top), clipB = ToDevice(rect.Right, rect.Bottom);
  const TRegion clipRect(TRect{clipA.x, clipA.y, clipB.x, clipB.y});
  const TRect reach = DrawableRegion().Box();
  for (const Line& l : lines) {
    // Lines above the drawable area are passed, those below it end the work.
    const int64_t devY = y - s_.WindowOrg.y;
    if (devY >= reach.Bottom || y > kCoordLimit) break;
    if (devY + lineHeight <= reach.Top) {
      y += lineHeight;
      continue;
    }
    int64_t x = rect.Left;
    if (format & DT_CENTER)
      x += (room - l.width) / 2;
    else if (format & DT_RIGHT)
      x = rect.Right - l.width;
    std::u16string_view piece(shown.data() + l.start, l.end - l.start);
    ExtTextOutW(Clamp(x), Clamp(y), options, &rect, piece, adv.data() + l.start);
    // The lines under the line's marked characters, filled together.
    underlines.clear();
    while (mark < marked.size() && marked[mark] < l.start) ++mark;
    for (; mark < marked.size() && marked[mark] < l.end; ++mark) {
      size_t k = marked[mark];
      int64_t ux = x + widthOf(l.start, k) - s_.WindowOrg.x;
      int64_t uy = y + f.Metrics().tmAscent + f.UnderlineTop() - s_.WindowOrg.y;
      underlines.push_back(DeviceRect(ux, uy, ux + adv[k] - sp.charExtra, uy + f.UnderlineThickness()));
    }
    if (!underlines.empty() && s_.TextColor != NoColor) {
      TRegion under = TRegion::FromRects(underlines);
      if (options) under.Combine(under, clipRect, RGN_AND);
      FillDeviceRegion(under, ColorToRGB(s_.TextColor));
    }
    y += lineHeight;
  }
  s_.TextAlign = savedAlign;
  return ClampToInt(total);
}

}  // namespace plat
