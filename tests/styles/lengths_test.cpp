#include "styles/lengths.h"

#include <gtest/gtest.h>

using namespace html;

TEST(LengthPixels, Smoke) { EXPECT_EQ(LengthPixels("1in", 0, false, -1, 0, 0), 96); }
