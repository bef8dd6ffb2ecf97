#include "styles/style_list.h"

#include <algorithm>
#include <stdexcept>

#include "styles/colors.h"
#include "support/text_util.h"

namespace html {

TStyleList::TStyleList(std::function<void()> onHoverRule) : onHoverRule_(std::move(onHoverRule)) {}

TStyleList::~TStyleList() { Clear(); }

void TStyleList::Clear() {
  defaultRule_ = nullptr;
  for (auto& e : items_) e.rule.reset();
  items_.clear();
  DescendantSerial = 10;
}

int TStyleList::LowerBound(std::string_view key) const {
  auto it = std::lower_bound(items_.begin(), items_.end(), key,
                             [](const TEntry& e, std::string_view k) { return CompareText(e.key, k) < 0; });
  return static_cast<int>(it - items_.begin());
}

int TStyleList::IndexOf(std::string_view key) const {
  int i = LowerBound(key);
  return i < Count() && SameText(Key(i), key) ? i : -1;
}

TProperties* TStyleList::Find(std::string_view key) {
  int i = IndexOf(key);
  return i < 0 ? nullptr : &Rule(i);
}

TProperties& TStyleList::Add(std::string_view key, std::unique_ptr<TProperties> rule) {
  if (!rule) throw std::invalid_argument("TStyleList: no rule");
  rule->TagName = std::string(key);
  TProperties& ref = *rule;
  std::unique_ptr<const TDescendantKey> descendant;
  if (key.find(' ') != std::string_view::npos)
    if (auto parsed = ParseDescendantKey(key)) descendant = std::make_unique<const TDescendantKey>(std::move(*parsed));
  items_.insert(items_.begin() + LowerBound(key), TEntry{std::string(key), std::move(rule), std::move(descendant)});
  return ref;
}

void TStyleList::StoreRuleDeclaration(std::string_view key, std::string_view propertyName,
                                      std::string_view valueText) {
  auto index = FindPropertyIndex(propertyName);
  if (!index) return;
  TProperties* rule = Find(key);
  std::unique_ptr<TProperties> fresh;
  if (!rule) {
    fresh = std::make_unique<TProperties>(TPropSetKind::Rule);
    rule = fresh.get();
  }
  if (*index == piColor) {
    // A document's link colours also reach the states that follow from them.
    if (auto c = ParseColor(valueText, false)) {
      if (key == ":link") {
        SetPseudoLinkColor("hover", *c);
        SetPseudoLinkColor("visited", *c);
      } else if (key == ":visited") {
        SetPseudoLinkColor("hover", *c);
      }
    }
  }
  StoreDeclarationValue(*rule, *index, valueText, TDeclarationTarget::Rule);
  if (fresh) Add(key, std::move(fresh));
  if (Contains(key, ":hover") && onHoverRule_) onHoverRule_();
  if (key == "a") StoreRuleDeclaration("::link", propertyName, valueText);
}

TProperties& TStyleList::CopyRuleAs(std::string_view key, const TProperties& rule) {
  auto copy = std::make_unique<TProperties>(TPropSetKind::Rule);
  copy->CopyValues(rule);
  return Add(key, std::move(copy));
}

void TStyleList::SetPseudoLinkColor(std::string_view stateName, plat::TColor color) {
  if (TProperties* rule = Find("::" + std::string(stateName))) rule->Values[piColor] = int32_t{color};
}

std::string TStyleList::NextSerialText() {
  std::string s = std::to_string(DescendantSerial);
  if (DescendantSerial < INT32_MAX) ++DescendantSerial;
  return s;
}

}  // namespace html
