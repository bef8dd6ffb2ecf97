// Double-byte pages and EUC-JP. The byte structure of each page (which bytes
// lead, which may trail) is fixed here, so stepping through text never
// depends on the system's converters. The character tables are filled on
// first use by asking iconv for every sequence of that structure once; after
// that a conversion is a table lookup per character. This keeps decoding in
// step with MbcsSequenceLength (one UTF-16 unit per sequence) and makes
// replacement of invalid sequences our own rule, not the converter's.
#include <iconv.h>

#include <array>
#include <bit>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/codepage_internal.h"

namespace plat::cpdetail {

struct ByteRange {
  uint8_t lo, hi;
};

enum : uint8_t { kLeadByte = 1, kTrailByte = 2 };

struct MbcsLayout {
  unsigned codePage;
  const char* converter;  // iconv name of the page
  char16_t defaultChar;
  bool eucTriple;  // 0x8F starts a 3-byte sequence of two trail bytes
  std::array<uint8_t, 256> kind;
};

namespace {

constexpr MbcsLayout MakeLayout(unsigned codePage, const char* converter, char16_t defaultChar,
                                bool eucTriple, std::initializer_list<ByteRange> leads,
                                std::initializer_list<ByteRange> trails) {
  MbcsLayout layout{codePage, converter, defaultChar, eucTriple, {}};
  for (const ByteRange r : leads)
    for (unsigned b = r.lo; b <= r.hi; ++b) layout.kind[b] |= kLeadByte;
  for (const ByteRange r : trails)
    for (unsigned b = r.lo; b <= r.hi; ++b) layout.kind[b] |= kTrailByte;
  return layout;
}

constexpr char16_t kKatakanaMiddleDot = 0x30FB;

constexpr MbcsLayout kLayouts[] = {
    MakeLayout(932, "CP932", kKatakanaMiddleDot, false, {{0x81, 0x9F}, {0xE0, 0xFC}},
               {{0x40, 0x7E}, {0x80, 0xFC}}),
    MakeLayout(936, "CP936", u'?', false, {{0x81, 0xFE}}, {{0x40, 0x7E}, {0x80, 0xFE}}),
    MakeLayout(949, "CP949", u'?', false, {{0x81, 0xFE}},
               {{0x41, 0x5A}, {0x61, 0x7A}, {0x81, 0xFE}}),
    MakeLayout(950, "CP950", u'?', false, {{0x81, 0xFE}}, {{0x40, 0x7E}, {0xA1, 0xFE}}),
    MakeLayout(1361, "JOHAB", u'?', false, {{0x84, 0xD3}, {0xD8, 0xDE}, {0xE0, 0xF9}},
               {{0x31, 0x7E}, {0x81, 0xFE}}),
    // This flavour of EUC-JP agrees with 932 on every character both hold.
    MakeLayout(51932, "EUC-JP-MS", kKatakanaMiddleDot, true, {{0x8E, 0x8F}, {0xA1, 0xFE}},
               {{0xA1, 0xFE}}),
};
constexpr size_t kLayoutCount = std::size(kLayouts);
constexpr const MbcsLayout& kEucJp = kLayouts[kLayoutCount - 1];

// EUC trail bytes are exactly 0xA1-0xFE, which the triple table relies on.
constexpr bool EucTrailsAreJisCells() {
  for (unsigned b = 0; b < 256; ++b)
    if (((kEucJp.kind[b] & kTrailByte) != 0) != (b >= 0xA1 && b <= 0xFE)) return false;
  return true;
}
static_assert(EucTrailsAreJisCells());

constexpr char16_t kInvalid = 0xFFFF;  // never produced by a converter
constexpr int kCells = 94;

// One iconv descriptor (RAII). Used only while tables are built.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (ok()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts all of in; answers the number of output bytes, or -1 on any
  // error or incomplete input.
  long Convert(const void* in, size_t inLen, void* out, size_t outCap) {
    if (!ok()) return -1;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* inPtr = const_cast<char*>(static_cast<const char*>(in));
    char* outPtr = static_cast<char*>(out);
    size_t inLeft = inLen, outLeft = outCap;
    if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
      return -1;
    if (iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1)) return -1;
    return static_cast<long>(outCap - outLeft);
  }

 private:
  iconv_t cd_;
};

constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

struct MbcsTables {
  std::array<char16_t, 256> single{};
  std::vector<char16_t> pairs;    // index lead << 8 | trail
  std::vector<char16_t> triples;  // EUC 0x8F sequences, index (b2 - 0xA1) * 94 + (b3 - 0xA1)
  std::vector<uint32_t> encode;   // per UTF-16 unit: length << 24 | bytes; 0 when unmapped
};

uint32_t Packed(const uint8_t* seq, size_t len) {
  uint32_t v = 0;
  for (size_t i = 0; i < len; ++i) v = v << 8 | seq[i];
  return static_cast<uint32_t>(len) << 24 | v;
}

class TableBuilder {
 public:
  TableBuilder(const MbcsLayout& layout, MbcsTables& t)
      : layout_(layout), t_(t), decoder_(kUtf16, layout.converter),
        encoder_(layout.converter, kUtf16), seen_(0x10000, 0) {}

  void Build() {
    t_.pairs.assign(0x10000, kInvalid);
    t_.encode.assign(0x10000, 0);
    for (unsigned b = 0; b < 256; ++b) {
      const uint8_t seq[1] = {static_cast<uint8_t>(b)};
      t_.single[b] = b < 0x80 ? static_cast<char16_t>(b)
                     : (layout_.kind[b] & kLeadByte) ? kInvalid
                                                     : Learn(seq, 1);
    }
    for (unsigned lead = 0x80; lead < 256; ++lead) {
      if (!(layout_.kind[lead] & kLeadByte) || (layout_.eucTriple && lead == 0x8F)) continue;
      for (unsigned trail = 0; trail < 256; ++trail) {
        if (!(layout_.kind[trail] & kTrailByte)) continue;
        const uint8_t seq[2] = {static_cast<uint8_t>(lead), static_cast<uint8_t>(trail)};
        t_.pairs[lead << 8 | trail] = Learn(seq, 2);
      }
    }
    if (layout_.eucTriple) {
      t_.triples.assign(kCells * kCells, kInvalid);
      for (int r = 0; r < kCells; ++r)
        for (int c = 0; c < kCells; ++c) {
          const uint8_t seq[3] = {0x8F, static_cast<uint8_t>(0xA1 + r), static_cast<uint8_t>(0xA1 + c)};
          t_.triples[static_cast<size_t>(r * kCells + c)] = Learn(seq, 3);
        }
    }
    ResolveDuplicates();
    const char16_t def = layout_.defaultChar;
    for (char16_t& c : t_.single) c = c == kInvalid ? def : c;
    for (char16_t& c : t_.pairs) c = c == kInvalid ? def : c;
    for (char16_t& c : t_.triples) c = c == kInvalid ? def : c;
  }

 private:
  // Decodes one sequence with the converter; records it for encoding.
  char16_t Learn(const uint8_t* seq, size_t len) {
    char16_t out[4];
    if (decoder_.Convert(seq, len, out, sizeof out) != 2) return kInvalid;
    const char16_t c = out[0];
    if (IsSurrogate(c) || c == kInvalid) return kInvalid;
    if (c >= 0x80) {
      if (seen_[c] == 0) t_.encode[c] = Packed(seq, len);
      if (seen_[c] < 2) ++seen_[c];
    }
    return c;
  }

  // Where several sequences decode to one character, encode it the way the
  // converter does, as long as that is one of the page's sequences for it.
  void ResolveDuplicates() {
    for (unsigned c = 0x80; c < 0x10000; ++c) {
      if (seen_[c] < 2) continue;
      const char16_t in[1] = {static_cast<char16_t>(c)};
      uint8_t seq[8];
      const long len = encoder_.Convert(in, sizeof in, seq, sizeof seq);
      if (len >= 1 && len <= 3 && Lookup(seq, static_cast<size_t>(len)) == c)
        t_.encode[c] = Packed(seq, static_cast<size_t>(len));
    }
  }

  char16_t Lookup(const uint8_t* seq, size_t len) const {
    if (len == 1) return (layout_.kind[seq[0]] & kLeadByte) ? kInvalid : t_.single[seq[0]];
    if (!(layout_.kind[seq[0]] & kLeadByte)) return kInvalid;
    for (size_t i = 1; i < len; ++i)
      if (!(layout_.kind[seq[i]] & kTrailByte)) return kInvalid;
    const bool triple = layout_.eucTriple && seq[0] == 0x8F;
    if (triple != (len == 3)) return kInvalid;
    if (triple) return t_.triples[static_cast<size_t>((seq[1] - 0xA1) * kCells + (seq[2] - 0xA1))];
    return t_.pairs[static_cast<size_t>(seq[0] << 8 | seq[1])];
  }

  const MbcsLayout& layout_;
  MbcsTables& t_;
  Iconv decoder_, encoder_;
  std::vector<uint8_t> seen_;  // per character: 0, 1, or 2 for "more than once"
};

const MbcsTables& TablesFor(const MbcsLayout& layout) {
  static std::once_flag once[kLayoutCount];
  static std::unique_ptr<MbcsTables> tables[kLayoutCount];
  const auto index = static_cast<size_t>(&layout - kLayouts);
  std::call_once(once[index], [&] {
    auto t = std::make_unique<MbcsTables>();
    TableBuilder(layout, *t).Build();
    tables[index] = std::move(t);
  });
  return *tables[index];
}

}  // namespace

const MbcsLayout* FindMbcsLayout(unsigned codePage) {
  if (codePage == 20932) codePage = 51932;
  for (const MbcsLayout& layout : kLayouts)
    if (layout.codePage == codePage) return &layout;
  return nullptr;
}

bool IsLeadByte(const MbcsLayout& layout, uint8_t byte) { return layout.kind[byte] & kLeadByte; }

char16_t MbcsDefaultChar(const MbcsLayout& layout) { return layout.defaultChar; }

size_t MbcsSequenceLength(const MbcsLayout& layout, std::string_view bytes, size_t pos) {
  const size_t n = bytes.size();
  if (pos >= n) return 0;
  const auto at = [&](size_t i) { return static_cast<uint8_t>(bytes[i]); };
  const uint8_t b = at(pos);
  if (!(layout.kind[b] & kLeadByte)) return 1;
  if (layout.eucTriple && b == 0x8F)
    return pos + 2 < n && (layout.kind[at(pos + 1)] & kTrailByte) && (layout.kind[at(pos + 2)] & kTrailByte)
               ? 3
               : 1;
  return pos + 1 < n && (layout.kind[at(pos + 1)] & kTrailByte) ? 2 : 1;
}

void DecodeMbcs(const MbcsLayout& layout, std::string_view bytes, std::u16string& out) {
  const MbcsTables& t = TablesFor(layout);
  const auto& kind = layout.kind;
  const char16_t def = layout.defaultChar;
  const size_t base = out.size();
  out.resize(base + bytes.size());
  char16_t* d = out.data() + base;
  const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
  const size_t n = bytes.size();
  size_t i = 0;
  while (i < n) {
    const uint8_t b = s[i];
    if (!(kind[b] & kLeadByte)) {
      *d++ = t.single[b];
      ++i;
    } else if (layout.eucTriple && b == 0x8F) {
      if (i + 2 < n && (kind[s[i + 1]] & kTrailByte) && (kind[s[i + 2]] & kTrailByte)) {
        *d++ = t.triples[static_cast<size_t>((s[i + 1] - 0xA1) * kCells + (s[i + 2] - 0xA1))];
        i += 3;
      } else {
        *d++ = def;
        ++i;
      }
    } else if (i + 1 < n && (kind[s[i + 1]] & kTrailByte)) {
      *d++ = t.pairs[static_cast<size_t>(b << 8 | s[i + 1])];
      i += 2;
    } else {
      *d++ = def;
      ++i;
    }
  }
  out.resize(static_cast<size_t>(d - out.data()));
}

void EncodeMbcs(const MbcsLayout& layout, std::u16string_view text, std::string& out) {
  const MbcsTables& t = TablesFor(layout);
  const size_t base = out.size();
  out.resize(base + text.size() * 3);  // EUC-JP has 3-byte characters
  char* d = out.data() + base;
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    const char16_t c = text[i];
    if (c < 0x80) {
      *d++ = static_cast<char>(c);
      continue;
    }
    if (IsHighSurrogate(c) && i + 1 < n && IsLowSurrogate(text[i + 1])) ++i;
    const uint32_t e = t.encode[c];
    if (e == 0) {
      *d++ = '?';
      continue;
    }
    for (int k = static_cast<int>(e >> 24) - 1; k >= 0; --k) *d++ = static_cast<char>(e >> (8 * k));
  }
  out.resize(static_cast<size_t>(d - out.data()));
}

char16_t DecodeJis0208(uint8_t row, uint8_t cell) {
  if (row < 0x21 || row > 0x7E || cell < 0x21 || cell > 0x7E) return kEucJp.defaultChar;
  return TablesFor(kEucJp).pairs[static_cast<size_t>((row | 0x80) << 8 | (cell | 0x80))];
}

char16_t DecodeJis0212(uint8_t row, uint8_t cell) {
  if (row < 0x21 || row > 0x7E || cell < 0x21 || cell > 0x7E) return kEucJp.defaultChar;
  return TablesFor(kEucJp).triples[static_cast<size_t>((row - 0x21) * kCells + (cell - 0x21))];
}

uint16_t EncodeJis0208(char16_t c) {
  const uint32_t e = TablesFor(kEucJp).encode[c];
  if (e >> 24 != 2 || ((e >> 8) & 0xFF) < 0xA1) return 0;
  return static_cast<uint16_t>(e & 0x7F7F);
}

}  // namespace plat::cpdetail
