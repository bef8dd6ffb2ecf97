#pragma once
// The reader's vocabulary: one 8-bit enumeration naming every tag, end
// tag and attribute the reader knows and the token kinds the scanner
// produces; lookups from names to symbols; named character references.
// It uses nothing else of the engine, so that every layer may use it.
#include <bitset>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace html {

// Tags and attributes of the same name share one value; value 68 is unused.
enum THtmlSymbol : uint8_t {
  syHtml = 0,
  syTitle = 1,
  syBody = 2,
  syHead = 3,
  syP = 4,
  syPEnd = 5,
  syB = 6,
  syBEnd = 7,
  syI = 8,
  syIEnd = 9,
  syHtmlEnd = 10,
  syTitleEnd = 11,
  syBodyEnd = 12,
  syHeadEnd = 13,
  syBr = 14,
  syH = 15,
  syHEnd = 16,
  syEm = 17,
  syEmEnd = 18,
  syStrong = 19,
  syStrongEnd = 20,
  syU = 21,
  syUEnd = 22,
  syHr = 23,
  syCite = 24,
  syVar = 25,
  syCiteEnd = 26,
  syVarEnd = 27,
  syBase = 28,
  syTt = 29,
  syCode = 30,
  syKbd = 31,
  sySamp = 32,
  syTtEnd = 33,
  syCodeEnd = 34,
  syKbdEnd = 35,
  sySampEnd = 36,
  syOl = 37,
  syOlEnd = 38,
  syLi = 39,
  syUl = 40,
  syUlEnd = 41,
  syDir = 42,
  syDirEnd = 43,
  syMenu = 44,
  syMenuEnd = 45,
  syDl = 46,
  syDlEnd = 47,
  syDd = 48,
  syDt = 49,
  syAddress = 50,
  syAddressEnd = 51,
  syBlockquote = 52,
  syBlockquoteEnd = 53,
  syPre = 54,
  syPreEnd = 55,
  syImg = 56,
  syCenter = 57,
  syCenterEnd = 58,
  syUnknownAttr = 59,
  syA = 60,
  syAEnd = 61,
  syHref = 62,
  syName = 63,
  sySrc = 64,
  syAlt = 65,
  syAlign = 66,
  syOtherChar = 67,
  syUnknownTag = 69,
  syText = 70,
  syEof = 71,
  syLink = 72,
  syBgColor = 73,
  syBackground = 74,
  syTable = 75,
  syTableEnd = 76,
  syTd = 77,
  syTdEnd = 78,
  syTr = 79,
  syTrEnd = 80,
  syTh = 81,
  syThEnd = 82,
  syColSpan = 83,
  syRowSpan = 84,
  syBorder = 85,
  syCellPadding = 86,
  syCellSpacing = 87,
  syVAlign = 88,
  syWidth = 89,
  syCaption = 90,
  syCaptionEnd = 91,
  syStart = 92,
  syButton = 93,
  syInput = 94,
  syValue = 95,
  syType = 96,
  syCheckBox = 97,
  syRadio = 98,
  syForm = 99,
  syFormEnd = 100,
  syMethod = 101,
  syAction = 102,
  syChecked = 103,
  sySize = 104,
  syMaxLength = 105,
  syTextArea = 106,
  syTextAreaEnd = 107,
  syCols = 108,
  syRows = 109,
  sySelect = 110,
  sySelectEnd = 111,
  syOption = 112,
  syOptionEnd = 113,
  sySelected = 114,
  syMultiple = 115,
  syFont = 116,
  syFontEnd = 117,
  syColor = 118,
  syFace = 119,
  syBasefont = 120,
  syTransp = 121,
  sySub = 122,
  sySubEnd = 123,
  sySup = 124,
  sySupEnd = 125,
  syClear = 126,
  syIsMap = 127,
  syBig = 128,
  syBigEnd = 129,
  sySmall = 130,
  sySmallEnd = 131,
  syBorderColor = 132,
  syMap = 133,
  syMapEnd = 134,
  syArea = 135,
  syShape = 136,
  syCoords = 137,
  syNoHref = 138,
  syUseMap = 139,
  syHeight = 140,
  syPlain = 141,
  syFrameset = 142,
  syFramesetEnd = 143,
  syFrame = 144,
  syTarget = 145,
  syNoFrames = 146,
  syNoFramesEnd = 147,
  syNoResize = 148,
  syScrolling = 149,
  syPage = 150,
  syHSpace = 151,
  syVSpace = 152,
  syScript = 153,
  syScriptEnd = 154,
  syLanguage = 155,
  syDiv = 156,
  syDivEnd = 157,
  syS = 158,
  sySEnd = 159,
  syStrike = 160,
  syStrikeEnd = 161,
  syFrameBorder = 162,
  syMarginWidth = 163,
  syMarginHeight = 164,
  syBgSound = 165,
  syLoop = 166,
  syOnClick = 167,
  syWrap = 168,
  syNoShade = 169,
  syMeta = 170,
  syHttpEquiv = 171,
  syContent = 172,
  syEncType = 173,
  syVLink = 174,
  syOLink = 175,
  syActive = 176,
  syPanel = 177,
  syNoBr = 178,
  syNoBrEnd = 179,
  syWbr = 180,
  syClass = 181,
  syId = 182,
  syStyle = 183,
  syStyleEnd = 184,
  sySpan = 185,
  sySpanEnd = 186,
  syListNone = 187,
  syRel = 188,
  syRev = 189,
  syNoWrap = 190,
  syBorderColorLight = 191,
  syBorderColorDark = 192,
  syCharset = 193,
  syRatio = 194,
  syOnFocus = 195,
  syOnBlur = 196,
  syOnChange = 197,
  syCol = 198,
  syColGroup = 199,
  syColGroupEnd = 200,
  syTabIndex = 201,
  syBgProperties = 202,
  syDisabled = 203,
  syTopMargin = 204,
  syLeftMargin = 205,
  syLabel = 206,
  syLabelEnd = 207,
  syTHead = 208,
  syTBody = 209,
  syTFoot = 210,
  syTHeadEnd = 211,
  syTBodyEnd = 212,
  syTFootEnd = 213,
  syObject = 214,
  syObjectEnd = 215,
  syParam = 216,
  syReadOnly = 217,
  syEol = 218
};

// A set of symbols, one bit a value (the builder's termination sets).
class THtmlSymbolSet {
 public:
  THtmlSymbolSet() = default;
  THtmlSymbolSet(std::initializer_list<THtmlSymbol> symbols) {
    for (THtmlSymbol s : symbols) bits_.set(s);
  }
  bool Contains(THtmlSymbol s) const { return bits_.test(s); }
  THtmlSymbolSet& Include(THtmlSymbol s) {
    bits_.set(s);
    return *this;
  }
  THtmlSymbolSet& Exclude(THtmlSymbol s) {
    bits_.reset(s);
    return *this;
  }
  THtmlSymbolSet operator+(const THtmlSymbolSet& o) const {
    THtmlSymbolSet r;
    r.bits_ = bits_ | o.bits_;
    return r;
  }
  THtmlSymbolSet operator-(const THtmlSymbolSet& o) const {
    THtmlSymbolSet r;
    r.bits_ = bits_ & ~o.bits_;
    return r;
  }
  bool Empty() const { return bits_.none(); }
  friend bool operator==(const THtmlSymbolSet&, const THtmlSymbolSet&) = default;

 private:
  std::bitset<256> bits_;
};

// Longest tag and attribute names in the tables; longer names never match.
constexpr size_t kMaxTagNameLength = 12;
constexpr size_t kMaxAttributeNameLength = 16;

// The symbol of an upper-case tag name: the start symbol, or for an end
// tag the end symbol; syUnknownTag when the name is unknown or the tag has
// no end symbol.
THtmlSymbol LookupTag(std::string_view upperName, bool isEndTag);
// The end symbol of a start symbol, or nothing for a tag without end tag.
std::optional<THtmlSymbol> EndSymbolOf(THtmlSymbol startSymbol);
// Lower-case element name of a start symbol ("h" for syH); empty if none.
std::string TagNameOf(THtmlSymbol startSymbol);
// Lower-case element name of an end symbol ("thead" for syTHeadEnd); empty if none.
std::string EndTagNameOf(THtmlSymbol endSymbol);
// The symbol of an upper-case attribute name, or syUnknownAttr.
THtmlSymbol LookupAttribute(std::string_view upperName);

// A named character reference.
struct TEntity {
  const char* Name;
  uint16_t Code;
};

// The code point of a named character reference; the name's case matters.
std::optional<uint16_t> LookupEntity(std::string_view name);
// The entity table in its fixed order (for tests and tools).
const TEntity* EntityTable(size_t& count);

}  // namespace html
