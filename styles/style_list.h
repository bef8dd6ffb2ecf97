#pragma once
// The style sheet of one document: rules under selector keys, sorted
// ignoring case, duplicate keys accepted (a new duplicate goes before the
// rules already under that key). The list owns its rules and frees them in
// index order.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "styles/descendant_key.h"
#include "styles/properties.h"

namespace html {

struct TDefaultSheetSettings;

class TStyleList {
 public:
  // `onHoverRule` is called when a rule for ":hover" is stored, so that
  // the document knows to use hover fonts.
  explicit TStyleList(std::function<void()> onHoverRule = {});
  ~TStyleList();
  TStyleList(const TStyleList&) = delete;
  TStyleList& operator=(const TStyleList&) = delete;

  // Frees every rule; DescendantSerial restarts at 10.
  void Clear();

  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& Key(int i) const { return items_.at(static_cast<size_t>(i)).key; }
  const TProperties& Rule(int i) const { return *items_.at(static_cast<size_t>(i)).rule; }
  TProperties& Rule(int i) { return *items_.at(static_cast<size_t>(i)).rule; }
  // The parsed form of a descendant key, parsed when the rule was added;
  // nullptr for any other key.
  const TDescendantKey* Descendant(int i) const { return items_.at(static_cast<size_t>(i)).descendant.get(); }
  // The first rule whose key equals `key` ignoring case, or -1.
  int IndexOf(std::string_view key) const;
  // The first position whose key is not less than `key` (ignoring case).
  int LowerBound(std::string_view key) const;
  TProperties* Find(std::string_view key);
  // Adds a rule; its TagName becomes the key.
  TProperties& Add(std::string_view key, std::unique_ptr<TProperties> rule);

  // One declaration of a style sheet rule, creating the rule when the key is new.
  void StoreRuleDeclaration(std::string_view key, std::string_view propertyName, std::string_view valueText);
  // A new rule under `key` holding a copy of the values of `rule`.
  TProperties& CopyRuleAs(std::string_view key, const TProperties& rule);
  // Sets "color" of the rule "::" + stateName when it exists.
  void SetPseudoLinkColor(std::string_view stateName, plat::TColor color);
  // The next descendant rule number, as decimal text.
  std::string NextSerialText();
  // Clears the list and adds the built-in sheet (default_sheet.cpp).
  void BuildDefaultSheet(const TDefaultSheetSettings& settings);

  // The "default" rule of the last sheet built (nullptr before).
  const TProperties* DefaultRule() const { return defaultRule_; }

  int32_t DescendantSerial = 10;

 private:
  struct TEntry {
    std::string key;
    std::unique_ptr<TProperties> rule;
    std::unique_ptr<const TDescendantKey> descendant;
  };
  std::vector<TEntry> items_;
  std::function<void()> onHoverRule_;
  const TProperties* defaultRule_ = nullptr;
};

}  // namespace html
