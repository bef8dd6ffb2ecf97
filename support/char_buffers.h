#pragma once
// The reader's two character buffers: 8-bit bytes and 16-bit characters,
// each remembering the source position (byte offset) of every character.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace html {

class TCharCollection {
 public:
  static constexpr size_t kInitialCapacity = 300;
  static constexpr size_t kGrowth = 50;

  TCharCollection() { Reserve(kInitialCapacity); }

  void AppendChar(char ch, int32_t index);
  void AddCollection(const TCharCollection& other);
  std::string AsString() const { return std::string(chars_.data(), size_); }
  std::string_view View() const { return std::string_view(chars_.data(), size_); }
  size_t Size() const { return size_; }
  size_t Capacity() const { return chars_.size(); }
  char Char(size_t i) const { return i < size_ ? chars_[i] : '\0'; }
  int32_t Index(size_t i) const { return i < size_ ? indices_[i] : -1; }
  // Empties the buffer and its storage; the next AppendChar grows it again.
  void Clear();

 private:
  void Reserve(size_t capacity);

  std::vector<char> chars_;
  std::vector<int32_t> indices_;
  size_t size_ = 0;
};

class TokenObj {
 public:
  static constexpr size_t kInitialCapacity = 300;
  static constexpr size_t kGrowth = 50;

  TokenObj() { Reserve(kInitialCapacity); }

  void AppendChar(char16_t ch, int32_t index);
  // Converts the collection's bytes from the code page and appends the
  // characters, each with the source index of the first byte of its sequence.
  void AddString(const TCharCollection& collection, int32_t codePage);
  // The first Size characters, built only when asked for.
  const std::u16string& Text() const;
  size_t Size() const { return size_; }
  size_t Capacity() const { return chars_.size(); }
  const char16_t* Chars() const { return chars_.data(); }
  const int32_t* Indices() const { return indices_.data(); }
  char16_t Char(size_t i) const { return i < size_ ? chars_[i] : u'\0'; }
  int32_t Index(size_t i) const { return i < size_ ? indices_[i] : -1; }
  void Clear();

 private:
  void Reserve(size_t capacity);
  void EnsureRoom(size_t extra);

  std::vector<char16_t> chars_;
  std::vector<int32_t> indices_;
  size_t size_ = 0;
  mutable std::u16string text_;
  mutable bool textValid_ = true;
};

}  // namespace html
