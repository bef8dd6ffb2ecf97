#pragma once
// CSS lengths to whole pixels, font sizes to points, and the box values of
// an element to the integers layout uses.
#include <string>
#include <string_view>

#include "styles/style_types.h"

namespace html {

// The screen's logical pixels per inch.
int PixelsPerInch();

// The document's base font size in points; set whenever a default style
// sheet is built, shared by all documents of the process.
double DefaultFontSize();
void SetDefaultFontSize(double points);

// Lengths are kept within this many pixels so that no document value can
// reach the marker integers.
constexpr double kMaxLengthPixels = 10'000'000.0;

// A trimmed text split into its leading number and its unit ("1.5em" is
// 1.5 and "em"; "1e2" is 100 with no unit). `finite` is false when the
// number overflows.
struct TNumberAndUnit {
  double Value = 0.0;
  bool Finite = true;
  bool Whole = false;  // the whole text read as a number
  std::string Unit;
};
TNumberAndUnit SplitNumberAndUnit(std::string_view text);

// A length in whole pixels (rounded half to even); `defaultValue` for an
// unknown unit or a number out of range. A bare number is pixels, or a
// multiple of `base` when `bareRelative`; "%" is relative to `base`.
int LengthPixels(std::string_view text, int base, bool bareRelative, int defaultValue, int em, int ex);

// A font size in points (not rounded); keywords are relative to
// `parentPt` ("smaller", "larger", lengths in em, ex, %) or to
// DefaultFontSize ("small", "x-large", ...); anything unreadable gives
// DefaultFontSize.
double FontSizePoints(std::string_view text, double parentPt);

// The box values of a block, list item, table block, cell or inline box.
// `autoCount` receives how many of margin-left, margin-right and width are
// "auto". margin-top and margin-bottom are left 0 (see ResolveVerticalMargins).
BoxLengths ResolveBoxLengths(const TVMarginArray& values, int widthBase, int heightBase, int em, int ex,
                             int& autoCount);

// For images and form controls: writes only the margins, border widths,
// width and height into `out`; one base serves all.
void ResolveObjectLengths(const TVMarginArray& values, int base, int em, int ex, BoxLengths& out);

// The paddings (top, right, bottom, left) of a table cell: pixels, a
// percentage as its negated number, or -1 when not given.
struct TCellPaddings {
  int Top = -1, Right = -1, Bottom = -1, Left = -1;
};
TCellPaddings ResolveCellPaddings(const TVMarginArray& values, int em, int ex);

// margin-top and margin-bottom in pixels, and for each whether it was the
// paragraph-space marker.
struct TVerticalMargins {
  int Top = 0, Bottom = 0;
  bool TopParaSpace = false, BottomParaSpace = false;
};
TVerticalMargins ResolveVerticalMargins(const TVMarginArray& values, int base, int em, int ex);

}  // namespace html
