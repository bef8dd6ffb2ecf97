#include "styles/font_info.h"

#include "styles/font_metrics.h"
#include "support/text_util.h"

namespace html {

void TMyFont::ApplyToCanvas(plat::TCanvas& canvas) const { SelectFontInto(canvas, *this, LetterSpacingPx); }

std::optional<std::string> FirstInstalledFamily(std::string_view list) {
  static constexpr std::pair<const char*, const char*> kGeneric[] = {
      {"serif", "Times New Roman"},      {"monospace", "Courier New"}, {"sans-serif", "Arial"},
      {"cursive", "Lucida Handwriting"}, {"Helvetica", "Arial"},
  };
  std::string_view rest = list;
  while (!rest.empty()) {
    size_t comma = rest.find(',');
    std::string item = Trim(rest.substr(0, comma));
    rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
    for (const auto& [generic, face] : kGeneric)
      if (SameText(item, generic)) item = face;
    auto isQuote = [](char c) { return c == '"' || c == '\''; };
    if (!item.empty() && isQuote(item.back())) item.pop_back();
    if (!item.empty() && isQuote(item.front())) item.erase(0, 1);
    if (item.empty()) return std::nullopt;
    if (IsFontInstalled(item)) return item;
  }
  return std::nullopt;
}

}  // namespace html
