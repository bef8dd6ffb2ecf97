#pragma once
// The per-viewer cache of pictures, keyed by image name. Entries not used
// by the current documents age by one at every document load and go when
// they have been idle longer than the limit.
#include <map>
#include <memory>
#include <string>
#include <string_view>

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
  // Keys are trimmed (blanks and control characters) and upper-cased; an
  // existing key is replaced. A null item raises std::invalid_argument.
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
  // Orders names without regard to case, so that a name finds its key
  // without being copied.
  struct TKeyLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  std::map<std::string, std::unique_ptr<TBitmapItem>, TKeyLess> items_;
  int limit_ = 4;
};

}  // namespace html
