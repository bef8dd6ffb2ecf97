#pragma once
// Colour texts to colour values: names, system colour names, "#rgb" and
// "#rrggbb" forms, bare hexadecimal when "#" is not required, rgb().
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/color.h"

namespace html {

// Or-ed into colours read from hexadecimal text (and the default link
// colours) so they pick the nearest palette entry on palette screens;
// 0 on a true-colour screen. Set once at start-up.
uint32_t PaletteFlag();
void SetPaletteFlag(uint32_t flag);

// The colour a text names, or nothing when it is not a colour. Without
// `requireHash` a bare hexadecimal text ("f00") is read as if "#" came first.
std::optional<plat::TColor> ParseColor(std::string_view text, bool requireHash);

struct TNamedColor {
  const char* Name;  // lower case
  plat::TColor Color;
};
// The named colour table, sorted by name: CSS names, system colour names, "transparent".
const std::vector<TNamedColor>& NamedColors();

}  // namespace html
