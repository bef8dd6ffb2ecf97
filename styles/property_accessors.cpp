// What layout reads from a property set. Values of an unexpected kind
// answer as if the property were not given.
#include <algorithm>

#include "platform/numeric.h"
#include "styles/lengths.h"
#include "styles/properties.h"
#include "support/text_util.h"

namespace html {

namespace {

bool IsText(const PropValue& v, std::string_view word) { return v.IsText() && v.Text() == word; }

}  // namespace

bool TProperties::BackgroundImageUrl(std::string& url) const {
  const PropValue& v = Values[piBackgroundImage];
  if (!v.IsText()) return false;
  if (v.Text() == "none") {
    url.clear();
    return true;
  }
  url = UrlOf(v);
  return !url.empty();
}

void TProperties::BackgroundLayout(int em, int ex, BackgroundPlacement (&placement)[2]) const {
  placement[0] = placement[1] = BackgroundPlacement{};
  const PropValue& pos = Values[piBackgroundPosition];
  if (pos.IsText()) {
    std::string_view text = TrimView(pos.Text());
    std::string_view words[2];
    int count = 1;
    if (size_t blank = text.find(' '); blank != std::string_view::npos) {
      words[0] = text.substr(0, blank);
      words[1] = TrimView(text.substr(blank + 1));
      count = 2;
    } else {
      words[0] = text;
    }
    int t = 0;  // the axis the next word describes
    bool singleWentVertical = false;
    for (int w = 0; w < count; ++w) {
      std::string_view word = words[w];
      BackgroundPlacement& p = placement[t];
      p.Kind = AtLength;
      bool keyword = true;
      bool stayHorizontal = false;
      if (word == "center") {
        p.Kind = AtCenter;
      } else if (word == "left" || word == "right") {
        // As the second word, the first one described the vertical axis.
        if (t == 1) placement[1] = placement[0];
        placement[0].Kind = word == "left" ? AtLeft : AtRight;
      } else if (word == "top" || word == "bottom") {
        placement[1].Kind = word == "top" ? AtTop : AtBottom;
        if (t == 0) stayHorizontal = true;
        singleWentVertical = true;
      } else {
        keyword = false;
        if (Contains(word, "%")) p.Kind = AtPercent;
      }
      if (!keyword) p.Offset = LengthPixels(word, 100, false, 0, em, ex);
      if (!stayHorizontal) ++t;
      if (t > 1) break;
    }
    if (count == 1) {
      if (singleWentVertical)
        placement[0].Kind = AtCenter;
      else
        placement[1].Kind = AtCenter;
    }
  }
  const PropValue& repeat = Values[piBackgroundRepeat];
  if (repeat.IsText()) {
    std::string_view r = TrimView(repeat.Text());
    if (r == "no-repeat")
      placement[0].Repeat = placement[1].Repeat = false;
    else if (r == "repeat-x")
      placement[1].Repeat = false;
    else if (r == "repeat-y")
      placement[0].Repeat = false;
  }
  const PropValue& attach = Values[piBackgroundAttachment];
  const bool fixed = attach.IsText() && TrimView(attach.Text()) == "fixed";
  placement[0].Fixed = placement[1].Fixed = fixed;
}

bool TProperties::VerticalAlignCode(AlignKind& code) const {
  const PropValue& v = Values[piVerticalAlign];
  if (!v.IsText()) return false;
  const std::string& t = v.Text();
  if (t == "top" || t == "text-top")
    code = AlignTop;
  else if (t == "middle")
    code = AlignMiddle;
  else if (t == "baseline")
    code = AlignBaseline;
  else if (t == "bottom")
    code = AlignBottom;
  else if (t == "sub")
    code = AlignSub;
  else if (t == "super")
    code = AlignSuper;
  else
    return false;
  return true;
}

bool TProperties::OverflowHidden() const { return IsText(Values[piOverflow], "hidden"); }

bool TProperties::FloatCode(AlignKind& code) const {
  const PropValue& v = Values[piFloat];
  if (IsText(v, "left"))
    code = AlignLeft;
  else if (IsText(v, "right"))
    code = AlignRight;
  else if (IsText(v, "none"))
    code = AlignNone;
  else
    return false;
  return true;
}

bool TProperties::TakeClearCode(ClearKind& code) {
  PropValue& v = Values[piClear];
  if (!v.IsText()) return false;
  const std::string& t = v.Text();
  bool known = true;
  if (t == "left")
    code = ClearLeft;
  else if (t == "right")
    code = ClearRight;
  else if (t == "both")
    code = ClearBoth;
  else if (t == "none")
    code = ClearNone;
  else
    known = false;
  v = std::string();  // taken once, by the first layout object that asks
  return known;
}

BulletKind TProperties::BulletCode() const {
  static constexpr std::pair<const char*, BulletKind> kNames[] = {
      {"blank", BulletBlank},
      {"circle", BulletCircle},
      {"decimal", BulletDecimal},
      {"disc", BulletDisc},
      {"lower-alpha", BulletLowerAlpha},
      {"lower-roman", BulletLowerRoman},
      {"none", BulletNone},
      {"square", BulletSquare},
      {"upper-alpha", BulletUpperAlpha},
      {"upper-roman", BulletUpperRoman},
  };
  const PropValue& v = Values[piListStyleType];
  if (v.IsText())
    for (const auto& [name, kind] : kNames)
      if (v.Text() == name) return kind;
  return BulletBlank;
}

std::string TProperties::ListImageUrl() const { return UrlOf(Values[piListStyleImage]); }

PositionKind TProperties::PositionCode() const {
  const PropValue& v = Values[piPosition];
  if (IsText(v, "absolute")) return PlaceAbsolute;
  if (IsText(v, "relative")) return PlaceRelative;
  return PlaceStatic;
}

VisibilityKind TProperties::VisibilityCode() const {
  return Values[piVisibility].IsInteger(VisHidden) ? VisHidden : VisVisible;
}

int TProperties::ZIndexValue() const {
  const PropValue& v = Values[piZIndex];
  if (v.IsInteger()) return v.AsInteger();
  if (v.IsText()) return ParseInteger(TrimView(v.Text())).value_or(0);
  return 0;
}

bool TProperties::DisplayIsNone() const { return IsText(Values[piDisplay], "none"); }

bool TProperties::CollapsedBorders() const { return IsText(Values[piBorderCollapse], "collapse"); }

int TProperties::LineHeightPixels(int fontHeight) const {
  const PropValue& v = Values[piLineHeight];
  if (!v.IsText()) return -1;
  std::string_view t = TrimView(v.Text());
  TNumberAndUnit nu = SplitNumberAndUnit(t);
  if (nu.Whole) {
    if (!nu.Finite) return -1;
    return plat::Round(std::clamp(fontHeight * nu.Value, -kMaxLengthPixels, kMaxLengthPixels));
  }
  return LengthPixels(t, EmPixels, true, -1, EmPixels, ExPixels);
}

int TProperties::TextIndentValue(bool& isPercent) const {
  isPercent = false;
  const PropValue& v = Values[piTextIndent];
  if (!v.IsText()) return 0;
  std::string_view t = TrimView(v.Text());
  if (Contains(t, "%")) {
    isPercent = true;
    TNumberAndUnit nu = SplitNumberAndUnit(t);
    if (!nu.Finite) return 0;
    return plat::Round(std::clamp(nu.Value, -kMaxLengthPixels, kMaxLengthPixels));
  }
  return LengthPixels(t, 0, false, 0, EmPixels, EmPixels);
}

TransformKind TProperties::TransformCode() const {
  const PropValue& v = Values[piTextTransform];
  if (!v.IsInteger()) return TransformNone;
  int n = v.AsInteger();
  return n == TransformUpper ? TransformUpper : n == TransformLower ? TransformLower : TransformNone;
}

std::string TProperties::WordWrapText() const {
  const PropValue& v = Values[piWordWrap];
  return v.IsText() ? v.Text() : "normal";
}

void TProperties::PageBreakFlags(bool& before, bool& after, bool& avoidInside) const {
  before = IsText(Values[piPageBreakBefore], "always");
  after = IsText(Values[piPageBreakAfter], "always");
  avoidInside = IsText(Values[piPageBreakInside], "avoid");
}

plat::TColor TProperties::StyledBackgroundColor() const {
  const PropValue& v = Values[piBackgroundColor];
  return v.IsInteger() && StyledFlags[piBackgroundColor] ? v.AsInteger() : NoColor;
}

plat::TColor TProperties::StyledTextColor() const {
  const PropValue& v = Values[piColor];
  return v.IsInteger() && StyledFlags[piColor] ? v.AsInteger() : NoColor;
}

BorderKind TProperties::BorderStyleCode() const {
  const PropValue& v = Values[piBorderStyle];
  return v.IsText() ? BorderCodeOf(v.Text()) : BorderNone;
}

bool TProperties::HasBorderStyleText() const { return Values[piBorderStyle].IsText(); }

TVMarginArray TProperties::CopyBoxValues() const {
  TVMarginArray out;
  for (int i = kFirstBoxProp; i <= kLastBoxProp; ++i) {
    if (i >= piBorderTopStyle && i <= piBorderLeftStyle) {
      const PropValue& v = Values[i];
      out[i] = uint8_t{v.IsText() ? BorderCodeOf(v.Text()) : BorderNone};
    } else {
      out[i] = Values[i];
    }
  }
  return out;
}

}  // namespace html
