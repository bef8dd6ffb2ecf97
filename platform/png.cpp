#include "platform/png.h"

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/errors.h"

namespace plat {

namespace {

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};

}  // namespace

void WritePng(const TBitmap& bitmap, const std::string& path) {
  if (bitmap.Empty()) throw EInOutError("cannot write an empty bitmap to " + path);
  std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) throw EInOutError("cannot create " + path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    throw EOutOfResources();
  }
  std::vector<png_byte> row(size_t(bitmap.Width()) * 3);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw EInOutError("cannot write " + path);
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(bitmap.Width()), static_cast<png_uint_32>(bitmap.Height()), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      uint32_t p = bitmap.Monochrome() ? (bitmap.Row1(y)[x] ? 0xFFFFFF : 0) : bitmap.Row32(y)[x];
      row[size_t(x) * 3] = png_byte(p >> 16);
      row[size_t(x) * 3 + 1] = png_byte(p >> 8);
      row[size_t(x) * 3 + 2] = png_byte(p);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  if (std::fflush(file.get()) != 0) throw EInOutError("cannot write " + path);
}

TBitmap ReadPng(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str()))
    throw EInOutError("cannot read " + path + ": " + image.message);
  struct Finisher {
    png_image* p;
    ~Finisher() { png_image_free(p); }
  } finish{&image};
  // The bitmap's own limits, reported as a file error rather than a failed allocation.
  if (!IsPictureSizeAllowed(image.width, image.height)) throw EInOutError(path + ": picture too large");
  TBitmap bitmap(static_cast<int>(image.width), static_cast<int>(image.height));
  // Straight into the rows: little-endian 0xAARRGGBB words, as the bitmap
  // keeps them; the stride counts components, a byte each.
  image.format = PNG_FORMAT_BGRA;
  if (!png_image_finish_read(&image, nullptr, bitmap.Row32(0), bitmap.Stride(), nullptr))
    throw EInOutError("cannot decode " + path + ": " + image.message);
  for (int y = 0; y < bitmap.Height(); ++y) {
    uint32_t* row = bitmap.Row32(y);
    for (int x = 0; x < bitmap.Width(); ++x) row[x] &= 0xFFFFFF;
  }
  return bitmap;
}

}  // namespace plat
