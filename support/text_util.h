#pragma once
// Small 8-bit string helpers with the platform's rules (ASCII case only).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace html {

// Blanks and control characters (codes up to 32) removed at both ends.
std::string_view TrimView(std::string_view s);
inline std::string TrimBlanks(std::string_view s) { return std::string(TrimView(s)); }
inline std::string Trim(std::string_view s) { return std::string(TrimView(s)); }
std::string LowerCase(std::string_view s);
std::string UpperCase(std::string_view s);
// Case-insensitive comparison (ASCII letters), byte order otherwise.
int CompareText(std::string_view a, std::string_view b);
// Equal without regard to ASCII letter case.
inline bool SameText(std::string_view a, std::string_view b) { return CompareText(a, b) == 0; }
inline bool Contains(std::string_view s, std::string_view part) { return s.find(part) != std::string_view::npos; }
// A whole text read as a decimal integer (optional sign, digits, within 32 bits).
std::optional<int32_t> ParseInteger(std::string_view s);
// A 32-bit integer written in decimal (or hexadecimal after "$" or "0x"),
// with leading blanks and a sign allowed and nothing after it; `fallback`
// for any other text or a value out of range.
int StrToIntDef(std::string_view s, int fallback);
// The text with &, <, > and " written as character references.
std::string HtmlEscape(std::string_view s);

}  // namespace html
