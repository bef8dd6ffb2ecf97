#include "support/attributes.h"

#include <algorithm>
#include "support/text_util.h"

namespace html {

namespace {

TAttributeList::TInlineStyleParser& InlineStyleParser() {
  static TAttributeList::TInlineStyleParser parser;
  return parser;
}

}  // namespace

void TAttributeList::SetInlineStyleParser(TInlineStyleParser parser) { InlineStyleParser() = std::move(parser); }

void TAttributeList::Clear() {
  cachedId_.clear();
  idCached_ = false;
  TFreeList<TAttribute>::Clear();
}

TAttribute* TAttributeList::Find(THtmlSymbol symbol) const {
  for (const auto& a : *this)
    if (a->AttrSymbol == symbol) return a.get();
  return nullptr;
}

std::vector<std::string> TAttributeList::AsStringList() const {
  std::vector<std::string> lines;
  lines.reserve(Count());
  for (const auto& a : *this) lines.push_back(a->AttrName + "=" + a->StrValue);
  return lines;
}

std::string TAttributeList::AsText() const {
  std::string text;
  auto lines = AsStringList();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) text += "\r\n";
    text += lines[i];
  }
  return text;
}

std::string TAttributeList::ClassSelector() const {
  const TAttribute* a = Find(syClass);
  if (!a) return {};
  std::string value = LowerCase(TrimView(a->StrValue));
  if (value.find(' ') == std::string::npos) return value;
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= value.size()) {
    size_t blank = value.find(' ', start);
    std::string part = Trim(value.substr(start, blank == std::string::npos ? std::string::npos : blank - start));
    if (!part.empty()) parts.push_back(part);
    if (blank == std::string::npos) break;
    start = blank + 1;
  }
  // Class components of a compound selector are kept in alphabetical order.
  std::sort(parts.begin(), parts.end());
  std::string joined;
  for (const auto& p : parts) joined += (joined.empty() ? "" : ".") + p;
  return joined;
}

std::string TAttributeList::IdName() {
  if (idCached_ && !cachedId_.empty()) return cachedId_;
  const TAttribute* a = Find(syId);
  cachedId_ = a ? LowerCase(a->StrValue) : std::string();
  idCached_ = true;
  return cachedId_;
}

std::string TAttributeList::TitleText() const {
  const TAttribute* a = Find(syTitle);
  return a ? a->StrValue : std::string();
}

std::shared_ptr<const TProperties> TAttributeList::InlineStyleProps() {
  const TAttribute* a = Find(syStyle);
  if (!a) return nullptr;
  ownedStyle_.reset();
  if (InlineStyleParser()) ownedStyle_ = InlineStyleParser()(*a);
  return ownedStyle_;
}

}  // namespace html
