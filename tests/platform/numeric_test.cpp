#include "platform/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace plat;

TEST(MulDiv, RoundsHalfAwayFromZeroAndReportsFailures) {
  struct Case {
    int a, b, c, want;
  } cases[] = {
      {10, 3, 4, 8},            // 7.5 -> 8
      {-10, 3, 4, -8},          // -7.5 -> -8
      {10, -3, -4, 8},          // signs cancel
      {5, 1, 2, 3},             // 2.5 -> 3
      {7, 1, 3, 2},             // 2.33 -> 2
      {1000, 301, 100, 3010},
      {0x40000000, 4, 2, -1},   // 2^31 does not fit
      {-0x40000000, 4, 2, INT32_MIN},
      {123456789, 1000, 1000, 123456789},  // 64-bit intermediate
      {5, 5, 0, -1},            // zero divisor
  };
  for (const auto& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.want) << c.a << "*" << c.b << "/" << c.c;
}

TEST(Round, HalfToEvenAndClamped) {
  struct Case {
    double v;
    int want;
  } cases[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {0.5, 0}, {1.5, 2}, {2.4999, 2}, {-0.6, -1},
               {1e300, INT32_MAX}, {-1e300, INT32_MIN}, {std::numeric_limits<double>::quiet_NaN(), 0},
               {std::numeric_limits<double>::infinity(), INT32_MAX}};
  for (const auto& c : cases) EXPECT_EQ(Round(c.v), c.want) << c.v;
}

TEST(Div, TruncatesTowardZeroWithoutTrapping) {
  EXPECT_EQ(Div(7, 2), 3);
  EXPECT_EQ(Div(-7, 2), -3);
  EXPECT_EQ(Div(7, -2), -3);
  EXPECT_EQ(Div(7, 0), 0);
  EXPECT_EQ(Div(INT32_MIN, -1), INT32_MAX);
}
