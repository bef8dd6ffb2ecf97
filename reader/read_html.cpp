// The reader's entry points. Reading begins with the document's body
// block in the root; the markup itself is not interpreted yet.
#include "reader/read_html.h"

#include <memory>

#include "layout/body_block.h"
#include "layout/section_list.h"

namespace html {

namespace {

void BeginReading(TSectionList& root) { root.AddSection(std::make_unique<TBodyBlock>(&root), 0); }

}  // namespace

TDocumentInfo ParseDocument(const std::string&, TSectionList& root, const TLinkHandler&, const TMetaHandler&,
                            const TSoundHandler&, const TIncludeHandler&) {
  BeginReading(root);
  return {};
}

TDocumentInfo ParsePlainText(const std::string&, TSectionList& root) {
  BeginReading(root);
  return {};
}

}  // namespace html
