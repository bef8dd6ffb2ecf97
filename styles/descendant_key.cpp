#include "styles/descendant_key.h"

#include <algorithm>

#include "support/text_util.h"

namespace html {

namespace {

constexpr int kMaxKeyComponents = 10;

TKeyComponent ParseComponent(std::string_view text) {
  TKeyComponent c;
  size_t mark = text.find_first_of(".:#");
  c.name = std::string(text.substr(0, mark));
  while (mark != std::string_view::npos) {
    const char kind = text[mark];
    size_t next = text.find_first_of(".:#", mark + 1);
    std::string_view piece = text.substr(mark + 1, next == std::string_view::npos ? next : next - mark - 1);
    if (kind == '.') {
      if (!c.classes.empty()) c.classes += '.';
      c.classes += piece;
    } else if (kind == ':') {
      if (c.pseudo.empty()) c.pseudo = std::string(piece);
    } else if (c.id.empty()) {
      c.id = std::string(piece);
    }
    mark = next;
  }
  c.classList = SortedClassList(c.classes);
  return c;
}

}  // namespace

std::optional<TDescendantKey> ParseDescendantKey(std::string_view key) {
  std::vector<std::string> parts;
  std::string_view rest = TrimView(key);
  while (!rest.empty()) {
    size_t blank = rest.find(' ');
    if (blank == std::string_view::npos || static_cast<int>(parts.size()) == kMaxKeyComponents - 1) {
      parts.emplace_back(rest);
      break;
    }
    parts.emplace_back(rest.substr(0, blank));
    rest = TrimView(rest.substr(blank + 1));
  }
  if (parts.size() < 2) return std::nullopt;
  TDescendantKey out;
  out.subjectLength = std::min(key.find(' '), key.size());
  std::string& second = parts[1];
  size_t digits = 0;
  if (!second.empty() && second[0] >= '0' && second[0] <= '9') out.count = second[0] - '0';
  if (!second.empty()) second.erase(0, 1);
  while (digits < second.size() && second[digits] >= '0' && second[digits] <= '9') {
    if (out.serial < INT32_MAX) out.serial = out.serial * 10 + (second[digits] - '0');
    ++digits;
  }
  second.erase(0, digits);
  out.components.reserve(parts.size());
  for (size_t k = 0; k < parts.size(); ++k) {
    std::string& part = parts[k];
    if (k >= 1 && part.find('>') != std::string::npos) {
      out.components[k - 1].directParent = true;
      part.erase(std::remove(part.begin(), part.end(), '>'), part.end());
    }
    out.components.push_back(ParseComponent(part));
  }
  return out;
}

std::vector<std::string_view> SplitClasses(std::string_view classes) {
  std::vector<std::string_view> out;
  while (!classes.empty()) {
    size_t dot = classes.find('.');
    std::string_view piece = TrimView(classes.substr(0, dot));
    if (!piece.empty()) out.push_back(piece);
    if (dot == std::string_view::npos) break;
    classes.remove_prefix(dot + 1);
  }
  return out;
}

std::vector<std::string> SortedClassList(std::string_view classes) {
  std::vector<std::string> out;
  for (std::string_view c : SplitClasses(classes)) out.emplace_back(c);
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

bool ClassSubset(const std::vector<std::string>& wanted, const std::vector<std::string>& have) {
  return std::includes(have.begin(), have.end(), wanted.begin(), wanted.end());
}

}  // namespace html
