#include "support/char_buffers.h"

#include "support/text_helpers.h"

namespace html {

void TCharCollection::Reserve(size_t capacity) {
  chars_.resize(capacity);
  indices_.resize(capacity);
}

void TCharCollection::AppendChar(char ch, int32_t index) {
  if (size_ >= chars_.size()) Reserve(chars_.size() + kGrowth);
  chars_[size_] = ch;
  indices_[size_] = index;
  ++size_;
}

void TCharCollection::AddCollection(const TCharCollection& other) {
  size_t total = size_ + other.size_;
  if (total >= chars_.size()) Reserve(total + kGrowth);
  for (size_t i = 0; i < other.size_; ++i) {
    chars_[size_ + i] = other.chars_[i];
    indices_[size_ + i] = other.indices_[i];
  }
  size_ = total;
}

void TCharCollection::Clear() {
  size_ = 0;
  chars_.clear();
  indices_.clear();
}

void TokenObj::Reserve(size_t capacity) {
  chars_.resize(capacity);
  indices_.resize(capacity);
}

void TokenObj::EnsureRoom(size_t extra) {
  if (size_ + extra <= chars_.size()) return;
  size_t capacity = chars_.size();
  while (capacity < size_ + extra) capacity += kGrowth;
  Reserve(capacity);
}

void TokenObj::AppendChar(char16_t ch, int32_t index) {
  EnsureRoom(1);
  chars_[size_] = ch;
  indices_[size_] = index;
  ++size_;
  textValid_ = false;
}

void TokenObj::AddString(const TCharCollection& collection, int32_t codePage) {
  size_t n = collection.Size();
  if (n == 0) return;
  std::u16string wide = MultiByteToWide(codePage, collection.View());
  EnsureRoom(wide.size());
  textValid_ = false;
  if (wide.size() == n) {
    for (size_t i = 0; i < n; ++i) {
      chars_[size_ + i] = wide[i];
      indices_[size_ + i] = collection.Index(i);
    }
    size_ += n;
    return;
  }
  // Walk the byte sequences: each character takes the index of the first
  // byte of its sequence. A supplementary character gives two 16-bit
  // units from one sequence: both take its lead byte's index. Past the
  // last byte, characters take the last byte's index.
  std::string_view bytes = collection.View();
  size_t pos = 0;
  for (size_t k = 0; k < wide.size(); ++k) {
    int32_t index = collection.Index(pos < n ? pos : n - 1);
    chars_[size_] = wide[k];
    indices_[size_] = index;
    ++size_;
    bool highSurrogate = wide[k] >= 0xD800 && wide[k] <= 0xDBFF && k + 1 < wide.size() &&
                         wide[k + 1] >= 0xDC00 && wide[k + 1] <= 0xDFFF;
    if (highSurrogate) {
      ++k;
      chars_[size_] = wide[k];
      indices_[size_] = index;
      ++size_;
    }
    if (pos >= n) continue;
    int len = CharByteLength(codePage, bytes.substr(pos));
    if (len <= 0) break;  // a NUL byte: nothing after it belongs to the text
    pos += static_cast<size_t>(len);
  }
}

const std::u16string& TokenObj::Text() const {
  if (!textValid_) {
    text_.assign(chars_.data(), size_);
    textValid_ = true;
  }
  return text_;
}

void TokenObj::Clear() {
  size_ = 0;
  text_.clear();
  textValid_ = true;
}

}  // namespace html
