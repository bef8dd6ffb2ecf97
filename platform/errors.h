#pragma once
// Exceptions raised by the platform layer.
#include <stdexcept>
#include <string>

namespace plat {

// A graphics object (bitmap, region, font) could not be made.
class EOutOfResources : public std::runtime_error {
 public:
  explicit EOutOfResources(const std::string& what = "Out of Resources") : std::runtime_error(what) {}
};

// A file or stream could not be read or written.
class EInOutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace plat
