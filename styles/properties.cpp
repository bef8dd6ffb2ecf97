#include "styles/properties.h"

#include <algorithm>

#include "styles/charsets.h"
#include "styles/colors.h"
#include "styles/lengths.h"
#include "styles/prop_stack.h"
#include "styles/style_list.h"
#include "support/text_util.h"

namespace html {

namespace {

// What a child takes of a property when its parent is an ordinary element.
enum class TChildRule : uint8_t { Inherit, Unset, Empty };

struct TPropertyDef {
  const char* name;
  TChildRule child;
};

constexpr TChildRule I = TChildRule::Inherit, U = TChildRule::Unset, E = TChildRule::Empty;

constexpr TPropertyDef kProperties[kPropCount] = {
    {"font-family", I},
    {"font-size", I},
    {"font-style", I},
    {"font-weight", I},
    {"text-align", I},
    {"text-decoration", I},
    {"letter-spacing", I},
    {"border-style", E},
    {"color", I},
    {"background-color", E},
    {"border-color", E},
    {"margin-top", U},
    {"margin-right", U},
    {"margin-bottom", U},
    {"margin-left", U},
    {"padding-top", U},
    {"padding-right", U},
    {"padding-bottom", U},
    {"padding-left", U},
    {"border-top-width", U},
    {"border-right-width", U},
    {"border-bottom-width", U},
    {"border-left-width", U},
    {"border-top-color", U},
    {"border-right-color", U},
    {"border-bottom-color", U},
    {"border-left-color", U},
    {"border-top-style", U},
    {"border-right-style", U},
    {"border-bottom-style", U},
    {"border-left-style", U},
    {"width", U},
    {"height", U},
    {"top", U},
    {"bottom", U},
    {"right", U},
    {"left", U},
    {"visibility", I},
    {"line-height", I},
    {"background-image", E},
    {"background-position", E},
    {"background-repeat", E},
    {"background-attachment", E},
    {"vertical-align", I},
    {"position", E},
    {"z-index", I},
    {"list-style-type", I},
    {"list-style-image", I},
    {"float", E},
    {"clear", E},
    {"text-indent", I},
    {"page-break-before", E},
    {"page-break-after", E},
    {"page-break-inside", E},
    {"text-transform", I},
    {"word-wrap", I},
    {"font-variant", I},
    {"border-collapse", E},
    {"overflow", E},
    {"display", E},
};

uint32_t gSerialCounter = 0;

int32_t NextSerial() { return static_cast<int32_t>(gSerialCounter++ & 0x7FFFFFFFu); }

bool IsFontProperty(int i) {
  return i == piFontFamily || i == piFontSize || i == piFontStyle || i == piFontWeight ||
         i == piTextDecoration || i == piLetterSpacing || i == piColor || i == piBackgroundColor;
}

bool IsRowGroup(std::string_view tag) { return tag == "thead" || tag == "tbody" || tag == "tfoot"; }

bool HasLinkFontsOf(const TProperties& p) { return p.HasLinkFonts && p.LinkFonts; }

// The value a child element takes for property i from `parent`, and
// whether it counts as styled (a row group hands its values on as styled).
PropValue DerivedValue(const TProperties& parent, int i, std::string_view tagName, bool& styled) {
  styled = false;
  if (parent.TagName == "span" && i != piBorderStyle) return parent.Values[i];
  if (IsRowGroup(parent.TagName)) {
    styled = parent.StyledFlags[i];
    return parent.Values[i];
  }
  if (i == piWordWrap && tagName == "table") return PropValue("normal");
  switch (kProperties[i].child) {
    case TChildRule::Inherit:
      return parent.Values[i];
    case TChildRule::Unset:
      return PropValue(LengthUnset);
    case TChildRule::Empty:
      break;
  }
  return {};
}

}  // namespace

std::string_view PropertyName(int index) {
  if (index < 0 || index >= kPropCount) return {};
  return kProperties[index].name;
}

std::optional<int> FindPropertyIndex(std::string_view name) {
  for (int i = 0; i < kPropCount; ++i)
    if (name == kProperties[i].name) return i;
  return std::nullopt;
}

AlignKind AlignCodeOf(std::string_view text) {
  std::string t = LowerCase(text);
  if (t == "top") return AlignTop;
  if (t == "middle" || t == "absmiddle" || t == "center") return AlignMiddle;
  if (t == "left") return AlignLeft;
  if (t == "right") return AlignRight;
  if (t == "bottom") return AlignBottom;
  if (t == "baseline") return AlignBaseline;
  if (t == "justify") return AlignJustify;
  return AlignNone;
}

BorderKind BorderCodeOf(std::string_view text) {
  static constexpr std::pair<const char*, BorderKind> kNames[] = {
      {"none", BorderNone},     {"solid", BorderSolid},   {"inset", BorderInset},
      {"outset", BorderOutset}, {"groove", BorderGroove}, {"ridge", BorderRidge},
      {"dashed", BorderDashed}, {"dotted", BorderDotted}, {"double", BorderDouble},
  };
  for (const auto& [name, kind] : kNames)
    if (text == name) return kind;
  return BorderNone;
}

std::string UrlOf(const PropValue& value) {
  if (!value.IsText()) return {};
  const std::string& t = value.Text();
  size_t at = t.find("url(");
  if (at == std::string::npos) return {};
  std::string rest = t.substr(at + 4);
  if (size_t close = rest.find(')'); close != std::string::npos) rest.erase(close);
  if (rest.size() > 2 && (rest.front() == '"' || rest.front() == '\'')) {
    rest.pop_back();
    rest.erase(0, 1);
  }
  return rest;
}

TProperties::TProperties(TPropSetKind kind) : Serial(NextSerial()) {
  for (int i = piMarginTop; i <= piLeft; ++i) Values[i] = LengthUnset;
  if (kind == TPropSetKind::Element) Values[piZIndex] = int32_t{0};
}

TProperties::~TProperties() = default;

void TProperties::DeriveFrom(const TProperties& parent, std::string_view tagName) {
  for (int i = 0; i < kPropCount; ++i) {
    bool styled = false;
    Values[i] = DerivedValue(parent, i, tagName, styled);
    if (styled) StyledFlags[i] = true;
  }
  DefaultFontName = parent.DefaultFontName;
  TextBackColor = parent.TextBackColor;
  Charset = parent.Charset;
  CodePage = parent.CodePage;
  Title = parent.Title;
  HasLinkFonts = parent.HasLinkFonts;
  if (HasLinkFontsOf(parent)) {
    if (!LinkFonts) LinkFonts = std::make_unique<TFontInfoArray>();
    *LinkFonts = *parent.LinkFonts;
  }
  EmPixels = parent.EmPixels;
  ExPixels = EmPixels / 2;
}

void TProperties::RefreshFromParent(const TProperties& parent, const TStyleList& styles, TPropStack& stack,
                                    int stackIndex) {
  // Unstyled values are re-derived rather than copied outright, so that a
  // block's margins, borders and backgrounds do not land on an inline
  // element that happened to be open inside it.
  for (int i = 0; i < kPropCount; ++i) {
    if (StyledFlags[i]) continue;
    bool styled = false;
    Values[i] = DerivedValue(parent, i, TagName, styled);
    if (styled) StyledFlags[i] = true;
  }
  if (!StyledFlags[piBackgroundColor]) TextBackColor = parent.TextBackColor;
  CachedFont.reset();
  if (LinkFonts) {
    if (HasLinkFontsOf(parent)) {
      *LinkFonts = *parent.LinkFonts;
      HasLinkFonts = true;
    } else if (PseudoText != "link") {
      LinkFonts.reset();
      HasLinkFonts = false;
    } else {
      ComputeLinkFonts(styles, stack, stackIndex);
    }
  }
}

void TProperties::CopyValues(const TProperties& other) { Values = other.Values; }

void TProperties::InitFromDefaults(const TProperties& defaultRule) {
  CopyValues(defaultRule);
  SetCharsetCode(defaultRule.Charset);
  DefaultFontName = defaultRule.DefaultFontName;
  TagName = "default";
}

void TProperties::ApplyRule(const TProperties& rule) {
  for (int i = 0; i < kPropCount; ++i) {
    const PropValue& v = rule.Values[i];
    if (v.IsEmpty()) continue;
    if (i >= piMarginTop && i <= piLeft) {
      // An unset box length in a rule never erases a value.
      if (!(v.IsText() || (v.IsInteger() && v.AsInteger() != LengthUnset))) continue;
      Values[i] = v;
      StyledFlags[i] = true;
    } else {
      Values[i] = v;
      StyledFlags[i] = true;
      if (IsFontProperty(i) && HasLinkFontsOf(*this)) UpdateLinkFonts(i, v);
    }
  }
}

void TProperties::UpdateLinkFonts(int index, const PropValue& v) {
  const std::string text = v.TextForm();
  for (ThtFontInfo& f : *LinkFonts) {
    switch (index) {
      case piFontFamily:
        if (auto face = FirstInstalledFamily(text)) f.FaceName = *face;
        break;
      case piFontSize:
        // A number here is already a size in points.
        f.SizePt = v.IsNumber() ? v.AsReal() : FontSizePoints(TrimView(text), f.SizePt);
        break;
      case piFontStyle:
        if (text == "italic" || text == "oblique")
          f.Styles.Italic = true;
        else if (text == "normal")
          f.Styles.Italic = false;
        break;
      case piFontWeight:
        if (Contains(text, "bold"))
          f.Styles.Bold = true;
        else if (Contains(text, "normal"))
          f.Styles.Bold = false;
        else if (auto n = ParseInteger(text); n && *n >= 600)
          f.Styles.Bold = true;
        break;
      case piTextDecoration:
        if (text == "underline")
          f.Styles.Underline = true;
        else if (text == "line-through")
          f.Styles.StrikeOut = true;
        else if (text == "none")
          f.Styles.Underline = f.Styles.StrikeOut = false;
        break;
      case piLetterSpacing:
        f.LetterSpacing = v;
        break;
      case piColor:
        f.TextColor = v.AsInteger();
        break;
      case piBackgroundColor:
        f.BackColor = v.AsInteger();
        break;
      default:
        break;
    }
  }
}

void TProperties::SetIfNotStyled(int index, const PropValue& value) {
  if (index < 0 || index >= kPropCount || StyledFlags[index]) return;
  Values[index] = value;
  StyledFlags[index] = true;
  if (!HasLinkFontsOf(*this)) return;
  for (ThtFontInfo& f : *LinkFonts) {
    if (index == piFontFamily) {
      // The same face choice as the element's own font, never an empty face.
      f.FaceName = FirstInstalledFamily(value.TextForm()).value_or(DefaultFontName);
    } else if (index == piFontSize) {
      f.SizePt = value.IsText() ? FontSizePoints(TrimView(value.Text()), f.SizePt) : value.AsReal();
    } else if (index == piColor) {
      f.TextColor = value.AsInteger();
    }
  }
}

void StoreDeclarationValue(TProperties& set, int index, std::string_view text, TDeclarationTarget target) {
  if (index < 0 || index >= kPropCount) return;
  auto& v = set.Values;
  switch (index) {
    case piBorderStyle:
      v[piBorderStyle] = text;
      for (int i = piBorderTopStyle; i <= piBorderLeftStyle; ++i) v[i] = text;
      break;
    case piColor:
      if (auto c = ParseColor(text, false))
        v[index] = int32_t{*c};
      else if (target == TDeclarationTarget::InlineStyle)
        v[index] = int32_t{0};
      break;
    case piBackgroundColor:
      v[index] = int32_t{ParseColor(text, false).value_or(NoColor)};
      break;
    case piBorderColor:
      if (auto c = ParseColor(text, false)) {
        v[piBorderColor] = int32_t{*c};
        for (int i = piBorderTopColor; i <= piBorderLeftColor; ++i) v[i] = int32_t{*c};
      }
      break;
    case piBorderTopColor:
    case piBorderRightColor:
    case piBorderBottomColor:
    case piBorderLeftColor:
      if (auto c = ParseColor(text, false)) v[index] = int32_t{*c};
      break;
    case piBorderTopStyle:
    case piBorderRightStyle:
    case piBorderBottomStyle:
    case piBorderLeftStyle:
      v[index] = text;
      if (text != "none") v[piBorderStyle] = text;
      break;
    case piVisibility:
      if (text == "visible")
        v[index] = uint8_t{VisVisible};
      else if (text == "hidden")
        v[index] = uint8_t{VisHidden};
      break;
    case piTextTransform:
      v[index] = uint8_t{text == "uppercase"   ? TransformUpper
                         : text == "lowercase" ? TransformLower
                                               : TransformNone};
      break;
    case piWordWrap:
      v[index] = text == "break-word" ? "break-word" : "normal";
      break;
    case piFontVariant:
      if (text == "small-caps" || text == "normal") v[index] = text;
      break;
    default:
      v[index] = text;
      break;
  }
}

void TProperties::StoreDeclaration(int index, std::string_view text) {
  StoreDeclarationValue(*this, index, text, TDeclarationTarget::InlineStyle);
}

void TProperties::StoreDeclarationByName(std::string_view name, std::string_view text) {
  if (auto i = FindPropertyIndex(name)) StoreDeclaration(*i, text);
}

void TProperties::UseUtf8() {
  CodePage = kUtf8CodePage;
  Charset = 0;
}

void TProperties::TakeTextBackground() {
  const PropValue& bg = Values[piBackgroundColor];
  if (bg.IsInteger() && StyledFlags[piBackgroundColor]) TextBackColor = bg.AsInteger();
}

}  // namespace html
