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
// The value of a hexadecimal digit of either case, or -1.
constexpr int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
// A 32-bit integer written in decimal, or hexadecimal after "$", "0x" or
// "0X", with leading blanks and a sign allowed and nothing after it.
// Hexadecimal values of up to 32 bits wrap into the signed range
// ("$FFFFFFFF" is -1; a sign negates the wrapped bits); decimal values
// must fit. Nothing for any other text.
std::optional<int32_t> ParseStrToInt(std::string_view s);
// ParseStrToInt, or `fallback`.
inline int StrToIntDef(std::string_view s, int fallback) { return ParseStrToInt(s).value_or(fallback); }
// The text with &, <, > and " written as character references.
std::string HtmlEscape(std::string_view s);

}  // namespace html
