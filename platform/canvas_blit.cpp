// Block transfers between canvases (raster operations, format conversion,
// stretching) and drawing alpha images onto a canvas.
//
// Conventions:
// - A raster operation is its truth table (bits 16-23 of the code; the low
//   word is ignored): result bit = table bit (P << 2 | S << 1 | D), worked
//   bitwise over the 24 colour bits (or the byte of a monochrome pixel).
// - P is this canvas's brush: its colour on a colour surface, the nearest
//   of black and white on a monochrome one. As with PatBlt, an operation
//   that reads P draws nothing while the brush is clear.
// - An operation that does not read S ignores the source canvas.
// - A negative extent covers the pixels before the corner and the one at
//   it: width -3 at x covers x-2 .. x. Where exactly one side of an axis is
//   negative, that axis is mirrored; BitBlt therefore never mirrors.
// - Destination pixels whose source lies outside the source bitmap are left
//   alone; the source canvas's clip region plays no part.
// - Each destination pixel reads the source pixel under its centre; when
//   shrinking in BLACKONWHITE, WHITEONBLACK or HALFTONE mode it reads the
//   whole block of source pixels it stands for instead and combines them
//   (AND, OR, average). Enlarging replicates in every mode.
#include <algorithm>
#include <cstring>
#include <type_traits>
#include <vector>

#include "platform/argb_image.h"
#include "platform/canvas.h"

namespace plat {

namespace {

constexpr uint32_t kRgbMask = 0xFFFFFF;

uint8_t RopTable(uint32_t rop) { return uint8_t(rop >> 16); }
bool ReadsSource(uint8_t t) { return ((t >> 2) & 0x33) != (t & 0x33); }
bool ReadsPattern(uint8_t t) { return (t >> 4) != (t & 0x0F); }

// The operation with the pattern fixed: for each (S, D) pair, index
// S << 1 | D, the result bits.
struct TRopTerms {
  uint32_t m[4];
};

TRopTerms MakeTerms(uint8_t table, uint32_t p, uint32_t mask) {
  TRopTerms t{};
  for (int i = 0; i < 4; ++i) {
    const uint32_t whereP = (table >> (4 + i)) & 1 ? mask : 0;
    const uint32_t whereNotP = (table >> i) & 1 ? mask : 0;
    t.m[i] = (p & whereP) | (~p & whereNotP);
  }
  return t;
}

template <typename T>
void RopRow(T* d, const T* s, int n, uint8_t table, const TRopTerms& t, T mask) {
  switch (table) {
    case 0xCC: std::memcpy(d, s, sizeof(T) * size_t(n)); return;  // SRCCOPY
    case 0x88: for (int i = 0; i < n; ++i) d[i] &= s[i]; return;   // SRCAND
    case 0xEE: for (int i = 0; i < n; ++i) d[i] |= s[i]; return;   // SRCPAINT
    case 0x66: for (int i = 0; i < n; ++i) d[i] ^= s[i]; return;   // SRCINVERT
    case 0x33: for (int i = 0; i < n; ++i) d[i] = T(~s[i] & mask); return;  // NOTSRCCOPY
    default: break;
  }
  const uint32_t m0 = t.m[0], m1 = t.m[1], m2 = t.m[2], m3 = t.m[3];
  for (int i = 0; i < n; ++i) {
    const uint32_t sv = s[i], dv = d[i];
    d[i] = T((~sv & ((~dv & m0) | (dv & m1))) | (sv & ((~dv & m2) | (dv & m3))));
  }
}

// One axis of a transfer: the source span [lo, hi) each destination pixel
// of [first, first + lo.size()) reads, already clipped to the source
// bitmap, and the destination pixels whose span is not empty.
struct TAxisMap {
  int first = 0;
  std::vector<int> lo, hi;
  int validBegin = 0, validEnd = 0;
  int srcMin = 0, srcMax = 0;  // bounds of the source pixels read
  bool single = true;          // every span is one pixel
  bool contiguous = false;     // and they follow each other: no scaling or mirroring
};

// Destination [d0, d0 + n) shows source [s0, s0 + m), mirrored or not;
// only destination pixels [c0, c1) are mapped.
TAxisMap MapAxis(int64_t d0, int64_t n, int64_t s0, int64_t m, bool mirror, bool blocks, int srcSize, int c0,
                 int c1) {
  TAxisMap a;
  a.first = c0;
  a.lo.resize(size_t(c1 - c0));
  a.hi.resize(size_t(c1 - c0));
  a.validBegin = a.validEnd = c0;
  a.srcMin = srcSize;
  a.single = !(blocks && m > n);
  a.contiguous = m == n && !mirror;
  bool any = false;
  for (int p = c0; p < c1; ++p) {
    const int64_t k = mirror ? n - 1 - (p - d0) : p - d0;
    int64_t lo, hi;
    if (blocks && m > n) {
      lo = k * m / n;
      hi = (k + 1) * m / n;
    } else {
      lo = (2 * k + 1) * m / (2 * n);
      hi = lo + 1;
    }
    lo = std::clamp<int64_t>(s0 + lo, 0, srcSize);
    hi = std::clamp<int64_t>(s0 + hi, 0, srcSize);
    a.lo[size_t(p - c0)] = int(lo);
    a.hi[size_t(p - c0)] = int(hi);
    if (lo < hi) {
      // Spans move monotonically, so the drawable pixels are one run.
      if (!any) a.validBegin = p;
      a.validEnd = p + 1;
      any = true;
      a.srcMin = std::min(a.srcMin, int(lo));
      a.srcMax = std::max(a.srcMax, int(hi));
    }
  }
  return a;
}

enum class TCombine { Nearest, And, Or, Average };

template <typename T>
const T* PixelRow(const TBitmap& b, int y);
template <>
const uint32_t* PixelRow<uint32_t>(const TBitmap& b, int y) { return b.Row32(y); }
template <>
const uint8_t* PixelRow<uint8_t>(const TBitmap& b, int y) { return b.Row1(y); }
template <typename T>
T* PixelRow(TBitmap& b, int y) { return const_cast<T*>(PixelRow<T>(static_cast<const TBitmap&>(b), y)); }

// Where the source pixels come from: pixel (x, y) of the source bitmap is
// pixel (x - ox, y - oy) of `bmp` (a snapshot when source and destination overlap).
struct TSourceView {
  const TBitmap* bmp = nullptr;
  int ox = 0, oy = 0;
};

// Rounded averages of channel sums over n pixels. Block sizes repeat
// along a row, so the reciprocal is kept for the last size.
struct TAverager {
  uint64_t n = 0;
  double inv = 0, half = 0;

  // Multiplying by the reciprocal is exact while n < 2^23: a quotient is at
  // most 255, so the rounding error stays far below the 1 / n step between
  // quotients of whole numbers, and the nudge lifts exact ones above it.
  uint32_t Div(uint64_t v, uint64_t count) {
    if (count >= (1u << 23)) return uint32_t((v + count / 2) / count);
    if (count != n) n = count, inv = 1.0 / double(count), half = double(count / 2);
    return uint32_t((double(v) + half) * inv + 0x1p-30);
  }
  template <typename DstT>
  DstT Average(uint64_t r, uint64_t g, uint64_t b, uint64_t count) {
    if constexpr (sizeof(DstT) == 4) {
      const uint32_t qr = Div(r, count), qg = Div(g, count), qb = Div(b, count);
      return qr << 16 | qg << 8 | qb;
    } else {
      return Div(r, count) >= 0x80 ? 0xFF : 0;
    }
  }
};

// One destination pixel from a block of source pixels; `rows` points at
// the first source row of the block, rows are `stride` bytes apart.
template <TCombine C, typename DstT, typename SrcT, typename Conv>
DstT CombineBlock(const uint8_t* rows, size_t stride, int lo, int hi, int nrows, DstT mask, Conv conv,
                  TAverager& avg) {
  DstT acc = C == TCombine::And ? mask : 0;
  uint64_t r = 0, g = 0, bl = 0;
  for (int y = 0; y < nrows; ++y, rows += stride) {
    const SrcT* row = reinterpret_cast<const SrcT*>(rows);
    for (int i = lo; i < hi; ++i) {
      const DstT c = conv(row[i]);
      if constexpr (C == TCombine::And) {
        acc &= c;
      } else if constexpr (C == TCombine::Or) {
        acc |= c;
      } else if constexpr (sizeof(DstT) == 4) {
        r += (c >> 16) & 0xFF, g += (c >> 8) & 0xFF, bl += c & 0xFF;
      } else {
        r += c;
      }
    }
  }
  if constexpr (C == TCombine::Average) acc = avg.Average<DstT>(r, g, bl, uint64_t(nrows) * uint64_t(hi - lo));
  return acc;
}

template <TCombine C, typename DstT, typename SrcT, typename Conv>
void CombineRow(DstT* out, int x0, int x1, const TAxisMap& mx, int ylo, int yhi, const TSourceView& v, DstT mask,
                Conv conv) {
  const auto* rows = reinterpret_cast<const uint8_t*>(PixelRow<SrcT>(*v.bmp, ylo - v.oy));
  const size_t stride = size_t(v.bmp->Stride());
  TAverager avg;
  for (int x = x0; x < x1; ++x) {
    const size_t i = size_t(x - mx.first);
    *out++ = CombineBlock<C, DstT, SrcT>(rows, stride, mx.lo[i] - v.ox, mx.hi[i] - v.ox, yhi - ylo, mask, conv, avg);
  }
}

// Fills out[0 .. x1 - x0) with the converted source pixels that
// destination pixels x0 .. x1 read from source rows [ylo, yhi).
template <typename DstT, typename SrcT, typename Conv>
void SampleRow(DstT* out, int x0, int x1, const TAxisMap& mx, int ylo, int yhi, const TSourceView& v,
               TCombine combine, DstT mask, Conv conv) {
  const int n = x1 - x0;
  const int* lo = mx.lo.data() + (x0 - mx.first);
  if (combine == TCombine::Nearest || (mx.single && yhi - ylo == 1)) {
    const SrcT* row = PixelRow<SrcT>(*v.bmp, ylo - v.oy);
    if (mx.contiguous) {
      row += lo[0] - v.ox;
      for (int i = 0; i < n; ++i) out[i] = conv(row[i]);
    } else {
      const int ox = v.ox;
      for (int i = 0; i < n; ++i) out[i] = conv(row[lo[i] - ox]);
    }
    return;
  }
  switch (combine) {
    case TCombine::And: CombineRow<TCombine::And, DstT, SrcT>(out, x0, x1, mx, ylo, yhi, v, mask, conv); break;
    case TCombine::Or: CombineRow<TCombine::Or, DstT, SrcT>(out, x0, x1, mx, ylo, yhi, v, mask, conv); break;
    default: CombineRow<TCombine::Average, DstT, SrcT>(out, x0, x1, mx, ylo, yhi, v, mask, conv); break;
  }
}

struct TTransfer {
  const TRegion* visible;
  const TAxisMap* mx;
  const TAxisMap* my;
  TSourceView src;  // bmp null: the operation ignores the source
  bool direct;      // same format, no scaling or mirroring: rows are read in place
  TCombine combine;
  uint8_t table;
  TRopTerms terms;
};

template <typename DstT, typename SrcT, typename Conv>
void Run(TBitmap& dst, const TTransfer& t, DstT mask, Conv conv) {
  const TRect box = t.visible->Box();
  std::vector<DstT> buf(size_t(box.Width()), 0);
  // Rows of an enlarged source repeat: the sampled row is reused while it stays the same.
  struct {
    int ylo = -1, yhi = -1, left = 0, right = 0;
  } sampled;
  for (const TRect& r : t.visible->Rects()) {
    for (int y = r.Top; y < r.Bottom; ++y) {
      DstT* d = PixelRow<DstT>(dst, y) + r.Left;
      const DstT* s = buf.data();
      if (t.src.bmp) {
        const int ylo = t.my->lo[size_t(y - t.my->first)], yhi = t.my->hi[size_t(y - t.my->first)];
        bool read = false;
        if constexpr (std::is_same_v<DstT, SrcT>) {
          if (t.direct) {
            s = PixelRow<SrcT>(*t.src.bmp, ylo - t.src.oy) + (t.mx->lo[size_t(r.Left - t.mx->first)] - t.src.ox);
            read = true;
          }
        }
        if (!read && (ylo != sampled.ylo || yhi != sampled.yhi || r.Left != sampled.left || r.Right != sampled.right)) {
          SampleRow<DstT, SrcT>(buf.data(), r.Left, r.Right, *t.mx, ylo, yhi, t.src, t.combine, mask, conv);
          sampled = {ylo, yhi, r.Left, r.Right};
        }
      }
      RopRow<DstT>(d, s, r.Width(), t.table, t.terms, mask);
    }
  }
}

// A copy of the source pixels [area] when they may be overwritten while read.
TBitmap Snapshot(const TBitmap& b, const TRect& area) {
  TBitmap copy(area.Width(), area.Height(), b.PixelFormat());
  const size_t bytes = size_t(area.Width()) * (b.Monochrome() ? 1 : 4);
  for (int y = area.Top; y < area.Bottom; ++y) {
    if (b.Monochrome())
      std::memcpy(copy.Row1(y - area.Top), b.Row1(y) + area.Left, bytes);
    else
      std::memcpy(copy.Row32(y - area.Top), b.Row32(y) + area.Left, bytes);
  }
  return copy;
}

}  // namespace

void TCanvas::BitBlt(int x, int y, int width, int height, const TCanvas& src, int sx, int sy, uint32_t rop) {
  StretchBlt(x, y, width, height, src, sx, sy, width, height, rop);
}

void TCanvas::StretchBlt(int x, int y, int width, int height, const TCanvas& src, int sx, int sy, int sw, int sh,
                         uint32_t rop) {
  TBitmap& dst = *target_;
  const uint8_t table = RopTable(rop);
  const bool readsS = ReadsSource(table);
  if (dst.Empty() || (ReadsPattern(table) && s_.Brush.Style == TBrushStyle::bsClear)) return;
  if (!readsS) sw = width, sh = height;
  const TBitmap* sb = readsS ? &src.Target() : nullptr;
  if (sb && sb->Empty()) return;
  const int64_t w = ExtentLength(width), h = ExtentLength(height), swm = ExtentLength(sw), shm = ExtentLength(sh);
  if (w == 0 || h == 0 || swm == 0 || shm == 0) return;
  if (w > kMaxBitmapSide || h > kMaxBitmapSide || swm > kMaxBitmapSide || shm > kMaxBitmapSide) return;

  const int64_t dx0 = ExtentStart(int64_t{x} - s_.WindowOrg.x, width);
  const int64_t dy0 = ExtentStart(int64_t{y} - s_.WindowOrg.y, height);
  const TRegion drawable = DrawableRegion();
  const TRect box = drawable.Box();
  const int cx0 = int(std::max<int64_t>(dx0, box.Left)), cx1 = int(std::min<int64_t>(dx0 + w, box.Right));
  const int cy0 = int(std::max<int64_t>(dy0, box.Top)), cy1 = int(std::min<int64_t>(dy0 + h, box.Bottom));
  if (cx0 >= cx1 || cy0 >= cy1) return;

  TTransfer t{};
  t.table = table;
  const uint32_t brush = ColorToRGB(s_.Brush.Color);
  const uint32_t mask = dst.Monochrome() ? 0xFF : kRgbMask;
  t.terms = MakeTerms(table, dst.Monochrome() ? MonoByteFor(brush) : ColorToPixel(s_.Brush.Color), mask);

  TAxisMap mx, my;
  TRect valid{cx0, cy0, cx1, cy1};
  TBitmap snapshot;
  if (sb) {
    const TStretchMode mode = s_.StretchMode;
    const bool blocks = mode == BLACKONWHITE || mode == WHITEONBLACK || mode == HALFTONE;
    t.combine = mode == BLACKONWHITE ? TCombine::And
                : mode == WHITEONBLACK ? TCombine::Or
                : mode == HALFTONE     ? TCombine::Average
                                       : TCombine::Nearest;
    const bool mirrorX = (width < 0) != (sw < 0), mirrorY = (height < 0) != (sh < 0);
    const int64_t sx0 = ExtentStart(int64_t{sx} - src.s_.WindowOrg.x, sw);
    const int64_t sy0 = ExtentStart(int64_t{sy} - src.s_.WindowOrg.y, sh);
    mx = MapAxis(dx0, w, sx0, swm, mirrorX, blocks, sb->Width(), cx0, cx1);
    my = MapAxis(dy0, h, sy0, shm, mirrorY, blocks, sb->Height(), cy0, cy1);
    valid = {mx.validBegin, my.validBegin, mx.validEnd, my.validEnd};
    t.direct = w == swm && h == shm && !mirrorX && !mirrorY && sb->Monochrome() == dst.Monochrome();
    t.mx = &mx;
    t.my = &my;
    t.src.bmp = sb;
    const TRect read{mx.srcMin, my.srcMin, mx.srcMax, my.srcMax};
    if (sb == &dst && !IntersectRect(read, valid).IsEmpty()) {
      snapshot = Snapshot(dst, read);
      t.src = {&snapshot, read.Left, read.Top};
    }
  }
  TRegion visible(valid);
  visible.Combine(visible, drawable, RGN_AND);
  if (visible.Empty()) return;
  t.visible = &visible;

  const bool monoSrc = sb && sb->Monochrome();
  if (!dst.Monochrome()) {
    if (monoSrc) {
      const uint32_t fore = ColorToPixel(s_.TextColor), back = ColorToPixel(s_.BkColor);
      Run<uint32_t, uint8_t>(dst, t, kRgbMask, [=](uint8_t v) { return v ? back : fore; });
    } else {
      Run<uint32_t, uint32_t>(dst, t, kRgbMask, [](uint32_t v) { return v & kRgbMask; });
    }
  } else {
    if (monoSrc || !sb) {
      Run<uint8_t, uint8_t>(dst, t, 0xFF, [](uint8_t v) { return uint8_t(v ? 0xFF : 0); });
    } else {
      const uint32_t srcBack = ColorToPixel(src.s_.BkColor);
      Run<uint8_t, uint32_t>(dst, t, 0xFF,
                             [=](uint32_t v) { return uint8_t((v & kRgbMask) == srcBack ? 0xFF : 0); });
    }
  }
}

void TCanvas::DrawArgb(const TArgbImage& image, const TRect& dst, const TRect& src, bool bilinear) {
  TBitmap& b = *target_;
  if (b.Empty() || image.Empty()) return;
  const int64_t l = int64_t{dst.Left} - s_.WindowOrg.x, t = int64_t{dst.Top} - s_.WindowOrg.y;
  const int64_t r = int64_t{dst.Right} - s_.WindowOrg.x, bo = int64_t{dst.Bottom} - s_.WindowOrg.y;
  if (r <= l || bo <= t || r - l > kMaxBitmapSide || bo - t > kMaxBitmapSide) return;
  if (r <= 0 || bo <= 0 || l >= b.Width() || t >= b.Height()) return;
  // Overlapping the surface and at most kMaxBitmapSide long: fits in int.
  const TRect d{int(l), int(t), int(r), int(bo)};
  const TRegion area = DrawableRegion();
  if (!b.Monochrome()) {
    CompositeArgb(image, src, d, &area, bilinear, {b.Row32(0), b.Stride(), b.Width(), b.Height(), false});
    return;
  }
  // Monochrome: composite onto a black-and-white colour copy, a tile at a
  // time, and keep the nearest of black and white.
  constexpr int kTile = 512;
  const TRect box = IntersectRect(area.Box(), d);
  std::vector<uint32_t> buf;
  for (int ty = box.Top; ty < box.Bottom; ty += kTile) {
    for (int tx = box.Left; tx < box.Right; tx += kTile) {
      const TRect tile{tx, ty, std::min(tx + kTile, box.Right), std::min(ty + kTile, box.Bottom)};
      const int tw = tile.Width(), th = tile.Height();
      TRegion part(tile);
      part.Combine(part, area, RGN_AND);
      if (part.Empty()) continue;
      part.Offset(-tx, -ty);
      buf.assign(size_t(tw) * size_t(th), 0);
      for (int y = 0; y < th; ++y) {
        const uint8_t* in = b.Row1(ty + y) + tx;
        for (int x = 0; x < tw; ++x) buf[size_t(y) * size_t(tw) + size_t(x)] = in[x] ? kRgbMask : 0;
      }
      CompositeArgb(image, src, d.Offset(-tx, -ty), &part, bilinear, {buf.data(), tw * 4, tw, th, false});
      for (int y = 0; y < th; ++y) {
        uint8_t* out = b.Row1(ty + y) + tx;
        for (int x = 0; x < tw; ++x) out[x] = MonoByteFor(buf[size_t(y) * size_t(tw) + size_t(x)] & kRgbMask);
      }
    }
  }
}

}  // namespace plat
