// Fitting and measuring text in a canvas's font.
#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "support/text_helpers.h"

using namespace html;

namespace {

plat::TCanvas& SerifCanvas() {
  static plat::TBitmap bitmap(1, 1);
  plat::TCanvas& c = bitmap.Canvas();
  c.Font().Name = "Times New Roman";
  c.Font().Height = -16;
  return c;
}

}  // namespace

TEST(FitText, ExactBoundaries) {
  plat::TCanvas& c = SerifCanvas();
  const std::u16string text = u"Hello world";
  int n = static_cast<int>(text.size());
  for (int k = 1; k <= n; ++k) {
    int w = TextWidth(c, text.data(), k);
    int width = -1;
    EXPECT_EQ(FitText(c, text.data(), n, w, width), k) << k;
    EXPECT_EQ(width, w);
    // One pixel less fits one character fewer (no character is 0 wide here).
    EXPECT_EQ(FitText(c, text.data(), n, w - 1, width), k - 1) << k;
  }
  int width = -1;
  EXPECT_EQ(FitText(c, text.data(), n, 0, width), 0);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(FitText(c, text.data(), 0, 100, width), 0);
  EXPECT_EQ(FitText(c, text.data(), n, 100000, width), n);
  EXPECT_EQ(width, TextWidth(c, text));
}

TEST(TextWidth, AdditiveAndEmpty) {
  plat::TCanvas& c = SerifCanvas();
  EXPECT_EQ(TextWidth(c, u"ab"), TextWidth(c, u"a") + TextWidth(c, u"b"));
  EXPECT_EQ(TextWidth(c, u""), 0);
  EXPECT_EQ(TextWidth(c, nullptr, 5), 0);
  EXPECT_GT(TextWidth(c, u"Hello"), 0);
}
