#pragma once
// Descendant rule keys ("a 210li ul> "): the subject, then the ancestors
// nearest first; the digits after the first blank say how many ancestors
// and give the rule's serial number. The style list parses each key once,
// when its rule is added, and selector matching uses the parsed form.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace html {

// One component: element name, classes joined by ".", id and pseudo-class.
struct TKeyComponent {
  std::string name, classes, id, pseudo;
  // The classes one by one, sorted, without repeats.
  std::vector<std::string> classList;
  bool directParent = false;  // the next component must be this one's parent
};

struct TDescendantKey {
  std::vector<TKeyComponent> components;  // at least two
  int count = 0;
  int64_t serial = 0;
  size_t subjectLength = 0;  // of the key's text before its first blank
};

// Nothing for a key of fewer than two components.
std::optional<TDescendantKey> ParseDescendantKey(std::string_view key);

// The "."-separated classes of `classes`, each trimmed; empty ones dropped.
std::vector<std::string_view> SplitClasses(std::string_view classes);
// SplitClasses sorted and without repeats.
std::vector<std::string> SortedClassList(std::string_view classes);
// True when every class of `wanted` is in `have` (both sorted, without repeats).
bool ClassSubset(const std::vector<std::string>& wanted, const std::vector<std::string>& have);

}  // namespace html
