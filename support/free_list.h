#pragma once
// An owning list: it frees its items in index order when cleared or destroyed.
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace html {

template <typename T>
class TFreeList {
 public:
  TFreeList() = default;
  TFreeList(const TFreeList&) = delete;
  TFreeList& operator=(const TFreeList&) = delete;
  TFreeList(TFreeList&&) noexcept = default;
  TFreeList& operator=(TFreeList&& other) noexcept {
    if (this != &other) {
      Clear();
      items_ = std::move(other.items_);
    }
    return *this;
  }
  virtual ~TFreeList() { Clear(); }

  // Frees every item, first to last, then empties the list.
  void Clear() {
    for (auto& item : items_) item.reset();
    items_.clear();
  }

  T* Add(std::unique_ptr<T> item) {
    items_.push_back(std::move(item));
    return items_.back().get();
  }
  void Insert(size_t index, std::unique_ptr<T> item) {
    if (index > items_.size()) index = items_.size();
    items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
  }
  // Frees and removes the item at index (nothing when out of range).
  void Delete(size_t index) {
    if (index >= items_.size()) return;
    items_[index].reset();
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
  }
  // Removes the item at index without freeing it.
  std::unique_ptr<T> Extract(size_t index) {
    if (index >= items_.size()) return nullptr;
    auto item = std::move(items_[index]);
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    return item;
  }

  size_t Count() const { return items_.size(); }
  bool Empty() const { return items_.empty(); }
  // Bounds-checked access: nullptr outside the list.
  T* Items(size_t index) const { return index < items_.size() ? items_[index].get() : nullptr; }
  T* operator[](size_t index) const { return Items(index); }
  T* Last() const { return items_.empty() ? nullptr : items_.back().get(); }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<std::unique_ptr<T>> items_;
};

}  // namespace html
