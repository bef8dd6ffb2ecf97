// The viewer's published properties: what setting each one does.
#include <algorithm>
#include <cmath>

#include "support/text_util.h"
#include "viewer/folio.h"
#include "viewer/folio_scopes.h"

namespace html {

namespace {
constexpr int kMaxImageCacheCount = 20;
constexpr double kMinPrintScale = 0.25;
constexpr double kMaxPrintScale = 4.0;
// An old cursor number that stands for the I-beam.
constexpr plat::TCursor kOldIBeamCursor = 2;
}  // namespace

void TFolio::SetViewImages(bool v) {
  if (v == sectionList_->ImagesEnabled || processing_) return;
  TScreenCursorScope hourglass(plat::crHourGlass);
  TProcessingScope processing(*this);
  sectionList_->ImagesEnabled = v;
  if (sectionList_->Count() > 0) {
    sectionList_->LoadBackgroundImage();
    TPositionMark mark = GetPositionMark();
    LayoutDocument();
    GoToPositionMark(mark);
    Invalidate();
  }
}

void TFolio::SetDefBackground(plat::TColor c) {
  if (processing_) return;
  defBackground_ = c;
  sectionList_->SetBackgroundColor(c);
  paintPanel_->SetColor(c);
  Invalidate();
}

void TFolio::SetBorderStyle(THTMLBorderStyle b) {
  borderStyle_ = b;
  UpdateFocusBorder();
}

void TFolio::SetHistoryMaxCount(int n) {
  if (n < 0) return;
  if (n < historyMaxCount_) ClearHistory();
  historyMaxCount_ = n;
}

void TFolio::SetDefPreFontName(const std::string& s) {
  if (SameText(s, sectionList_->PreFontName)) return;
  defPreFontName_ = s;
  sectionList_->PreFontName = s.substr(0, kMaxPreFontName);
}

void TFolio::SetDefHotSpotColor(plat::TColor c) {
  defHotSpotColor_ = c;
  sectionList_->LinkColor = c;
}

void TFolio::SetDefVisitedLinkColor(plat::TColor c) {
  defVisitedLinkColor_ = c;
  sectionList_->VisitedLinkColor = c;
}

void TFolio::SetDefOverLinkColor(plat::TColor c) {
  defOverLinkColor_ = c;
  sectionList_->HoverLinkColor = c;
}

void TFolio::SetVisitedMaxCount(int n) {
  n = std::max(n, 0);
  visitedMaxCount_ = n;
  if (n == 0) {
    visitedList_.clear();
    for (TFontObj* run : sectionList_->LinkRuns) run->SetVisited(false);
    Invalidate();
  } else if (visitedList_.size() > static_cast<size_t>(n)) {
    visitedList_.resize(static_cast<size_t>(n));
  }
}

void TFolio::SetImageCacheCount(int n) {
  imageCacheCount_ = std::clamp(n, 0, kMaxImageCacheCount);
  if (sectionList_->ImageCache) sectionList_->ImageCache->SetLimit(imageCacheCount_);
}

void TFolio::SetNoSelect(bool v) {
  noSelect_ = v;
  if (v) {
    sectionList_->SelStart = sectionList_->SelEnd = -1;
    Invalidate();
  }
}

void TFolio::SetScrollBars(TScrollStyle s) {
  scrollBars_ = s;
  if (!HandleAllocated() || !sectionList_) return;
  {
    TProcessingScope processing(*this);
    LayoutDocument();
  }
  Invalidate();
}

void TFolio::SetServerRoot(const std::string& s) {
  serverRoot_ = TrimBlanks(s);
  if (!serverRoot_.empty() && (serverRoot_.back() == '\\' || serverRoot_.back() == '/')) serverRoot_.pop_back();
}

void TFolio::SetPrintScale(double v) {
  if (std::isnan(v)) return;
  printScale_ = std::clamp(v, kMinPrintScale, kMaxPrintScale);
}

void TFolio::SethtOptions(TFolioOptions o) {
  options_ = o;
  TSectionList& s = *sectionList_;
  s.LinksActive = o.Contains(htOverLinksActive);
  s.PrintTableBackground = o.Contains(htPrintTableBackground) || o.Contains(htPrintBackground);
  s.PrintBackground = o.Contains(htPrintBackground);
  s.PrintMonochromeBlack = o.Contains(htPrintMonochromeBlack);
  s.ShowDummyCaret = o.Contains(htShowDummyCaret);
}

void TFolio::SetCursor(plat::TCursor c) { plat::TControl::SetCursor(c == kOldIBeamCursor ? plat::crIBeam : c); }

}  // namespace html
