// ISO-2022-JP (pages 50220, 50221, 50222): 7-bit text that switches
// character sets with escape sequences. Characters come from the EUC-JP
// tables, so the mappings agree with 932.
//
// Decoding knows ESC ( B (ASCII), ESC ( J (Roman, read as ASCII), ESC ( I
// (half-width katakana), ESC $ @ and ESC $ B (JIS X 0208), ESC $ ( D (JIS X
// 0212), and SO/SI for katakana; it accepts all of them on every page. An ESC
// that starts none of these passes through as U+001B. Control bytes and the
// space are read as ASCII in every mode. A byte that cannot be read in the
// current mode, and a double-byte character cut off by the end or by a
// control byte, gives the default character (U+30FB).
//
// Encoding writes ASCII, JIS X 0208 (ESC $ B) and half-width katakana
// (ESC ( I on 50220 and 50221, SO/SI on 50222), and always ends in ASCII.
// Everything else becomes '?'.
#include "platform/codepage_internal.h"

namespace plat::cpdetail {
namespace {

constexpr char16_t kDefault = 0x30FB;
constexpr uint8_t kEsc = 0x1B, kShiftOut = 0x0E, kShiftIn = 0x0F;
constexpr char16_t kHalfwidthFirst = 0xFF61, kHalfwidthLast = 0xFF9F;

enum class Mode { Ascii, Katakana, Jis0208, Jis0212 };

// Length of a known escape sequence at s[i] (an ESC), and the mode it selects;
// 0 when unknown.
size_t ReadEscape(const uint8_t* s, size_t n, size_t i, Mode& mode) {
  const auto at = [&](size_t k) -> int { return i + k < n ? s[i + k] : -1; };
  if (at(1) == '(') {
    if (at(2) == 'B' || at(2) == 'J') return mode = Mode::Ascii, 3;
    if (at(2) == 'I') return mode = Mode::Katakana, 3;
  } else if (at(1) == '$') {
    if (at(2) == '@' || at(2) == 'B') return mode = Mode::Jis0208, 3;
    if (at(2) == '(' && at(3) == 'D') return mode = Mode::Jis0212, 4;
  }
  return 0;
}

inline bool IsJisByte(uint8_t b) { return b >= 0x21 && b <= 0x7E; }

}  // namespace

bool IsIso2022JpPage(unsigned codePage) { return codePage >= 50220 && codePage <= 50222; }

void DecodeIso2022Jp(std::string_view bytes, std::u16string& out) {
  const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
  const size_t n = bytes.size();
  const size_t base = out.size();
  out.resize(base + n);
  char16_t* d = out.data() + base;
  Mode mode = Mode::Ascii;
  bool shifted = false;  // between SO and SI
  size_t i = 0;
  while (i < n) {
    const uint8_t b = s[i];
    if (b == kEsc) {
      if (const size_t len = ReadEscape(s, n, i, mode)) {
        i += len;
        shifted = false;
      } else {
        *d++ = b;
        ++i;
      }
      continue;
    }
    if (b == kShiftOut || b == kShiftIn) {
      shifted = b == kShiftOut;
      ++i;
      continue;
    }
    ++i;
    if (b >= 0xA1 && b <= 0xDF) {
      *d++ = static_cast<char16_t>(kHalfwidthFirst + (b - 0xA1));  // 8-bit katakana
    } else if (b >= 0x80) {
      *d++ = kDefault;
    } else if (b <= 0x20 || b == 0x7F || (mode == Mode::Ascii && !shifted)) {
      *d++ = b;
    } else if (shifted || mode == Mode::Katakana) {
      *d++ = b <= 0x5F ? static_cast<char16_t>(kHalfwidthFirst + (b - 0x21)) : kDefault;
    } else if (i < n && IsJisByte(s[i])) {
      *d++ = mode == Mode::Jis0208 ? DecodeJis0208(b, s[i]) : DecodeJis0212(b, s[i]);
      ++i;
    } else {
      *d++ = kDefault;
    }
  }
  out.resize(static_cast<size_t>(d - out.data()));
}

void EncodeIso2022Jp(unsigned codePage, std::u16string_view text, std::string& out) {
  const bool useShift = codePage == 50222;
  enum class State { Ascii, Katakana, Jis0208 } state = State::Ascii;
  bool shifted = false;
  const auto leaveShift = [&] {
    if (shifted) out.push_back(static_cast<char>(kShiftIn));
    shifted = false;
  };
  const auto switchTo = [&](State next) {
    leaveShift();
    if (state == next) return;
    state = next;
    out += next == State::Ascii ? "\x1B(B" : next == State::Katakana ? "\x1B(I" : "\x1B$B";
  };
  out.reserve(out.size() + text.size() * 2);
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    const char16_t c = text[i];
    if (c < 0x80) {
      switchTo(State::Ascii);
      out.push_back(static_cast<char>(c));
      continue;
    }
    if (c >= kHalfwidthFirst && c <= kHalfwidthLast) {
      const char b = static_cast<char>(0x21 + (c - kHalfwidthFirst));
      if (useShift) {
        if (state == State::Jis0208) switchTo(State::Ascii);
        if (!shifted) out.push_back(static_cast<char>(kShiftOut));
        shifted = true;
      } else {
        switchTo(State::Katakana);
      }
      out.push_back(b);
      continue;
    }
    if (IsHighSurrogate(c) && i + 1 < n && IsLowSurrogate(text[i + 1])) ++i;
    if (const uint16_t jis = EncodeJis0208(c)) {
      switchTo(State::Jis0208);
      out.push_back(static_cast<char>(jis >> 8));
      out.push_back(static_cast<char>(jis & 0xFF));
    } else {
      switchTo(State::Ascii);
      out.push_back('?');
    }
  }
  switchTo(State::Ascii);
}

}  // namespace plat::cpdetail
