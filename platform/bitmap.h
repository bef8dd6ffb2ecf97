#pragma once
// Bitmaps: 32-bit device-compatible pictures (pixels 0x00RRGGBB) and 1-bit
// monochrome masks (stored a byte a pixel: 0 black, 0xFF white).
#include <cstdint>
#include <memory>

#include "platform/color.h"

typedef union pixman_image pixman_image_t;

namespace plat {

class TCanvas;

enum class TPixelFormat { pf1bit, pf32bit };

// Value returned by GetPixel outside the bitmap.
constexpr uint32_t CLR_INVALID = 0xFFFFFFFF;

// Largest bitmap we agree to make: each side, and the pixel count.
constexpr int kMaxBitmapSide = 1 << 20;
constexpr int64_t kMaxBitmapPixels = int64_t{1} << 28;
// True when a picture of this size may be made (bitmaps and alpha images alike).
constexpr bool IsPictureSizeAllowed(int64_t width, int64_t height) {
  return width >= 0 && height >= 0 && width <= kMaxBitmapSide && height <= kMaxBitmapSide &&
         width * height <= kMaxBitmapPixels;
}

class TBitmap {
 public:
  TBitmap();
  // A bitmap of the given size, filled with white. Throws EOutOfResources
  // when the size is negative or too large.
  TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf32bit);
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);
  // Moving constructs with the source's canvas; assigning (copy or move)
  // and resizing keep this bitmap's canvas, so references to it stay valid.
  TBitmap(TBitmap&& other) noexcept;
  TBitmap& operator=(TBitmap&& other) noexcept;
  ~TBitmap();

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  TPixelFormat PixelFormat() const { return format_; }
  bool Monochrome() const { return format_ == TPixelFormat::pf1bit; }

  // Resizes keeping the overlapping part of the picture; new pixels are white.
  void SetSize(int width, int height);
  // Converts the picture: to 1 bit, white pixels become 1 and all others 0;
  // to 32 bits, 1 becomes white and 0 black.
  void SetPixelFormat(TPixelFormat format);
  void SetMonochrome(bool mono) { SetPixelFormat(mono ? TPixelFormat::pf1bit : TPixelFormat::pf32bit); }

  // Row access (no bounds check beyond a debug assertion; callers clip).
  uint32_t* Row32(int y);
  const uint32_t* Row32(int y) const;
  uint8_t* Row1(int y);
  const uint8_t* Row1(int y) const;
  int Stride() const { return stride_; }

  // Colour of one pixel (CLR_INVALID outside), and setting one (ignored outside).
  uint32_t GetPixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  // The pixman view of the pixels (x8r8g8b8 or a8); owned by the bitmap.
  pixman_image_t* Image() const { return image_; }

  // The drawing surface of this bitmap, made on first use.
  TCanvas& Canvas();

 private:
  void Allocate(int width, int height, TPixelFormat format);
  void Release();

  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  TPixelFormat format_ = TPixelFormat::pf32bit;
  std::unique_ptr<uint8_t[]> pixels_;
  pixman_image_t* image_ = nullptr;
  std::unique_ptr<TCanvas> canvas_;
};

}  // namespace plat
