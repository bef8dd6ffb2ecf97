// Symbol faces: a font whose only character map is the symbol map holds
// U+0020..U+00FF at U+F020..U+F0FF and reports the symbol character set.
// No such font is installed, so the test writes a small one and realises
// it through a configuration of its own.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/font_face.h"
#include "text_support.h"

using namespace plat;

namespace {

class TBytes {
 public:
  TBytes& u8(uint32_t v) { b_.push_back(uint8_t(v)); return *this; }
  TBytes& u16(uint32_t v) { return u8(v >> 8).u8(v); }
  TBytes& u32(uint32_t v) { return u16(v >> 16).u16(v); }
  TBytes& zeros(size_t n) { b_.insert(b_.end(), n, 0); return *this; }
  TBytes& utf16(const std::string& ascii) {
    for (char c : ascii) u16(uint8_t(c));
    return *this;
  }
  const std::vector<uint8_t>& data() const { return b_; }
  size_t size() const { return b_.size(); }

 private:
  std::vector<uint8_t> b_;
};

// A glyph: one rectangle contour.
TBytes Box(int x0, int y0, int x1, int y1) {
  TBytes g;
  g.u16(1).u16(x0).u16(y0).u16(x1).u16(y1);  // contours and bounds
  g.u16(3).u16(0);                           // last point, no instructions
  for (int i = 0; i < 4; ++i) g.u8(0x01);    // on curve, full coordinates
  const int xs[] = {x0, x1, x1, x0}, ys[] = {y0, y0, y1, y1};
  int px = 0, py = 0;
  for (int x : xs) g.u16(uint16_t(x - px)), px = x;
  for (int y : ys) g.u16(uint16_t(y - py)), py = y;
  while (g.size() % 4) g.u8(0);
  return g;
}

// A TrueType font with units per em 1000, family `family`, a symbol map
// only: U+F041 -> a box 600 wide, U+F042 -> a box 800 wide.
std::vector<uint8_t> SymbolFont(const std::string& family) {
  std::map<std::string, TBytes> t;
  TBytes g1 = Box(50, 0, 550, 700), g2 = Box(50, 0, 750, 700);
  t["glyf"].zeros(0);
  for (auto* g : {&g1, &g2})
    for (uint8_t b : g->data()) t["glyf"].u8(b);
  t["loca"].u16(0).u16(0).u16(uint16_t(g1.size() / 2)).u16(uint16_t((g1.size() + g2.size()) / 2));
  t["head"].u32(0x00010000).u32(0x00010000).u32(0).u32(0x5F0F3CF5).u16(0).u16(1000).zeros(16);
  t["head"].u16(0).u16(0).u16(750).u16(700).u16(0).u16(8).u16(2).u16(0).u16(0);
  t["hhea"].u32(0x00010000).u16(800).u16(uint16_t(-200)).u16(0).u16(800).u16(0).u16(0).u16(750);
  t["hhea"].u16(1).u16(0).u16(0).zeros(8).u16(0).u16(3);
  t["maxp"].u32(0x00010000).u16(3).u16(4).u16(1).zeros(22);
  t["hmtx"].u16(500).u16(0).u16(600).u16(50).u16(800).u16(50);
  // cmap: (3, 0) format 4, one segment F041..F042 and the end segment.
  TBytes sub;
  sub.u16(4).u16(32).u16(0).u16(4).u16(4).u16(1).u16(0);  // format, length, language, segX2, search
  sub.u16(0xF042).u16(0xFFFF).u16(0).u16(0xF041).u16(0xFFFF);  // ends, pad, starts
  sub.u16(uint16_t(1 - 0xF041)).u16(1).u16(0).u16(0);            // deltas, range offsets
  t["cmap"].u16(0).u16(1).u16(3).u16(0).u32(12);
  for (uint8_t b : sub.data()) t["cmap"].u8(b);
  t["OS/2"].u16(1).u16(600).u16(400).u16(5).u16(0).zeros(16).u16(50).u16(300).u16(0).zeros(10).zeros(16);
  t["OS/2"].u8('T').u8('E').u8('S').u8('T').u16(0x40).u16(0xF041).u16(0xF042).u16(800).u16(uint16_t(-200));
  t["OS/2"].u16(0).u16(800).u16(200).u32(0x80000000).u32(0);
  t["post"].u32(0x00030000).u32(0).u16(uint16_t(-100)).u16(50).zeros(20);
  // name: family, style, full name, PostScript name for (3, 0) and (3, 1).
  const std::string names[] = {family, "Regular", family, "TestSymbol"};
  const uint16_t ids[] = {1, 2, 4, 6};
  TBytes strings, records;
  for (uint16_t enc : {0, 1})
    for (int i = 0; i < 4; ++i) {
      records.u16(3).u16(enc).u16(0x409).u16(ids[i]).u16(uint16_t(names[i].size() * 2)).u16(uint16_t(strings.size()));
      strings.utf16(names[i]);
    }
  t["name"].u16(0).u16(8).u16(uint16_t(6 + records.size()));
  for (uint8_t b : records.data()) t["name"].u8(b);
  for (uint8_t b : strings.data()) t["name"].u8(b);

  TBytes font;
  font.u32(0x00010000).u16(uint16_t(t.size())).u16(128).u16(3).u16(uint16_t(t.size() * 16 - 128));
  uint32_t offset = uint32_t(12 + 16 * t.size());
  std::vector<uint8_t> body;
  for (auto& [tag, bytes] : t) {  // std::map keeps the tags sorted
    for (char c : tag) font.u8(uint8_t(c));
    font.u32(0).u32(offset).u32(uint32_t(bytes.size()));
    body.insert(body.end(), bytes.data().begin(), bytes.data().end());
    while (body.size() % 4) body.push_back(0);
    offset = uint32_t(12 + 16 * t.size() + body.size());
  }
  std::vector<uint8_t> out = font.data();
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

}  // namespace

TEST(FontSymbol, SymbolFaceMapsLatinOneToItsPrivateUseGlyphs) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("text_symbol_" + std::to_string(::getpid()));
  fs::create_directories(dir / "fonts");
  {
    std::vector<uint8_t> bytes = SymbolFont("Standard Symbols PS");
    std::ofstream(dir / "fonts" / "testsymbol.ttf", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    std::ofstream conf(dir / "fonts.conf");
    conf << "<?xml version=\"1.0\"?>\n<fontconfig>\n<dir>" << (dir / "fonts").string()
         << "</dir>\n<dir>/usr/share/fonts</dir>\n<cachedir>" << (dir / "cache").string()
         << "</cachedir>\n</fontconfig>\n";
  }
  std::shared_ptr<TRealFont> f =
      RealizeFontWithConfig(text_support::MakeFont("Symbol", -20), (dir / "fonts.conf").string());
  fs::remove_all(dir);

  EXPECT_EQ(f->Family(), "Standard Symbols PS");
  EXPECT_TRUE(f->SymbolFace());
  EXPECT_EQ(f->Metrics().tmCharSet, SYMBOL_CHARSET);
  EXPECT_EQ(f->Metrics().tmAscent, 16);  // usWinAscent 800 of 1000 at 20 pixels
  EXPECT_EQ(f->Metrics().tmDescent, 4);
  EXPECT_EQ(f->Advance(U'A'), 12);  // 600 of 1000 at 20 pixels, through U+F041
  EXPECT_EQ(f->Advance(U'B'), 16);
  EXPECT_EQ(f->Advance(0xF041), 12);
  EXPECT_EQ(f->FamilyFor(U'A'), "Standard Symbols PS");
  const TGlyphPicture* a = f->Picture(U'A');
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->width, 10);   // the box from 50 to 550 units
  EXPECT_EQ(a->height, 14);  // from 0 to 700
  EXPECT_EQ(a->top, 14);
  EXPECT_EQ(a->Row(7)[5], 255);
}
