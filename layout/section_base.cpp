// Default section behaviour and the layout and paint passes of cells.
#include "layout/section_base.h"

#include <algorithm>

#include "layout/section_list.h"
#include "platform/numeric.h"

namespace html {

using plat::ClampToInt;

int TSectionBase::LayoutPass(plat::TCanvas&, int, int& index, int& maxWidth, IndentManager*, int, int, int, int, int,
                             int y) {
  StartIndex = index;
  SectionHeight = NaturalHeight;
  maxWidth = 0;
  TopY = DrawTop = ContentTop = y;
  ContentBottom = ClampToInt(int64_t{y} + NaturalHeight);
  DrawBottom = ClampToInt(int64_t{y} + SectionHeight);
  return NaturalHeight;
}

int TSectionBase::PaintSection(plat::TCanvas&, const plat::TRect&, IndentManager*, int, int, int) {
  return ClampToInt(int64_t{ContentTop} + NaturalHeight);
}

void TSectionBase::RegisterPosition() {
  if (Document) Document->PositionEntries.push_back(this);
}

void TCellBasic::AddSection(std::unique_ptr<TSectionBase> section, int) {
  if (!section) return;
  section->Document = Document;
  sections_.push_back(std::move(section));
}

int TCellBasic::LayoutCell(plat::TCanvas& canvas, int y, int& index, int& maxWidth, int parentHeight, int availHeight,
                           int availWidth) {
  CellY = y;
  StartIndex = index;
  maxWidth = 0;
  int64_t total = 0;
  for (auto& s : sections_) {
    int w = 0;
    int top = ClampToInt(int64_t{y} + total);
    total += s->LayoutPass(canvas, 0, index, w, Indents, parentHeight, availHeight, availWidth, 0, 0, top);
    maxWidth = std::max(maxWidth, w);
  }
  IndexCount = index - StartIndex;
  return ClampToInt(total);
}

int TCellBasic::PaintCell(plat::TCanvas& canvas, const plat::TRect& clipRect, int, int x, int y, int xRef, int yRef) {
  int answer = y;
  for (auto& s : sections_) answer = s->PaintSection(canvas, clipRect, Indents, x, xRef, yRef);
  return answer;
}

void TCellBasic::RegisterPositions() {
  for (auto& s : sections_) s->RegisterPosition();
}

int TCell::PaintCell(plat::TCanvas& canvas, const plat::TRect& clipRect, int limit, int x, int y, int xRef, int yRef) {
  PaintY = y;
  return TCellBasic::PaintCell(canvas, clipRect, limit, x, y, xRef, yRef);
}

}  // namespace html
