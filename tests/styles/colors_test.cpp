#include "styles/colors.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/text_util.h"

using namespace html;
using plat::RGB;

namespace {

constexpr plat::TColor kNone = 0x7EADBEEF;  // marks "not a colour" in the tables

plat::TColor Parsed(const char* text, bool requireHash) {
  return ParseColor(text, requireHash).value_or(kNone);
}

}  // namespace

TEST(ParseColor, Forms) {
  struct Case {
    const char* text;
    bool requireHash;
    plat::TColor want;
  } cases[] = {
      {"red", true, RGB(255, 0, 0)},
      {"RED", true, RGB(255, 0, 0)},
      {"  Navy ", true, RGB(0, 0, 0x80)},
      {"lightgoldenrodyellow", true, RGB(0xFA, 0xFA, 0xD2)},
      {"grey", true, RGB(0x80, 0x80, 0x80)},
      {"transparent", true, plat::NoColor},
      {"#f00", true, RGB(255, 0, 0)},
      {"#F00", true, RGB(255, 0, 0)},
      {"f00", false, RGB(255, 0, 0)},
      {"f00", true, kNone},
      {"#12345", true, RGB(0x01, 0x23, 0x45)},
      {"#c0c0c0", true, RGB(0xC0, 0xC0, 0xC0)},
      {"#f", true, RGB(0, 0, 0xFF)},
      {"x#y#abc", true, RGB(0xAA, 0xBB, 0xCC)},  // the part after the last "#"
      {"#", true, kNone},
      {"#ggg", true, kNone},
      {"#123456789", true, kNone},
      {"notacolour", false, kNone},
      {"notacolour", true, kNone},
      {"", false, kNone},
      {"rgb(100%,0,0)", true, RGB(255, 0, 0)},
      {"rgb(10%, 20, 30)", true, RGB(26, 20, 30)},
      {"rgb(50%,50%,50%)", true, RGB(127, 127, 127)},  // 2.55 is a shade under, so 127.4999...
      {"rgb(300,-5,0)", true, RGB(255, 0, 0)},
      {"RGB( 1 , 2 , 3 )", true, RGB(1, 2, 3)},
      {"rgb(1.5,x,)", true, RGB(0, 0, 0)},
      {"rgb(5)", true, RGB(5, 0, 0)},
      {"rgb(1,2,3,4)", true, RGB(1, 2, 0)},
      {"rgb(1,2,3", true, kNone},
      {"rgb 1,2,3)", true, kNone},
      {"rgb)1,2,3(", true, kNone},  // ")" before "(" is no colour
      {"buttonface", true, plat::clBtnFace},
      {"ButtonText", true, plat::clBtnText},
      {"scrollbar", true, plat::clScrollBar},
      {"AppWorkspace", true, plat::clAppWorkSpace},
      {"infobackground", true, plat::clInfoBk},
      {"threedface", true, plat::clBtnFace},
      {"threeddarkshadow", true, plat::cl3DDkShadow},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Parsed(c.text, c.requireHash), c.want) << '"' << c.text << "\" requireHash=" << c.requireHash;
}

TEST(ParseColor, ThreeDNamesMeanTheirSystemColours) {
  // The lighter edge of a 3-D element is the button highlight; its light
  // shadow is the 3-D light colour.
  EXPECT_EQ(Parsed("threedhighlight", true), plat::SysColor(plat::COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(Parsed("buttonhighlight", true), plat::SysColor(plat::COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(Parsed("threedlightshadow", true), plat::SysColor(plat::COLOR_3DLIGHT));
  EXPECT_EQ(Parsed("threedshadow", true), plat::SysColor(plat::COLOR_BTNSHADOW));
}

TEST(ParseColor, CacheKnowsWhetherHashWasRequired) {
  // The same text read once without "#" required must not satisfy a later
  // read that requires it, nor the other way round.
  EXPECT_EQ(Parsed("0a0b0c", false), RGB(0x0A, 0x0B, 0x0C));
  EXPECT_EQ(Parsed("0a0b0c", true), kNone);
  EXPECT_EQ(Parsed("0a0b0c", false), RGB(0x0A, 0x0B, 0x0C));
  EXPECT_EQ(Parsed("#0a0b0c", true), RGB(0x0A, 0x0B, 0x0C));
  EXPECT_EQ(Parsed("0a0b0c", true), kNone);
}

TEST(ParseColor, PaletteFlagMarksOnlyHexadecimalColours) {
  SetPaletteFlag(0x02000000);
  EXPECT_EQ(Parsed("#ff0000", true), RGB(255, 0, 0) | 0x02000000);
  EXPECT_EQ(Parsed("ff0000", false), RGB(255, 0, 0) | 0x02000000);
  EXPECT_EQ(Parsed("red", true), RGB(255, 0, 0));
  EXPECT_EQ(Parsed("rgb(255,0,0)", true), RGB(255, 0, 0));
  SetPaletteFlag(0);
  // A colour cached under the flag is not answered once the flag is gone.
  EXPECT_EQ(Parsed("#ff0000", true), RGB(255, 0, 0));
}

TEST(NamedColors, TableIsCompleteSortedAndUnique) {
  const auto& names = NamedColors();
  EXPECT_EQ(names.size(), 176u);
  std::set<std::string> seen;
  for (size_t i = 0; i < names.size(); ++i) {
    EXPECT_TRUE(seen.insert(names[i].Name).second) << names[i].Name;
    EXPECT_EQ(LowerCase(names[i].Name), names[i].Name);
    if (i > 0) {
      EXPECT_LT(CompareText(names[i - 1].Name, names[i].Name), 0);
    }
  }
  // Every name reads back as its own colour.
  for (const auto& n : names) EXPECT_EQ(Parsed(n.Name, true), n.Color) << n.Name;
}
