#pragma once
// Code-page conversion, wide-string helpers and text measuring shared by
// the reader and the layout engine.
#include <cstdint>
#include <string>
#include <string_view>

namespace plat {
class TCanvas;
}

namespace html {

constexpr int32_t CP_UTF8 = 65001;

// Bytes of a code page to wide characters; an unknown page is read as the
// system page. Never fails.
std::u16string MultiByteToWide(int32_t codePage, std::string_view text);
// Wide characters to bytes of a code page (65001: UTF-8); unmappable
// characters become "?"; an unknown page writes the system page.
std::string WideToMultiByte(int32_t codePage, std::u16string_view text);
// Length in bytes of the character starting `bytes` (0 for an empty text
// or a NUL byte).
int CharByteLength(int32_t codePage, std::string_view bytes);

// The number of leading characters whose width does not exceed maxWidth,
// and (in `width`) their width; 0 when maxWidth is not positive.
int FitText(plat::TCanvas& canvas, const char16_t* chars, int count, int maxWidth, int& width);
// The width of the characters in the canvas's font (justification and
// character extra included).
int TextWidth(plat::TCanvas& canvas, const char16_t* chars, int count);
inline int TextWidth(plat::TCanvas& canvas, std::u16string_view s) {
  return TextWidth(canvas, s.data(), static_cast<int>(s.size()));
}

std::u16string WideUpper(std::u16string_view s);
std::u16string WideLower(std::u16string_view s);
// 1-based position of sub in s; 0 when absent, when either is empty or sub is longer.
int WidePos(std::u16string_view sub, std::u16string_view s);
// First / last occurrence of ch in s, as an index; -1 when absent.
int WideScan(std::u16string_view s, char16_t ch);
int WideRScan(std::u16string_view s, char16_t ch);
inline bool WideSame(std::u16string_view a, std::u16string_view b) { return a == b; }
// Removes leading and trailing characters with codes below 33.
std::u16string WideTrim(std::u16string_view s);
// 1-based position of sub in s at or after start (start 1 or less: from the
// beginning); 0 when absent.
int PosFrom(std::string_view sub, std::string_view s, int start);
inline int IntMin(int a, int b) { return a < b ? a : b; }
inline int IntMax(int a, int b) { return a > b ? a : b; }

}  // namespace html
