#pragma once
// The reader's open link, copied into every text run made while it is open.
#include <cstdint>
#include <string>
#include <vector>

namespace html {

class TAttributeList;

// Source positions where a link's text begins and where the link closes.
struct TutText {
  int32_t FirstIndex = -1;
  int32_t LastIndex = -1;
};

class TUrlTarget {
 public:
  std::string Url;
  std::string Target;
  int32_t LinkNumber = 0;
  std::string AttrText;  // attribute lines joined by CR LF
  TutText TextRange;
  int32_t TabIndex = 0;

  // Opens a link: a new link number (process-wide, from 10, never reset).
  void SetLink(const std::string& url, const std::string& target, int32_t index, const TAttributeList& attributes);
  void CopyFrom(const TUrlTarget& other) { *this = other; }
  void ClearLink();
  int32_t FirstIndex() const { return TextRange.FirstIndex; }
  int32_t LastIndex() const { return TextRange.LastIndex; }
  // Stamps the closing index here and into the link's targets of the runs
  // at the end of `runTargets`, walking back while they carry this link's number.
  void CloseLink(const std::vector<TUrlTarget*>& runTargets, int32_t index);
};

// The number the next SetLink takes (for tests).
int32_t PeekNextLinkNumber();

}  // namespace html
