// Loading: from a string, from a file, the image document; preparing and
// finishing a load; meta elements; clearing.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "platform/errors.h"
#include "support/text_util.h"
#include "viewer/folio.h"
#include "viewer/folio_scopes.h"
#include "support/native_path.h"
#include "viewer/url_subs.h"

namespace html {

namespace {

// A reference splits at its first "#" into a name and a destination.
struct TReference {
  std::string name;
  std::string destination;
};
TReference SplitReference(const std::string& ref) {
  size_t p = ref.find('#');
  if (p == std::string::npos) return {ref, {}};
  return {ref.substr(0, p), ref.substr(p + 1)};
}

// The native path of the file a name stands for: the name itself when it
// is a file, otherwise as documents write paths (backslashes, any case).
std::optional<std::string> ResolveFileName(const std::string& name) {
  std::error_code ec;
  if (std::filesystem::is_regular_file(name, ec)) return name;
  return LocateFile(name);
}

std::string ReadWholeFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  if (!in) throw plat::EInOutError("Cannot open file \"" + name + "\"");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw plat::EInOutError("Cannot read file \"" + name + "\"");
  return text;
}

}  // namespace

void TFolio::SetProcessing(bool v) {
  if (v == processing_) return;
  processing_ = v;
  if (OnProcessing) OnProcessing(*this, v);
}

void TFolio::DoProgress(TProgressStage stage, int percent) {
  if (OnProgress) OnProgress(*this, stage, percent);
}

void TFolio::StopSound() {
  if (OnSoundRequest) OnSoundRequest(*this, "", 0, true);
}

void TFolio::PassDefaults() {
  sectionList_->SetDefaults(defFontName_, defPreFontName_, marginWidth_, marginHeight_, charSet_,
                            !options_.Contains(htNoLinkUnderline), options_.Contains(htOverLinksActive), defBackground_,
                            defOverLinkColor_, defVisitedLinkColor_, defHotSpotColor_, defFontColor_, defFontSize_);
}

void TFolio::PrepareDocument() {
  if (!sectionList_->ImageCache) {
    imageCache_ = std::make_unique<TStringBitmapList>();
    imageCache_->SetLimit(imageCacheCount_);
    sectionList_->ImageCache = imageCache_.get();
    ownsImageCache_ = true;
  }
  sectionList_->Reset();
  sectionList_->ImageCache->AgeAndPurge();
  PassDefaults();
}

TDocumentInfo TFolio::ReadDocument(const std::string& text, uint8_t kind) {
  TDocumentInfo info;
  if (kind == kKindHtml) {
    TLinkHandler link;
    if (OnLink)
      link = [this](const std::string& rel, const std::string& rev, const std::string& href) {
        OnLink(*this, rel, rev, href);
      };
    TMetaHandler meta = [this](const std::string& httpEq, const std::string& name, const std::string& content) {
      ApplyMetaElement(httpEq, name, content);
    };
    TSoundHandler sound;
    if (OnSoundRequest)
      sound = [this](const std::string& src, int loop, bool terminate) { OnSoundRequest(*this, src, loop, terminate); };
    TIncludeHandler include;
    if (OnInclude)
      include = [this](const std::string& command, const std::vector<std::string>& params, std::string& out) {
        OnInclude(*this, command, params, out);
      };
    info = ParseDocument(text, *sectionList_, link, meta, sound, include);
  } else if (kind == kKindText) {
    info = ParsePlainText(text, *sectionList_);
  } else {
    info = ParseDocument(text, *sectionList_, {}, {}, {}, {});
  }
  return info;
}

void TFolio::FinishLoad(const TDocumentInfo& info) {
  pageTitle_ = info.DocTitle;
  documentBase_ = info.DocBase;
  defaultTarget_ = info.DocBaseTarget;
  if (OnParseEnd) OnParseEnd(*this);
  TFlagScope suspend(paintSuspended_, true);
  sectionList_->LoadBackgroundImage();
  LayoutDocument();
}

void TFolio::GoToDestinationOrTop(const std::string& destination, const std::string& oldName) {
  if (!destination.empty() && JumpToDestination(destination)) return;
  if (documentName_.empty() || documentName_ != oldName) {
    ScrollToY(0);
    hScrollBar_->SetPosition32(0);
  }
}

void TFolio::LoadHtml(const std::string& text, const std::string& reference) {
  if (processing_) return;
  {
    TProcessingScope processing(*this);
    metaRefreshDelay_ = 0;
    TReference ref = SplitReference(reference);
    TFlagScope suspend(paintSuspended_, true);
    std::string oldName = documentName_;
    documentName_ = FullPathOf(ref.name);
    fileKind_ = kKindHtml;
    sectionList_->ProgressShare = 75;
    DoProgress(TProgressStage::psStarting, 0);
    TFinally progressEnd([this] { DoProgress(TProgressStage::psEnding, 100); });
    PrepareDocument();
    caretIndex_ = 0;
    selectionAnchor_ = -1;
    StopSound();
    sourceText_ = text;
    if (OnParseBegin) OnParseBegin(*this, sourceText_);
    FinishLoad(ReadDocument(sourceText_, kKindHtml));
    MarkVisitedLinks();
    GoToDestinationOrTop(ref.destination, oldName);
    paintPanel_->Invalidate();
  }
  if (metaRefreshDelay_ > 0 && OnMetaRefresh) OnMetaRefresh(*this, metaRefreshDelay_, metaRefreshUrl_);
}

void TFolio::LoadHtmlFile(const std::string& fileName) { LoadFile(fileName, kKindHtml); }

void TFolio::LoadImageDocument(const std::string& fileName) { LoadFile(fileName, kKindImage); }

void TFolio::LoadFile(const std::string& fileName, uint8_t kind) {
  if (processing_ || fileName.empty()) return;
  std::string oldName = documentName_, oldTitle = pageTitle_;
  TPositionMark oldMark = GetPositionMark();
  uint8_t oldKind = fileKind_;
  // Owned here: freed when the load fails or the history does not keep it.
  std::unique_ptr<TFormStates> formState = sectionList_->FormStates();
  LoadDocumentFile(fileName, kind);
  if (documentName_ != oldName || fileKind_ != oldKind)
    AddToHistory(oldName, oldTitle, oldKind, std::move(formState), oldMark);
}

void TFolio::LoadDocumentFile(const std::string& fileName, uint8_t kind) {
  {
    TScreenCursorScope hourglass(plat::crHourGlass);
    TReference ref = SplitReference(fileName);
    metaRefreshDelay_ = 0;
    TProcessingScope processing(*this);
    const std::optional<std::string> path = ResolveFileName(ref.name);
    if (!path) throw plat::EInOutError("Can't locate file: " + ref.name);
    sectionList_->ProgressShare = 75;
    DoProgress(TProgressStage::psStarting, 0);
    TFinally progressEnd([this] { DoProgress(TProgressStage::psEnding, 100); });
    TFlagScope suspend(paintSuspended_, true);
    PrepareDocument();
    caretIndex_ = 0;
    selectionAnchor_ = -1;
    std::string oldName = documentName_;
    documentName_ = FullPathOf(*path);
    fileKind_ = kind;
    // From here on a failure still lays out what was read and places the view.
    bool finished = false;
    TFinally finish([&] {
      if (finished) return;
      FinishLoad({});
      GoToDestinationOrTop(ref.destination, oldName);
    });
    sourceText_ = kind > kKindText ? std::string() : ReadWholeFile(*path);
    if (OnParseBegin) OnParseBegin(*this, sourceText_);
    if (kind == kKindHtml) StopSound();
    TDocumentInfo info = ReadDocument(kind == kKindImage ? ImageDocumentText(ref.name) : sourceText_, kind);
    finished = true;
    FinishLoad(info);
    MarkVisitedLinks();
    GoToDestinationOrTop(ref.destination, oldName);
    paintPanel_->Invalidate();
  }
  if (metaRefreshDelay_ > 0 && OnMetaRefresh) OnMetaRefresh(*this, metaRefreshDelay_, metaRefreshUrl_);
}

void TFolio::ApplyMetaElement(const std::string& httpEq, const std::string& name, const std::string& content) {
  if (OnMeta) OnMeta(*this, httpEq, name, content);
  if (!OnMetaRefresh || !SameText(httpEq, "refresh")) return;
  int delay = StrToIntDef(content.substr(0, content.find(';')), -1);
  if (delay < 0) return;
  if (delay == 0) delay = 1;
  size_t p = LowerCase(content).find("url=");
  metaRefreshUrl_ = p == std::string::npos ? std::string() : content.substr(p + 4);
  metaRefreshDelay_ = delay;
}

void TFolio::ClearDocument() {
  if (processing_) return;
  hoverTimer_->SetEnabled(false);
  sectionList_->Clear();
  if (ownsImageCache_) sectionList_->ImageCache->Clear();
  PassDefaults();
  documentBase_.clear();
  defaultTarget_.clear();
  pageTitle_.clear();
  vScrollBar_->SetMax32(0);
  vScrollBar_->Hide();
  vScrollBar_->SetHeight(paintPanel_->Height());
  hScrollBar_->Hide();
  caretIndex_ = 0;
  selectionAnchor_ = -1;
  StopSound();
  Invalidate();
}

}  // namespace html
