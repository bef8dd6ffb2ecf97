#pragma once
// The attributes of the tag the scanner has just read.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "reader/html_symbols.h"
#include "support/free_list.h"

namespace html {

class TProperties;

struct TAttribute {
  THtmlSymbol AttrSymbol = syUnknownAttr;
  std::string AttrName;  // as read, upper case
  int32_t NumValue = 0;
  std::string StrValue;  // character references already replaced
  int32_t CodePage = 0;  // code page in force for the element
};

class TAttributeList : public TFreeList<TAttribute> {
 public:
  // Builds the property set of a STYLE attribute value; installed by the
  // style sheet parser. Without one, STYLE attributes give no properties.
  using TInlineStyleParser = std::function<std::shared_ptr<const TProperties>(const TAttribute& style)>;
  static void SetInlineStyleParser(TInlineStyleParser parser);

  void Clear();
  // The first attribute with the symbol (the first written wins), or nullptr.
  TAttribute* Find(THtmlSymbol symbol) const;
  // One line per attribute: name "=" value.
  std::vector<std::string> AsStringList() const;
  // The lines of AsStringList joined by CR LF.
  std::string AsText() const;
  // The CLASS value as a class selector without its leading dot: trimmed,
  // lower case, several classes in alphabetical order joined by dots.
  std::string ClassSelector() const;
  // The lower-cased ID value, computed once per tag.
  std::string IdName();
  std::string TitleText() const;
  // The properties of the STYLE attribute (nullptr without one). The set is
  // shared: property sets that took it keep it alive after the next tag.
  std::shared_ptr<const TProperties> InlineStyleProps();

 private:
  std::string cachedId_;
  bool idCached_ = false;
  std::shared_ptr<const TProperties> ownedStyle_;
};

}  // namespace html
