#pragma once
// Small text helpers of the style code (ASCII rules: style keys, names and
// values are 8-bit text).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace html {

// Removes control characters and blanks (codes up to 32) at both ends.
std::string_view TrimView(std::string_view s);
inline std::string Trim(std::string_view s) { return std::string(TrimView(s)); }
std::string LowerCase(std::string_view s);
// Case-insensitive comparison (ASCII letters), byte order otherwise.
int CompareText(std::string_view a, std::string_view b);
inline bool SameText(std::string_view a, std::string_view b) { return CompareText(a, b) == 0; }
inline bool Contains(std::string_view s, std::string_view part) {
  return s.find(part) != std::string_view::npos;
}
// A whole text read as a decimal integer (optional sign, digits, within 32 bits).
std::optional<int32_t> ParseInteger(std::string_view s);

}  // namespace html
