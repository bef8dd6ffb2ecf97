#include "support/alloc_rec.h"

#include <cstring>
#include <new>

namespace html {

AllocRec::AllocRec(size_t size) : size_(size) {
  block_.reset(new (std::nothrow) uint8_t[size ? size : 1]);
  if (!block_) throw EAbort();
  std::memset(block_.get(), 0, size);
}

}  // namespace html
