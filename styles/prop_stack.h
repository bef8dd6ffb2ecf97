#pragma once
// The property sets of the open elements, bottom first; entry 0 is the
// document's base set. Owns its entries and frees them in index order.
#include <memory>
#include <vector>

#include "styles/properties.h"

namespace html {

class TPropStack {
 public:
  TPropStack() = default;
  ~TPropStack() { Clear(); }
  TPropStack(const TPropStack&) = delete;
  TPropStack& operator=(const TPropStack&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  int TopIndex() const { return Count() - 1; }
  // Entries; out-of-range indices throw std::out_of_range.
  TProperties& Item(int i) { return *items_.at(static_cast<size_t>(i)); }
  const TProperties& Item(int i) const { return *items_.at(static_cast<size_t>(i)); }
  TProperties& Top() { return Item(TopIndex()); }

  TProperties& Add(std::unique_ptr<TProperties> p);
  // Inserts before entry i (i == Count() appends).
  TProperties& Insert(int i, std::unique_ptr<TProperties> p);
  // Frees entry i and removes it.
  void DeleteAt(int i);
  // The index of `p`, or -1.
  int IndexOf(const TProperties* p) const;
  void Clear();

 private:
  std::vector<std::unique_ptr<TProperties>> items_;
};

}  // namespace html
