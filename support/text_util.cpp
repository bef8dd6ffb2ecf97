// String helpers.
#include "support/text_util.h"

#include <charconv>
#include <cstdint>

namespace html {

namespace {
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

std::string_view TrimView(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

std::string LowerCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = Lower(c);
  return r;
}

std::string UpperCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = Upper(c);
  return r;
}

int CompareText(std::string_view a, std::string_view b) {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    auto ca = static_cast<unsigned char>(Lower(a[i]));
    auto cb = static_cast<unsigned char>(Lower(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::optional<int32_t> ParseInteger(std::string_view s) {
  bool plus = !s.empty() && s.front() == '+';
  if (plus) s.remove_prefix(1);
  if (s.empty() || s.front() == '+' || (plus && s.front() == '-')) return std::nullopt;
  int32_t v = 0;
  auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || ptr != s.data() + s.size()) return std::nullopt;
  return v;
}

std::optional<int32_t> ParseStrToInt(std::string_view s) {
  size_t i = 0, n = s.size();
  while (i < n && s[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  bool hex = false;
  if (i < n && s[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < n && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= n) return std::nullopt;
  uint64_t value = 0;
  for (; i < n; ++i) {
    int digit = hex ? HexDigitValue(s[i]) : (s[i] >= '0' && s[i] <= '9' ? s[i] - '0' : -1);
    if (digit < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  if (hex) {
    const auto bits = static_cast<uint32_t>(value);
    return static_cast<int32_t>(negative ? 0u - bits : bits);
  }
  if (negative) {
    if (value > 0x80000000ull) return std::nullopt;
    return static_cast<int32_t>(-static_cast<int64_t>(value));
  }
  if (value > 0x7FFFFFFFull) return std::nullopt;
  return static_cast<int32_t>(value);
}

std::string HtmlEscape(std::string_view s) {
  std::string r;
  r.reserve(s.size());
  for (char c : s) {
    switch (c) {
      case '&':
        r += "&amp;";
        break;
      case '<':
        r += "&lt;";
        break;
      case '>':
        r += "&gt;";
        break;
      case '"':
        r += "&quot;";
        break;
      default:
        r += c;
    }
  }
  return r;
}

}  // namespace html
