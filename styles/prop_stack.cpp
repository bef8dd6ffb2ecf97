#include "styles/prop_stack.h"

#include <stdexcept>

namespace html {

TProperties& TPropStack::Add(std::unique_ptr<TProperties> p) { return Insert(Count(), std::move(p)); }

TProperties& TPropStack::Insert(int i, std::unique_ptr<TProperties> p) {
  if (!p) throw std::invalid_argument("TPropStack: no set");
  if (i < 0 || i > Count()) throw std::out_of_range("TPropStack: insert position");
  TProperties& ref = *p;
  items_.insert(items_.begin() + i, std::move(p));
  return ref;
}

void TPropStack::DeleteAt(int i) {
  if (i < 0 || i >= Count()) throw std::out_of_range("TPropStack: delete position");
  items_.erase(items_.begin() + i);
}

int TPropStack::IndexOf(const TProperties* p) const {
  for (int i = TopIndex(); i >= 0; --i)
    if (items_[static_cast<size_t>(i)].get() == p) return i;
  return -1;
}

void TPropStack::Clear() {
  for (auto& p : items_) p.reset();
  items_.clear();
}

}  // namespace html
