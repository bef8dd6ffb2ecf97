#pragma once
// The tag a delivered document carries, as htmlsend reads it from its
// command line: decimal, or hexadecimal after "0x", "0X" or "$"; no sign,
// no blanks, nothing after the digits, at most 32 bits. A leading zero is
// no octal prefix ("053456" is 53456).
#include <cstdint>
#include <optional>
#include <string_view>

#include "support/text_util.h"

namespace host {

inline std::optional<uint32_t> ParseDeliveryTag(std::string_view text) {
  unsigned base = 10;
  if (text.starts_with('$')) {
    base = 16;
    text.remove_prefix(1);
  } else if (text.starts_with("0x") || text.starts_with("0X")) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  uint64_t value = 0;
  for (char c : text) {
    const int digit = html::HexDigitValue(c);
    if (digit < 0 || static_cast<unsigned>(digit) >= base) return std::nullopt;
    value = value * base + static_cast<unsigned>(digit);
    if (value > UINT32_MAX) return std::nullopt;
  }
  return static_cast<uint32_t>(value);
}

}  // namespace host
