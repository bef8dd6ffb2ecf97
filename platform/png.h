#pragma once
// PNG files of bitmaps.
#include <string>

#include "platform/bitmap.h"

namespace plat {

// Writes the bitmap as an 8-bit RGB PNG. Throws EInOutError on failure.
void WritePng(const TBitmap& bitmap, const std::string& path);

}  // namespace plat
