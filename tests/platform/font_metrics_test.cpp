// Font realisation: metrics from the font tables, face aliases, the
// installed list, synthesised styles, character sets and configuration errors.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/canvas.h"
#include "platform/errors.h"
#include "platform/font_face.h"
#include "text_support.h"

using namespace plat;
using text_support::MakeFont;

namespace {

TTextMetric MetricsOf(const TFont& f) {
  TBitmap b(1, 1);
  b.Canvas().Font() = f;
  TTextMetric tm;
  EXPECT_TRUE(b.Canvas().GetTextMetrics(tm));
  return tm;
}

}  // namespace

// Expected values worked out from each file's OS/2, hhea and head tables
// (read separately, not through this code): usWinAscent/usWinDescent,
// hhea ascender/descender/lineGap/advanceWidthMax, xAvgCharWidth, unitsPerEm 2048.
TEST(FontMetrics, LiberationFacesFromTheirTables) {
  struct Case {
    const char* family;
    bool bold;
    int height;
    int tmHeight, ascent, descent, internal, external, ave, max, weight;
  };
  const Case cases[] = {
      {"Liberation Serif", false, -12, 14, 11, 3, 2, 1, 7, 16, 400},
      {"Liberation Serif", false, -13, 15, 12, 3, 2, 1, 7, 17, 400},
      {"Liberation Serif", false, -16, 17, 14, 3, 1, 1, 9, 21, 400},
      {"Liberation Serif", false, -20, 22, 18, 4, 2, 1, 11, 27, 400},
      {"Liberation Serif", false, 16, 16, 13, 3, 2, 1, 8, 19, 400},
      {"Liberation Serif", true, -12, 14, 11, 3, 2, 1, 7, 17, 700},
      {"Liberation Serif", true, -13, 15, 12, 3, 2, 1, 7, 18, 700},
      {"Liberation Serif", true, -16, 17, 14, 3, 1, 1, 9, 22, 700},
      {"Liberation Serif", true, -20, 22, 18, 4, 2, 1, 12, 28, 700},
      {"Liberation Serif", true, 16, 16, 13, 3, 2, 1, 8, 19, 700},
      {"Liberation Sans", false, -12, 14, 11, 3, 2, 0, 7, 16, 400},
      {"Liberation Sans", false, -13, 15, 12, 3, 2, 0, 8, 17, 400},
      {"Liberation Sans", false, -16, 17, 14, 3, 1, 1, 9, 21, 400},
      {"Liberation Sans", false, -20, 22, 18, 4, 2, 1, 12, 27, 400},
      {"Liberation Sans", false, 16, 16, 13, 3, 2, 0, 8, 19, 400},
      {"Liberation Sans", true, -12, 14, 11, 3, 2, 0, 7, 16, 700},
      {"Liberation Sans", true, -13, 15, 12, 3, 2, 0, 8, 17, 700},
      {"Liberation Sans", true, -16, 17, 14, 3, 1, 1, 10, 21, 700},
      {"Liberation Sans", true, -20, 22, 18, 4, 2, 1, 12, 27, 700},
      {"Liberation Sans", true, 16, 16, 13, 3, 2, 0, 9, 19, 700},
      {"Liberation Mono", false, -12, 14, 10, 4, 2, 0, 7, 7, 400},
      {"Liberation Mono", false, -13, 15, 11, 4, 2, 0, 8, 8, 400},
      {"Liberation Mono", false, -16, 18, 13, 5, 2, 0, 10, 10, 400},
      {"Liberation Mono", false, -20, 23, 17, 6, 3, 0, 12, 12, 400},
      {"Liberation Mono", false, 16, 16, 12, 4, 2, 0, 8, 8, 400},
      {"Liberation Mono", true, -12, 14, 10, 4, 2, 0, 7, 7, 700},
      {"Liberation Mono", true, -13, 15, 11, 4, 2, 0, 8, 8, 700},
      {"Liberation Mono", true, -16, 18, 13, 5, 2, 0, 10, 10, 700},
      {"Liberation Mono", true, -20, 23, 17, 6, 3, 0, 12, 12, 700},
      {"Liberation Mono", true, 16, 16, 12, 4, 2, 0, 8, 8, 700},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.family) + (k.bold ? " bold " : " ") + std::to_string(k.height));
    TFont f = MakeFont(k.family, k.height, k.bold);
    std::shared_ptr<TRealFont> real = RealizeFont(f);
    EXPECT_EQ(real->Family(), k.family);
    EXPECT_FALSE(real->SynthesisedBold());
    TTextMetric tm = MetricsOf(f);
    EXPECT_EQ(tm.tmHeight, k.tmHeight);
    EXPECT_EQ(tm.tmAscent, k.ascent);
    EXPECT_EQ(tm.tmDescent, k.descent);
    EXPECT_EQ(tm.tmInternalLeading, k.internal);
    EXPECT_EQ(tm.tmExternalLeading, k.external);
    EXPECT_EQ(tm.tmAveCharWidth, k.ave);
    EXPECT_EQ(tm.tmMaxCharWidth, k.max);
    EXPECT_EQ(tm.tmWeight, k.weight);
    EXPECT_EQ(tm.tmOverhang, 0);
    EXPECT_EQ(tm.tmCharSet, ANSI_CHARSET);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, k.height < 0 ? -k.height : real->EmPixels());
  }
}

TEST(FontMetrics, StyleFlagsFollowTheRequest) {
  TFont f = MakeFont("Arial", -13, false, true);
  f.Style.Underline = true;
  TTextMetric tm = MetricsOf(f);
  EXPECT_NE(tm.tmItalic, 0);
  EXPECT_NE(tm.tmUnderlined, 0);
  EXPECT_EQ(tm.tmStruckOut, 0);
  f.Style = {};
  f.Style.StrikeOut = true;
  tm = MetricsOf(f);
  EXPECT_EQ(tm.tmItalic, 0);
  EXPECT_EQ(tm.tmUnderlined, 0);
  EXPECT_NE(tm.tmStruckOut, 0);
}

TEST(FontMetrics, WindowsNamesRealiseAsTheirAliases) {
  struct Case {
    const char* asked;
    const char* family;
  };
  const Case cases[] = {
      {"Times New Roman", "Liberation Serif"}, {"times new roman", "Liberation Serif"},
      {"Arial", "Liberation Sans"},            {"Courier New", "Liberation Mono"},
      {"MS Sans Serif", "Liberation Sans"},    {"Microsoft Sans Serif", "Liberation Sans"},
      {"MS Gothic", "IPAGothic"},              {"MS PGothic", "IPAPGothic"},
      {"MS UI Gothic", "IPAPGothic"},          {"MS Mincho", "IPAMincho"},
      {"MS PMincho", "IPAPMincho"},            {"Arial Unicode MS", "DejaVu Sans"},
      {"  Arial  ", "Liberation Sans"},        {"DejaVu Serif", "DejaVu Serif"},
      // Not installed: the default face.
      {"No Such Face", kDefaultFontFamily},    {"", kDefaultFontFamily},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.asked);
    EXPECT_EQ(RealizeFont(MakeFont(k.asked, -13))->Family(), k.family);
  }
  // An alias realises exactly as its target.
  TTextMetric a = MetricsOf(MakeFont("Times New Roman", -16)), b = MetricsOf(MakeFont("Liberation Serif", -16));
  EXPECT_EQ(a.tmHeight, b.tmHeight);
  EXPECT_EQ(a.tmAveCharWidth, b.tmAveCharWidth);
  EXPECT_EQ(RealizeFont(MakeFont("Times New Roman", -16))->File(), RealizeFont(MakeFont("Liberation Serif", -16))->File());
}

TEST(FontMetrics, InstalledListIgnoresCaseAndHoldsTheAliases) {
  for (const char* name : {"Liberation Serif", "liberation sans", "LIBERATION MONO", "IPAGothic", "DejaVu Sans",
                           "Times New Roman", "ARIAL", "courier new", "MS Gothic", "ms pmincho", "Arial Unicode MS"})
    EXPECT_TRUE(IsFontInstalled(name)) << name;
  for (const char* name : {"No Such Face", "", "Times New Roman Bold", "Ari"}) EXPECT_FALSE(IsFontInstalled(name)) << name;
  // "Symbol" is listed exactly when a symbol face stands for it.
  EXPECT_EQ(IsFontInstalled("Symbol"), !FontAliasTarget("Symbol").empty());

  const std::vector<std::string>& all = InstalledFonts();
  auto lower = [](std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
  };
  for (size_t i = 1; i < all.size(); ++i) EXPECT_LT(lower(all[i - 1]), lower(all[i])) << "sorted, no case duplicates";
  EXPECT_NE(std::find(all.begin(), all.end(), "Times New Roman"), all.end());
  EXPECT_NE(std::find(all.begin(), all.end(), "Liberation Serif"), all.end());
  EXPECT_EQ(FontAliasTarget("arial"), "Liberation Sans");
  EXPECT_EQ(FontAliasTarget("Liberation Sans"), "");
}

TEST(FontMetrics, MissingStylesAreSynthesised) {
  std::shared_ptr<TRealFont> plain = RealizeFont(MakeFont("MS Gothic", -16));
  std::shared_ptr<TRealFont> bold = RealizeFont(MakeFont("MS Gothic", -16, true));
  std::shared_ptr<TRealFont> italic = RealizeFont(MakeFont("MS Gothic", -16, false, true));
  EXPECT_FALSE(plain->SynthesisedBold());
  EXPECT_TRUE(bold->SynthesisedBold());
  EXPECT_TRUE(italic->SynthesisedItalic());
  EXPECT_FALSE(italic->SynthesisedBold());
  EXPECT_EQ(bold->File(), plain->File());
  EXPECT_EQ(bold->Metrics().tmWeight, 700);
  EXPECT_EQ(bold->Metrics().tmAveCharWidth, plain->Metrics().tmAveCharWidth + 1);
  EXPECT_EQ(bold->Metrics().tmMaxCharWidth, plain->Metrics().tmMaxCharWidth + 1);
  EXPECT_EQ(bold->Metrics().tmHeight, plain->Metrics().tmHeight);
  EXPECT_EQ(bold->Metrics().tmOverhang, 0);
  for (char32_t c : {U'a', U' ', U'W', U'\u65E5'}) {
    EXPECT_EQ(bold->Advance(c), plain->Advance(c) + 1) << int(c);
    EXPECT_EQ(italic->Advance(c), plain->Advance(c)) << int(c);
  }
  EXPECT_EQ(bold->Advance(U'\x01'), 0);
  // Faces that have the style are used as they are.
  std::shared_ptr<TRealFont> serifBoldItalic = RealizeFont(MakeFont("Times New Roman", -16, true, true));
  EXPECT_FALSE(serifBoldItalic->SynthesisedBold());
  EXPECT_FALSE(serifBoldItalic->SynthesisedItalic());
  EXPECT_NE(serifBoldItalic->File(), RealizeFont(MakeFont("Times New Roman", -16))->File());
}

TEST(FontMetrics, DefaultAndHostileHeights) {
  EXPECT_EQ(MetricsOf(MakeFont("Arial", 0)).tmHeight, 16);
  TTextMetric huge = MetricsOf(MakeFont("Arial", -1000000));
  EXPECT_EQ(huge.tmHeight - huge.tmInternalLeading, 2048);
  EXPECT_EQ(MetricsOf(MakeFont("Arial", 1000000)).tmHeight, 2048);
  TTextMetric tiny = MetricsOf(MakeFont("Arial", -1));
  EXPECT_GE(tiny.tmHeight, 1);
  EXPECT_EQ(MetricsOf(MakeFont("Arial", 1)).tmHeight, 1);
}

TEST(FontMetrics, CharacterSetsAreRealisedByTheFaceCoverage) {
  struct Case {
    const char* face;
    uint8_t asked;
    uint8_t realised;
    const char* familyPrefix;  // of the realised family
  };
  const Case cases[] = {
      {"Arial", DEFAULT_CHARSET, ANSI_CHARSET, "Liberation Sans"},
      {"Arial", ANSI_CHARSET, ANSI_CHARSET, "Liberation Sans"},
      {"Arial", RUSSIAN_CHARSET, RUSSIAN_CHARSET, "Liberation Sans"},
      {"Times New Roman", GREEK_CHARSET, GREEK_CHARSET, "Liberation Serif"},
      {"Times New Roman", EASTEUROPE_CHARSET, EASTEUROPE_CHARSET, "Liberation Serif"},
      {"MS Gothic", DEFAULT_CHARSET, ANSI_CHARSET, "IPAGothic"},
      {"MS Gothic", SHIFTJIS_CHARSET, SHIFTJIS_CHARSET, "IPAGothic"},
      // A face without the asked-for set gives way to one that has it.
      {"Arial", SHIFTJIS_CHARSET, SHIFTJIS_CHARSET, "IPA"},
      {"", SHIFTJIS_CHARSET, SHIFTJIS_CHARSET, "IPA"},
      // No Korean face is installed: the face stays and reports what it has.
      {"Arial", HANGEUL_CHARSET, ANSI_CHARSET, "Liberation Sans"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.face) + " " + std::to_string(k.asked));
    TFont f = MakeFont(k.face, -13);
    f.Charset = k.asked;
    EXPECT_EQ(MetricsOf(f).tmCharSet, k.realised);
    EXPECT_EQ(RealizeFont(f)->Family().rfind(k.familyPrefix, 0), 0u) << RealizeFont(f)->Family();
  }
}

TEST(FontMetrics, DecorationsLieInsideTheCell) {
  for (const char* face : {"Liberation Serif", "Liberation Sans", "Liberation Mono", "MS Gothic"})
    for (int h : {-8, -12, -16, -20, -40}) {
      SCOPED_TRACE(std::string(face) + " " + std::to_string(h));
      std::shared_ptr<TRealFont> f = RealizeFont(MakeFont(face, h));
      const TTextMetric& tm = f->Metrics();
      EXPECT_GE(f->UnderlineThickness(), 1);
      EXPECT_GE(f->UnderlineTop(), 0);
      EXPECT_LE(f->UnderlineTop() + f->UnderlineThickness(), std::max(tm.tmDescent, 1));
      EXPECT_GE(f->StrikeOutThickness(), 1);
      EXPECT_LT(f->StrikeOutTop(), 0);  // above the baseline
      EXPECT_GE(f->StrikeOutTop(), -tm.tmAscent);
    }
}

TEST(FontMetrics, SymbolMappingAndControlCharacters) {
  struct Case {
    char32_t in, out;
  };
  for (Case k : {Case{0x20, 0xF020}, Case{0x41, 0xF041}, Case{0xFF, 0xF0FF}, Case{0x1F, 0x1F}, Case{0x100, 0x100},
                 Case{0xF041, 0xF041}})
    EXPECT_EQ(SymbolCodeFor(k.in), k.out) << int(k.in);
  for (char32_t c : {0x00, 0x02, 0x04, 0x08, 0x09, 0x0A, 0x1F, 0x7F, 0x80, 0x85, 0x9F}) EXPECT_TRUE(IsControlChar(c)) << int(c);
  for (char32_t c : {0x20, 0x41, 0x7E, 0xA0, 0xFFFF, 0x10000}) EXPECT_FALSE(IsControlChar(c)) << int(c);
}

// A configuration that cannot be read, or one that lists no fonts, is
// reported as an error instead of a crash.
TEST(FontMetrics, ConfigurationFailuresAreReported) {
  TFont f = MakeFont("Arial", -13);
  try {
    RealizeFontWithConfig(f, "/nonexistent/fonts.conf");
    FAIL() << "no error for a missing configuration";
  } catch (const EOutOfResources& e) {
    EXPECT_NE(std::string(e.what()).find("configuration"), std::string::npos) << e.what();
  }

  std::filesystem::path dir = std::filesystem::temp_directory_path() / ("text_fc_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir / "fonts");
  std::filesystem::create_directories(dir / "cache");
  {
    std::ofstream conf(dir / "fonts.conf");
    conf << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
         << "<dir>" << (dir / "fonts").string() << "</dir>\n<cachedir>" << (dir / "cache").string()
         << "</cachedir>\n</fontconfig>\n";
  }
  try {
    RealizeFontWithConfig(f, (dir / "fonts.conf").string());
    ADD_FAILURE() << "no error without fonts";
  } catch (const EOutOfResources& e) {
    EXPECT_NE(std::string(e.what()).find("no fonts"), std::string::npos) << e.what();
  }
  std::filesystem::remove_all(dir);
  // The normal configuration is not disturbed.
  EXPECT_EQ(RealizeFont(f)->Family(), "Liberation Sans");
}
