#pragma once
// The HTML reader's entry points: they read a document text into a
// document root. Any text is accepted.
#include <functional>
#include <string>
#include <vector>

namespace html {

class TSectionList;

using TLinkHandler = std::function<void(const std::string& rel, const std::string& rev, const std::string& href)>;
using TMetaHandler =
    std::function<void(const std::string& httpEq, const std::string& name, const std::string& content)>;
using TSoundHandler = std::function<void(const std::string& src, int loop, bool terminate)>;
using TIncludeHandler =
    std::function<void(const std::string& command, const std::vector<std::string>& params, std::string& text)>;

// What the document said about itself, for the caller once reading ended.
struct TDocumentInfo {
  std::string DocTitle;
  std::string DocBase;
  std::string DocBaseTarget;
};

// Reads an HTML document into `root` (which the caller has reset).
TDocumentInfo ParseDocument(const std::string& text, TSectionList& root, const TLinkHandler& linkHandler,
                            const TMetaHandler& metaHandler, const TSoundHandler& soundHandler,
                            const TIncludeHandler& includeHandler);
// Reads a plain text document into `root` as preformatted lines.
TDocumentInfo ParsePlainText(const std::string& text, TSectionList& root);

}  // namespace html
