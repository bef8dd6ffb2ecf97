// The fonts of an element set: its own font, its character set, and the
// four fonts of a link.
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/numeric.h"
#include "styles/charsets.h"
#include "styles/font_metrics.h"
#include "styles/lengths.h"
#include "styles/prop_stack.h"
#include "styles/properties.h"
#include "styles/style_list.h"
#include "support/text_util.h"

namespace html {

namespace {

// Font sizes and letter spacing beyond these come only from hostile documents.
constexpr double kMaxFontPoints = 1000.0;
constexpr int kMaxLetterSpacing = 1000;

}  // namespace

void TProperties::FillFontInfo(ThtFontInfo& info) const {
  info = ThtFontInfo{};
  info.BackColor = TextBackColor;
  info.TextColor = Values[piColor].AsInteger();
  const std::string weight = Values[piFontWeight].TextForm();
  auto weightNumber = ParseInteger(weight);
  info.Styles.Bold = Contains(weight, "bold") || (weightNumber && *weightNumber > 599);
  const std::string& style = Values[piFontStyle].Text();
  info.Styles.Italic = style == "italic" || style == "oblique";
  const std::string& decoration = Values[piTextDecoration].Text();
  info.Styles.Underline = decoration == "underline";
  info.Styles.StrikeOut = decoration == "line-through";
  info.SizePt = Values[piFontSize].AsReal();
  info.CharsetCode = Charset;
  info.LetterSpacing = Values[piLetterSpacing];
  info.FaceName = FirstInstalledFamily(Values[piFontFamily].TextForm()).value_or(DefaultFontName);
}

TMyFont TProperties::MakeFont() {
  if (!CachedFont) {
    ThtFontInfo info;
    FillFontInfo(info);
    auto font = std::make_unique<TMyFont>();
    font->Name = info.FaceName;
    const double pt = std::isfinite(info.SizePt) ? std::clamp(info.SizePt, 0.0, kMaxFontPoints) : 0.0;
    font->Height = -plat::Round(PixelsPerInch() * pt / 72.0);
    font->Style = info.Styles;
    font->BackColor = info.BackColor;
    font->Color = info.TextColor;
    // Probe: a face whose only character set is the symbol set keeps it,
    // whatever the document asks for.
    const uint8_t requested = info.CharsetCode;
    font->Charset = plat::DEFAULT_CHARSET;
    plat::TTextMetric tm = RealiseMetrics(*font);
    font->Charset = tm.tmCharSet == plat::SYMBOL_CHARSET ? uint8_t{plat::SYMBOL_CHARSET} : requested;
    if (font->Charset != plat::DEFAULT_CHARSET) tm = RealiseMetrics(*font);

    EmPixels = tm.tmHeight - tm.tmInternalLeading;
    ExPixels = EmPixels / 2;
    font->MetricHeight = tm.tmHeight;
    font->MetricDescent = tm.tmDescent;
    font->MetricExternalLeading = tm.tmExternalLeading;
    font->MetricMaxCharWidth = tm.tmMaxCharWidth;
    font->MetricAveCharWidth = tm.tmAveCharWidth;
    font->MetricCharset = tm.tmCharSet;

    const PropValue& spacing = Values[piLetterSpacing];
    int px = 0;
    if (spacing.IsInteger())
      px = spacing.AsInteger();
    else if (spacing.IsText() && spacing.Text() != "normal")
      px = LengthPixels(TrimView(spacing.Text()), EmPixels, false, 0, EmPixels, ExPixels);
    font->LetterSpacingPx = std::clamp(px, -kMaxLetterSpacing, kMaxLetterSpacing);
    CachedFont = std::move(font);
  }
  return *CachedFont;
}

void TProperties::SetCharsetCode(uint8_t code) {
  if (code == kLatin2Charset) {
    Charset = kLatin2FontCharset;
    CodePage = kLatin2CodePage;
    if (LinkFonts)
      for (ThtFontInfo& f : *LinkFonts) f.CharsetCode = kLatin2FontCharset;
    return;
  }
  plat::TFont probe;
  probe.Name.clear();
  probe.Charset = code;
  const plat::TTextMetric tm = RealiseMetrics(probe);
  Charset = code == plat::DEFAULT_CHARSET ? uint8_t{plat::DEFAULT_CHARSET} : tm.tmCharSet;
  if (LinkFonts)
    for (ThtFontInfo& f : *LinkFonts) f.CharsetCode = Charset;
  if (auto cp = CodePageOfCharset(tm.tmCharSet)) CodePage = *cp;
}

namespace {

// Removes the temporary sets it inserted, also when resolving throws.
class TTemporaryEntries {
 public:
  TTemporaryEntries(TPropStack& stack, int at) : stack_(stack), at_(at) {}
  ~TTemporaryEntries() {
    while (count_ > 0) stack_.DeleteAt(at_ + --count_);
  }
  TTemporaryEntries(const TTemporaryEntries&) = delete;
  TTemporaryEntries& operator=(const TTemporaryEntries&) = delete;

  TProperties& Push(const TProperties& parent) {
    auto set = std::make_unique<TProperties>();
    set->DeriveFrom(parent, "");
    TProperties& ref = stack_.Insert(at_ + count_, std::move(set));
    ++count_;
    return ref;
  }
  void PopAll() {
    while (count_ > 0) stack_.DeleteAt(at_ + --count_);
  }

 private:
  TPropStack& stack_;
  int at_;
  int count_ = 0;
};

}  // namespace

void TProperties::ComputeLinkFonts(const TStyleList& styles, TPropStack& stack, int stackIndex) {
  if (stackIndex < 0 || stackIndex >= stack.Count() || &stack.Item(stackIndex) != this)
    throw std::logic_error("ComputeLinkFonts: the anchor's set is not at that stack index");
  if (!LinkFonts) LinkFonts = std::make_unique<TFontInfoArray>();
  // Rules for the link states see the anchor's own ancestors, not the anchor.
  const int ancestorTop = stackIndex - 1;
  auto resolve = [&](TProperties& set, std::string_view pseudo) {
    set.ResolveWithAncestors(styles, stack, ancestorTop, TagName, ClassText, IdText, InlineStyle, Title,
                             pseudo);
    set.TakeTextBackground();
  };

  TakeTextBackground();
  FillFontInfo((*LinkFonts)[LinkNormal]);
  {
    TTemporaryEntries temp(stack, stackIndex + 1);
    TProperties& visited = temp.Push(*this);
    resolve(visited, "visited");
    visited.FillFontInfo((*LinkFonts)[LinkVisited]);
    TProperties& visitedHover = temp.Push(visited);
    resolve(visitedHover, "hover");
    visitedHover.FillFontInfo((*LinkFonts)[LinkVisitedHover]);
    temp.PopAll();
    TProperties& hover = temp.Push(*this);
    resolve(hover, "hover");
    hover.FillFontInfo((*LinkFonts)[LinkHover]);
  }
}

}  // namespace html
