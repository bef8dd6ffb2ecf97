#pragma once
// The computed style of one element: sixty property values addressed by
// index, a styled flag per property, and the document facts that travel
// with an element (character set, code page, em size, default face, link
// fonts). Each element's set is derived from its parent's and completed by
// the style list (ResolveStyle).
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "styles/font_info.h"
#include "styles/prop_value.h"
#include "styles/style_types.h"

namespace html {

class TStyleList;
class TPropStack;

// The CSS name of a property index ("" outside 0..59).
std::string_view PropertyName(int index);
// The index of a property name (exact, lower case), or nothing.
std::optional<int> FindPropertyIndex(std::string_view name);

// ALIGN attribute words: "top", "middle"/"absmiddle"/"center", "left",
// "right", "bottom", "baseline", "justify"; any case.
AlignKind AlignCodeOf(std::string_view text);
// One of the nine border style names, exactly; otherwise BorderNone.
BorderKind BorderCodeOf(std::string_view text);
// The address inside a "url(...)" value, unquoted; empty for anything else.
std::string UrlOf(const PropValue& value);

// A rule set starts with every value empty except the box lengths, which
// are unset, so that applying it touches only what it declares; an element
// set also starts with "z-index" 0.
enum class TPropSetKind { Element, Rule };

class TProperties {
 public:
  explicit TProperties(TPropSetKind kind = TPropSetKind::Element);
  ~TProperties();
  TProperties(const TProperties&) = delete;
  TProperties& operator=(const TProperties&) = delete;

  // ---- state
  std::array<PropValue, kPropCount> Values;
  // Set when the value was given for this element itself: a style rule or
  // STYLE attribute, an HTML attribute, or a row-group parent.
  std::array<bool, kPropCount> StyledFlags{};
  std::unique_ptr<TMyFont> CachedFont;
  bool HasLinkFonts = false;
  std::unique_ptr<TFontInfoArray> LinkFonts;
  std::string DefaultFontName;
  std::string TagName, ClassText, IdText, PseudoText, Title;
  // Shared with the element's attribute list; link fonts may re-apply it.
  std::shared_ptr<const TProperties> InlineStyle;
  plat::TColor TextBackColor = NoColor;
  uint8_t Charset = 0;
  int32_t CodePage = 0;
  int32_t EmPixels = 0;
  int32_t ExPixels = 0;
  // Creation number: pairs an inline element's start and end.
  const int32_t Serial;

  // ---- construction and copying
  // Makes this fresh set the child of `parent`; `tagName` is the element being opened.
  void DeriveFrom(const TProperties& parent, std::string_view tagName);
  // After an element below was closed out of order: every value this
  // element did not style is taken again as DeriveFrom would take it from
  // the new parent; the font is rebuilt on demand and link fonts follow.
  void RefreshFromParent(const TProperties& parent, const TStyleList& styles, TPropStack& stack,
                         int stackIndex);
  void CopyValues(const TProperties& other);
  // The document root's set, from the style list's "default" rule.
  void InitFromDefaults(const TProperties& defaultRule);

  // ---- setting values
  // Merges one matching rule (or the inline style); later calls win.
  void ApplyRule(const TProperties& rule);
  // A presentational attribute: ignored when a rule already styled the property.
  void SetIfNotStyled(int index, const PropValue& value);
  // One declaration of a STYLE attribute into this (inline style) set.
  void StoreDeclaration(int index, std::string_view text);
  void StoreDeclarationByName(std::string_view name, std::string_view text);
  void SetCharsetCode(uint8_t code);
  void UseUtf8();
  // A styled background colour becomes the background of the element's text.
  void TakeTextBackground();

  // ---- fonts (element_fonts.cpp)
  // A copy of the set's font, realised once; the first call sets EmPixels and ExPixels.
  TMyFont MakeFont();
  void FillFontInfo(ThtFontInfo& info) const;
  // The four link fonts of the anchor at `stackIndex` of `stack`.
  void ComputeLinkFonts(const TStyleList& styles, TPropStack& stack, int stackIndex);

  // ---- selector matching (resolve_style.cpp)
  // Completes a set just derived and pushed on `stack`: applies the
  // matching rules from least to most specific, then the inline style, and
  // turns the font size into points. `pseudo` is "" or "link" (an anchor
  // with an address); link fonts are computed for "link".
  void ResolveStyle(const TStyleList& styles, TPropStack& stack, std::string_view tagName,
                    std::string_view classText, std::string_view idText,
                    std::shared_ptr<const TProperties> inlineStyle, std::string_view title,
                    std::string_view pseudo);
  // ClassText's classes, sorted and without repeats; split again only
  // after ClassText has changed.
  const std::vector<std::string>& ClassList() const;

  // ---- accessors (property_accessors.cpp)
  // False when "background-image" is not text; true with "" for "none".
  bool BackgroundImageUrl(std::string& url) const;
  // placement[0] horizontal, placement[1] vertical.
  void BackgroundLayout(int em, int ex, BackgroundPlacement (&placement)[2]) const;
  bool VerticalAlignCode(AlignKind& code) const;
  bool OverflowHidden() const;
  bool FloatCode(AlignKind& code) const;
  // A clear is taken once: the text is emptied by the first ask.
  bool TakeClearCode(ClearKind& code);
  BulletKind BulletCode() const;
  std::string ListImageUrl() const;
  PositionKind PositionCode() const;
  VisibilityKind VisibilityCode() const;
  int ZIndexValue() const;
  bool DisplayIsNone() const;
  bool CollapsedBorders() const;
  int LineHeightPixels(int fontHeight) const;
  int TextIndentValue(bool& isPercent) const;
  TransformKind TransformCode() const;
  std::string WordWrapText() const;
  void PageBreakFlags(bool& before, bool& after, bool& avoidInside) const;
  plat::TColor StyledBackgroundColor() const;
  plat::TColor StyledTextColor() const;
  BorderKind BorderStyleCode() const;
  bool HasBorderStyleText() const;
  TVMarginArray CopyBoxValues() const;

 private:
  // ResolveStyle with the ancestor walk starting at stack entry `ancestorTop`.
  void ResolveWithAncestors(const TStyleList& styles, TPropStack& stack, int ancestorTop,
                            std::string_view tagName, std::string_view classText, std::string_view idText,
                            std::shared_ptr<const TProperties> inlineStyle, std::string_view title,
                            std::string_view pseudo);
  void UpdateLinkFonts(int index, const PropValue& value);

  // The ClassText that classList_ was split from.
  mutable std::optional<std::string> classListSource_;
  mutable std::vector<std::string> classList_;
};

// The set a STYLE attribute's declarations go into (a rule set).
inline std::shared_ptr<TProperties> NewInlineStyleSet() {
  return std::make_shared<TProperties>(TPropSetKind::Rule);
}

// How a declaration is stored: into a STYLE attribute's set or a style
// sheet rule (they differ for an unreadable "color").
enum class TDeclarationTarget { InlineStyle, Rule };
void StoreDeclarationValue(TProperties& set, int index, std::string_view text, TDeclarationTarget target);

}  // namespace html
