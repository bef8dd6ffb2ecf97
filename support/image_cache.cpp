// The image cache: lookups by normalised name and ageing between loads.
#include "support/image_cache.h"

#include <algorithm>
#include <cctype>

namespace html {

std::string TStringBitmapList::KeyOf(const std::string& name) {
  size_t b = name.find_first_not_of(' '), e = name.find_last_not_of(' ');
  std::string key = b == std::string::npos ? std::string() : name.substr(b, e - b + 1);
  for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

void TStringBitmapList::AddObject(const std::string& name, std::unique_ptr<TBitmapItem> item) {
  std::string key = KeyOf(name);
  for (Entry& e : items_)
    if (e.key == key) {
      e.item = std::move(item);
      return;
    }
  items_.push_back({std::move(key), std::move(item)});
}

TBitmapItem* TStringBitmapList::Find(const std::string& name) const {
  std::string key = KeyOf(name);
  for (const Entry& e : items_)
    if (e.key == key) return e.item.get();
  return nullptr;
}

void TStringBitmapList::SetLimit(int n) {
  std::erase_if(items_, [n](const Entry& e) { return e.item->IdleCount > n && e.item->UseCount <= 0; });
  limit_ = n;
}

void TStringBitmapList::AgeAndPurge() {
  for (Entry& e : items_) ++e.item->IdleCount;
  std::erase_if(items_, [this](const Entry& e) { return e.item->IdleCount > limit_ && e.item->UseCount < 1; });
}

}  // namespace html
