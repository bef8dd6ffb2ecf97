#include "styles/charsets.h"

namespace html {

std::optional<int32_t> CodePageOfCharset(uint8_t charset) {
  struct Entry {
    uint8_t charset;
    int32_t codePage;
  };
  static constexpr Entry kTable[] = {
      {0, 1252},   {1, 0},      {2, 0},      {77, 2},     {128, 932},  {129, 949},  {130, 1361},
      {134, 936},  {136, 950},  {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256},
      {186, 1257}, {204, 1251}, {222, 874},  {238, 1250}, {255, 1},
  };
  for (const auto& e : kTable)
    if (e.charset == charset) return e.codePage;
  return std::nullopt;
}

}  // namespace html
