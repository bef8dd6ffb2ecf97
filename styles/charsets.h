#pragma once
// Character set numbers of fonts and the code pages their text is in.
#include <cstdint>
#include <optional>

namespace html {

// The pseudo character set that stands for ISO 8859-2.
constexpr uint8_t kLatin2Charset = 31;
constexpr uint8_t kLatin2FontCharset = 238;
constexpr int32_t kLatin2CodePage = 28592;
constexpr int32_t kUtf8CodePage = 65001;

// The code page of a realised character set; nothing for sets not in the table.
std::optional<int32_t> CodePageOfCharset(uint8_t charset);

}  // namespace html
