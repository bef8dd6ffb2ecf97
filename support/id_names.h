#pragma once
// Named fragment targets of a document ("#name" destinations).
#include <map>
#include <string>

namespace html {

// Anything a fragment name can lead to.
class TIDObject {
 public:
  virtual ~TIDObject() = default;
  // The document Y to scroll to when the object is a fragment target.
  virtual int YPosition() const = 0;
};

// Names (as given, compared exactly: the reader stores them in upper case)
// to their objects. The objects are owned by the document, not the list.
class TIDNameList {
 public:
  // The first object added under a name keeps it.
  void AddObject(const std::string& name, TIDObject* obj) { names_.emplace(name, obj); }
  TIDObject* Find(const std::string& name) const {
    auto it = names_.find(name);
    return it == names_.end() ? nullptr : it->second;
  }
  void Remove(const TIDObject* obj) {
    std::erase_if(names_, [obj](const auto& e) { return e.second == obj; });
  }
  void Clear() { names_.clear(); }
  size_t Count() const { return names_.size(); }

 private:
  std::map<std::string, TIDObject*> names_;
};

}  // namespace html
