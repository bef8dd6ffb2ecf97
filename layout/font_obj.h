#pragma once
// A run of text in one font; a link's runs carry its URL and its visited
// and hover state.
#include <string>

#include "support/url_target.h"

namespace html {

class TFontObj {
 public:
  bool Visited = false;
  bool Hover = false;
  TUrlTarget Link;

  std::string LinkUrl() const { return Link.Url; }
  void SetVisited(bool v) { Visited = v; }
};

}  // namespace html
