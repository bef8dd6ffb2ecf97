// The image cache: lookups by normalised name and ageing between loads.
#include "support/image_cache.h"

#include <stdexcept>

#include "support/text_util.h"

namespace html {

bool TStringBitmapList::TKeyLess::operator()(std::string_view a, std::string_view b) const {
  return CompareText(a, b) < 0;
}

std::string TStringBitmapList::KeyOf(const std::string& name) { return UpperCase(TrimView(name)); }

void TStringBitmapList::AddObject(const std::string& name, std::unique_ptr<TBitmapItem> item) {
  if (!item) throw std::invalid_argument("TStringBitmapList: no item for \"" + name + "\"");
  items_.insert_or_assign(KeyOf(name), std::move(item));
}

TBitmapItem* TStringBitmapList::Find(const std::string& name) const {
  auto it = items_.find(TrimView(name));
  return it == items_.end() ? nullptr : it->second.get();
}

void TStringBitmapList::SetLimit(int n) {
  std::erase_if(items_, [n](const auto& e) { return e.second->IdleCount > n && e.second->UseCount <= 0; });
  limit_ = n;
}

void TStringBitmapList::AgeAndPurge() {
  for (auto& e : items_) ++e.second->IdleCount;
  std::erase_if(items_, [this](const auto& e) { return e.second->IdleCount > limit_ && e.second->UseCount < 1; });
}

}  // namespace html
