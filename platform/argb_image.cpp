#include "platform/argb_image.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>
#include <vector>

#include <pixman.h>

#include "platform/errors.h"
#include "platform/region.h"

namespace plat {

namespace {

struct TPixmanUnref {
  void operator()(pixman_image_t* p) const { pixman_image_unref(p); }
};
using TPixmanImage = std::unique_ptr<pixman_image_t, TPixmanUnref>;

// A pixman image over part of a pixel buffer (no copy).
TPixmanImage SubImage(pixman_format_code_t format, const uint32_t* pixels, int stride, const TRect& r) {
  auto* base = reinterpret_cast<uint8_t*>(const_cast<uint32_t*>(pixels));
  auto* first = reinterpret_cast<uint32_t*>(base + size_t(r.Top) * size_t(stride) + size_t(r.Left) * 4);
  pixman_image_t* image = pixman_image_create_bits(format, r.Width(), r.Height(), first, stride);
  if (!image) throw EOutOfResources();
  return TPixmanImage(image);
}

int64_t CeilDiv(int64_t n, int64_t d) { return n >= 0 ? (n + d - 1) / d : -((-n) / d); }

// Destination pixels k in [0, dn) whose centre maps into source pixels
// [a, b) when dn pixels show sn: a <= (2k + 1) * sn / (2 * dn) < b.
void CentresInside(int64_t a, int64_t b, int64_t sn, int64_t dn, int64_t& k0, int64_t& k1) {
  k0 = std::clamp<int64_t>(CeilDiv(2 * a * dn - sn, 2 * sn), 0, dn);
  k1 = std::clamp<int64_t>(CeilDiv(2 * b * dn - sn, 2 * sn), 0, dn);
}

// pixman keeps coordinates in 16.16 fixed point and skips composites
// whose source extents leave 16 bits, so work goes in tiles small enough
// to address with local coordinates. Nearest sampling is done here with
// exact integer mapping (a 16.16 step drifts across long runs and would
// move the edges between source pixels); pixman filters bilinearly up to
// this reduction, beyond which the nearest pixel serves as well.
constexpr double kMaxPixmanReduction = 1024;
constexpr int kTileSide = 2048;
// Sampled tiles are built in a buffer that should stay in cache.
constexpr int kSampledTilePixels = 32768;

int TileSide(double reduction) {
  if (reduction <= 1) return kTileSide;
  return std::clamp(static_cast<int>(4096 / reduction), 1, kTileSide);
}

pixman_fixed_t ToFixed(double v) { return static_cast<pixman_fixed_t>(std::lround(v * 65536)); }

uint32_t Premultiply(uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
  auto mul = [a](uint8_t c) { return (uint32_t(c) * a + 127) / 255; };
  return uint32_t(a) << 24 | mul(r) << 16 | mul(g) << 8 | mul(b);
}

}  // namespace

// ---- TArgbImage

TArgbImage::TArgbImage() = default;

TArgbImage::TArgbImage(int width, int height) { Allocate(width, height); }

TArgbImage::TArgbImage(const TBitmap& bitmap) {
  Allocate(bitmap.Width(), bitmap.Height());
  for (int y = 0; y < height_; ++y) {
    uint32_t* out = Row(y);
    if (bitmap.Monochrome()) {
      const uint8_t* in = bitmap.Row1(y);
      for (int x = 0; x < width_; ++x) out[x] = in[x] ? 0xFFFFFFFFu : 0xFF000000u;
    } else {
      const uint32_t* in = bitmap.Row32(y);
      for (int x = 0; x < width_; ++x) out[x] = in[x] | 0xFF000000u;
    }
  }
}

TArgbImage TArgbImage::FromRgbaRows(int width, int height, std::span<const uint8_t> data, size_t stride) {
  TArgbImage img(width, height);
  if (img.Empty()) return img;
  const size_t rowBytes = size_t(width) * 4;
  if (stride < rowBytes || data.size() < rowBytes || (data.size() - rowBytes) / stride < size_t(height - 1))
    throw std::invalid_argument("RGBA rows do not fit in the data");
  for (int y = 0; y < height; ++y) {
    const uint8_t* in = data.data() + size_t(y) * stride;
    uint32_t* out = img.Row(y);
    for (int x = 0; x < width; ++x, in += 4) out[x] = Premultiply(in[3], in[0], in[1], in[2]);
  }
  return img;
}

TArgbImage::TArgbImage(const TArgbImage& other) { *this = other; }

TArgbImage& TArgbImage::operator=(const TArgbImage& other) {
  if (this == &other) return *this;
  Allocate(other.width_, other.height_);
  if (pixels_) std::memcpy(pixels_.get(), other.pixels_.get(), size_t(width_) * size_t(height_) * 4);
  return *this;
}

TArgbImage::TArgbImage(TArgbImage&& other) noexcept { *this = std::move(other); }

TArgbImage& TArgbImage::operator=(TArgbImage&& other) noexcept {
  if (this == &other) return *this;
  if (image_) pixman_image_unref(image_);
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  pixels_ = std::move(other.pixels_);
  image_ = std::exchange(other.image_, nullptr);
  return *this;
}

TArgbImage::~TArgbImage() {
  if (image_) pixman_image_unref(image_);
}

void TArgbImage::Allocate(int width, int height) {
  if (!IsPictureSizeAllowed(width, height)) throw EOutOfResources();
  const size_t count = size_t(width) * size_t(height);
  std::unique_ptr<uint32_t[]> pixels;
  pixman_image_t* image = nullptr;
  if (count > 0) {
    pixels.reset(new (std::nothrow) uint32_t[count]);
    if (!pixels) throw EOutOfResources();
    std::memset(pixels.get(), 0, count * 4);
    image = pixman_image_create_bits(PIXMAN_a8r8g8b8, width, height, pixels.get(), width * 4);
    if (!image) throw EOutOfResources();
  }
  if (image_) pixman_image_unref(image_);
  image_ = image;
  pixels_ = std::move(pixels);
  width_ = width;
  height_ = height;
}

uint32_t* TArgbImage::Row(int y) {
  assert(y >= 0 && y < height_);
  return pixels_.get() + size_t(y) * size_t(width_);
}
const uint32_t* TArgbImage::Row(int y) const { return const_cast<TArgbImage*>(this)->Row(y); }

void TArgbImage::SetPixel(int x, int y, uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Row(y)[x] = Premultiply(a, r, g, b);
}

TArgb TArgbImage::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return {};
  const uint32_t p = Row(y)[x];
  const uint32_t a = p >> 24;
  if (a == 0) return {};
  auto un = [a](uint32_t c) { return uint8_t(std::min<uint32_t>(255, (c * 255 + a / 2) / a)); };
  return {uint8_t(a), un((p >> 16) & 0xFF), un((p >> 8) & 0xFF), un(p & 0xFF)};
}

void TArgbImage::Clear() {
  if (pixels_) std::memset(pixels_.get(), 0, size_t(width_) * size_t(height_) * 4);
}

void TArgbImage::Draw(const TArgbImage& src, const TRect& dst, const TRect& srcRect, bool bilinear) {
  if (Empty()) return;
  if (&src == this) {
    const TArgbImage copy(src);  // pixman may not read and write one buffer
    Draw(copy, dst, srcRect, bilinear);
    return;
  }
  CompositeArgb(src, srcRect, dst, nullptr, bilinear, {pixels_.get(), width_ * 4, width_, height_, true});
}

// ---- compositing

namespace {

struct TMapping {
  TRect src;    // the source rectangle as asked
  TRect dst;    // the destination rectangle as asked
  TRect inner;  // the part of `src` inside the image
  double fx = 1, fy = 1;  // source pixels per destination pixel
};

// Nearest sampling: each destination pixel takes the image pixel under its centre.
void CompositeSampledTile(const TArgbImage& image, const TMapping& m, const TRect& tile, pixman_image_t* dest,
                          std::vector<uint32_t>& buf) {
  const int w = tile.Width(), h = tile.Height();
  buf.resize(size_t(w) * size_t(h));
  const int64_t sw = m.src.Width(), sh = m.src.Height(), dw = m.dst.Width(), dh = m.dst.Height();
  std::vector<int> cols(static_cast<size_t>(w));
  for (int i = 0; i < w; ++i) {
    const int64_t k = int64_t{tile.Left} + i - m.dst.Left;
    cols[size_t(i)] = std::clamp<int>(int(m.src.Left + (2 * k + 1) * sw / (2 * dw)), m.inner.Left, m.inner.Right - 1);
  }
  int previous = -1;
  for (int j = 0; j < h; ++j) {
    const int64_t k = int64_t{tile.Top} + j - m.dst.Top;
    const int sy = std::clamp<int>(int(m.src.Top + (2 * k + 1) * sh / (2 * dh)), m.inner.Top, m.inner.Bottom - 1);
    uint32_t* out = buf.data() + size_t(j) * size_t(w);
    if (sy == previous) {
      std::memcpy(out, out - w, size_t(w) * 4);  // an enlarged row repeats
      continue;
    }
    const uint32_t* in = image.Row(sy);
    for (int i = 0; i < w; ++i) out[i] = in[cols[size_t(i)]];
    previous = sy;
  }
  TPixmanImage src = SubImage(PIXMAN_a8r8g8b8, buf.data(), w * 4, {0, 0, w, h});
  pixman_image_composite32(PIXMAN_OP_OVER, src.get(), nullptr, dest, 0, 0, 0, 0, 0, 0, w, h);
}

// Unscaled or bilinear, by pixman: the tile's own slice of the image (one
// pixel wider each way for the filter, padded at the edges of the source
// rectangle) under a transform from tile to slice coordinates.
void CompositePixmanTile(const TArgbImage& image, const TMapping& m, const TRect& tile, pixman_image_t* dest) {
  // Continuous source coordinates of the tile's edges.
  const double x0 = m.src.Left + (double(tile.Left) - m.dst.Left) * m.fx;
  const double y0 = m.src.Top + (double(tile.Top) - m.dst.Top) * m.fy;
  const double x1 = m.src.Left + (double(tile.Right) - m.dst.Left) * m.fx;
  const double y1 = m.src.Top + (double(tile.Bottom) - m.dst.Top) * m.fy;
  TRect slice{std::clamp(int(std::floor(x0)) - 1, m.inner.Left, m.inner.Right - 1),
              std::clamp(int(std::floor(y0)) - 1, m.inner.Top, m.inner.Bottom - 1),
              std::clamp(int(std::ceil(x1)) + 1, m.inner.Left + 1, m.inner.Right),
              std::clamp(int(std::ceil(y1)) + 1, m.inner.Top + 1, m.inner.Bottom)};
  TPixmanImage src = SubImage(PIXMAN_a8r8g8b8, image.Row(0), image.Width() * 4, slice);
  const bool identity = m.src.Width() == m.dst.Width() && m.src.Height() == m.dst.Height();
  int srcX = 0, srcY = 0;
  if (identity) {
    // Whole-pixel offsets: no transform, so pixman's plain copy paths apply.
    srcX = int(x0) - slice.Left;
    srcY = int(y0) - slice.Top;
  } else {
    pixman_transform_t t;
    pixman_transform_init_identity(&t);
    t.matrix[0][0] = ToFixed(m.fx);
    t.matrix[0][2] = ToFixed(x0 - slice.Left);
    t.matrix[1][1] = ToFixed(m.fy);
    t.matrix[1][2] = ToFixed(y0 - slice.Top);
    pixman_image_set_transform(src.get(), &t);
    pixman_image_set_filter(src.get(), PIXMAN_FILTER_BILINEAR, nullptr, 0);
    pixman_image_set_repeat(src.get(), PIXMAN_REPEAT_PAD);
  }
  pixman_image_composite32(PIXMAN_OP_OVER, src.get(), nullptr, dest, srcX, srcY, 0, 0, 0, 0, tile.Width(),
                           tile.Height());
}

}  // namespace

void CompositeArgb(const TArgbImage& image, const TRect& srcRect, const TRect& dst, const TRegion* clip,
                   bool bilinear, const TArgbTarget& target) {
  if (image.Empty() || !target.pixels || target.width <= 0 || target.height <= 0) return;
  const int64_t dw = int64_t{dst.Right} - dst.Left, dh = int64_t{dst.Bottom} - dst.Top;
  const int64_t sw = int64_t{srcRect.Right} - srcRect.Left, sh = int64_t{srcRect.Bottom} - srcRect.Top;
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  if (dw > kMaxBitmapSide || dh > kMaxBitmapSide || sw > kMaxBitmapSide || sh > kMaxBitmapSide) return;
  TMapping m{srcRect, dst, IntersectRect(srcRect, {0, 0, image.Width(), image.Height()}), double(sw) / double(dw),
             double(sh) / double(dh)};
  if (m.inner.IsEmpty()) return;

  // Only destination pixels whose centres land on the image are drawn.
  int64_t kx0, kx1, ky0, ky1;
  CentresInside(m.inner.Left - int64_t{srcRect.Left}, m.inner.Right - int64_t{srcRect.Left}, sw, dw, kx0, kx1);
  CentresInside(m.inner.Top - int64_t{srcRect.Top}, m.inner.Bottom - int64_t{srcRect.Top}, sh, dh, ky0, ky1);
  auto clampX = [&](int64_t v) { return int(std::clamp<int64_t>(v, 0, target.width)); };
  auto clampY = [&](int64_t v) { return int(std::clamp<int64_t>(v, 0, target.height)); };
  TRegion visible(TRect{clampX(dst.Left + kx0), clampY(dst.Top + ky0), clampX(dst.Left + kx1), clampY(dst.Top + ky1)});
  if (clip) visible.Combine(visible, *clip, RGN_AND);
  if (visible.Empty()) return;

  const bool identity = sw == dw && sh == dh;
  const bool sampled =
      !identity && (!bilinear || m.fx > kMaxPixmanReduction || m.fy > kMaxPixmanReduction);
  const TRect box = visible.Box();
  const int tw = sampled ? std::min(box.Width(), kTileSide) : TileSide(m.fx);
  const int th = sampled ? std::clamp(kSampledTilePixels / tw, 1, kTileSide) : TileSide(m.fy);
  const pixman_format_code_t format = target.hasAlpha ? PIXMAN_a8r8g8b8 : PIXMAN_x8r8g8b8;
  std::vector<uint32_t> scratch;
  for (int ty = box.Top; ty < box.Bottom; ty = ty + std::min(th, box.Bottom - ty)) {
    for (int tx = box.Left; tx < box.Right; tx = tx + std::min(tw, box.Right - tx)) {
      const TRect tile{tx, ty, tx + std::min(tw, box.Right - tx), ty + std::min(th, box.Bottom - ty)};
      TRegion part(tile);
      part.Combine(part, visible, RGN_AND);
      if (part.Empty()) continue;
      part.Offset(-tx, -ty);
      TPixmanImage dest = SubImage(format, target.pixels, target.stride, tile);
      pixman_image_set_clip_region32(dest.get(), part.Raw());
      if (sampled)
        CompositeSampledTile(image, m, tile, dest.get(), scratch);
      else
        CompositePixmanTile(image, m, tile, dest.get());
    }
  }
}

}  // namespace plat
