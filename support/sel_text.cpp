#include "support/sel_text.h"

namespace html {

namespace {

// Both sinks skip the same characters, so that a counting pass sizes the
// copying pass exactly.
bool Skipped(char16_t c) { return c == kFormControlChar || c == kImageChar || c == kBreakChar; }

}  // namespace

void SelTextCount::AddText(const char16_t* chars, size_t count) {
  if (!chars) return;
  for (size_t i = 0; i < count; ++i)
    if (!Skipped(chars[i])) ++Length;
}

void SelTextCount::AddTextCR(const char16_t* chars, size_t count) {
  AddText(chars, count);
  static const char16_t crlf[] = {u'\r', u'\n'};
  AddText(crlf, 2);
}

void SelTextBuf::AddText(const char16_t* chars, size_t count) {
  if (!chars || !Buffer || BufferLength == 0) return;
  for (size_t i = 0; i < count && Length < BufferLength - 1; ++i)
    if (!Skipped(chars[i])) Buffer[Length++] = chars[i];
}

size_t SelTextBuf::Terminate() {
  if (!Buffer || BufferLength == 0) return 0;
  Buffer[Length] = 0;
  return Length + 1;
}

}  // namespace html
