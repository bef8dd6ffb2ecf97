#include "support/id_names.h"

#include "support/text_util.h"

namespace html {

int TChPosObj::YPosition() const {
  int y = 0;
  if (Owner && Owner->FindSourcePosition(ChPos, y)) return y;
  return 0;
}

bool TIDNameList::CaseLess::operator()(const std::string& a, const std::string& b) const {
  return CompareText(a, b) < 0;
}

void TIDNameList::AddObject(const std::string& name, TIDObject* object) {
  entries_.erase(name);  // frees an owned position object
  Entry& e = entries_[name];
  e.object = object;
}

void TIDNameList::AddChPosObject(const std::string& name, int32_t position) {
  auto obj = std::make_unique<TChPosObj>(Owner, position);
  TChPosObj* raw = obj.get();
  AddObject(name, raw);
  entries_[name].owned = std::move(obj);
}

TIDObject* TIDNameList::Find(const std::string& name) const {
  auto it = entries_.find(name);
  return it == entries_.end() ? nullptr : it->second.object;
}

void TIDNameList::Remove(const TIDObject* object) {
  std::erase_if(entries_, [object](const auto& e) { return e.second.object == object; });
}

void TIDNameList::Clear() { entries_.clear(); }

}  // namespace html
