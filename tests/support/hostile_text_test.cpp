// Bytes and names straight from documents: random input must give a clean
// answer (no crash, no read outside the input, positions inside the run).
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/attributes.h"
#include "support/char_buffers.h"
#include "support/text_helpers.h"
#include "viewer/url_subs.h"

using namespace html;

namespace {

std::string RandomBytes(std::mt19937& rng, const std::string& favoured) {
  std::uniform_int_distribution<int> len(0, 40), byte(0, 255), pick(0, static_cast<int>(favoured.size()) - 1), coin(0, 1);
  std::string s;
  int n = len(rng);
  for (int i = 0; i < n; ++i) s += coin(rng) ? favoured[static_cast<size_t>(pick(rng))] : static_cast<char>(byte(rng));
  return s;
}

}  // namespace

TEST(HostileText, EveryCodePageKeepsPositionsInsideTheRun) {
  std::mt19937 rng(7);
  const int pages[] = {0, 1, 2, 874, 932, 936, 949, 950, 1250, 1252, 1258, 1361, 28592, 65001, 50220, 51932, 4242};
  for (int round = 0; round < 3000; ++round) {
    std::string bytes = RandomBytes(rng, "\x81\x82\xA0\xE0\xF0\x9F\x8F\x1B$B(J");
    TCharCollection c;
    for (size_t i = 0; i < bytes.size(); ++i) c.AppendChar(bytes[i], 100 + static_cast<int32_t>(i));
    for (int page : pages) {
      TokenObj t;
      t.AddString(c, page);
      ASSERT_LE(t.Size(), bytes.size() * 2) << page;
      for (size_t i = 0; i < t.Size(); ++i) {
        ASSERT_GE(t.Index(i), 100) << page;
        ASSERT_LT(t.Index(i), 100 + static_cast<int32_t>(std::max<size_t>(bytes.size(), 1))) << page;
      }
      std::string back = WideToMultiByte(page, t.Text());
      EXPECT_LE(back.size(), t.Size() * 4 + 8) << page;
    }
  }
}

TEST(HostileText, UrlAndPathFunctionsAnswerForAnyText) {
  std::mt19937 rng(11);
  for (int round = 0; round < 20000; ++round) {
    std::string a = RandomBytes(rng, "/\\:.%|?@#file:http//../2541"), b = RandomBytes(rng, "/.:%?..\\");
    std::string combined = CombineUrl(a, b);
    EXPECT_LE(combined.size(), a.size() + b.size() + 16);
    (void)DosPathOf(a);
    (void)ExpandWithServerRoot(a, "\\srv");
    (void)UrlBase(a);
    (void)IsFullUrl(a);
    TUrlParts p = ParseUrl(a);
    EXPECT_LE(p.Host.size() + p.User.size() + p.Password.size() + p.Port.size(), a.size());
    EXPECT_LE(LastPos(b, a), static_cast<int>(a.size()));
  }
}

TEST(HostileText, ClassSelectorsOfAnyValue) {
  std::mt19937 rng(13);
  for (int round = 0; round < 5000; ++round) {
    TAttributeList list;
    auto attr = std::make_unique<TAttribute>();
    attr->AttrSymbol = syClass;
    attr->AttrName = "CLASS";
    attr->StrValue = RandomBytes(rng, " \t\x01" "abAB.");
    list.Add(std::move(attr));
    std::string sel = list.ClassSelector();
    EXPECT_EQ(sel.find(' '), std::string::npos) << sel;
  }
}
