#pragma once
// Small 8-bit string helpers with the platform's rules (ASCII case only).
#include <string>
#include <string_view>

namespace html {

// Blanks and control characters removed at both ends.
std::string TrimBlanks(std::string_view s);
std::string LowerCase(std::string_view s);
std::string UpperCase(std::string_view s);
// Equal without regard to ASCII letter case.
bool SameText(std::string_view a, std::string_view b);
// A 32-bit integer written in decimal (or hexadecimal after "$" or "0x"),
// with leading blanks and a sign allowed and nothing after it; `fallback`
// for any other text or a value out of range.
int StrToIntDef(std::string_view s, int fallback);
// The text with &, <, > and " written as character references.
std::string HtmlEscape(std::string_view s);

}  // namespace html
