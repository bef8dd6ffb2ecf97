#pragma once
// A memory block for image decoding. Blocks of kLargeBlock bytes and more
// are "large" (kept apart, as the decoders expect); a failed allocation
// abandons the operation with EAbort.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>

namespace html {

// Silent abandonment of the current operation.
class EAbort : public std::runtime_error {
 public:
  EAbort() : std::runtime_error("Operation aborted") {}
};

class AllocRec {
 public:
  static constexpr size_t kLargeBlock = 0xFF00;  // 65,280 bytes

  explicit AllocRec(size_t size);
  uint8_t* BlockPtr() const { return block_.get(); }
  size_t BlockSize() const { return size_; }
  bool IsLarge() const { return size_ >= kLargeBlock; }

 private:
  std::unique_ptr<uint8_t[]> block_;
  size_t size_;
};

}  // namespace html
