// htmlsend's --tag values.
#include "host/delivery_tag.h"

#include <gtest/gtest.h>

#include <string>

using host::ParseDeliveryTag;

TEST(DeliveryTag, DecimalUnlessMarkedHexadecimal) {
  struct Case {
    const char* text;
    std::optional<uint32_t> want;
  } cases[] = {
      {"53456", 53456u},
      {"053456", 53456u},  // a leading zero is no octal prefix
      {"0", 0u},
      {"0x D0D0", std::nullopt},
      {"0xD0D0", 0xD0D0u},
      {"0XabCD", 0xABCDu},
      {"$d0d0", 0xD0D0u},
      {"4294967295", 4294967295u},
      {"0xFFFFFFFF", 4294967295u},
      {"4294967296", std::nullopt},
      {"0x100000000", std::nullopt},
      {"99999999999999999999999", std::nullopt},
      {"12junk", std::nullopt},
      {"12 ", std::nullopt},
      {" 12", std::nullopt},
      {"-1", std::nullopt},
      {"+1", std::nullopt},
      {"", std::nullopt},
      {"0x", std::nullopt},
      {"$", std::nullopt},
      {"1f", std::nullopt},  // hexadecimal digits need the prefix
      {"0b101", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseDeliveryTag(c.text), c.want) << c.text;
}
