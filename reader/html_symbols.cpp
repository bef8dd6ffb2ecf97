#include "reader/html_symbols.h"

#include <algorithm>
#include <array>
#include <vector>

namespace html {

namespace {

constexpr uint8_t kNoEndSymbol = 0xFF;

struct TagEntry {
  const char* Name;
  uint8_t Start;
  uint8_t End;  // kNoEndSymbol for the entries after the first 57
};

// Searched in this order: the first match wins.
constexpr TagEntry kTags[] = {
    {"HTML", syHtml, syHtmlEnd},
    {"TITLE", syTitle, syTitleEnd},
    {"BODY", syBody, syBodyEnd},
    {"HEAD", syHead, syHeadEnd},
    {"B", syB, syBEnd},
    {"I", syI, syIEnd},
    {"H", syH, syHEnd},
    {"EM", syEm, syEmEnd},
    {"STRONG", syStrong, syStrongEnd},
    {"U", syU, syUEnd},
    {"CITE", syCite, syCiteEnd},
    {"VAR", syVar, syVarEnd},
    {"TT", syTt, syTtEnd},
    {"CODE", syCode, syCodeEnd},
    {"KBD", syKbd, syKbdEnd},
    {"SAMP", sySamp, sySampEnd},
    {"OL", syOl, syOlEnd},
    {"UL", syUl, syUlEnd},
    {"DIR", syDir, syDirEnd},
    {"MENU", syMenu, syMenuEnd},
    {"DL", syDl, syDlEnd},
    {"A", syA, syAEnd},
    {"ADDRESS", syAddress, syAddressEnd},
    {"BLOCKQUOTE", syBlockquote, syBlockquoteEnd},
    {"PRE", syPre, syPreEnd},
    {"CENTER", syCenter, syCenterEnd},
    {"TABLE", syTable, syTableEnd},
    {"TD", syTd, syTdEnd},
    {"TH", syTh, syThEnd},
    {"CAPTION", syCaption, syCaptionEnd},
    {"FORM", syForm, syFormEnd},
    {"TEXTAREA", syTextArea, syTextAreaEnd},
    {"SELECT", sySelect, sySelectEnd},
    {"OPTION", syOption, syOptionEnd},
    {"FONT", syFont, syFontEnd},
    {"SUB", sySub, sySubEnd},
    {"SUP", sySup, sySupEnd},
    {"BIG", syBig, syBigEnd},
    {"SMALL", sySmall, sySmallEnd},
    {"P", syP, syPEnd},
    {"MAP", syMap, syMapEnd},
    {"FRAMESET", syFrameset, syFramesetEnd},
    {"NOFRAMES", syNoFrames, syNoFramesEnd},
    {"SCRIPT", syScript, syScriptEnd},
    {"DIV", syDiv, syDivEnd},
    {"S", syS, sySEnd},
    {"STRIKE", syStrike, syStrikeEnd},
    {"TR", syTr, syTrEnd},
    {"NOBR", syNoBr, syNoBrEnd},
    {"STYLE", syStyle, syStyleEnd},
    {"SPAN", sySpan, sySpanEnd},
    {"COLGROUP", syColGroup, syColGroupEnd},
    {"LABEL", syLabel, syLabelEnd},
    {"THEAD", syTHead, syTHeadEnd},
    {"TBODY", syTBody, syTBodyEnd},
    {"TFOOT", syTFoot, syTFootEnd},
    {"OBJECT", syObject, syObjectEnd},
    {"LI", syLi, kNoEndSymbol},
    {"BR", syBr, kNoEndSymbol},
    {"HR", syHr, kNoEndSymbol},
    {"DD", syDd, kNoEndSymbol},
    {"DT", syDt, kNoEndSymbol},
    {"IMG", syImg, kNoEndSymbol},
    {"BASE", syBase, kNoEndSymbol},
    {"BUTTON", syButton, kNoEndSymbol},
    {"INPUT", syInput, kNoEndSymbol},
    {"SELECTED", sySelected, kNoEndSymbol},
    {"BASEFONT", syBasefont, kNoEndSymbol},
    {"AREA", syArea, kNoEndSymbol},
    {"FRAME", syFrame, kNoEndSymbol},
    {"PAGE", syPage, kNoEndSymbol},
    {"BGSOUND", syBgSound, kNoEndSymbol},
    {"WRAP", syWrap, kNoEndSymbol},
    {"META", syMeta, kNoEndSymbol},
    {"PANEL", syPanel, kNoEndSymbol},
    {"WBR", syWbr, kNoEndSymbol},
    {"LINK", syLink, kNoEndSymbol},
    {"COL", syCol, kNoEndSymbol},
    {"PARAM", syParam, kNoEndSymbol},
    {"READONLY", syReadOnly, kNoEndSymbol},
};
static_assert(std::size(kTags) == 80);

struct AttributeEntry {
  const char* Name;
  uint8_t Symbol;
};

// Searched in this order ("VALUE" is listed twice; the first match wins).
constexpr AttributeEntry kAttributes[] = {
    {"HREF", syHref},
    {"NAME", syName},
    {"SRC", sySrc},
    {"ALT", syAlt},
    {"ALIGN", syAlign},
    {"TEXT", syText},
    {"BGCOLOR", syBgColor},
    {"LINK", syLink},
    {"BACKGROUND", syBackground},
    {"COLSPAN", syColSpan},
    {"ROWSPAN", syRowSpan},
    {"BORDER", syBorder},
    {"CELLPADDING", syCellPadding},
    {"CELLSPACING", syCellSpacing},
    {"VALIGN", syVAlign},
    {"WIDTH", syWidth},
    {"START", syStart},
    {"VALUE", syValue},
    {"TYPE", syType},
    {"CHECKBOX", syCheckBox},
    {"RADIO", syRadio},
    {"METHOD", syMethod},
    {"ACTION", syAction},
    {"CHECKED", syChecked},
    {"SIZE", sySize},
    {"MAXLENGTH", syMaxLength},
    {"COLS", syCols},
    {"ROWS", syRows},
    {"MULTIPLE", syMultiple},
    {"VALUE", syValue},
    {"SELECTED", sySelected},
    {"FACE", syFace},
    {"COLOR", syColor},
    {"TRANSP", syTransp},
    {"CLEAR", syClear},
    {"ISMAP", syIsMap},
    {"BORDERCOLOR", syBorderColor},
    {"USEMAP", syUseMap},
    {"SHAPE", syShape},
    {"COORDS", syCoords},
    {"NOHREF", syNoHref},
    {"HEIGHT", syHeight},
    {"PLAIN", syPlain},
    {"TARGET", syTarget},
    {"NORESIZE", syNoResize},
    {"SCROLLING", syScrolling},
    {"HSPACE", syHSpace},
    {"LANGUAGE", syLanguage},
    {"FRAMEBORDER", syFrameBorder},
    {"MARGINWIDTH", syMarginWidth},
    {"MARGINHEIGHT", syMarginHeight},
    {"LOOP", syLoop},
    {"ONCLICK", syOnClick},
    {"WRAP", syWrap},
    {"NOSHADE", syNoShade},
    {"HTTP-EQUIV", syHttpEquiv},
    {"CONTENT", syContent},
    {"ENCTYPE", syEncType},
    {"VLINK", syVLink},
    {"OLINK", syOLink},
    {"ACTIVE", syActive},
    {"VSPACE", syVSpace},
    {"CLASS", syClass},
    {"ID", syId},
    {"STYLE", syStyle},
    {"REL", syRel},
    {"REV", syRev},
    {"NOWRAP", syNoWrap},
    {"BORDERCOLORLIGHT", syBorderColorLight},
    {"BORDERCOLORDARK", syBorderColorDark},
    {"CHARSET", syCharset},
    {"RATIO", syRatio},
    {"TITLE", syTitle},
    {"ONFOCUS", syOnFocus},
    {"ONBLUR", syOnBlur},
    {"ONCHANGE", syOnChange},
    {"SPAN", sySpan},
    {"TABINDEX", syTabIndex},
    {"BGPROPERTIES", syBgProperties},
    {"DISABLED", syDisabled},
    {"TOPMARGIN", syTopMargin},
    {"LEFTMARGIN", syLeftMargin},
    {"LABEL", syLabel},
    {"READONLY", syReadOnly},
};
static_assert(std::size(kAttributes) == 84);

}  // namespace

THtmlSymbol LookupTag(std::string_view upperName, bool isEndTag) {
  if (upperName.size() > kMaxTagNameLength) return syUnknownTag;
  for (const TagEntry& e : kTags) {
    if (upperName != e.Name) continue;
    if (!isEndTag) return THtmlSymbol(e.Start);
    return e.End == kNoEndSymbol ? syUnknownTag : THtmlSymbol(e.End);
  }
  return syUnknownTag;
}

std::optional<THtmlSymbol> EndSymbolOf(THtmlSymbol startSymbol) {
  for (const TagEntry& e : kTags)
    if (e.End != kNoEndSymbol && e.Start == startSymbol) return THtmlSymbol(e.End);
  return std::nullopt;
}

namespace {

// The tables hold ASCII upper-case names; element names are lower case.
std::string LowerName(std::string_view name) {
  std::string r(name);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return r;
}

}  // namespace

std::string TagNameOf(THtmlSymbol startSymbol) {
  for (const TagEntry& e : kTags)
    if (e.Start == startSymbol) return LowerName(e.Name);
  return {};
}

std::string EndTagNameOf(THtmlSymbol endSymbol) {
  for (const TagEntry& e : kTags)
    if (e.End != kNoEndSymbol && e.End == endSymbol) return LowerName(e.Name);
  return {};
}

THtmlSymbol LookupAttribute(std::string_view upperName) {
  if (upperName.size() > kMaxAttributeNameLength) return syUnknownAttr;
  for (const AttributeEntry& e : kAttributes)
    if (upperName == e.Name) return THtmlSymbol(e.Symbol);
  return syUnknownAttr;
}

}  // namespace html
