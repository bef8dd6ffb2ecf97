// The layout driver: passes at the chosen width, the scroll bar decisions,
// the placing of panels and bars, and re-layout on size changes.
#include <algorithm>

#include "platform/numeric.h"
#include "viewer/folio.h"
#include "viewer/folio_scopes.h"

namespace html {

using plat::ClampToInt;

namespace {
// Above this length a document is laid out once, leaving room for a vertical bar.
constexpr size_t kLongDocument = 9999;
}  // namespace

void TFolio::ScrollToY(int y) {
  int64_t last = int64_t{documentHeight_} - paintPanel_->Height();
  y = ClampToInt(std::clamp<int64_t>(y, 0, std::max<int64_t>(last, 0)));
  vScrollBar_->SetPosition32(y);
  sectionList_->ChangeYOffset(y);
  Invalidate();
}

int TFolio::LayoutAtWidth(int width) {
  documentWidth_ = 0;
  int border = borderStyle_ == THTMLBorderStyle::htNone ? 0 : 2;
  int visible = std::max(ClientHeight() - border, 0);
  int index = 0;
  return sectionList_->LayoutCell(paintPanel_->Canvas(), 0, index, documentWidth_, visible, visible,
                                  std::max(width, 0));
}

void TFolio::LayoutDocument() {
  HandleNeeded();
  TFlagScope suspend(paintSuspended_, true);
  const int border = borderStyle_ == THTMLBorderStyle::htNone ? 0 : 2;
  const int w = Width() - border, sbw = scrollBarWidth_;
  // Does the layout just made need a vertical bar? The last comparison
  // differs between the first test (room for the bar) and the second.
  auto needsBar = [&](int widthLimit) {
    if (documentHeight_ > Height() - border) return true;
    if (scrollBars_ != TScrollStyle::ssBoth) return false;
    if (documentHeight_ < Height() - border - sbw) return false;
    return documentWidth_ > widthLimit;
  };
  if (scrollBars_ == TScrollStyle::ssNone || scrollBars_ == TScrollStyle::ssHorizontal) {
    documentHeight_ = LayoutAtWidth(w);
  } else if (options_.Contains(htShowVScroll) || sourceText_.size() > kLongDocument) {
    documentHeight_ = LayoutAtWidth(w - sbw);
  } else {
    documentHeight_ = LayoutAtWidth(w);
    if (needsBar(Width() - sbw - border)) {
      documentHeight_ = LayoutAtWidth(w - sbw);
      if (!needsBar(Width() - border)) documentHeight_ = LayoutAtWidth(w);
    }
  }
  ArrangeControls();
}

void TFolio::ArrangeControls() {
  documentWidth_ = std::min(documentWidth_, kMaxDocumentWidth);
  int inset = 0;
  if (borderStyle_ == THTMLBorderStyle::htNone) {
    paintPanel_->SetBounds(0, 0, paintPanel_->Width(), paintPanel_->Height());
    borderPanel_->Hide();
  } else {
    paintPanel_->SetBounds(1, 1, paintPanel_->Width(), paintPanel_->Height());
    borderPanel_->Hide();
    borderPanel_->Show();
    inset = 1;
  }
  const int b = 2 * inset, sbw = scrollBarWidth_, width = Width(), height = Height();
  const bool showV = options_.Contains(htShowVScroll);
  const bool vertical = scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth;
  bool v = false, h = false;
  if ((!showV && height - b >= documentHeight_ && width - b >= documentWidth_) || scrollBars_ == TScrollStyle::ssNone) {
  } else if (scrollBars_ == TScrollStyle::ssHorizontal) {
    h = width - b < documentWidth_;
  } else {
    v = documentHeight_ >= height - b || (scrollBars_ == TScrollStyle::ssBoth && documentHeight_ >= height - b - sbw &&
                                          width - sbw - b < documentWidth_);
    h = scrollBars_ == TScrollStyle::ssBoth &&
        (documentWidth_ > width - b || ((v || showV) && documentWidth_ > width - sbw - b));
  }
  const bool vShown = v || (showV && vertical);

  const int p = vShown ? width - sbw : width;
  paintPanel_->SetBounds(paintPanel_->Left(), paintPanel_->Top(), p - b, height - b - (h ? sbw : 0));

  hScrollBar_->SetVisible(h);
  hScrollBar_->LargeChange = std::max(1, p - 20);
  hScrollBar_->SetBounds(inset, height - sbw - inset, p - inset, sbw);
  hScrollBar_->SetScrollParams(hScrollBar_->Position32(), p, 0, std::max({0, documentWidth_, p - b}));

  vScrollBar_->SetBounds(width - sbw - inset, inset, sbw, paintPanel_->Height());
  vScrollBar_->LargeChange = paintPanel_->Height() - vScrollBar_->SmallChange;
  if (showV) {
    vScrollBar_->SetVisible(vertical);
    vScrollBar_->SetEnabled(v);
  } else {
    vScrollBar_->SetVisible(vShown);
  }
  vScrollBar_->DisableNoScroll = showV;
  vScrollBar_->SetScrollParams(vScrollBar_->Position32(), paintPanel_->Height() + 1, 0, documentHeight_);
}

void TFolio::RelayoutKeepPosition() {
  TProcessingScope processing(*this);
  TPositionMark mark = GetPositionMark();
  sectionList_->ProgressShare = 0;
  DoProgress(TProgressStage::psStarting, 0);
  TFinally progressEnd([this] { DoProgress(TProgressStage::psEnding, 100); });
  LayoutDocument();
  GoToPositionMark(mark);
}

void TFolio::Resize() {
  plat::TControl::Resize();
  // Without a window there are no size messages; while creating they are ignored.
  if (creating_ || !HandleAllocated()) return;
  if (processing_) {
    ArrangeControls();
    return;
  }
  RelayoutKeepPosition();
  if (documentHeight_ < paintPanel_->Height())
    ScrollToY(0);
  else
    ScrollToY(vScrollBar_->Position32());
  int64_t last = int64_t{hScrollBar_->Max32()} - paintPanel_->Width();
  hScrollBar_->SetPosition32(ClampToInt(std::min<int64_t>(hScrollBar_->Position32(), last)));
}

}  // namespace html
