#pragma once
// Names of the document (ID and NAME values) mapped to the objects they mark.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <variant>

namespace html {

// Anything a fragment can scroll to.
class TIDObject {
 public:
  virtual ~TIDObject() = default;
  // Document y (pixels from the top) of the object.
  virtual int YPosition() const = 0;
};

// Finds where a source position lies in the laid-out document; the
// document root implements it.
class TSourcePositionFinder {
 public:
  virtual ~TSourcePositionFinder() = default;
  // The document y of the character at the source index, or nothing.
  virtual bool FindSourcePosition(int32_t sourceIndex, int& y) = 0;
};

// A target known only by a character position.
class TChPosObj : public TIDObject {
 public:
  TChPosObj(TSourcePositionFinder* owner, int32_t chPos) : Owner(owner), ChPos(chPos) {}
  int YPosition() const override;

  TSourcePositionFinder* Owner;
  int32_t ChPos;
};

// Sorted and compared without regard to case. TChPosObj entries are owned
// by the list; other objects belong to the sections that registered them.
class TIDNameList {
 public:
  explicit TIDNameList(TSourcePositionFinder* owner = nullptr) : Owner(owner) {}
  TIDNameList(const TIDNameList&) = delete;
  TIDNameList& operator=(const TIDNameList&) = delete;
  ~TIDNameList() { Clear(); }

  // A name always maps to the last object registered for it.
  void AddObject(const std::string& name, TIDObject* object);
  void AddChPosObject(const std::string& name, int32_t position);
  TIDObject* Find(const std::string& name) const;
  // Drops every name that maps to the object (a section going away).
  void Remove(const TIDObject* object);
  void Clear();
  size_t Count() const { return entries_.size(); }

  TSourcePositionFinder* Owner;

 private:
  struct CaseLess {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  struct Entry {
    TIDObject* object = nullptr;
    std::unique_ptr<TChPosObj> owned;  // set when the list owns the object
  };
  std::map<std::string, Entry, CaseLess> entries_;
};

}  // namespace html
