#pragma once
// Property indices and the code enumerations that style and layout share.
#include <array>
#include <cstdint>
#include <stdexcept>

#include "styles/prop_value.h"

namespace html {

// The sixty properties, by index; names in properties.cpp.
enum PropIndex : int {
  piFontFamily,
  piFontSize,
  piFontStyle,
  piFontWeight,
  piTextAlign,
  piTextDecoration,
  piLetterSpacing,
  piBorderStyle,
  piColor,
  piBackgroundColor,
  piBorderColor,
  piMarginTop,
  piMarginRight,
  piMarginBottom,
  piMarginLeft,
  piPaddingTop,
  piPaddingRight,
  piPaddingBottom,
  piPaddingLeft,
  piBorderTopWidth,
  piBorderRightWidth,
  piBorderBottomWidth,
  piBorderLeftWidth,
  piBorderTopColor,
  piBorderRightColor,
  piBorderBottomColor,
  piBorderLeftColor,
  piBorderTopStyle,
  piBorderRightStyle,
  piBorderBottomStyle,
  piBorderLeftStyle,
  piWidth,
  piHeight,
  piTop,
  piBottom,
  piRight,
  piLeft,
  piVisibility,
  piLineHeight,
  piBackgroundImage,
  piBackgroundPosition,
  piBackgroundRepeat,
  piBackgroundAttachment,
  piVerticalAlign,
  piPosition,
  piZIndex,
  piListStyleType,
  piListStyleImage,
  piFloat,
  piClear,
  piTextIndent,
  piPageBreakBefore,
  piPageBreakAfter,
  piPageBreakInside,
  piTextTransform,
  piWordWrap,
  piFontVariant,
  piBorderCollapse,
  piOverflow,
  piDisplay,
  kPropCount
};
static_assert(kPropCount == 60);

enum AlignKind : uint8_t {
  AlignNone,
  AlignTop,
  AlignMiddle,
  AlignBaseline,
  AlignBottom,
  AlignLeft,
  AlignRight,
  AlignJustify,
  AlignSub,
  AlignSuper
};
enum BorderKind : uint8_t {
  BorderNone,
  BorderSolid,
  BorderInset,
  BorderOutset,
  BorderGroove,
  BorderRidge,
  BorderDashed,
  BorderDotted,
  BorderDouble
};
enum BulletKind : uint8_t {
  BulletBlank,
  BulletCircle,
  BulletDecimal,
  BulletDisc,
  BulletLowerAlpha,
  BulletLowerRoman,
  BulletNone,
  BulletSquare,
  BulletUpperAlpha,
  BulletUpperRoman
};
enum ClearKind : uint8_t { ClearNone, ClearLeft, ClearRight, ClearBoth };
enum PositionKind : uint8_t { PlaceStatic, PlaceAbsolute, PlaceRelative };
enum VisibilityKind : uint8_t { VisHidden = 1, VisVisible = 2 };
enum TransformKind : uint8_t { TransformNone, TransformUpper, TransformLower };
enum PlacementKind : uint8_t { AtTop, AtCenter, AtBottom, AtLeft, AtRight, AtPercent, AtLength };

// Link font entries, by the link's state.
enum LinkState : int { LinkNormal, LinkVisited, LinkHover, LinkVisitedHover, kLinkStateCount };

// Background image placement along one axis.
struct BackgroundPlacement {
  PlacementKind Kind = AtLength;
  int32_t Offset = 0;  // pixels for AtLength, the percentage for AtPercent
  bool Repeat = true;
  bool Fixed = false;
  friend bool operator==(const BackgroundPlacement&, const BackgroundPlacement&) = default;
};

// The box properties "background-color" through "left", addressed by
// their property index.
constexpr int kFirstBoxProp = piBackgroundColor;
constexpr int kLastBoxProp = piLeft;
constexpr int kBoxPropCount = kLastBoxProp - kFirstBoxProp + 1;
static_assert(kBoxPropCount == 28);

template <class T>
class TBoxArray {
 public:
  T& operator[](int prop) { return items_.at(Slot(prop)); }
  const T& operator[](int prop) const { return items_.at(Slot(prop)); }
  friend bool operator==(const TBoxArray&, const TBoxArray&) = default;

 private:
  static size_t Slot(int prop) {
    if (prop < kFirstBoxProp || prop > kLastBoxProp) throw std::out_of_range("not a box property");
    return static_cast<size_t>(prop - kFirstBoxProp);
  }
  std::array<T, kBoxPropCount> items_{};
};

// The box values as given, and as resolved integers (pixels, colours,
// BorderKind codes and markers).
using TVMarginArray = TBoxArray<PropValue>;
using BoxLengths = TBoxArray<int32_t>;

}  // namespace html
