#include "styles/prop_stack.h"

#include <stdexcept>

namespace html {

TProperties& TPropStack::Item(int i) const {
  TProperties* p = i < 0 ? nullptr : Items(static_cast<size_t>(i));
  if (!p) throw std::out_of_range("TPropStack: no entry at that index");
  return *p;
}

TProperties& TPropStack::Insert(int i, std::unique_ptr<TProperties> p) {
  if (!p) throw std::invalid_argument("TPropStack: no set");
  if (i < 0 || i > Count()) throw std::out_of_range("TPropStack: insert position");
  TProperties& ref = *p;
  TFreeList::Insert(static_cast<size_t>(i), std::move(p));
  return ref;
}

void TPropStack::DeleteAt(int i) {
  if (i < 0 || i >= Count()) throw std::out_of_range("TPropStack: delete position");
  Delete(static_cast<size_t>(i));
}

int TPropStack::IndexOf(const TProperties* p) const {
  for (int i = TopIndex(); i >= 0; --i)
    if (Items(static_cast<size_t>(i)) == p) return i;
  return -1;
}

}  // namespace html
