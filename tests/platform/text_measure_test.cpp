// Measuring text: advances, additivity, fitting, character extra,
// justification, control characters, fallback faces and hostile strings.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/font_face.h"
#include "text_support.h"

// Allocations are counted on the thread that asks for it, to show that
// measuring with warm caches allocates nothing. These replace the global
// operators for the whole test program; they only count.
namespace {
thread_local bool tCountAllocations = false;
thread_local long tAllocations = 0;

void* CountedAllocate(std::size_t n) {
  if (tCountAllocations) ++tAllocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}

// Counts the allocations of its lifetime.
class TAllocationCounter {
 public:
  TAllocationCounter() : start_(tAllocations) { tCountAllocations = true; }
  ~TAllocationCounter() { tCountAllocations = false; }
  long Count() const { return tAllocations - start_; }

 private:
  long start_;
};
}  // namespace

void* operator new(std::size_t n) { return CountedAllocate(n); }
void* operator new[](std::size_t n) { return CountedAllocate(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
  try {
    return CountedAllocate(n);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t n, const std::nothrow_t& t) noexcept { return operator new(n, t); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

using namespace plat;
using text_support::MakeFont;

namespace {

struct TMeasure {
  TBitmap bmp{1, 1};
  explicit TMeasure(const TFont& f) { bmp.Canvas().Font() = f; }
  TCanvas& c() { return bmp.Canvas(); }
  int W(std::u16string_view s) { return c().TextWidth(s); }
};

// Random text of characters from several scripts, controls, surrogate
// pairs, unpaired surrogates and noncharacters.
std::u16string RandomText(std::mt19937& rng, size_t units) {
  static const std::vector<char16_t> pool = {
      u'a', u'b', u'W', u'i', u'm', u' ', u' ', u'.', u'-', u'&', u'\x01', u'\t', u'\n', u'\x7F', u'\x85',
      u'\xA0', u'\xE9', u'\xFF', u'\x0416', u'\x03A9', u'\x65E5', u'\x672C', u'\x3042', u'\xFF21', u'\xFFFF',
      u'\xFFFD', u'\x2014', u'\xD800', u'\xDFFF'};
  std::u16string s;
  std::uniform_int_distribution<size_t> pick(0, pool.size() + 1);
  while (s.size() < units) {
    size_t k = pick(rng);
    if (k >= pool.size()) {
      s += u"\xD835\xDC00";  // U+1D400, a pair
    } else {
      s.push_back(pool[k]);
    }
  }
  return s;
}

bool InsidePair(std::u16string_view s, size_t cut) {
  return cut > 0 && cut < s.size() && s[cut - 1] >= 0xD800 && s[cut - 1] < 0xDC00 && s[cut] >= 0xDC00 &&
         s[cut] < 0xE000;
}

}  // namespace

// Advances of Liberation Serif at 16 pixels from the font's advance widths
// (units of 2048: H 1479, e 909, l 569, o 1024, space 512, m 1593, i 569,
// n 1024), scaled and rounded to whole pixels.
TEST(TextMeasure, WholePixelAdvancesOfLiberationSerif) {
  TMeasure m(MakeFont("Times New Roman", -16));
  struct Case {
    const char16_t* text;
    int width;
  };
  for (Case k : {Case{u"H", 12}, Case{u"e", 7}, Case{u"l", 4}, Case{u"o", 8}, Case{u" ", 4}, Case{u"m", 12},
                 Case{u"i", 4}, Case{u"n", 8}, Case{u"Hello", 35}, Case{u"", 0}})
    EXPECT_EQ(m.W(k.text), k.width) << std::u16string_view(k.text).size();
  EXPECT_EQ(m.c().TextHeight(u"Hello"), 17);
  EXPECT_EQ(m.c().TextHeight(u""), 17);
}

TEST(TextMeasure, WidthIsAdditiveOverRandomStrings) {
  const TFont fonts[] = {MakeFont("Times New Roman", -16),         MakeFont("Arial", -13, true),
                         MakeFont("Courier New", -12, false, true), MakeFont("MS Gothic", -16, true),
                         MakeFont("MS Mincho", -20, true, true),    MakeFont("No Such Face", 15)};
  std::mt19937 rng(1234);
  for (const TFont& f : fonts) {
    for (int extra : {0, 3, -1}) {
      SCOPED_TRACE(f.Name + " extra " + std::to_string(extra));
      TMeasure m(f);
      m.c().SetTextCharacterExtra(extra);
      for (int round = 0; round < 60; ++round) {
        std::u16string s = RandomText(rng, 1 + rng() % 40);
        size_t cut = rng() % (s.size() + 1);
        if (InsidePair(s, cut)) ++cut;
        std::u16string_view a(s.data(), cut), b(s.data() + cut, s.size() - cut);
        ASSERT_EQ(m.W(s), m.W(a) + m.W(b));
        // The cumulative extents end at the same width.
        std::vector<int> ext(s.size());
        TSize sz = m.c().GetTextExtentExPointW(s, 0, nullptr, ext.data());
        ASSERT_EQ(sz.cx, m.W(s));
        ASSERT_EQ(ext.back(), sz.cx);
        if (cut > 0) {
          ASSERT_EQ(ext[cut - 1], m.W(a));
        }
      }
    }
  }
}

TEST(TextMeasure, FitCountsAtExactBoundaries) {
  TMeasure m(MakeFont("Arial", -16));
  const std::u16string s = u"Fitting words, exactly.";
  std::vector<int> ext(s.size());
  int fit = -1;
  m.c().GetTextExtentExPointW(s, 1 << 30, &fit, ext.data());
  EXPECT_EQ(fit, int(s.size()));
  for (size_t k = 1; k <= s.size(); ++k) {
    SCOPED_TRACE(k);
    ASSERT_EQ(ext[k - 1], m.W(std::u16string_view(s).substr(0, k)));
    m.c().GetTextExtentExPointW(s, ext[k - 1], &fit, nullptr);
    EXPECT_EQ(fit, int(k));
    m.c().GetTextExtentExPointW(s, ext[k - 1] - 1, &fit, nullptr);
    EXPECT_EQ(fit, int(k) - 1);
  }
  for (int max : {0, -1, -1000}) {
    m.c().GetTextExtentExPointW(s, max, &fit, nullptr);
    EXPECT_EQ(fit, 0) << max;
  }
  TSize sz = m.c().GetTextExtentExPointW(s, 5, &fit, nullptr);
  EXPECT_EQ(sz.cx, m.W(s)) << "the extent is the whole string's";
  EXPECT_EQ(sz.cy, m.c().TextHeight(s));
  m.c().GetTextExtentExPointW(u"", 100, &fit, nullptr);
  EXPECT_EQ(fit, 0);
}

TEST(TextMeasure, FittingNeverSplitsASurrogatePair) {
  TMeasure m(MakeFont("Times New Roman", -16));
  const std::u16string s = u"a\xD835\xDC00" u"b";
  std::vector<int> ext(s.size());
  int fit = 0;
  m.c().GetTextExtentExPointW(s, 1 << 20, &fit, ext.data());
  EXPECT_EQ(ext[1], ext[2]);  // the pair's advance sits on its first unit
  EXPECT_GT(ext[1], ext[0]);
  m.c().GetTextExtentExPointW(s, ext[1] - 1, &fit, nullptr);
  EXPECT_EQ(fit, 1);
  m.c().GetTextExtentExPointW(s, ext[1], &fit, nullptr);
  EXPECT_EQ(fit, 3);
}

TEST(TextMeasure, CharacterExtraFollowsEveryCharacter) {
  TMeasure m(MakeFont("Arial", -13));
  const int abc = m.W(u"abc"), withControls = m.W(u"a\x01" u"b\x7F" u"c"), pair = m.W(u"\xD835\xDC00");
  EXPECT_EQ(withControls, abc);
  EXPECT_EQ(m.c().SetTextCharacterExtra(3), 0);
  EXPECT_EQ(m.c().TextCharacterExtra(), 3);
  EXPECT_EQ(m.W(u"abc"), abc + 9);
  EXPECT_EQ(m.W(u"a b"), m.W(u"a") + m.W(u" ") + m.W(u"b"));
  EXPECT_EQ(m.W(u"a\x01" u"b\x7F" u"c"), abc + 9) << "control characters take no extra";
  EXPECT_EQ(m.W(u"\xD835\xDC00"), pair + 3) << "a surrogate pair is one character";
  std::vector<int> ext(3);
  m.c().GetTextExtentExPointW(u"abc", 0, nullptr, ext.data());
  EXPECT_EQ(ext[0], m.W(u"a"));
  EXPECT_EQ(ext[1], m.W(u"ab"));
  m.c().SetTextCharacterExtra(-2);
  EXPECT_EQ(m.W(u"abc"), abc - 6);
}

TEST(TextMeasure, HugeSpacingIsLimitedAndSumsDoNotWrap) {
  constexpr int kLimit = 1 << 20;
  TMeasure plain(MakeFont("Arial", -13));
  const int64_t ab = plain.W(u"ab"), aSpaceB = plain.W(u"a b");
  const std::u16string longText(5000, u'x');
  struct Case {
    const char* name;
    void (*set)(TCanvas&);
    std::u16string_view text;
    int64_t want;  // before clamping to the int range
  } cases[] = {
      {"extra INT_MAX", [](TCanvas& c) { c.SetTextCharacterExtra(INT32_MAX); }, u"ab", ab + 2 * kLimit},
      {"extra INT_MIN", [](TCanvas& c) { c.SetTextCharacterExtra(INT32_MIN); }, u"ab", ab - 2 * kLimit},
      {"justification INT_MAX", [](TCanvas& c) { c.SetTextJustification(INT32_MAX, 1); }, u"a b",
       aSpaceB + kLimit},
      {"justification and extra", [](TCanvas& c) {
         c.SetTextCharacterExtra(INT32_MAX);
         c.SetTextJustification(INT32_MAX, 1);
       },
       u"a b", aSpaceB + 4 * kLimit},
      {"a long string", [](TCanvas& c) { c.SetTextCharacterExtra(INT32_MAX); }, longText, INT64_MAX},
      {"a state set directly", [](TCanvas& c) { c.State().CharExtra = INT32_MAX; }, u"ab", INT64_MAX},
      {"justification set directly",
       [](TCanvas& c) {
         c.State().BreakCount = 1;
         c.State().BreakExtra = INT32_MAX;
         c.State().BreakRem = INT32_MAX;
       },
       u"  ", INT64_MAX},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TMeasure m(MakeFont("Arial", -13));
    k.set(m.c());
    const int want = ClampToInt(k.want);
    EXPECT_EQ(m.W(k.text), want);
    std::vector<int> ext(k.text.size());
    int fit = -1;
    TSize sz = m.c().GetTextExtentExPointW(k.text, INT32_MAX, &fit, ext.data());
    EXPECT_EQ(sz.cx, want);
    EXPECT_EQ(ext.back(), want);
  }
  TMeasure m(MakeFont("Arial", -13));
  m.c().SetTextCharacterExtra(INT32_MAX);
  EXPECT_EQ(m.c().TextCharacterExtra(), kLimit);
  EXPECT_EQ(m.c().SetTextCharacterExtra(0), kLimit);
}

TEST(TextMeasure, WarmMeasuringAllocatesNothing) {
  std::shared_ptr<TRealFont> f = RealizeFont(MakeFont("Arial", -13));
  // Latin, characters above U+FFFF (one from a fallback face), an ideograph, spaces.
  const std::u16string text = u"ab \xD835\xDC00\xD83D\xDE00 \x65E5\xD835\xDC01x";
  const TTextSpacing spacings[] = {{}, {2, 1, 1}};
  std::vector<int> adv(text.size());
  for (const TTextSpacing& sp : spacings) f->Advances(text, sp, adv.data());  // warms the caches
  for (const TTextSpacing& sp : spacings) {
    int64_t width = 0;
    {
      TAllocationCounter counter;
      for (int round = 0; round < 50; ++round) {
        f->Advances(text, sp, adv.data());
        width = f->Width(text, sp);
        f->Advance(U'\U0001D400');
      }
      EXPECT_EQ(counter.Count(), 0) << sp.charExtra;
    }
    int64_t sum = 0;
    for (int a : adv) sum += a;
    EXPECT_EQ(width, sum);
    EXPECT_EQ(adv[3], f->Advance(U'\U0001D400') + sp.charExtra);
    EXPECT_EQ(adv[4], 0) << "the second unit of a pair";
  }
}

TEST(TextMeasure, ControlCharactersMeasureZero) {
  TMeasure m(MakeFont("Times New Roman", -16));
  EXPECT_EQ(m.W(u"\x01\x02\x04\x08\t\n\r\x1F\x7F\x80\x85\x9F"), 0);
  EXPECT_EQ(m.W(u"a\tb"), m.W(u"ab"));
  EXPECT_GT(m.W(u"\xA0"), 0);  // no-break space is a character
}

// SetTextJustification(extra, count): each space gets extra div count,
// the first extra mod count spaces one more; drawing uses up the
// remainder, measuring only counts it.
TEST(TextMeasure, JustificationRemainders) {
  TMeasure m(MakeFont("Arial", -16));
  const std::u16string s = u"a b c d";
  const int base = m.W(s), space = m.W(u" ");
  m.c().SetTextJustification(8, 3);  // 2 each, the first two spaces 3
  EXPECT_EQ(m.W(s), base + 8);
  EXPECT_EQ(m.W(s), base + 8) << "measuring does not use up the remainder";
  std::vector<int> ext(s.size());
  m.c().GetTextExtentExPointW(s, 0, nullptr, ext.data());
  EXPECT_EQ(ext[1] - ext[0], space + 3);
  EXPECT_EQ(ext[3] - ext[2], space + 3);
  EXPECT_EQ(ext[5] - ext[4], space + 2);

  // Drawing a piece with one space uses one remainder pixel; the next piece
  // starts with the one left.
  m.c().TextOut(0, 0, u"a ");
  EXPECT_EQ(m.W(u"b c d"), m.W(u"bcd") + 2 * space + 3 + 2);
  m.c().TextOut(0, 0, u" ");
  EXPECT_EQ(m.W(u"b c d"), m.W(u"bcd") + 2 * space + 2 + 2);
  m.c().TextOut(0, 0, u"   ");
  EXPECT_EQ(m.W(u"b c d"), m.W(u"bcd") + 2 * space + 2 + 2) << "the quotient stays";

  m.c().SetTextJustification(0, 0);
  EXPECT_EQ(m.W(s), base);
  m.c().SetTextJustification(5, 0);
  EXPECT_EQ(m.W(s), base);
  m.c().SetTextJustification(2, 5);  // 0 each, the first two one pixel
  EXPECT_EQ(m.W(s), base + 2);
  // Saved and restored with the canvas state.
  int level = m.c().SaveDC();
  m.c().SetTextJustification(0, 0);
  m.c().RestoreDC(level);
  EXPECT_EQ(m.W(s), base + 2);
}

TEST(TextMeasure, FallbackFaceForJapaneseInALatinFace) {
  TFont times = MakeFont("Times New Roman", -16);
  std::shared_ptr<TRealFont> f = RealizeFont(times);
  const std::u16string jp = u"\x65E5\x672C\x8A9E";  // three ideographs
  std::string family = f->FamilyFor(0x65E5);
  EXPECT_EQ(family.rfind("IPA", 0), 0u) << family;
  EXPECT_EQ(f->FamilyFor(U'a'), "Liberation Serif");
  TMeasure m(times);
  EXPECT_EQ(m.W(jp), 3 * 16) << "full-width ideographs at the same em size";
  // The fallback face measures as that face asked for by name at the same em.
  TMeasure direct(MakeFont(family, -16));
  EXPECT_EQ(m.W(jp), direct.W(jp));
  EXPECT_EQ(m.W(u"a\x65E5" u"b"), m.W(u"a") + m.W(u"\x65E5") + m.W(u"b"));
}

TEST(TextMeasure, HostileStringsMeasureCleanly) {
  TMeasure m(MakeFont("Arial", -13));
  EXPECT_GT(m.W(u"\xD800"), 0);  // unpaired surrogates show the missing glyph
  EXPECT_GT(m.W(u"\xDC00\xD800"), 0);
  EXPECT_GE(m.W(u"\xFFFF\xFFFE"), 0);
  std::u16string big(2'000'000, u'W');
  EXPECT_EQ(m.W(big), 2'000'000 * m.W(u"W"));
  TMeasure huge(MakeFont("Arial", -2048));
  std::u16string many(2'000'000, u'W');
  EXPECT_EQ(huge.W(many), INT32_MAX) << "clamped, not wrapped";
  int fit = -1;
  huge.c().GetTextExtentExPointW(many, 1 << 30, &fit, nullptr);
  EXPECT_GT(fit, 0);
  EXPECT_LT(fit, int(many.size()));
}
