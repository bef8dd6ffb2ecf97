// Where the reader has been: position marks, destinations, visited links
// and the history of loaded files.
#include <algorithm>
#include <unordered_map>

#include "platform/numeric.h"
#include "support/text_util.h"
#include "viewer/folio.h"

namespace html {

using plat::ClampToInt;

TPositionMark TFolio::GetPositionMark() const {
  int position = vScrollBar_->Position32(), top = 0, index = 0;
  if (sectionList_->SectionAtY(position, top, index)) return {index + 1, ClampToInt(int64_t{position} - top)};
  return {0, position};
}

void TFolio::GoToPositionMark(TPositionMark mark) {
  int64_t y = mark.Offset;
  if (mark.Section != 0) {
    const auto& entries = sectionList_->PositionEntries;
    if (mark.Section < 0 || static_cast<size_t>(mark.Section) > entries.size()) return;
    y += entries[static_cast<size_t>(mark.Section) - 1]->YPosition();
  }
  ScrollToY(ClampToInt(y));
}

bool TFolio::JumpToDestination(const std::string& name) {
  if (name.empty()) return false;
  std::string n = name[0] == '#' ? name.substr(1) : name;
  TIDObject* obj = sectionList_->IDNames.Find(UpperCase(n));
  if (!obj) return false;
  ScrollToY(obj->YPosition());
  hScrollBar_->SetPosition32(0);
  AddVisited(documentName_ + "#" + n);
  return true;
}

std::string TFolio::ExpandLinkUrl(const std::string& url) const {
  return !url.empty() && url[0] == '#' ? documentName_ + url : ExpandName(url);
}

void TFolio::MarkVisitedLinks() {
  if (visitedMaxCount_ <= 0 || visitedList_.empty()) return;
  // The runs of one link share its number and address: it is expanded and
  // looked up once.
  struct TLinkAnswer {
    std::string url;
    bool visited;
  };
  std::unordered_map<int32_t, TLinkAnswer> answers;
  for (TFontObj* run : sectionList_->LinkRuns) {
    const std::string& url = run->Link.Url;
    if (url.empty()) continue;
    auto [it, fresh] = answers.try_emplace(run->Link.LinkNumber);
    if (fresh || it->second.url != url) {
      std::string expanded = ExpandLinkUrl(url);
      it->second.url = url;
      it->second.visited = std::any_of(visitedList_.begin(), visitedList_.end(),
                                       [&](const std::string& visited) { return SameText(expanded, visited); });
    }
    if (it->second.visited) run->SetVisited(true);
  }
}

void TFolio::AddVisited(const std::string& url) {
  if (visitedMaxCount_ <= 0) return;
  auto it =
      std::find_if(visitedList_.begin(), visitedList_.end(), [&](const std::string& v) { return SameText(v, url); });
  if (it == visitedList_.begin() && it != visitedList_.end()) return;
  if (it != visitedList_.end()) {
    visitedList_.erase(it);
  } else {
    for (TFontObj* run : sectionList_->LinkRuns) {
      std::string link = run->LinkUrl();
      if (!link.empty() && SameText(ExpandLinkUrl(link), url)) run->SetVisited(true);
    }
  }
  visitedList_.insert(visitedList_.begin(), url);
  if (visitedList_.size() > static_cast<size_t>(visitedMaxCount_))
    visitedList_.resize(static_cast<size_t>(visitedMaxCount_));
}

void TFolio::AddToHistory(const std::string& oldName, const std::string& oldTitle, uint8_t oldKind,
                          std::unique_ptr<TFormStates> formState, TPositionMark oldMark) {
  // Whatever the history does not keep of formState is freed on return.
  if (historyMaxCount_ < 1 || documentName_.empty()) return;
  TPositionMark mark = GetPositionMark();
  if (oldName == documentName_ && oldKind == fileKind_ && oldMark == mark) return;
  if (!historyNames_.empty() && !oldName.empty()) {
    size_t cursor = std::min(static_cast<size_t>(std::max(historyCursor_, 0)), historyNames_.size() - 1);
    historyNames_[cursor] = oldName;
    PositionObj& entry = *historyPositions_[cursor];
    entry.PositionMark = oldMark;
    entry.Kind = oldKind;
    if (oldName != documentName_) entry.FormState = std::move(formState);
    historyTitles_[cursor] = oldTitle;
    auto newer = static_cast<std::ptrdiff_t>(cursor);
    historyNames_.erase(historyNames_.begin(), historyNames_.begin() + newer);
    historyTitles_.erase(historyTitles_.begin(), historyTitles_.begin() + newer);
    historyPositions_.erase(historyPositions_.begin(), historyPositions_.begin() + newer);
  }
  historyCursor_ = 0;
  auto entry = std::make_unique<PositionObj>();
  entry->PositionMark = mark;
  entry->Kind = fileKind_;
  historyNames_.insert(historyNames_.begin(), documentName_);
  historyPositions_.insert(historyPositions_.begin(), std::move(entry));
  historyTitles_.insert(historyTitles_.begin(), pageTitle_);
  if (historyNames_.size() > static_cast<size_t>(historyMaxCount_)) {
    auto at = static_cast<std::ptrdiff_t>(historyMaxCount_);
    historyNames_.erase(historyNames_.begin() + at);
    historyTitles_.erase(historyTitles_.begin() + at);
    historyPositions_.erase(historyPositions_.begin() + at);
  }
  if (OnHistoryChange) OnHistoryChange(*this);
}

void TFolio::ClearHistory() {
  bool had = !historyNames_.empty();
  historyNames_.clear();
  historyTitles_.clear();
  historyPositions_.clear();
  historyCursor_ = 0;
  documentName_.clear();
  if (had && OnHistoryChange) OnHistoryChange(*this);
}

}  // namespace html
