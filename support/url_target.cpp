#include "support/url_target.h"

#include <limits>

#include "support/attributes.h"

namespace html {

namespace {

int32_t nextLinkNumber = 10;

}  // namespace

int32_t PeekNextLinkNumber() { return nextLinkNumber; }

void TUrlTarget::SetLink(const std::string& url, const std::string& target, int32_t index,
                         const TAttributeList& attributes) {
  Url = url;
  Target = target;
  LinkNumber = nextLinkNumber;
  // Wraps to 1 rather than overflowing after two billion links.
  nextLinkNumber = nextLinkNumber == std::numeric_limits<int32_t>::max() ? 1 : nextLinkNumber + 1;
  TextRange.FirstIndex = index;
  AttrText = attributes.AsText();
}

void TUrlTarget::ClearLink() {
  Url.clear();
  Target.clear();
  AttrText.clear();
  LinkNumber = 0;
  TabIndex = 0;
  TextRange = TutText{};
}

void TUrlTarget::CloseLink(const std::vector<TUrlTarget*>& runTargets, int32_t index) {
  TextRange.LastIndex = index;
  for (auto it = runTargets.rbegin(); it != runTargets.rend(); ++it) {
    if (!*it || (*it)->LinkNumber != LinkNumber) break;
    (*it)->TextRange.LastIndex = index;
  }
}

}  // namespace html
