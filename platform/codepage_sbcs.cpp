// Single-byte pages: a table lookup per byte, and a binary search in a
// reverse table (built at compile time) per non-ASCII character.
#include <algorithm>
#include <array>

#include "platform/codepage_internal.h"
#include "platform/codepage_sbcs_tables.h"

namespace plat::cpdetail {
namespace {

constexpr size_t kPageCount = std::size(kSingleByteTables);

struct ReverseEntry {
  char16_t wide;
  uint8_t byte;
};
using ReverseTable = std::array<ReverseEntry, 128>;

constexpr std::array<ReverseTable, kPageCount> BuildReverseTables() {
  std::array<ReverseTable, kPageCount> all{};
  for (size_t p = 0; p < kPageCount; ++p) {
    for (size_t i = 0; i < 128; ++i)
      all[p][i] = {kSingleByteTables[p].high[i], static_cast<uint8_t>(0x80 + i)};
    std::sort(all[p].begin(), all[p].end(),
              [](const ReverseEntry& a, const ReverseEntry& b) { return a.wide < b.wide; });
  }
  return all;
}

constexpr auto kReverseTables = BuildReverseTables();

}  // namespace

int FindSingleBytePage(unsigned codePage) {
  for (size_t p = 0; p < kPageCount; ++p)
    if (kSingleByteTables[p].codePage == codePage) return static_cast<int>(p);
  return -1;
}

void DecodeSingleByte(int page, std::string_view bytes, std::u16string& out) {
  const char16_t* high = kSingleByteTables[static_cast<size_t>(page)].high;
  const size_t base = out.size();
  out.resize(base + bytes.size());
  char16_t* d = out.data() + base;
  for (const char ch : bytes) {
    const auto b = static_cast<uint8_t>(ch);
    *d++ = b < 0x80 ? b : high[b - 0x80];
  }
}

void EncodeSingleByte(int page, std::u16string_view text, std::string& out) {
  const ReverseTable& rev = kReverseTables[static_cast<size_t>(page)];
  const size_t base = out.size();
  out.resize(base + text.size());
  char* d = out.data() + base;
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    const char16_t c = text[i];
    if (c < 0x80) {
      *d++ = static_cast<char>(c);
      continue;
    }
    // A surrogate pair is one character: one '?'.
    if (IsHighSurrogate(c) && i + 1 < n && IsLowSurrogate(text[i + 1])) ++i;
    const auto it = std::lower_bound(rev.begin(), rev.end(), c,
                                     [](const ReverseEntry& e, char16_t w) { return e.wide < w; });
    *d++ = (it != rev.end() && it->wide == c) ? static_cast<char>(it->byte) : '?';
  }
  out.resize(static_cast<size_t>(d - out.data()));
}

}  // namespace plat::cpdetail
