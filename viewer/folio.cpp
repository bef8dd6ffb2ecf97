// The viewer's composition: its children, its defaults, painting hooks and
// name expansion.
#include "viewer/folio.h"

#include "support/text_util.h"
#include "support/native_path.h"
#include "viewer/url_subs.h"

namespace html {

using plat::TScrollBarKind;

std::string ImageDocumentText(const std::string& fileName) { return "<img src=\"" + HtmlEscape(fileName) + "\">"; }

TFolio::TFolio(plat::TControl* parent) : plat::TControl(parent) {
  borderPanel_ = std::make_unique<plat::TPanel>(this);
  borderPanel_->SetAlign(plat::TAlign::alClient);
  paintPanel_ = std::make_unique<TPaintPanel>(this, this);
  paintPanel_->SetBounds(1, 1, paintPanel_->Width(), paintPanel_->Height());
  paintPanel_->PaintCallback = [this](TPaintPanel& p) { DrawDocument(p); };
  vScrollBar_ = std::make_unique<plat::T32ScrollBar>(this, TScrollBarKind::sbVertical);
  vScrollBar_->SmallChange = 16;
  vScrollBar_->Hide();
  scrollBarWidth_ = vScrollBar_->Width();
  hScrollBar_ = std::make_unique<plat::T32ScrollBar>(this, TScrollBarKind::sbHorizontal);
  hScrollBar_->SmallChange = 15;
  hScrollBar_->Hide();
  hScrollBar_->SetHeight(scrollBarWidth_);

  SetBounds(Left(), Top(), 150, 150);
  SetCursor(plat::crIBeam);
  SetPrintMarginLeft(2.0);
  SetPrintMarginRight(2.0);
  SetPrintMarginTop(2.0);
  SetPrintMarginBottom(2.0);
  SetPrintScale(1.0);
  SetCharSet(1);
  SetMarginHeight(5);
  SetMarginWidth(10);
  SetScrollBars(TScrollStyle::ssBoth);
  sectionList_ = std::make_unique<TSectionList>(this, paintPanel_.get());
  sectionList_->BackgroundChanged = [this](TSectionList& s) { paintPanel_->SetColor(s.Background); };
  sectionList_->ImagesEnabled = true;
  SetDefBackground(plat::clBtnFace);
  SetDefFontColor(plat::clBtnText);
  SetDefHotSpotColor(plat::clBlue);
  SetDefOverLinkColor(plat::clBlue);
  SetDefVisitedLinkColor(plat::clPurple);
  SetVisitedMaxCount(50);
  SetDefFontSize(12);
  SetDefFontName("Times New Roman");
  defPreFontName_ = "Courier New";
  sectionList_->PreFontName = defPreFontName_;
  SetImageCacheCount(5);
  SethtOptions({htPrintTableBackground, htPrintMonochromeBlack});
  hoverTimer_ = std::make_unique<plat::TTimer>();
  hoverTimer_->SetEnabled(false);
  hoverTimer_->SetInterval(200);
  creating_ = false;
}

TFolio::~TFolio() {
  hoverTimer_.reset();
  // The section list refers to the cache; it goes first.
  if (ownsImageCache_) sectionList_->Clear();
  sectionList_.reset();
  imageCache_.reset();
}

void TFolio::DrawDocument(TPaintPanel& sender) {
  if (paintSuspended_ || !sender.MemoryCanvas) return;
  sectionList_->PaintCell(*sender.MemoryCanvas, plat::TRect{0, 1, sender.Width(), sender.Height()}, kMaxDocumentWidth,
                          -hScrollBar_->Position32(), 0, 0, 0);
}

void TFolio::UpdateFocusBorder() {
  bool frame = (Focused() && borderStyle_ == THTMLBorderStyle::htFocused) || borderStyle_ == THTMLBorderStyle::htSingle;
  borderPanel_->SetBorderStyle(frame ? plat::TBorderStyle::bsSingle : plat::TBorderStyle::bsNone);
}

std::string TFolio::ExpandName(const std::string& name) const {
  if (HasOtherScheme(name)) return name;
  // The expansion works on backslash paths; the server root and the
  // document's name are native paths, and so is the answer.
  std::string r = ExpandDocumentName(name, DosFormOf(serverRoot_), documentBase_, DosFormOf(documentName_));
  return NativePath(r).value_or(r);
}

}  // namespace html
