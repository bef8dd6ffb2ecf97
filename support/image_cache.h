#pragma once
// The per-viewer cache of pictures, keyed by image name. Entries not used
// by the current documents age by one at every document load and go when
// they have been idle longer than the limit.
#include <memory>
#include <string>
#include <vector>

#include "platform/bitmap.h"

namespace html {

class TBitmapItem {
 public:
  int IdleCount = 0;
  int UseCount = 0;
  std::unique_ptr<plat::TBitmap> Picture;
  std::unique_ptr<plat::TBitmap> MaskBitmap;
};

class TStringBitmapList {
 public:
  // Keys are trimmed and upper-cased; an existing key is replaced.
  void AddObject(const std::string& name, std::unique_ptr<TBitmapItem> item);
  TBitmapItem* Find(const std::string& name) const;
  int Count() const { return static_cast<int>(items_.size()); }

  int CacheLimit() const { return limit_; }
  // Drops idle entries beyond the new limit, then keeps it.
  void SetLimit(int n);
  // One more load: every entry ages; unused ones idle too long go.
  void AgeAndPurge();
  void Clear() { items_.clear(); }

  static std::string KeyOf(const std::string& name);

 private:
  struct Entry {
    std::string key;
    std::unique_ptr<TBitmapItem> item;
  };
  std::vector<Entry> items_;
  int limit_ = 4;
};

}  // namespace html
