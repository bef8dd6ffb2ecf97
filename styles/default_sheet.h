#pragma once
// The viewer's settings that the built-in style sheet is made from.
#include <cstdint>
#include <string>

#include "platform/color.h"
#include "platform/font.h"

namespace html {

struct TDefaultSheetSettings {
  std::string DefFontName = "Times New Roman";
  std::string DefPreFontName = "Courier New";
  double DefFontSize = 12.0;  // points
  plat::TColor DefFontColor = plat::clBtnText;
  plat::TColor DefHotSpotColor = plat::clBlue;  // links
  plat::TColor DefVisitedLinkColor = plat::clPurple;
  plat::TColor DefOverLinkColor = plat::clBlue;  // links under the mouse
  int32_t MarginWidth = 10;
  int32_t MarginHeight = 5;
  uint8_t CharSet = plat::DEFAULT_CHARSET;
  bool UnderlineLinks = true;  // the viewer's no-link-underline option is off
};

}  // namespace html
