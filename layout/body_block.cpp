// The body block's layout: its margins.
#include "layout/body_block.h"

#include <algorithm>

#include "layout/section_list.h"
#include "platform/numeric.h"

namespace html {

namespace {
// Margins are settings, but keep a stray value from overflowing the sums.
constexpr int64_t kMaxMargin = 1 << 20;
int64_t Margin(int v) { return std::clamp<int64_t>(v, 0, kMaxMargin); }
}  // namespace

int TBodyBlock::LayoutPass(plat::TCanvas& canvas, int x, int& index, int& maxWidth, IndentManager* indents,
                           int parentHeight, int availHeight, int availWidth, int reserved1, int reserved2, int y) {
  const TDocumentDefaults& d = Document->Defaults;
  NaturalHeight = plat::ClampToInt(2 * Margin(d.MarginHeight));
  TSectionBase::LayoutPass(canvas, x, index, maxWidth, indents, parentHeight, availHeight, availWidth, reserved1,
                           reserved2, y);
  maxWidth = plat::ClampToInt(2 * Margin(d.MarginWidth));
  return NaturalHeight;
}

}  // namespace html
