#pragma once
// The block of the document's body. For now it holds no content of its
// own: it is as tall as its top and bottom margins and as wide as its left
// and right margins, taken from the document's defaults.
#include "layout/section_base.h"

namespace html {

class TBodyBlock : public TSectionBase {
 public:
  explicit TBodyBlock(TSectionList* document) : TSectionBase(document) {}

  int LayoutPass(plat::TCanvas& canvas, int x, int& index, int& maxWidth, IndentManager* indents, int parentHeight,
                 int availHeight, int availWidth, int reserved1, int reserved2, int y) override;
};

}  // namespace html
