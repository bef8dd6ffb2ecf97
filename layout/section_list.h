#pragma once
// The document root: the cell holding the document's sections, and the
// document-wide state: the viewer's defaults, the scroll position, links,
// fragment names, positions, forms and the image cache reference.
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "layout/font_obj.h"
#include "layout/html_form.h"
#include "layout/section_base.h"
#include "platform/controls.h"
#include "support/id_names.h"
#include "support/image_cache.h"

namespace html {

class TFolio;

// The viewer's settings the default style sheet is built from.
struct TDocumentDefaults {
  std::string FontName = "Times New Roman";
  std::string PreFontName = "Courier New";
  int MarginWidth = 10;
  int MarginHeight = 5;
  int CharSet = 1;
  bool UnderlineLinks = true;
  plat::TColor HoverLinkColor = plat::clBlue;
  plat::TColor VisitedLinkColor = plat::clPurple;
  plat::TColor LinkColor = plat::clBlue;
  plat::TColor FontColor = plat::clBtnText;
  int FontSize = 12;
};

// Longest pre font name the root keeps.
constexpr size_t kMaxPreFontName = 32;

class TSectionList : public TCell {
 public:
  TSectionList(TFolio* owner, plat::TPanel* paintPanel);
  ~TSectionList() override;

  // ---- display
  bool ImagesEnabled = true;
  bool IsPrinting = false;
  int ScrollTop = 0;
  bool YOffsetChanged = false;
  int SelStart = 0;
  int SelEnd = 0;

  // ---- defaults from the viewer
  std::string PreFontName = "Courier New";
  plat::TColor VisitedLinkColor = plat::clPurple;
  plat::TColor HoverLinkColor = plat::clBlue;
  plat::TColor LinkColor = plat::clBlue;
  bool PrintTableBackground = false;
  bool PrintBackground = false;
  bool PrintMonochromeBlack = false;
  bool LinksActive = false;
  bool ShowDummyCaret = false;
  plat::TColor Background = plat::clBtnFace;
  TDocumentDefaults Defaults;
  // Point sizes of the seven HTML font sizes, in ordinary and preformatted text.
  std::array<double, 7> FontPointSizes{};
  std::array<double, 7> PreFontPointSizes{};

  // ---- owner and callbacks
  TFolio* Owner;
  plat::TPanel* PaintPanel;
  // Called after the document background colour changed.
  std::function<void(TSectionList&)> BackgroundChanged;

  // ---- background image
  std::string BackgroundName;
  bool BackgroundLoaded = false;

  // ---- lists
  std::vector<std::unique_ptr<ThtmlForm>> Forms;
  std::vector<TFontObj*> LinkRuns;  // the runs belong to their sections
  TIDNameList IDNames;
  std::vector<TSectionBase*> PositionEntries;  // sections in document order
  TStringBitmapList* ImageCache = nullptr;     // the viewer's

  int ProgressShare = 0;
  int LayoutCycle = 0;
  bool IsPrintCopy = false;

  // Empties the document: sections, forms, links, names, positions, selection.
  void Reset();
  void Clear() { Reset(); }
  void SetDefaults(const std::string& fontName, const std::string& preFontName, int marginWidth, int marginHeight,
                   int charSet, bool underlineLinks, bool linksActive, plat::TColor background,
                   plat::TColor hoverLinkColor, plat::TColor visitedLinkColor, plat::TColor linkColor,
                   plat::TColor fontColor, int fontSize);
  void SetBackgroundColor(plat::TColor c);
  void SetBackgroundImage(const std::string& name);
  void LoadBackgroundImage();
  void ChangeYOffset(int y);
  // The last section of the position list whose YPosition is at or above
  // Y, its YPosition and its index; none when there is no such section.
  TSectionBase* SectionAtY(int y, int& sectionTop, int& position) const;
  // The values of every form, or none when the document has no forms.
  std::unique_ptr<TFormStates> FormStates() const;

  // The root layout: the cell pass from Y; answers the document height and
  // the widest content in maxWidth. The first pass of a document builds the
  // position list.
  int LayoutCell(plat::TCanvas& canvas, int y, int& index, int& maxWidth, int parentHeight, int availHeight,
                 int availWidth) override;
  int PaintCell(plat::TCanvas& canvas, const plat::TRect& clipRect, int limit, int x, int y, int xRef,
                int yRef) override;
};

}  // namespace html
