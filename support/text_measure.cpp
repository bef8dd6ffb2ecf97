// Text measuring in a canvas's font, the way line breaking asks for it.
#include <algorithm>
#include <vector>

#include "platform/canvas.h"
#include "support/text_helpers.h"

namespace html {

int FitText(plat::TCanvas& canvas, const char16_t* chars, int count, int maxWidth, int& width) {
  width = 0;
  if (maxWidth <= 0 || count <= 0 || !chars) return 0;
  std::u16string_view text(chars, static_cast<size_t>(count));
  int fit = 0;
  // One extent per character; reused across calls to avoid allocating on the hot path.
  thread_local std::vector<int> extents;
  if (extents.size() < text.size()) extents.resize(text.size());
  canvas.GetTextExtentExPointW(text, maxWidth, &fit, extents.data());
  fit = std::clamp(fit, 0, count);
  width = fit > 0 ? extents[static_cast<size_t>(fit - 1)] : 0;
  return fit;
}

int TextWidth(plat::TCanvas& canvas, const char16_t* chars, int count) {
  if (count <= 0 || !chars) return 0;
  return canvas.GetTextExtentPoint32W(std::u16string_view(chars, static_cast<size_t>(count))).cx;
}

}  // namespace html
