#include "styles/colors.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "platform/numeric.h"
#include "support/text_util.h"

namespace html {

namespace {

uint32_t gPaletteFlag = 0;

// Red-green-blue as written in CSS (0xRRGGBB) to a colour value.
constexpr plat::TColor FromRgb(uint32_t rgb) {
  return plat::RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

struct TRawName {
  const char* name;
  plat::TColor color;
};

constexpr TRawName kNames[] = {
    {"black", FromRgb(0x000000)},
    {"maroon", FromRgb(0x800000)},
    {"green", FromRgb(0x008000)},
    {"olive", FromRgb(0x808000)},
    {"navy", FromRgb(0x000080)},
    {"purple", FromRgb(0x800080)},
    {"teal", FromRgb(0x008080)},
    {"gray", FromRgb(0x808080)},
    {"silver", FromRgb(0xC0C0C0)},
    {"red", FromRgb(0xFF0000)},
    {"lime", FromRgb(0x00FF00)},
    {"yellow", FromRgb(0xFFFF00)},
    {"blue", FromRgb(0x0000FF)},
    {"fuchsia", FromRgb(0xFF00FF)},
    {"aqua", FromRgb(0x00FFFF)},
    {"white", FromRgb(0xFFFFFF)},
    {"aliceblue", FromRgb(0xF0F8FF)},
    {"antiquewhite", FromRgb(0xFAEBD7)},
    {"aquamarine", FromRgb(0x7FFFD4)},
    {"azure", FromRgb(0xF0FFFF)},
    {"beige", FromRgb(0xF5F5DC)},
    {"bisque", FromRgb(0xFFE4C4)},
    {"blanchedalmond", FromRgb(0xFFEBCD)},
    {"blueviolet", FromRgb(0x8A2BE2)},
    {"brown", FromRgb(0xA52A2A)},
    {"burlywood", FromRgb(0xDEB887)},
    {"cadetblue", FromRgb(0x5F9EA0)},
    {"chartreuse", FromRgb(0x7FFF00)},
    {"chocolate", FromRgb(0xD2691E)},
    {"coral", FromRgb(0xFF7F50)},
    {"cornflowerblue", FromRgb(0x6495ED)},
    {"cornsilk", FromRgb(0xFFF8DC)},
    {"crimson", FromRgb(0xDC143C)},
    {"cyan", FromRgb(0x00FFFF)},
    {"darkblue", FromRgb(0x00008B)},
    {"darkcyan", FromRgb(0x008B8B)},
    {"darkgoldenrod", FromRgb(0xB8860B)},
    {"darkgray", FromRgb(0xA9A9A9)},
    {"darkgreen", FromRgb(0x006400)},
    {"darkkhaki", FromRgb(0xBDB76B)},
    {"darkmagenta", FromRgb(0x8B008B)},
    {"darkolivegreen", FromRgb(0x556B2F)},
    {"darkorange", FromRgb(0xFF8C00)},
    {"darkorchid", FromRgb(0x9932CC)},
    {"darkred", FromRgb(0x8B0000)},
    {"darksalmon", FromRgb(0xE9967A)},
    {"darkseagreen", FromRgb(0x8FBC8F)},
    {"darkslateblue", FromRgb(0x483D8B)},
    {"darkslategray", FromRgb(0x2F4F4F)},
    {"darkturquoise", FromRgb(0x00CED1)},
    {"darkviolet", FromRgb(0x9400D3)},
    {"deeppink", FromRgb(0xFF1493)},
    {"deepskyblue", FromRgb(0x00BFFF)},
    {"dimgray", FromRgb(0x696969)},
    {"dodgerblue", FromRgb(0x1E90FF)},
    {"firebrick", FromRgb(0xB22222)},
    {"floralwhite", FromRgb(0xFFFAF0)},
    {"forestgreen", FromRgb(0x228B22)},
    {"gainsboro", FromRgb(0xDCDCDC)},
    {"ghostwhite", FromRgb(0xF8F8FF)},
    {"gold", FromRgb(0xFFD700)},
    {"goldenrod", FromRgb(0xDAA520)},
    {"greenyellow", FromRgb(0xADFF2F)},
    {"honeydew", FromRgb(0xF0FFF0)},
    {"hotpink", FromRgb(0xFF69B4)},
    {"indianred", FromRgb(0xCD5C5C)},
    {"indigo", FromRgb(0x4B0082)},
    {"ivory", FromRgb(0xFFFFF0)},
    {"khaki", FromRgb(0xF0E68C)},
    {"lavender", FromRgb(0xE6E6FA)},
    {"lavenderblush", FromRgb(0xFFF0F5)},
    {"lawngreen", FromRgb(0x7CFC00)},
    {"lemonchiffon", FromRgb(0xFFFACD)},
    {"lightblue", FromRgb(0xADD8E6)},
    {"lightcoral", FromRgb(0xF08080)},
    {"lightcyan", FromRgb(0xE0FFFF)},
    {"lightgoldenrodyellow", FromRgb(0xFAFAD2)},
    {"lightgreen", FromRgb(0x90EE90)},
    {"lightgray", FromRgb(0xD3D3D3)},
    {"lightpink", FromRgb(0xFFB6C1)},
    {"lightsalmon", FromRgb(0xFFA07A)},
    {"lightseagreen", FromRgb(0x20B2AA)},
    {"lightskyblue", FromRgb(0x87CEFA)},
    {"lightslategray", FromRgb(0x778899)},
    {"lightsteelblue", FromRgb(0xB0C4DE)},
    {"lightyellow", FromRgb(0xFFFFE0)},
    {"limegreen", FromRgb(0x32CD32)},
    {"linen", FromRgb(0xFAF0E6)},
    {"magenta", FromRgb(0xFF00FF)},
    {"mediumaquamarine", FromRgb(0x66CDAA)},
    {"mediumblue", FromRgb(0x0000CD)},
    {"mediumorchid", FromRgb(0xBA55D3)},
    {"mediumpurple", FromRgb(0x9370DB)},
    {"mediumseagreen", FromRgb(0x3CB371)},
    {"mediumslateblue", FromRgb(0x7B68EE)},
    {"mediumspringgreen", FromRgb(0x00FA9A)},
    {"mediumturquoise", FromRgb(0x48D1CC)},
    {"mediumvioletred", FromRgb(0xC71585)},
    {"midnightblue", FromRgb(0x191970)},
    {"mintcream", FromRgb(0xF5FFFA)},
    {"mistyrose", FromRgb(0xFFE4E1)},
    {"moccasin", FromRgb(0xFFE4B5)},
    {"navajowhite", FromRgb(0xFFDEAD)},
    {"oldlace", FromRgb(0xFDF5E6)},
    {"olivedrab", FromRgb(0x6B8E23)},
    {"orange", FromRgb(0xFFA500)},
    {"orangered", FromRgb(0xFF4500)},
    {"orchid", FromRgb(0xDA70D6)},
    {"palegoldenrod", FromRgb(0xEEE8AA)},
    {"palegreen", FromRgb(0x98FB98)},
    {"paleturquoise", FromRgb(0xAFEEEE)},
    {"palevioletred", FromRgb(0xDB7093)},
    {"papayawhip", FromRgb(0xFFEFD5)},
    {"peachpuff", FromRgb(0xFFDAB9)},
    {"peru", FromRgb(0xCD853F)},
    {"pink", FromRgb(0xFFC0CB)},
    {"plum", FromRgb(0xDDA0DD)},
    {"powderblue", FromRgb(0xB0E0E6)},
    {"rosybrown", FromRgb(0xBC8F8F)},
    {"royalblue", FromRgb(0x4169E1)},
    {"saddlebrown", FromRgb(0x8B4513)},
    {"salmon", FromRgb(0xFA8072)},
    {"sandybrown", FromRgb(0xF4A460)},
    {"seagreen", FromRgb(0x2E8B57)},
    {"seashell", FromRgb(0xFFF5EE)},
    {"sienna", FromRgb(0xA0522D)},
    {"skyblue", FromRgb(0x87CEEB)},
    {"slateblue", FromRgb(0x6A5ACD)},
    {"slategray", FromRgb(0x708090)},
    {"snow", FromRgb(0xFFFAFA)},
    {"springgreen", FromRgb(0x00FF7F)},
    {"steelblue", FromRgb(0x4682B4)},
    {"tan", FromRgb(0xD2B48C)},
    {"thistle", FromRgb(0xD8BFD8)},
    {"tomato", FromRgb(0xFF6347)},
    {"turquoise", FromRgb(0x40E0D0)},
    {"violet", FromRgb(0xEE82EE)},
    {"wheat", FromRgb(0xF5DEB3)},
    {"whitesmoke", FromRgb(0xF5F5F5)},
    {"yellowgreen", FromRgb(0x9ACD32)},
    {"grey", FromRgb(0x808080)},
    {"darkgrey", FromRgb(0xA9A9A9)},
    {"darkslategrey", FromRgb(0x2F4F4F)},
    {"dimgrey", FromRgb(0x696969)},
    {"lightgrey", FromRgb(0xD3D3D3)},
    {"lightslategrey", FromRgb(0x778899)},
    {"slategrey", FromRgb(0x708090)},
    {"transparent", plat::NoColor},
    // System colours, looked up when drawn.
    {"background", plat::clBackground},
    {"activecaption", plat::clActiveCaption},
    {"inactivecaption", plat::clInactiveCaption},
    {"menu", plat::clMenu},
    {"window", plat::clWindow},
    {"windowframe", plat::clWindowFrame},
    {"menutext", plat::clMenuText},
    {"windowtext", plat::clWindowText},
    {"captiontext", plat::clCaptionText},
    {"activeborder", plat::clActiveBorder},
    {"inactiveborder", plat::clInactiveBorder},
    {"appworkspace", plat::clAppWorkSpace},
    {"highlight", plat::clHighlight},
    {"highlighttext", plat::clHighlightText},
    {"buttonface", plat::clBtnFace},
    {"buttonshadow", plat::clBtnShadow},
    {"graytext", plat::clGrayText},
    {"buttontext", plat::clBtnText},
    {"inactivecaptiontext", plat::clInactiveCaptionText},
    {"buttonhighlight", plat::clBtnHighlight},
    {"threeddarkshadow", plat::cl3DDkShadow},
    // The lighter 3-D edge is the button highlight; the light shadow is the 3-D light colour.
    {"threedhighlight", plat::clBtnHighlight},
    {"threedlightshadow", plat::cl3DLight},
    {"infotext", plat::clInfoText},
    {"infobackground", plat::clInfoBk},
    {"scrollbar", plat::clScrollBar},
    {"threedface", plat::clBtnFace},
    {"threedshadow", plat::clBtnShadow},
};
static_assert(std::size(kNames) == 176);

// The last colour text read successfully.
struct TColorCache {
  bool valid = false;
  std::string text;
  bool requireHash = false;
  plat::TColor color = 0;
};
TColorCache gCache;

std::optional<plat::TColor> LookupName(std::string_view t) {
  const auto& names = NamedColors();
  auto it = std::lower_bound(names.begin(), names.end(), t, [](const TNamedColor& n, std::string_view k) {
    return CompareText(n.Name, k) < 0;
  });
  if (it != names.end() && SameText(it->Name, t)) return it->Color;
  return std::nullopt;
}

// One rgb() component: an integer, or a percentage of 255; 0 when unreadable.
int RgbComponent(std::string_view c) {
  c = TrimView(c);
  int v = 0;
  if (size_t pct = c.find('%'); pct != std::string_view::npos) {
    std::string number(c);
    number.erase(std::remove(number.begin(), number.end(), '%'), number.end());
    std::string_view n = TrimView(number);
    if (!n.empty() && n.front() == '+') n.remove_prefix(1);
    double r = 0.0;
    auto [ptr, ec] = std::from_chars(n.data(), n.data() + n.size(), r);
    if (ec == std::errc() && ptr == n.data() + n.size() && std::isfinite(r))
      v = plat::Round(std::clamp(r * 2.55, -1000.0, 1000.0));
  } else {
    v = ParseInteger(c).value_or(0);
  }
  return std::clamp(v, 0, 255);
}

// The text after "rgb": "(r, g, b)".
std::optional<plat::TColor> ReadRgb(std::string_view rest) {
  size_t open = rest.find('('), close = rest.find(')');
  if (open == std::string_view::npos || close == std::string_view::npos || close < open) return std::nullopt;
  std::string_view inside = TrimView(rest.substr(open + 1, close - open - 1));
  std::string_view parts[3];
  for (int k = 0; k < 2; ++k) {
    size_t comma = inside.find(',');
    if (comma == std::string_view::npos) {
      parts[k] = inside;
      inside = {};
      break;
    }
    parts[k] = inside.substr(0, comma);
    inside.remove_prefix(comma + 1);
  }
  if (!inside.empty()) parts[2] = inside;
  return plat::RGB(RgbComponent(parts[0]), RgbComponent(parts[1]), RgbComponent(parts[2]));
}

std::optional<plat::TColor> ReadHex(std::string_view t) {
  std::string digits(TrimView(t));
  if (digits.size() >= 1 && digits.size() <= 3) {
    std::string doubled;
    for (char c : digits) doubled += std::string(2, c);
    digits = doubled;
  }
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  uint32_t n = 0;
  auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n, 16);
  if (ec != std::errc() || ptr != digits.data() + digits.size()) return std::nullopt;
  return static_cast<plat::TColor>(
      static_cast<uint32_t>(plat::RGB((n >> 16) & 0xFF, (n >> 8) & 0xFF, n & 0xFF)) | gPaletteFlag);
}

std::optional<plat::TColor> Parse(const std::string& t, bool requireHash) {
  if (!t.empty() && t.front() != '#' && !Contains(t, "rgb(")) {
    if (auto c = LookupName(t)) return c;
  }
  if (size_t rgb = t.find("rgb"); rgb != std::string::npos)
    return ReadRgb(std::string_view(t).substr(rgb + 3));
  if (!Contains(t, "#")) {
    if (requireHash) return std::nullopt;
    return ReadHex(t);
  }
  return ReadHex(std::string_view(t).substr(t.rfind('#') + 1));
}

}  // namespace

uint32_t PaletteFlag() { return gPaletteFlag; }

void SetPaletteFlag(uint32_t flag) {
  gPaletteFlag = flag;
  gCache.valid = false;  // cached hexadecimal colours carried the old flag
}

const std::vector<TNamedColor>& NamedColors() {
  static const std::vector<TNamedColor> table = [] {
    std::vector<TNamedColor> v;
    for (const auto& n : kNames) v.push_back({n.name, n.color});
    std::sort(v.begin(), v.end(),
              [](const TNamedColor& a, const TNamedColor& b) { return CompareText(a.Name, b.Name) < 0; });
    return v;
  }();
  return table;
}

std::optional<plat::TColor> ParseColor(std::string_view text, bool requireHash) {
  if (text.empty()) return std::nullopt;
  std::string t = LowerCase(TrimView(text));
  if (gCache.valid && gCache.requireHash == requireHash && gCache.text == t) return gCache.color;
  auto c = Parse(t, requireHash);
  if (c) gCache = {true, t, requireHash, *c};
  return c;
}

}  // namespace html
