#pragma once
// The link a run of text belongs to.
#include <string>

namespace html {

class TUrlTarget {
 public:
  std::string Url;
  std::string Target;
};

}  // namespace html
