#pragma once
// Sinks for the text of a selection: one counts, the other copies.
#include <cstddef>

namespace html {

class SelTextCount {
 public:
  virtual ~SelTextCount() = default;
  // Counts every character except the object placeholders and line-break codes.
  virtual void AddText(const char16_t* chars, size_t count);
  void AddTextCR(const char16_t* chars, size_t count);
  virtual size_t Terminate() { return Length; }

  size_t Length = 0;
};

// Copies into a caller's buffer of BufferLength characters, always leaving
// room for the terminating 0. A buffer of capacity 0 receives nothing.
class SelTextBuf : public SelTextCount {
 public:
  SelTextBuf(char16_t* buffer, size_t bufferLength) : Buffer(buffer), BufferLength(bufferLength) {}
  void AddText(const char16_t* chars, size_t count) override;
  size_t Terminate() override;

  char16_t* Buffer;
  size_t BufferLength;
};

// The placeholder codes that stand in text for a form control, an image
// or panel, and a line break.
constexpr char16_t kFormControlChar = 2;
constexpr char16_t kImageChar = 4;
constexpr char16_t kBreakChar = 8;

}  // namespace html
