#include "platform/color.h"

namespace plat {

namespace {

// The one system colour table: classic desktop values, as 0x00BBGGRR.
constexpr uint32_t kSysColors[kSysColorCount] = {
    0xC8C8C8,  // 0 scroll bar
    0x000000,  // 1 desktop
    0xD1B499,  // 2 active caption
    0xDBCDBF,  // 3 inactive caption
    0xF0F0F0,  // 4 menu
    0xFFFFFF,  // 5 window
    0x646464,  // 6 window frame
    0x000000,  // 7 menu text
    0x000000,  // 8 window text
    0x000000,  // 9 caption text
    0xB4B4B4,  // 10 active border
    0xFCF7F4,  // 11 inactive border
    0xABABAB,  // 12 application workspace
    0xFF9933,  // 13 highlight
    0xFFFFFF,  // 14 highlight text
    0xF0F0F0,  // 15 button face
    0xA0A0A0,  // 16 button shadow
    0x6D6D6D,  // 17 grey text
    0x000000,  // 18 button text
    0x544E43,  // 19 inactive caption text
    0xFFFFFF,  // 20 button highlight
    0x696969,  // 21 3-D dark shadow
    0xE3E3E3,  // 22 3-D light
    0x000000,  // 23 tooltip text
    0xE1FFFF,  // 24 tooltip background
    0xB5B5B5,  // 25 (unassigned)
    0xCC6600,  // 26 hot-tracked item
    0xEAD1B9,  // 27 active caption gradient
    0xF2E4D7,  // 28 inactive caption gradient
    0xFF9933,  // 29 menu highlight
    0xF0F0F0,  // 30 menu bar
};

}  // namespace

uint32_t GetSysColor(int index) {
  if (index < 0 || index >= kSysColorCount) return 0;
  return kSysColors[index];
}

uint32_t ColorToRGB(TColor c) {
  if (IsSystemColor(c)) return GetSysColor(static_cast<int>(static_cast<uint32_t>(c) & 0xFFFFFF));
  return static_cast<uint32_t>(c) & 0x00FFFFFF;
}

}  // namespace plat
