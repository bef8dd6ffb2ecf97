#pragma once
// TFolio: the control that owns one HTML document. It loads a document
// from a string or a file, has the reader build it into its document root,
// lays it out at its width, decides which scroll bars it needs and keeps
// the document's height and width. Around the document it keeps the list
// of visited links and the history of loaded files.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "layout/section_list.h"
#include "platform/controls.h"
#include "reader/read_html.h"
#include "support/image_cache.h"
#include "viewer/paint_panel.h"

namespace html {

enum class THTMLBorderStyle { htFocused, htNone, htSingle };
enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum class TProgressStage { psStarting, psRunning, psEnding };

enum htOptionEnum : uint8_t {
  htOverLinksActive,
  htNoLinkUnderline,
  htPrintTableBackground,
  htPrintBackground,
  htPrintMonochromeBlack,
  htShowDummyCaret,
  htShowVScroll,
  htNoWheelMouse,
  htNoLinkHilite,
};

// A set of options, bit n for the option numbered n.
class TFolioOptions {
 public:
  constexpr TFolioOptions() = default;
  constexpr TFolioOptions(std::initializer_list<htOptionEnum> options) {
    for (htOptionEnum o : options) Include(o);
  }
  constexpr bool Contains(htOptionEnum o) const { return (bits_ & Bit(o)) != 0; }
  constexpr TFolioOptions& Include(htOptionEnum o) {
    bits_ = static_cast<uint16_t>(bits_ | Bit(o));
    return *this;
  }
  constexpr TFolioOptions& Exclude(htOptionEnum o) {
    bits_ = static_cast<uint16_t>(bits_ & ~Bit(o));
    return *this;
  }
  constexpr uint16_t Bits() const { return bits_; }
  friend constexpr bool operator==(TFolioOptions, TFolioOptions) = default;

 private:
  static constexpr uint16_t Bit(htOptionEnum o) { return static_cast<uint16_t>(1u << o); }
  uint16_t bits_ = 0;
};

// A place in the document that survives layout at another width: an
// offset from the top of a section of the position list (Section is its
// index + 1), or from the top of the document (Section 0). Both halves are
// full 32-bit values.
struct TPositionMark {
  int Section = 0;
  int Offset = 0;
  friend bool operator==(const TPositionMark&, const TPositionMark&) = default;
};

// What a history entry keeps besides the file name and title.
class PositionObj {
 public:
  TPositionMark PositionMark;
  uint8_t Kind = 0;  // the entry's FileKind
  std::unique_ptr<TFormStates> FormState;
};

class TFolio;
using TNotifyEvent = std::function<void(TFolio& sender)>;
using ThtProgressEvent = std::function<void(TFolio& sender, TProgressStage stage, int percentDone)>;
using TProcessingEvent = std::function<void(TFolio& sender, bool processingOn)>;
using TParseEvent = std::function<void(TFolio& sender, std::string& source)>;
using TSoundType = std::function<void(TFolio& sender, const std::string& src, int loop, bool terminate)>;
using TMetaType =
    std::function<void(TFolio& sender, const std::string& httpEq, const std::string& name, const std::string& content)>;
using TMetaRefreshType = std::function<void(TFolio& sender, int delay, const std::string& url)>;
using TLinkType =
    std::function<void(TFolio& sender, const std::string& rel, const std::string& rev, const std::string& href)>;
using TIncludeType = std::function<void(TFolio& sender, const std::string& command,
                                        const std::vector<std::string>& params, std::string& text)>;

// FileKind values.
constexpr uint8_t kKindHtml = 0;
constexpr uint8_t kKindText = 1;
constexpr uint8_t kKindImage = 2;

// Widest content DocumentWidth reports.
constexpr int kMaxDocumentWidth = 6000;

// The markup of a document that shows one image file: an IMG element whose
// source is the name, escaped so that any name reads back unchanged.
std::string ImageDocumentText(const std::string& fileName);

class TFolio : public plat::TControl {
 public:
  explicit TFolio(plat::TControl* parent = nullptr);
  ~TFolio() override;

  // ---- loading (each replaces the document; nothing while Processing)
  // Loads a document from a string. `reference` names it: a file name whose
  // directory relative names are taken from, and after "#" a destination.
  void LoadHtml(const std::string& text, const std::string& reference = "");
  // Loads a file as HTML, or an image file as a one-image document, and
  // records the document left in the history. A missing file raises
  // plat::EInOutError "Can't locate file: " + name.
  void LoadHtmlFile(const std::string& fileName);
  void LoadImageDocument(const std::string& fileName);
  virtual void LoadDocumentFile(const std::string& fileName, uint8_t kind);
  virtual void ClearDocument();

  // ---- the document
  int DocumentHeight() const { return documentHeight_; }
  int DocumentWidth() const { return documentWidth_; }
  const std::string& PageTitle() const { return pageTitle_; }
  const std::string& DocumentName() const { return documentName_; }
  const std::string& DocumentBase() const { return documentBase_; }
  const std::string& DefaultTarget() const { return defaultTarget_; }
  const std::string& SourceText() const { return sourceText_; }
  uint8_t FileKind() const { return fileKind_; }
  int MetaRefreshDelay() const { return metaRefreshDelay_; }
  const std::string& MetaRefreshUrl() const { return metaRefreshUrl_; }
  int CaretIndex() const { return caretIndex_; }
  int SelectionAnchor() const { return selectionAnchor_; }
  int ScrollBarWidth() const { return scrollBarWidth_; }
  bool OwnsImageCache() const { return ownsImageCache_; }

  // ---- state flags
  bool Creating() const { return creating_; }
  bool PaintSuspended() const { return paintSuspended_; }
  bool Processing() const { return processing_; }

  // ---- positions, destinations, visited links, history
  TPositionMark GetPositionMark() const;
  void GoToPositionMark(TPositionMark mark);
  // Scrolls so that document Y is at the top, within the document.
  void ScrollToY(int y);
  // Scrolls to the element named (a leading "#" is dropped); false when
  // there is none.
  bool JumpToDestination(const std::string& name);
  void AddVisited(const std::string& url);
  void MarkVisitedLinks();
  void ClearHistory();
  const std::vector<std::string>& VisitedList() const { return visitedList_; }
  const std::vector<std::string>& HistoryNames() const { return historyNames_; }
  const std::vector<std::string>& HistoryTitles() const { return historyTitles_; }
  const PositionObj& HistoryPosition(int i) const { return *historyPositions_.at(static_cast<size_t>(i)); }
  int HistoryCursor() const { return historyCursor_; }
  // The reader's handler for meta elements: raises OnMeta and notes a
  // refresh request, which OnMetaRefresh receives after the load.
  void ApplyMetaElement(const std::string& httpEq, const std::string& name, const std::string& content);
  // The local path or URL a name of the document stands for.
  virtual std::string ExpandName(const std::string& name) const;

  // ---- parts
  plat::TPanel& BorderPanel() { return *borderPanel_; }
  TPaintPanel& PaintPanel() { return *paintPanel_; }
  plat::T32ScrollBar& VScrollBar() { return *vScrollBar_; }
  plat::T32ScrollBar& HScrollBar() { return *hScrollBar_; }
  TSectionList& SectionList() { return *sectionList_; }
  plat::TTimer& HoverTimer() { return *hoverTimer_; }
  const std::vector<std::string>& LinkAttributes() const { return linkAttributes_; }

  // ---- painting
  // Paints the document on the paint panel's canvas (nothing while suspended).
  virtual void DrawDocument(TPaintPanel& sender);
  // The border panel's frame: single while focused with htFocused, always with htSingle.
  void UpdateFocusBorder();

  // ---- published properties
  bool ViewImages() const { return sectionList_->ImagesEnabled; }
  void SetViewImages(bool v);
  plat::TColor DefBackground() const { return defBackground_; }
  void SetDefBackground(plat::TColor c);
  THTMLBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(THTMLBorderStyle b);
  int HistoryMaxCount() const { return historyMaxCount_; }
  void SetHistoryMaxCount(int n);
  const std::string& DefFontName() const { return defFontName_; }
  void SetDefFontName(const std::string& s) { defFontName_ = s; }
  const std::string& DefPreFontName() const { return defPreFontName_; }
  void SetDefPreFontName(const std::string& s);
  int DefFontSize() const { return defFontSize_; }
  void SetDefFontSize(int n) { defFontSize_ = n; }
  plat::TColor DefFontColor() const { return defFontColor_; }
  void SetDefFontColor(plat::TColor c) { defFontColor_ = c; }
  plat::TColor DefHotSpotColor() const { return defHotSpotColor_; }
  void SetDefHotSpotColor(plat::TColor c);
  plat::TColor DefVisitedLinkColor() const { return defVisitedLinkColor_; }
  void SetDefVisitedLinkColor(plat::TColor c);
  plat::TColor DefOverLinkColor() const { return defOverLinkColor_; }
  void SetDefOverLinkColor(plat::TColor c);
  int VisitedMaxCount() const { return visitedMaxCount_; }
  void SetVisitedMaxCount(int n);
  int ImageCacheCount() const { return imageCacheCount_; }
  void SetImageCacheCount(int n);
  bool NoSelect() const { return noSelect_; }
  void SetNoSelect(bool v);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle s);
  int CharSet() const { return charSet_; }
  void SetCharSet(int c) { charSet_ = c; }
  int MarginHeight() const { return marginHeight_; }
  void SetMarginHeight(int n) { marginHeight_ = n; }
  int MarginWidth() const { return marginWidth_; }
  void SetMarginWidth(int n) { marginWidth_ = n; }
  const std::string& ServerRoot() const { return serverRoot_; }
  void SetServerRoot(const std::string& s);
  double PrintMarginLeft() const { return printMarginLeft_; }
  void SetPrintMarginLeft(double v) { printMarginLeft_ = v; }
  double PrintMarginRight() const { return printMarginRight_; }
  void SetPrintMarginRight(double v) { printMarginRight_ = v; }
  double PrintMarginTop() const { return printMarginTop_; }
  void SetPrintMarginTop(double v) { printMarginTop_ = v; }
  double PrintMarginBottom() const { return printMarginBottom_; }
  void SetPrintMarginBottom(double v) { printMarginBottom_ = v; }
  double PrintScale() const { return printScale_; }
  void SetPrintScale(double v);
  TFolioOptions htOptions() const { return options_; }
  void SethtOptions(TFolioOptions o);
  void SetCursor(plat::TCursor c) override;

  // ---- events
  TNotifyEvent OnHistoryChange;
  ThtProgressEvent OnProgress;
  TProcessingEvent OnProcessing;
  TParseEvent OnParseBegin;
  TNotifyEvent OnParseEnd;
  TSoundType OnSoundRequest;
  TMetaType OnMeta;
  TMetaRefreshType OnMetaRefresh;
  TLinkType OnLink;
  TIncludeType OnInclude;

 protected:
  void Resize() override;
  void DoEnter() override { UpdateFocusBorder(); }
  void DoExit() override { UpdateFocusBorder(); }

 private:
  class TProcessingScope;

  // loading (folio_load.cpp)
  void LoadFile(const std::string& fileName, uint8_t kind);
  void PrepareDocument();
  void PassDefaults();
  void FinishLoad(const TDocumentInfo& info);
  TDocumentInfo ReadDocument(const std::string& text, uint8_t kind);
  void GoToDestinationOrTop(const std::string& destination, const std::string& oldName);
  void StopSound();
  void DoProgress(TProgressStage stage, int percent);
  void SetProcessing(bool v);

  // history (folio_history.cpp)
  void AddToHistory(const std::string& oldName, const std::string& oldTitle, uint8_t oldKind,
                    std::unique_ptr<TFormStates> formState, TPositionMark oldMark);
  std::string ExpandLinkUrl(const std::string& url) const;

  // layout (folio_layout.cpp)
  void LayoutDocument();
  int LayoutAtWidth(int width);
  void ArrangeControls();
  void RelayoutKeepPosition();

  bool creating_ = true;
  bool paintSuspended_ = false;
  bool processing_ = false;

  // Declared before the section list, which refers to them.
  std::unique_ptr<plat::TPanel> borderPanel_;
  std::unique_ptr<TPaintPanel> paintPanel_;
  std::unique_ptr<plat::T32ScrollBar> vScrollBar_;
  std::unique_ptr<plat::T32ScrollBar> hScrollBar_;
  std::unique_ptr<TStringBitmapList> imageCache_;
  std::unique_ptr<TSectionList> sectionList_;
  std::vector<std::string> historyNames_;
  std::vector<std::string> historyTitles_;
  std::vector<std::unique_ptr<PositionObj>> historyPositions_;
  std::vector<std::string> visitedList_;
  std::unique_ptr<plat::TTimer> hoverTimer_;
  std::vector<std::string> linkAttributes_;

  std::string sourceText_;
  std::string documentName_;
  uint8_t fileKind_ = kKindHtml;
  std::string pageTitle_;
  std::string documentBase_;
  std::string defaultTarget_;
  int documentHeight_ = 0;
  int documentWidth_ = 0;
  int scrollBarWidth_ = plat::kScrollBarSize;
  int caretIndex_ = 0;
  int selectionAnchor_ = -1;
  int metaRefreshDelay_ = 0;
  std::string metaRefreshUrl_;
  int historyCursor_ = 0;
  bool ownsImageCache_ = false;

  plat::TColor defBackground_ = plat::clBtnFace;
  THTMLBorderStyle borderStyle_ = THTMLBorderStyle::htFocused;
  int historyMaxCount_ = 0;
  std::string defFontName_;
  std::string defPreFontName_;
  int defFontSize_ = 12;
  plat::TColor defFontColor_ = plat::clBtnText;
  plat::TColor defHotSpotColor_ = plat::clBlue;
  plat::TColor defVisitedLinkColor_ = plat::clPurple;
  plat::TColor defOverLinkColor_ = plat::clBlue;
  int visitedMaxCount_ = 50;
  int imageCacheCount_ = 5;
  bool noSelect_ = false;
  TScrollStyle scrollBars_ = TScrollStyle::ssBoth;
  int charSet_ = 1;
  int marginHeight_ = 5;
  int marginWidth_ = 10;
  std::string serverRoot_;
  double printMarginLeft_ = 2.0;
  double printMarginRight_ = 2.0;
  double printMarginTop_ = 2.0;
  double printMarginBottom_ = 2.0;
  double printScale_ = 1.0;
  TFolioOptions options_;
};

}  // namespace html
