// One-to-one case mapping of UTF-16 text, from the C library's Unicode
// tables (the C.UTF-8 locale). ASCII is mapped directly.
#include <locale.h>
#include <wctype.h>

#include "platform/codepage.h"
#include "platform/codepage_internal.h"

namespace plat {
namespace {

// The C.UTF-8 character-class locale (RAII). Without it only ASCII is mapped.
class UnicodeLocale {
 public:
  UnicodeLocale() : loc_(newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{})) {}
  ~UnicodeLocale() {
    if (loc_) freelocale(loc_);
  }
  UnicodeLocale(const UnicodeLocale&) = delete;
  UnicodeLocale& operator=(const UnicodeLocale&) = delete;
  locale_t get() const { return loc_; }

 private:
  locale_t loc_;
};

locale_t Unicode() {
  static const UnicodeLocale locale;
  return locale.get();
}

// Keeps c when the mapping leaves the BMP or lands on a surrogate.
inline char16_t Checked(char16_t c, wint_t mapped) {
  if (mapped > 0xFFFF || cpdetail::IsSurrogate(static_cast<char16_t>(mapped))) return c;
  return static_cast<char16_t>(mapped);
}

}  // namespace

char16_t CharUpperW(char16_t c) {
  if (c < 0x80) return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c;
  if (cpdetail::IsSurrogate(c)) return c;
  locale_t loc = Unicode();
  return loc ? Checked(c, towupper_l(c, loc)) : c;
}

char16_t CharLowerW(char16_t c) {
  if (c < 0x80) return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 0x20) : c;
  if (cpdetail::IsSurrogate(c)) return c;
  locale_t loc = Unicode();
  return loc ? Checked(c, towlower_l(c, loc)) : c;
}

void CharUpperBuffW(char16_t* s, size_t n) {
  for (size_t i = 0; i < n; ++i) s[i] = CharUpperW(s[i]);
}

void CharLowerBuffW(char16_t* s, size_t n) {
  for (size_t i = 0; i < n; ++i) s[i] = CharLowerW(s[i]);
}

std::u16string UpperCaseW(std::u16string_view s) {
  std::u16string out(s);
  CharUpperBuffW(out.data(), out.size());
  return out;
}

std::u16string LowerCaseW(std::u16string_view s) {
  std::u16string out(s);
  CharLowerBuffW(out.data(), out.size());
  return out;
}

}  // namespace plat
