#pragma once
// Pixel tests compare a bitmap against a picture drawn in characters: one
// string per row, one character per pixel, each character standing for a
// colour in a legend.
#include <map>
#include <string>
#include <vector>

#include "platform/bitmap.h"

namespace testing_support {

using Art = std::vector<std::string>;

// The default legend: '.' white, '#' black, 'r' red, 'g' lime, 'b' blue,
// 'y' yellow, 's' silver; any other colour shows as '?'.
inline const std::map<uint32_t, char>& DefaultLegend() {
  static const std::map<uint32_t, char> legend = {
      {0xFFFFFF, '.'}, {0x000000, '#'}, {0x0000FF, 'r'}, {0x00FF00, 'g'},
      {0xFF0000, 'b'}, {0x00FFFF, 'y'}, {0xC0C0C0, 's'}};
  return legend;
}

// The bitmap's pixels (colour values 0x00BBGGRR) as art.
inline Art ToArt(const plat::TBitmap& bmp, const std::map<uint32_t, char>& legend = DefaultLegend()) {
  Art rows;
  for (int y = 0; y < bmp.Height(); ++y) {
    std::string row;
    for (int x = 0; x < bmp.Width(); ++x) {
      auto it = legend.find(bmp.GetPixel(x, y));
      row += it == legend.end() ? '?' : it->second;
    }
    rows.push_back(row);
  }
  return rows;
}

// Joins art into one string with line breaks, so that a failing comparison prints a picture.
inline std::string Show(const Art& art) {
  std::string s = "\n";
  for (const auto& row : art) s += row + "\n";
  return s;
}

}  // namespace testing_support
