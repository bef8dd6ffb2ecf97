// The document root: defaults, reset, root layout and paint, queries.
#include "layout/section_list.h"

namespace html {

TSectionList::TSectionList(TFolio* owner, plat::TPanel* paintPanel)
    : TCell(this), Owner(owner), PaintPanel(paintPanel) {}

TSectionList::~TSectionList() { Reset(); }

void TSectionList::Reset() {
  if (!IsPrintCopy) {
    IDNames.Clear();
    PositionEntries.clear();
  }
  BackgroundName.clear();
  BackgroundLoaded = false;
  SelStart = SelEnd = 0;
  LinkRuns.clear();
  ClearSections();
  Forms.clear();
}

void TSectionList::SetDefaults(const std::string& fontName, const std::string& preFontName, int marginWidth,
                               int marginHeight, int charSet, bool underlineLinks, bool linksActive,
                               plat::TColor background, plat::TColor hoverLinkColor, plat::TColor visitedLinkColor,
                               plat::TColor linkColor, plat::TColor fontColor, int fontSize) {
  Defaults = {fontName,       preFontName,      marginWidth, marginHeight, charSet, underlineLinks,
              hoverLinkColor, visitedLinkColor, linkColor,   fontColor,    fontSize};
  static constexpr double kBase[7] = {8, 10, 12, 14, 18, 24, 36};
  static constexpr double kPreBase[7] = {7, 8, 10, 12, 15, 20, 30};
  for (size_t i = 0; i < 7; ++i) {
    FontPointSizes[i] = kBase[i] * fontSize / 12.0;
    PreFontPointSizes[i] = kPreBase[i] * fontSize / 12.0;
  }
  PreFontName = preFontName.substr(0, kMaxPreFontName);
  LinkColor = linkColor;
  VisitedLinkColor = visitedLinkColor;
  HoverLinkColor = hoverLinkColor;
  LinksActive = linksActive;
  SetBackgroundColor(background);
}

void TSectionList::SetBackgroundColor(plat::TColor c) {
  Background = c;
  if (BackgroundChanged) BackgroundChanged(*this);
}

void TSectionList::SetBackgroundImage(const std::string& name) {
  BackgroundName = name;
  BackgroundLoaded = false;
}

void TSectionList::LoadBackgroundImage() {
  if (!ImagesEnabled || BackgroundLoaded || BackgroundName.empty()) return;
  // Pictures are not fetched yet: the document keeps its background colour.
  BackgroundLoaded = true;
}

void TSectionList::ChangeYOffset(int y) {
  ScrollTop = y;
  YOffsetChanged = true;
}

TSectionBase* TSectionList::SectionAtY(int y, int& sectionTop, int& position) const {
  for (size_t i = PositionEntries.size(); i-- > 0;) {
    TSectionBase* s = PositionEntries[i];
    if (s->YPosition() <= y) {
      sectionTop = s->YPosition();
      position = static_cast<int>(i);
      return s;
    }
  }
  return nullptr;
}

std::unique_ptr<TFormStates> TSectionList::FormStates() const {
  if (Forms.empty()) return nullptr;
  auto states = std::make_unique<TFormStates>();
  for (const auto& f : Forms) states->push_back(f->CollectValues());
  return states;
}

int TSectionList::LayoutCell(plat::TCanvas& canvas, int y, int& index, int& maxWidth, int parentHeight, int availHeight,
                             int availWidth) {
  ++LayoutCycle;
  int height = TCell::LayoutCell(canvas, y, index, maxWidth, parentHeight, availHeight, availWidth);
  if (!IsPrintCopy && PositionEntries.empty()) RegisterPositions();
  return height;
}

int TSectionList::PaintCell(plat::TCanvas& canvas, const plat::TRect& clipRect, int limit, int x, int y, int xRef,
                            int yRef) {
  int answer = TCell::PaintCell(canvas, clipRect, limit, x, y, xRef, yRef);
  YOffsetChanged = false;
  return answer;
}

}  // namespace html
