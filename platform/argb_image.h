#pragma once
// Alpha images: 32-bit pictures with premultiplied alpha (pixman
// a8r8g8b8, pixels 0xAARRGGBB), drawn source-over, scaled nearest or
// bilinear, onto bitmaps and onto each other.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "platform/bitmap.h"
#include "platform/geometry.h"

typedef union pixman_image pixman_image_t;

namespace plat {

class TRegion;

// A colour with straight (not premultiplied) alpha.
struct TArgb {
  uint8_t a = 0;
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  friend bool operator==(const TArgb&, const TArgb&) = default;
};

class TArgbImage {
 public:
  TArgbImage();
  // Fully transparent. Throws EOutOfResources for the sizes TBitmap refuses.
  TArgbImage(int width, int height);
  // An opaque copy of the bitmap; a monochrome one becomes black and white.
  explicit TArgbImage(const TBitmap& bitmap);
  // From rows of straight-alpha bytes R, G, B, A (as image decoders give
  // them), `stride` bytes apart. Throws std::invalid_argument when the rows
  // do not fit in `data`, EOutOfResources for a refused size.
  static TArgbImage FromRgbaRows(int width, int height, std::span<const uint8_t> data, size_t stride);

  TArgbImage(const TArgbImage& other);
  TArgbImage& operator=(const TArgbImage& other);
  TArgbImage(TArgbImage&& other) noexcept;
  TArgbImage& operator=(TArgbImage&& other) noexcept;
  ~TArgbImage();

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }

  // Premultiplied pixels (no bounds check beyond a debug assertion).
  uint32_t* Row(int y);
  const uint32_t* Row(int y) const;

  // Takes a straight colour and stores it premultiplied; ignored outside.
  void SetPixel(int x, int y, uint8_t a, uint8_t r, uint8_t g, uint8_t b);
  // The straight colour recovered from the stored pixel: exact when opaque,
  // coarser as alpha falls, all zero when transparent or outside.
  TArgb GetPixel(int x, int y) const;
  // Makes every pixel fully transparent.
  void Clear();

  // The pixman view of the pixels (a8r8g8b8, owned by the image); null when empty.
  pixman_image_t* Image() const { return image_; }

  // Draws the `srcRect` part of `src` scaled onto `dst` of this image,
  // source-over. Pixels whose sample falls outside `src` stay as they are.
  void Draw(const TArgbImage& src, const TRect& dst, const TRect& srcRect, bool bilinear);

 private:
  void Allocate(int width, int height);

  int width_ = 0;
  int height_ = 0;
  std::unique_ptr<uint32_t[]> pixels_;
  pixman_image_t* image_ = nullptr;
};

// A 32-bit surface that alpha images are composited onto.
struct TArgbTarget {
  uint32_t* pixels = nullptr;
  int stride = 0;  // bytes
  int width = 0;
  int height = 0;
  bool hasAlpha = false;  // a8r8g8b8; otherwise x8r8g8b8
};

// Composites the `srcRect` part of `image` scaled onto `dst` (target
// pixels), source-over, limited to `clip` (target pixels; null for none).
// A destination pixel belongs to the image pixel under its centre; pixels
// whose centre maps outside the image are left alone. Any size and
// position is accepted; extents above kMaxBitmapSide draw nothing.
void CompositeArgb(const TArgbImage& image, const TRect& srcRect, const TRect& dst, const TRegion* clip,
                   bool bilinear, const TArgbTarget& target);

}  // namespace plat
