// Style values straight from documents: random text must give a clean
// answer, never a crash, a marker integer or a non-finite size.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "styles/colors.h"
#include "styles/lengths.h"
#include "styles/prop_value.h"

using namespace html;

namespace {

// Random text drawn mostly from the characters style values are made of.
std::string RandomValue(std::mt19937& rng) {
  static const std::string alphabet = "0123456789.+-eE%#(),; \tpxemtincmptpcrgbRGBabcdef";
  std::uniform_int_distribution<int> len(0, 24), pick(0, static_cast<int>(alphabet.size()) - 1), byte(0, 255);
  std::string s;
  int n = len(rng);
  for (int i = 0; i < n; ++i) s += (i % 7 == 6) ? static_cast<char>(byte(rng)) : alphabet[static_cast<size_t>(pick(rng))];
  return s;
}

}  // namespace

TEST(HostileStyleValues, RandomTextGivesCleanAnswers) {
  std::mt19937 rng(20261211);
  const std::string fixed[] = {"1e999px", "-1e999px", "nan", "inf", "1e308%", "99999999999999999999em", "rgb(",
                               "rgb(1e9,1e9,1e9)", "#", "#zzzzzz", "rgb(1,2", ")(", "", "0.0000000001pt"};
  auto check = [](const std::string& v) {
    int px = LengthPixels(v, 1000000, true, -7, 16, 8);
    EXPECT_TRUE(px == -7 || (px >= -kMaxLengthPixels && px <= kMaxLengthPixels)) << v << " -> " << px;
    EXPECT_NE(px, LengthUnset) << v;
    EXPECT_NE(px, LengthAuto) << v;
    EXPECT_NE(px, LengthParaSpace) << v;
    double pt = FontSizePoints(v, 12.0);
    EXPECT_TRUE(std::isfinite(pt)) << v;
    for (bool hash : {false, true}) {
      auto c = ParseColor(v, hash);
      if (c) {
        EXPECT_TRUE(*c == plat::NoColor || (static_cast<uint32_t>(*c) & 0xFD000000u) == 0 || plat::IsSystemColor(*c))
            << v;
      }
    }
  };
  for (const auto& v : fixed) check(v);
  for (int i = 0; i < 20000; ++i) check(RandomValue(rng));
}
