#include "platform/bitmap.h"

#include <cassert>
#include <algorithm>
#include <cstring>
#include <new>

#include <pixman.h>

#include "platform/canvas.h"
#include "platform/errors.h"

namespace plat {

namespace {

int StrideFor(int width, TPixelFormat format) {
  int64_t bytes = format == TPixelFormat::pf32bit ? int64_t{width} * 4 : (int64_t{width} + 3) / 4 * 4;
  return static_cast<int>(bytes);
}

}  // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) { Allocate(width, height, format); }

TBitmap::TBitmap(const TBitmap& other) { *this = other; }

TBitmap& TBitmap::operator=(const TBitmap& other) {
  if (this == &other) return *this;
  Allocate(other.width_, other.height_, other.format_);
  if (pixels_) std::memcpy(pixels_.get(), other.pixels_.get(), size_t(stride_) * size_t(height_));
  return *this;
}

TBitmap::TBitmap(TBitmap&& other) noexcept {
  *this = std::move(other);
  // Nobody can hold a reference to this bitmap's canvas yet: take the source's.
  canvas_ = std::move(other.canvas_);
  if (canvas_) canvas_->target_ = this;
}

// Only the pictures move. Each bitmap keeps its own canvas, so references
// to either canvas stay valid: this one's draws on the new picture, the
// source's on the source, now empty.
TBitmap& TBitmap::operator=(TBitmap&& other) noexcept {
  if (this == &other) return *this;
  Release();
  width_ = other.width_;
  height_ = other.height_;
  stride_ = other.stride_;
  format_ = other.format_;
  pixels_ = std::move(other.pixels_);
  image_ = other.image_;
  other.image_ = nullptr;
  other.width_ = other.height_ = other.stride_ = 0;
  return *this;
}

TBitmap::~TBitmap() { Release(); }

void TBitmap::Release() {
  if (image_) pixman_image_unref(image_);
  image_ = nullptr;
  pixels_.reset();
  width_ = height_ = stride_ = 0;
}

void TBitmap::Allocate(int width, int height, TPixelFormat format) {
  if (!IsPictureSizeAllowed(width, height)) throw EOutOfResources();
  int stride = StrideFor(width, format);
  std::unique_ptr<uint8_t[]> pixels;
  size_t bytes = size_t(stride) * size_t(height);
  if (bytes > 0) {
    pixels.reset(new (std::nothrow) uint8_t[bytes]);
    if (!pixels) throw EOutOfResources();
    if (format == TPixelFormat::pf32bit)
      std::fill_n(reinterpret_cast<uint32_t*>(pixels.get()), bytes / 4, 0x00FFFFFFu);  // white, top byte clear
    else
      std::memset(pixels.get(), 0xFF, bytes);
  }
  pixman_image_t* image = nullptr;
  if (bytes > 0) {
    image = pixman_image_create_bits(format == TPixelFormat::pf32bit ? PIXMAN_x8r8g8b8 : PIXMAN_a8, width,
                                     height, reinterpret_cast<uint32_t*>(pixels.get()), stride);
    if (!image) throw EOutOfResources();
  }
  if (image_) pixman_image_unref(image_);
  image_ = image;
  pixels_ = std::move(pixels);
  width_ = width;
  height_ = height;
  stride_ = stride;
  format_ = format;
}

void TBitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  TBitmap resized(width, height, format_);  // a refused size throws here, leaving this bitmap as it was
  const int w = std::min(width, width_), h = std::min(height, height_);
  const size_t rowBytes = format_ == TPixelFormat::pf32bit ? size_t(w) * 4 : size_t(w);
  for (int y = 0; y < h; ++y)
    std::memcpy(resized.pixels_.get() + size_t(y) * size_t(resized.stride_),
                pixels_.get() + size_t(y) * size_t(stride_), rowBytes);
  *this = std::move(resized);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == format_) return;
  TBitmap converted(width_, height_, format);
  for (int y = 0; y < height_; ++y) {
    if (format == TPixelFormat::pf1bit) {
      const uint32_t* src = Row32(y);
      uint8_t* dst = converted.Row1(y);
      for (int x = 0; x < width_; ++x) dst[x] = (src[x] & 0xFFFFFF) == 0xFFFFFF ? 0xFF : 0;
    } else {
      const uint8_t* src = Row1(y);
      uint32_t* dst = converted.Row32(y);
      for (int x = 0; x < width_; ++x) dst[x] = src[x] ? 0xFFFFFF : 0;
    }
  }
  *this = std::move(converted);
}

uint32_t* TBitmap::Row32(int y) {
  assert(format_ == TPixelFormat::pf32bit && y >= 0 && y < height_);
  return reinterpret_cast<uint32_t*>(pixels_.get() + size_t(y) * stride_);
}
const uint32_t* TBitmap::Row32(int y) const { return const_cast<TBitmap*>(this)->Row32(y); }
uint8_t* TBitmap::Row1(int y) {
  assert(format_ == TPixelFormat::pf1bit && y >= 0 && y < height_);
  return pixels_.get() + size_t(y) * stride_;
}
const uint8_t* TBitmap::Row1(int y) const { return const_cast<TBitmap*>(this)->Row1(y); }

uint32_t TBitmap::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  if (format_ == TPixelFormat::pf1bit) return Row1(y)[x] ? 0xFFFFFF : 0;
  return static_cast<uint32_t>(PixelToColor(Row32(y)[x]));
}

void TBitmap::SetPixel(int x, int y, TColor color) {
  if (color == NoColor || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  if (format_ == TPixelFormat::pf1bit) {
    Row1(y)[x] = MonoByteFor(ColorToRGB(color));
  } else {
    Row32(y)[x] = ColorToPixel(color);
  }
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TCanvas>(*this);
  return *canvas_;
}

}  // namespace plat
