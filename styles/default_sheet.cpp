#include "styles/default_sheet.h"

#include "styles/colors.h"
#include "styles/lengths.h"
#include "styles/style_list.h"

namespace html {

namespace {

constexpr uint8_t B(int n) { return static_cast<uint8_t>(n); }

// Builds one rule from (index, value) pairs and adds it.
TProperties& AddRule(TStyleList& list, const char* key,
                     std::initializer_list<std::pair<int, PropValue>> values) {
  auto rule = std::make_unique<TProperties>(TPropSetKind::Rule);
  for (const auto& [i, v] : values) rule->Values[i] = v;
  return list.Add(key, std::move(rule));
}

void AddCopies(TStyleList& list, const TProperties& rule, std::initializer_list<const char*> keys) {
  for (const char* k : keys) list.CopyRuleAs(k, rule);
}

}  // namespace

void TStyleList::BuildDefaultSheet(const TDefaultSheetSettings& s) {
  Clear();
  SetDefaultFontSize(s.DefFontSize);
  const double size = DefaultFontSize();
  const int32_t palette = static_cast<int32_t>(PaletteFlag());

  TProperties& def = AddRule(*this, "default",
                             {{piFontFamily, s.DefFontName},
                              {piFontSize, size},
                              {piFontStyle, "none"},
                              {piFontWeight, "normal"},
                              {piTextAlign, "left"},
                              {piTextDecoration, "none"},
                              {piTextTransform, B(TransformNone)},
                              {piWordWrap, "normal"},
                              {piFontVariant, "normal"},
                              {piColor, int32_t{s.DefFontColor}},
                              {piMarginTop, s.MarginHeight},
                              {piMarginBottom, s.MarginHeight},
                              {piMarginLeft, s.MarginWidth},
                              {piMarginRight, s.MarginWidth},
                              {piVisibility, B(VisVisible)},
                              {piLetterSpacing, B(0)},
                              {piZIndex, int32_t{0}}});
  def.DefaultFontName = s.DefFontName;
  def.Charset = s.CharSet;
  defaultRule_ = &def;

  AddRule(*this, "::link",
          {{piColor, int32_t{s.DefHotSpotColor | palette}},
           {piTextDecoration, s.UnderlineLinks ? "underline" : "none"}});
  AddRule(*this, "::visited", {{piColor, int32_t{s.DefVisitedLinkColor | palette}}});
  AddRule(*this, "::hover", {{piColor, int32_t{s.DefOverLinkColor | palette}}});
  AddRule(*this, "null", {});

  AddRule(*this, "pre",
          {{piFontFamily, s.DefPreFontName},
           {piFontSize, size * 10.0 / 12.0},
           {piFontStyle, "none"},
           {piFontWeight, "normal"},
           {piTextDecoration, "none"}});
  AddRule(*this, "p", {{piMarginTop, LengthParaSpace}, {piMarginBottom, LengthParaSpace}});
  // A paragraph inside "pre", directly or not, has no top margin.
  AddRule(*this, "p 11pre ", {{piMarginTop, B(0)}});

  TProperties& ul = AddRule(*this, "ul",
                            {{piPaddingLeft, B(35)},
                             {piMarginTop, LengthParaSpace},
                             {piMarginBottom, LengthParaSpace},
                             {piListStyleType, "blank"}});
  AddCopies(*this, ul, {"ol", "menu", "dir"});
  AddRule(*this, "dl",
          {{piPaddingLeft, B(0)},
           {piMarginLeft, B(0)},
           {piMarginTop, B(0)},
           {piMarginBottom, B(0)},
           {piListStyleType, "none"}});
  AddRule(*this, "dd", {{piPaddingLeft, B(35)}, {piMarginTop, B(0)}, {piMarginBottom, B(0)}});
  AddRule(*this, "blockquote",
          {{piPaddingLeft, B(35)}, {piMarginTop, LengthParaSpace}, {piMarginBottom, B(14)}});

  TProperties& code = AddRule(*this, "code", {{piFontFamily, s.DefPreFontName}, {piFontSize, "0.833em"}});
  AddCopies(*this, code, {"tt", "kbd", "samp"});
  TProperties& b = AddRule(*this, "b", {{piFontWeight, "bold"}});
  AddCopies(*this, b, {"strong", "th"});
  AddRule(*this, "sup", {{piFontSize, "75%"}, {piVerticalAlign, "super"}});
  AddRule(*this, "sub", {{piFontSize, "75%"}, {piVerticalAlign, "sub"}});
  AddRule(*this, "big", {{piFontSize, "1.25em"}});
  AddRule(*this, "small", {{piFontSize, "0.75em"}});
  AddRule(*this, "table", {{piTextAlign, "none"}});
  TProperties& i = AddRule(*this, "i", {{piFontStyle, "italic"}});
  AddCopies(*this, i, {"em", "cite", "var", "address"});
  AddRule(*this, "u", {{piTextDecoration, "underline"}});
  TProperties& strike = AddRule(*this, "s", {{piTextDecoration, "line-through"}});
  AddCopies(*this, strike, {"strike"});
  TProperties& center = AddRule(*this, "center", {{piTextAlign, "center"}});
  AddCopies(*this, center, {"caption"});

  TProperties& input = AddRule(*this, "input",
                               {{piFontFamily, "Arial Unicode MS, Arial"},
                                {piFontSize, "10pt"},
                                {piFontStyle, "none"},
                                {piFontWeight, "normal"},
                                {piTextAlign, "left"},
                                {piTextDecoration, "none"},
                                {piColor, int32_t{s.DefFontColor}}});
  AddCopies(*this, input, {"select"});
  CopyRuleAs("textarea", input).Values[piFontFamily] = s.DefPreFontName;

  AddRule(*this, "hr",
          {{piMarginLeft, B(0)}, {piMarginRight, B(0)}, {piMarginTop, B(10)}, {piMarginBottom, B(10)}});

  static constexpr const char* kHeadings[] = {"h1", "h2", "h3", "h4", "h5", "h6"};
  static constexpr double kHeadingPoints[] = {24, 18, 14, 12, 10, 8};
  for (int h = 0; h < 6; ++h) {
    AddRule(*this, kHeadings[h],
            {{piFontSize, size / 12.0 * kHeadingPoints[h]},
             {piMarginTop, B(19)},
             {piMarginBottom, B(19)},
             {piFontWeight, "bold"}});
  }
}

}  // namespace html
