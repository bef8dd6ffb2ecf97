#include "styles/lengths.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/font.h"
#include "platform/numeric.h"
#include "support/text_util.h"

namespace html {

namespace {

double gDefaultFontSize = 12.0;

bool IsDigit(std::string_view s, size_t k) { return k < s.size() && s[k] >= '0' && s[k] <= '9'; }

// 1-based position of the first character at which reading `s` as a
// decimal real fails; 0 when all of it reads.
size_t RealFailPosition(std::string_view s) {
  size_t i = 0;
  const size_t n = s.size();
  if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
  size_t mantissaDigits = 0;
  while (IsDigit(s, i)) ++i, ++mantissaDigits;
  if (i < n && s[i] == '.') {
    ++i;
    while (IsDigit(s, i)) ++i, ++mantissaDigits;
  }
  if (mantissaDigits == 0) return i + 1;
  if (i < n && (s[i] == 'e' || s[i] == 'E')) {
    size_t j = i + 1;
    if (j < n && (s[j] == '+' || s[j] == '-')) ++j;
    if (!IsDigit(s, j)) return j + 1;
    while (IsDigit(s, j)) ++j;
    i = j;
  }
  return i < n ? i + 1 : 0;
}

// Reads a number part; an empty or unreadable one is 0.
void ReadNumber(std::string_view s, TNumberAndUnit& out) {
  out.Value = 0.0;
  out.Finite = true;
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  if (s.empty() || s.front() == '+' || s.front() == '-') return;
  double v = 0.0;
  auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec == std::errc::result_out_of_range) {
    // Too small reads as 0; too large is refused.
    size_t e = s.find_first_of("eE");
    bool tiny = e != std::string_view::npos ? (e + 1 < s.size() && s[e + 1] == '-')
                                            : (s.front() == '.' || s.front() == '0');
    if (!tiny) out.Finite = false;
    return;
  }
  if (ec != std::errc() || ptr != s.data() + s.size() || !std::isfinite(v)) return;
  out.Value = negative ? -v : v;
}

int ClampRound(double px) {
  if (std::isnan(px)) return 0;
  return plat::Round(std::clamp(px, -kMaxLengthPixels, kMaxLengthPixels));
}

double ClampPoints(double pt) {
  if (std::isnan(pt)) return gDefaultFontSize;
  return std::clamp(pt, -kMaxLengthPixels, kMaxLengthPixels);
}

bool IsGivenInteger(const PropValue& v) { return v.IsInteger() && v.AsInteger() != LengthUnset; }

}  // namespace

int PixelsPerInch() { return plat::kScreenPixelsPerInch; }

double DefaultFontSize() { return gDefaultFontSize; }
void SetDefaultFontSize(double points) {
  gDefaultFontSize = std::isfinite(points) ? std::clamp(points, 0.0, kMaxLengthPixels) : 12.0;
}

TNumberAndUnit SplitNumberAndUnit(std::string_view text) {
  TNumberAndUnit out;
  size_t p = RealFailPosition(text);
  out.Whole = p == 0;
  // A number reader takes the "e" of "2em" for an exponent: cut before it.
  size_t e = text.find('e');
  if (p != 0 && e != std::string_view::npos && e + 1 < p) p = e + 1;
  std::string_view number = text;
  if (p != 0) {
    number = text.substr(0, p - 1);
    out.Unit = Trim(text.substr(p - 1));
  }
  ReadNumber(number, out);
  return out;
}

int LengthPixels(std::string_view text, int base, bool bareRelative, int defaultValue, int em, int ex) {
  TNumberAndUnit nu = SplitNumberAndUnit(text);
  if (!nu.Finite) return defaultValue;
  const double v = nu.Value;
  const double ppi = PixelsPerInch();
  const std::string& u = nu.Unit;
  double px;
  if (u == "in")
    px = v * ppi;
  else if (u == "cm")
    px = v * ppi / 2.54;
  else if (u == "mm")
    px = v * ppi / 25.4;
  else if (u == "pt")
    px = v * ppi / 72.0;
  else if (u == "pc")
    px = v * ppi / 6.0;
  else if (u == "px")
    px = v;
  else if (u == "em")
    px = v * em;
  else if (u == "ex")
    px = v * ex;
  else if (u == "%")
    px = v * base / 100.0;
  else if (u.empty())
    px = bareRelative ? v * base : v;
  else
    return defaultValue;
  return ClampRound(px);
}

double FontSizePoints(std::string_view text, double parentPt) {
  const double B = gDefaultFontSize;
  const double P = parentPt;
  TNumberAndUnit nu = SplitNumberAndUnit(text);
  if (!nu.Finite) return B;
  const double v = nu.Value;
  const double ppi = PixelsPerInch();
  const std::string& u = nu.Unit;
  double pt;
  if (u == "in")
    pt = v * 72.0;
  else if (u == "cm")
    pt = v * 72.0 / 2.54;
  else if (u == "mm")
    pt = v * 72.0 / 25.4;
  else if (u == "pt")
    pt = v;
  else if (u == "px" || u.empty())
    pt = v * 72.0 / ppi;
  else if (u == "pc")
    pt = v * 12.0;
  else if (u == "em")
    pt = v * P;
  else if (u == "ex")
    pt = v * P / 2.0;
  else if (u == "%")
    pt = v * P / 100.0;
  else if (u == "smaller")
    pt = P * 0.75;
  else if (u == "larger")
    pt = P * 1.25;
  else if (u == "xx-small")
    pt = B / 1.5;
  else if (u == "x-small")
    pt = B / 1.2;
  else if (u == "small")
    pt = B;
  else if (u == "medium")
    pt = B * 1.2;
  else if (u == "large")
    pt = B * 1.5;
  else if (u == "x-large")
    pt = B * 2.0;
  else if (u == "xx-large")
    pt = B * 3.0;
  else
    pt = B;
  return ClampPoints(pt);
}

namespace {

int LengthOf(const PropValue& v, int base, int dflt, int em, int ex) {
  return LengthPixels(TrimView(v.Text()), base, false, dflt, em, ex);
}

// A border width: 0 without a style, keywords, lengths, medium when not given.
int BorderWidth(const TVMarginArray& values, int i, int base, int em, int ex) {
  if (values[i + 8].AsInteger() == BorderNone) return 0;
  const PropValue& v = values[i];
  if (v.IsText()) {
    std::string_view t = TrimView(v.Text());
    if (t == "thin") return 2;
    if (t == "medium") return 4;
    if (t == "thick") return 6;
    return LengthOf(v, base, 4, em, ex);
  }
  if (IsGivenInteger(v)) return v.AsInteger();
  return 4;
}

// Text: a length with default `dflt`; a given integer: itself; otherwise `otherwise`.
int LengthOrInteger(const PropValue& v, int base, int dflt, int otherwise, int em, int ex) {
  if (v.IsText()) return LengthOf(v, base, dflt, em, ex);
  if (IsGivenInteger(v)) return v.AsInteger();
  return otherwise;
}

}  // namespace

BoxLengths ResolveBoxLengths(const TVMarginArray& values, int widthBase, int heightBase, int em, int ex,
                             int& autoCount) {
  BoxLengths out;
  autoCount = 0;
  for (int i = kFirstBoxProp; i <= kLastBoxProp; ++i) {
    const PropValue& v = values[i];
    const int base = (i == piHeight || i == piTop) ? heightBase : widthBase;
    switch (i) {
      case piBackgroundColor:
      case piBorderColor:
        out[i] = v.IsEmpty() ? NoColor : v.AsInteger(NoColor);
        break;
      case piMarginTop:
      case piMarginBottom:
        break;  // ResolveVerticalMargins
      case piMarginRight:
      case piMarginLeft:
        if (v.IsText() && TrimView(v.Text()) == "auto") {
          out[i] = LengthAuto;
          ++autoCount;
        } else {
          out[i] = LengthOrInteger(v, base, 0, 0, em, ex);
        }
        break;
      case piBorderTopWidth:
      case piBorderRightWidth:
      case piBorderBottomWidth:
      case piBorderLeftWidth:
        out[i] = BorderWidth(values, i, base, em, ex);
        break;
      case piWidth:
        out[i] = LengthOrInteger(v, base, LengthAuto, LengthAuto, em, ex);
        if (out[i] == LengthAuto) ++autoCount;
        break;
      case piHeight: {
        int64_t h = LengthOrInteger(v, base, 0, 0, em, ex);
        if (v.IsText() && Contains(v.Text(), "%")) {
          h -= static_cast<int64_t>(out[piBorderBottomWidth]) + out[piBorderTopWidth] + out[piPaddingTop] +
               out[piPaddingBottom];
        }
        out[i] = plat::ClampToInt(h);
        break;
      }
      case piTop:
      case piBottom:
      case piRight:
      case piLeft:
        out[i] = LengthOrInteger(v, base, LengthAuto, LengthAuto, em, ex);
        break;
      default:  // paddings, side colours, side styles
        out[i] = LengthOrInteger(v, base, 0, 0, em, ex);
        break;
    }
  }
  return out;
}

void ResolveObjectLengths(const TVMarginArray& values, int base, int em, int ex, BoxLengths& out) {
  for (int i = piMarginTop; i <= piMarginLeft; ++i)
    out[i] = LengthOrInteger(values[i], base, 0, LengthUnset, em, ex);
  for (int i = piBorderTopWidth; i <= piBorderLeftWidth; ++i) out[i] = BorderWidth(values, i, base, em, ex);
  for (int i : {int(piWidth), int(piHeight)})
    out[i] = LengthOrInteger(values[i], base, LengthAuto, LengthUnset, em, ex);
}

TCellPaddings ResolveCellPaddings(const TVMarginArray& values, int em, int ex) {
  auto one = [&](int i) { return LengthOrInteger(values[i], -100, 0, -1, em, ex); };
  return {one(piPaddingTop), one(piPaddingRight), one(piPaddingBottom), one(piPaddingLeft)};
}

TVerticalMargins ResolveVerticalMargins(const TVMarginArray& values, int base, int em, int ex) {
  TVerticalMargins out;
  auto one = [&](int i, int& px, bool& paraSpace) {
    const PropValue& v = values[i];
    if (v.IsText()) {
      px = LengthOf(v, base, 0, em, ex);
    } else if (v.IsInteger()) {
      int n = v.AsInteger();
      if (n == LengthUnset)
        px = 0;
      else if (n == LengthParaSpace)
        px = 14, paraSpace = true;
      else
        px = n;
    }
  };
  one(piMarginTop, out.Top, out.TopParaSpace);
  one(piMarginBottom, out.Bottom, out.BottomParaSpace);
  return out;
}

}  // namespace html
