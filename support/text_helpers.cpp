#include "support/text_helpers.h"


#include "platform/codepage.h"

namespace html {

namespace {

constexpr unsigned kSystemPage = 1252;

unsigned PageOrSystem(int32_t codePage) {
  unsigned page = static_cast<unsigned>(codePage);
  return plat::IsCodePageSupported(page) ? page : kSystemPage;
}

}  // namespace

std::u16string MultiByteToWide(int32_t codePage, std::string_view text) {
  return plat::MultiByteToWideChar(PageOrSystem(codePage), text);
}

std::string WideToMultiByte(int32_t codePage, std::u16string_view text) {
  return plat::WideCharToMultiByte(PageOrSystem(codePage), text);
}

int CharByteLength(int32_t codePage, std::string_view bytes) {
  if (bytes.empty()) return 0;
  uint8_t lead = static_cast<uint8_t>(bytes[0]);
  if (codePage == CP_UTF8) {
    if (lead == 0) return 0;
    if (lead < 0xC0) return 1;
    if (lead < 0xE0) return 2;
    if (lead < 0xF0) return 3;
    if (lead < 0xF8) return 4;
    return 1;
  }
  if (lead == 0) return 0;
  size_t next = plat::CharNextExA(PageOrSystem(codePage), bytes, 0);
  return next > 0 ? static_cast<int>(next) : 0;
}

std::u16string WideUpper(std::u16string_view s) {
  std::u16string r(s);
  plat::CharUpperBuffW(r.data(), r.size());
  return r;
}

std::u16string WideLower(std::u16string_view s) {
  std::u16string r(s);
  plat::CharLowerBuffW(r.data(), r.size());
  return r;
}

int WidePos(std::u16string_view sub, std::u16string_view s) {
  if (sub.empty() || s.empty() || sub.size() > s.size()) return 0;
  size_t p = s.find(sub);
  return p == std::u16string_view::npos ? 0 : static_cast<int>(p) + 1;
}

int WideScan(std::u16string_view s, char16_t ch) {
  size_t p = s.find(ch);
  return p == std::u16string_view::npos ? -1 : static_cast<int>(p);
}

int WideRScan(std::u16string_view s, char16_t ch) {
  size_t p = s.rfind(ch);
  return p == std::u16string_view::npos ? -1 : static_cast<int>(p);
}

std::u16string WideTrim(std::u16string_view s) {
  size_t a = 0, b = s.size();
  while (a < b && s[a] < 33) ++a;
  while (b > a && s[b - 1] < 33) --b;
  return std::u16string(s.substr(a, b - a));
}

int PosFrom(std::string_view sub, std::string_view s, int start) {
  size_t from = start <= 1 ? 0 : static_cast<size_t>(start - 1);
  if (sub.empty() || from >= s.size()) return 0;
  size_t p = s.find(sub, from);
  return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

}  // namespace html
