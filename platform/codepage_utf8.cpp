// UTF-8 <-> UTF-16. Invalid input is replaced, never rejected: each byte that
// cannot start a sequence, and each maximal subpart of a sequence that breaks
// off, gives one U+FFFD; decoding resumes at the byte that broke it.
#include <cstring>

#include "platform/codepage_internal.h"

namespace plat::cpdetail {
namespace {

// What a lead byte promises: the number of continuation bytes, the allowed
// range of the first of them (narrowed to exclude overlong forms, surrogates
// and values above U+10FFFF) and the payload bits of the lead itself.
struct Lead {
  int continuations;  // -1: the byte cannot start a sequence
  uint8_t lo, hi;
  uint32_t bits;
};

inline Lead ClassifyLead(uint8_t b) {
  if (b >= 0xC2 && b <= 0xDF) return {1, 0x80, 0xBF, b & 0x1Fu};
  if (b == 0xE0) return {2, 0xA0, 0xBF, 0};
  if (b == 0xED) return {2, 0x80, 0x9F, 0x0D};
  if (b >= 0xE1 && b <= 0xEF) return {2, 0x80, 0xBF, b & 0x0Fu};
  if (b == 0xF0) return {3, 0x90, 0xBF, 0};
  if (b >= 0xF1 && b <= 0xF3) return {3, 0x80, 0xBF, b & 0x07u};
  if (b == 0xF4) return {3, 0x80, 0x8F, 4};
  return {-1, 0, 0, 0};
}

// Reads the sequence starting at s[i] (a non-ASCII byte). Answers the offset
// after what it consumed; cp receives the code point, or UINT32_MAX when the
// consumed bytes are invalid.
inline size_t ReadSequence(const uint8_t* s, size_t n, size_t i, uint32_t& cp) {
  const Lead lead = ClassifyLead(s[i]);
  cp = UINT32_MAX;
  if (lead.continuations < 0) return i + 1;
  uint32_t value = lead.bits;
  uint8_t lo = lead.lo, hi = lead.hi;
  size_t j = i + 1;
  for (int k = 0; k < lead.continuations; ++k, ++j) {
    if (j >= n || s[j] < lo || s[j] > hi) return j;
    value = (value << 6) | (s[j] & 0x3Fu);
    lo = 0x80;
    hi = 0xBF;
  }
  cp = value;
  return j;
}

constexpr uint64_t kHighBits = 0x8080808080808080ull;

}  // namespace

void DecodeUtf8(std::string_view bytes, std::u16string& out) {
  const size_t base = out.size();
  out.resize(base + bytes.size());  // never more units than bytes
  char16_t* d = out.data() + base;
  const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
  const size_t n = bytes.size();
  size_t i = 0;
  while (i < n) {
    // Runs of ASCII eight bytes at a time.
    while (i + 8 <= n) {
      uint64_t w;
      std::memcpy(&w, s + i, 8);
      if (w & kHighBits) break;
      for (int k = 0; k < 8; ++k) d[k] = s[i + k];
      d += 8;
      i += 8;
    }
    if (i >= n) break;
    const uint8_t b = s[i];
    if (b < 0x80) {
      *d++ = b;
      ++i;
      continue;
    }
    uint32_t cp;
    i = ReadSequence(s, n, i, cp);
    if (cp == UINT32_MAX) {
      *d++ = kReplacement;
    } else if (cp >= 0x10000) {
      cp -= 0x10000;
      *d++ = static_cast<char16_t>(0xD800 + (cp >> 10));
      *d++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      *d++ = static_cast<char16_t>(cp);
    }
  }
  out.resize(static_cast<size_t>(d - out.data()));
}

size_t Utf8SequenceLength(std::string_view bytes, size_t pos) {
  const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
  if (pos >= bytes.size()) return 0;
  if (s[pos] < 0x80) return 1;
  uint32_t cp;
  return ReadSequence(s, bytes.size(), pos, cp) - pos;
}

void EncodeUtf8(std::u16string_view text, std::string& out) {
  const size_t base = out.size();
  out.resize(base + text.size() * 3);  // a unit needs at most 3 bytes, a pair 4
  auto* d = reinterpret_cast<uint8_t*>(out.data() + base);
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    uint32_t c = text[i];
    if (c < 0x80) {
      *d++ = static_cast<uint8_t>(c);
      continue;
    }
    if (c < 0x800) {
      *d++ = static_cast<uint8_t>(0xC0 | (c >> 6));
      *d++ = static_cast<uint8_t>(0x80 | (c & 0x3F));
      continue;
    }
    if (IsSurrogate(static_cast<char16_t>(c))) {
      if (IsHighSurrogate(static_cast<char16_t>(c)) && i + 1 < n && IsLowSurrogate(text[i + 1])) {
        c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00u);
        *d++ = static_cast<uint8_t>(0xF0 | (c >> 18));
        *d++ = static_cast<uint8_t>(0x80 | ((c >> 12) & 0x3F));
        *d++ = static_cast<uint8_t>(0x80 | ((c >> 6) & 0x3F));
        *d++ = static_cast<uint8_t>(0x80 | (c & 0x3F));
        continue;
      }
      c = kReplacement;
    }
    *d++ = static_cast<uint8_t>(0xE0 | (c >> 12));
    *d++ = static_cast<uint8_t>(0x80 | ((c >> 6) & 0x3F));
    *d++ = static_cast<uint8_t>(0x80 | (c & 0x3F));
  }
  out.resize(static_cast<size_t>(reinterpret_cast<char*>(d) - out.data()));
}

}  // namespace plat::cpdetail
