#pragma once
// PNG files of bitmaps.
#include <string>

#include "platform/bitmap.h"

namespace plat {

// Writes the bitmap as an 8-bit RGB PNG. Throws EInOutError on failure.
void WritePng(const TBitmap& bitmap, const std::string& path);
// Reads a PNG file into a 32-bit bitmap (alpha, if any, is dropped).
// Throws EInOutError when the file cannot be read or decoded, or holds a
// picture larger than a bitmap may be.
TBitmap ReadPng(const std::string& path);

}  // namespace plat
