#pragma once
// The property sets of the open elements, bottom first; entry 0 is the
// document's base set. Owns its entries and frees them in index order.
#include <memory>

#include "styles/properties.h"
#include "support/free_list.h"

namespace html {

class TPropStack : public TFreeList<TProperties> {
 public:
  int Count() const { return static_cast<int>(TFreeList::Count()); }
  int TopIndex() const { return Count() - 1; }
  // Entries; an index outside the stack throws std::out_of_range.
  TProperties& Item(int i) const;
  TProperties& Top() const { return Item(TopIndex()); }

  TProperties& Push(std::unique_ptr<TProperties> p) { return Insert(Count(), std::move(p)); }
  // Inserts before entry i (i == Count() appends).
  TProperties& Insert(int i, std::unique_ptr<TProperties> p);
  // Frees entry i and removes it.
  void DeleteAt(int i);
  // The index of `p`, or -1.
  int IndexOf(const TProperties* p) const;
};

}  // namespace html
