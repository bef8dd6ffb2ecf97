// Font realisation: face lookup through fontconfig and one alias table,
// FreeType faces, text metrics, per-font advance and glyph caches, fallback
// faces for characters the face lacks.
//
// Metrics (all in whole pixels; round() is half away from zero; the table
// values are in font units; upem = head.unitsPerEm):
//   Height < 0 (em height):   em      = -Height
//                             ascent  = round(OS/2.usWinAscent  * em / upem)
//                             descent = round(OS/2.usWinDescent * em / upem)
//                             height  = ascent + descent
//   Height > 0 (cell height): cell    = usWinAscent + usWinDescent
//                             height  = Height
//                             ascent  = round(usWinAscent * Height / cell)
//                             descent = Height - ascent
//                             em      = max(1, round(upem * Height / cell))
//   Height = 0:               taken as a cell height of 16 (kDefaultCellHeight).
//   |Height| is clamped to kMaxFontPixels.
//   internal leading = height - em
//   external leading = round(max(0, hhea.lineGap - (cell - (hhea.ascender - hhea.descender))) * em / upem)
//   average width    = round(OS/2.xAvgCharWidth * em / upem)
//   maximum width    = round(hhea.advanceWidthMax * em / upem)
//   glyphs are hinted at em pixels per em, horizontally and vertically.
// Synthesised bold (bold asked for, only a lighter face installed): outlines
// are widened by one pixel (FT_Outline_EmboldenXY) and every character's
// advance, the average and the maximum width grow by 1; tmOverhang stays 0,
// the extra pixel being part of the advance. Synthesised italic: outlines are
// sheared by 0.2126 (about 12 degrees) about the baseline; advances do not
// change, so ink may reach up to ascent * 0.2126 pixels past the advance on
// the right (and descent * 0.2126 left of the pen); tmOverhang stays 0.
// tmWeight is 700 for a synthesised bold face, else the face's usWeightClass.
//
// Advances: whole pixels, the font's hdmx entry for the size when it has
// one (the device widths the platform uses), else linearHoriAdvance (the
// unhinted advance at em pixels) rounded. FreeType's TrueType interpreter
// version 35 was tried for this and rejected: the Liberation 2 files carry
// no hdmx table, and their hinting under v35 narrows advances at 16 px by
// up to 1.5 pixels against the metric-compatible widths (n 7 instead of
// 8.00, m 11 instead of 12.45, i 3 instead of 4.45; 65 of the 191 Latin-1
// characters differ from round(linear)), while the platform's own faces
// keep those widths. Version 40 is used instead: its hinted advances equal
// round(linearHoriAdvance) for all 191 characters, and it hints outlines
// vertically only, so the drawn glyphs fit the rounded advances. No
// kerning, no shaping: a string's width is the sum of its advances.
//
// Character set: the face's OS/2 code page bits give the character sets it
// supports. A face with a symbol character map reports SYMBOL_CHARSET. A
// specific set the face lacks (Japanese, Greek, ...) makes the mapper pick
// the installed face of the same kind (serif, sans, mono) that has it; with
// none, the face stays. DEFAULT_CHARSET and unsupported requests report
// ANSI_CHARSET when the face covers it, else its first supported set.
#include "platform/font_face.h"

#include <algorithm>
#include <cstring>
#include <list>
#include <map>
#include <set>
#include <tuple>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include <pixman.h>

#include "platform/errors.h"
#include "platform/numeric.h"

namespace plat {

namespace {

constexpr int kDefaultCellHeight = 16;
constexpr int kMaxFontPixels = 2048;
constexpr size_t kRealFontCacheSize = 64;
constexpr size_t kMaxCachedRefs = 1 << 17;
constexpr size_t kMaxCachedPictures = 4096;
constexpr size_t kMaxPictureBytes = size_t{8} << 20;  // per realised font
constexpr int64_t kMaxGlyphPixels = int64_t{1} << 24;
constexpr FT_Fixed kObliqueShear = 0x0366A;  // 0.2126 in 16.16
constexpr int32_t kLoadFlags = FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_NORMAL;

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

std::string Lower(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = AsciiLower(c);
  return r;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Windows face names and the installed families that stand for them, in
// order of preference. Targets are metric-compatible where one exists.
struct TAlias {
  const char* name;
  std::vector<const char*> targets;
};
const std::vector<TAlias>& AliasTable() {
  static const std::vector<TAlias> table = {
      {"Times New Roman", {"Liberation Serif"}},
      {"Times", {"Liberation Serif"}},
      {"MS Serif", {"Liberation Serif"}},
      {"Arial", {"Liberation Sans"}},
      {"Arial Narrow", {"Liberation Sans Narrow", "Liberation Sans"}},
      {"MS Sans Serif", {"Liberation Sans"}},
      {"Microsoft Sans Serif", {"Liberation Sans"}},
      {"Courier New", {"Liberation Mono"}},
      {"Courier", {"Liberation Mono"}},
      {"Arial Unicode MS", {"DejaVu Sans"}},
      {"MS Gothic", {"IPAGothic"}},
      {"MS PGothic", {"IPAPGothic"}},
      {"MS UI Gothic", {"IPAPGothic"}},
      {"MS Mincho", {"IPAMincho"}},
      {"MS PMincho", {"IPAPMincho"}},
      {"\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF", {"IPAGothic"}},  // full-width "MS Gothic"
      {"\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF", {"IPAPGothic"}},
      {"\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E\xE6\x9C\x9D", {"IPAMincho"}},
      {"\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE6\x98\x8E\xE6\x9C\x9D", {"IPAPMincho"}},
      {"Symbol", {"Symbol Neu", "Standard Symbols PS", "Standard Symbols L"}},
  };
  return table;
}

// ---- RAII over the C libraries

struct FcPatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct FcFontSetDeleter {
  void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
struct FcObjectSetDeleter {
  void operator()(FcObjectSet* s) const { FcObjectSetDestroy(s); }
};
struct FcConfigDeleter {
  void operator()(FcConfig* c) const { FcConfigDestroy(c); }
};
using FcPatternPtr = std::unique_ptr<FcPattern, FcPatternDeleter>;
using FcFontSetPtr = std::unique_ptr<FcFontSet, FcFontSetDeleter>;

struct FtFaceDeleter {
  void operator()(FT_Face f) const { FT_Done_Face(f); }
};
using FtFacePtr = std::unique_ptr<FT_FaceRec_, FtFaceDeleter>;

std::string PatternString(FcPattern* p, const char* object, int n = 0) {
  FcChar8* s = nullptr;
  if (FcPatternGetString(p, object, n, &s) != FcResultMatch || !s) return {};
  return reinterpret_cast<const char*>(s);
}
int PatternInt(FcPattern* p, const char* object, int fallback) {
  int v = 0;
  return FcPatternGetInteger(p, object, 0, &v) == FcResultMatch ? v : fallback;
}
bool PatternHasFamily(FcPattern* p, std::string_view family) {
  for (int n = 0;; ++n) {
    FcChar8* s = nullptr;
    if (FcPatternGetString(p, FC_FAMILY, n, &s) != FcResultMatch || !s) return false;
    if (SameName(reinterpret_cast<const char*>(s), family)) return true;
  }
}

// A face file found by fontconfig.
struct TFaceChoice {
  std::string family;  // as the request named it (or the face's first family)
  std::string file;
  int index = 0;
};

// The FreeType library and the fontconfig configuration of one thread.
class TFontSystem {
 public:
  explicit TFontSystem(const std::string* configFile) {
    if (configFile) {
      config_.reset(FcConfigCreate());
      if (!config_) throw EOutOfResources("font configuration could not be created");
      if (!FcConfigParseAndLoad(config_.get(), reinterpret_cast<const FcChar8*>(configFile->c_str()), FcTrue))
        throw EOutOfResources("font configuration file cannot be read: " + *configFile);
      if (!FcConfigBuildFonts(config_.get())) throw EOutOfResources("font configuration: fonts could not be listed");
    } else {
      config_.reset(FcInitLoadConfigAndFonts());
      if (!config_) throw EOutOfResources("font configuration cannot be loaded (fontconfig)");
    }
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) throw EOutOfResources("FreeType could not be initialised");
    library_.reset(lib);
    FT_UInt v40 = TT_INTERPRETER_VERSION_40;  // see "Advances" at the top of this file
    FT_Property_Set(lib, "truetype", "interpreter-version", &v40);
    ListFamilies();
    if (fcKeys_.empty()) throw EOutOfResources("no fonts are installed (fontconfig lists none)");
  }
  TFontSystem(const TFontSystem&) = delete;
  TFontSystem& operator=(const TFontSystem&) = delete;

  FT_Library Library() const { return library_.get(); }
  const std::vector<std::string>& Installed() const { return installed_; }

  // A name of the installed list (families and aliases).
  bool Installed(std::string_view name) const { return installedKeys_.count(Lower(name)) != 0; }
  // A family fontconfig lists.
  bool FontconfigFamily(std::string_view name) const { return fcKeys_.count(Lower(name)) != 0; }

  std::string AliasTarget(std::string_view name) const {
    for (const TAlias& a : AliasTable()) {
      if (!SameName(a.name, name)) continue;
      for (const char* t : a.targets)
        if (FontconfigFamily(t)) return t;
      return {};
    }
    return {};
  }

  // The pattern asking for a family (or a generic name) in a style.
  FcPatternPtr MakePattern(std::string_view family, bool bold, bool italic, const char* lang) const {
    FcPatternPtr p(FcPatternCreate());
    if (!p) throw EOutOfResources("font pattern could not be made");
    std::string f(family);
    FcPatternAddString(p.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(f.c_str()));
    FcPatternAddInteger(p.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(p.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(p.get(), FC_SCALABLE, FcTrue);
    if (lang) FcPatternAddString(p.get(), FC_LANG, reinterpret_cast<const FcChar8*>(lang));
    FcConfigSubstitute(config_.get(), p.get(), FcMatchPattern);
    FcDefaultSubstitute(p.get());
    return p;
  }

  static TFaceChoice ChoiceOf(FcPattern* m, std::string_view family) {
    TFaceChoice c;
    c.family = family.empty() ? PatternString(m, FC_FAMILY) : std::string(family);
    c.file = PatternString(m, FC_FILE);
    c.index = PatternInt(m, FC_INDEX, 0);
    return c;
  }

  // The best face of an installed family; false when fontconfig answers
  // another family.
  bool Match(std::string_view family, bool bold, bool italic, TFaceChoice& out) const {
    FcPatternPtr p = MakePattern(family, bold, italic, nullptr);
    FcResult r = FcResultNoMatch;
    FcPatternPtr m(FcFontMatch(config_.get(), p.get(), &r));
    if (!m || !PatternHasFamily(m.get(), family)) return false;
    out = ChoiceOf(m.get(), family);
    return !out.file.empty();
  }

  // A face of a generic kind that covers a language.
  bool MatchLang(const char* generic, const char* lang, bool bold, bool italic, TFaceChoice& out) const {
    FcPatternPtr p = MakePattern(generic, bold, italic, lang);
    FcResult r = FcResultNoMatch;
    FcPatternPtr m(FcFontMatch(config_.get(), p.get(), &r));
    if (!m) return false;
    out = ChoiceOf(m.get(), {});
    return !out.file.empty();
  }

  // Faces in order of closeness to the family, for fallback by coverage.
  FcFontSetPtr Sorted(std::string_view family, bool bold, bool italic) const {
    FcPatternPtr p = MakePattern(family, bold, italic, nullptr);
    FcResult r = FcResultNoMatch;
    return FcFontSetPtr(FcFontSort(config_.get(), p.get(), FcTrue, nullptr, &r));
  }

 private:
  void ListFamilies() {
    FcPatternPtr all(FcPatternCreate());
    std::unique_ptr<FcObjectSet, FcObjectSetDeleter> os(FcObjectSetBuild(FC_FAMILY, nullptr));
    if (!all || !os) throw EOutOfResources("font list could not be made");
    FcFontSetPtr set(FcFontList(config_.get(), all.get(), os.get()));
    if (set) {
      for (int i = 0; i < set->nfont; ++i)
        for (int n = 0;; ++n) {
          std::string f = PatternString(set->fonts[i], FC_FAMILY, n);
          if (f.empty()) break;
          fcKeys_.insert(Lower(f));
          AddInstalled(f);
        }
    }
    for (const TAlias& a : AliasTable())
      if (!AliasTarget(a.name).empty()) AddInstalled(a.name);
    std::sort(installed_.begin(), installed_.end(),
              [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
  }
  void AddInstalled(const std::string& name) {
    if (installedKeys_.insert(Lower(name)).second) installed_.push_back(name);
  }

  std::unique_ptr<FcConfig, FcConfigDeleter> config_;
  struct FtLibraryDeleter {
    void operator()(FT_Library l) const { FT_Done_FreeType(l); }
  };
  std::unique_ptr<FT_LibraryRec_, FtLibraryDeleter> library_;
  std::set<std::string> fcKeys_;         // lower-case fontconfig families
  std::set<std::string> installedKeys_;  // those and the aliases
  std::vector<std::string> installed_;
};

std::shared_ptr<TFontSystem> ThreadSystem() {
  thread_local std::shared_ptr<TFontSystem> system;
  if (!system) system = std::make_shared<TFontSystem>(nullptr);
  return system;
}
TFontSystem& System() {
  thread_local TFontSystem* raw = nullptr;
  if (!raw) raw = ThreadSystem().get();
  return *raw;
}

// Realised fonts by description, least recently used last. Kept apart
// from the font system: fonts hold their system, so a cache inside it
// would make a cycle.
struct TFontCache {
  struct Key {
    std::string name;  // lower case, trimmed
    int height;
    bool bold, italic;
    uint8_t charset;
    bool operator<(const Key& o) const {
      return std::tie(name, height, bold, italic, charset) < std::tie(o.name, o.height, o.bold, o.italic, o.charset);
    }
  };
  std::list<std::pair<Key, std::shared_ptr<TRealFont>>> lru;
  std::map<Key, decltype(lru)::iterator> index;
};

// ---- character sets from the OS/2 code page bits
struct TCharsetBit {
  int bit;
  uint8_t charset;
  const char* lang;
};
constexpr TCharsetBit kCharsetBits[] = {
    {0, ANSI_CHARSET, nullptr},         {1, EASTEUROPE_CHARSET, "cs"}, {2, RUSSIAN_CHARSET, "ru"},
    {3, GREEK_CHARSET, "el"},           {4, TURKISH_CHARSET, "tr"},    {5, HEBREW_CHARSET, "he"},
    {6, ARABIC_CHARSET, "ar"},          {7, BALTIC_CHARSET, "lt"},     {8, VIETNAMESE_CHARSET, "vi"},
    {16, THAI_CHARSET, "th"},           {17, SHIFTJIS_CHARSET, "ja"},  {18, GB2312_CHARSET, "zh-cn"},
    {19, HANGEUL_CHARSET, "ko"},        {20, CHINESEBIG5_CHARSET, "zh-tw"}, {21, JOHAB_CHARSET, "ko"},
};

const TCharsetBit* CharsetEntry(uint8_t cs) {
  for (const TCharsetBit& b : kCharsetBits)
    if (b.charset == cs) return &b;
  return nullptr;
}

bool HasSymbolMap(FT_Face face) {
  for (int i = 0; i < face->num_charmaps; ++i)
    if (face->charmaps[i]->encoding == FT_ENCODING_MS_SYMBOL) return true;
  return false;
}

uint32_t CodePageBits(FT_Face face) {
  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (!os2 || os2->version == 0xFFFF || os2->version == 0) return 1;  // assume Latin 1
  return static_cast<uint32_t>(os2->ulCodePageRange1) | (os2->ulCodePageRange1 == 0 ? 1u : 0u);
}

bool FaceSupports(FT_Face face, uint8_t cs) {
  const TCharsetBit* e = CharsetEntry(cs);
  return e && (CodePageBits(face) >> e->bit & 1u) != 0;
}

uint8_t RealisedCharset(FT_Face face, bool symbol, uint8_t requested) {
  if (symbol) return SYMBOL_CHARSET;
  if (FaceSupports(face, requested)) return requested;
  uint32_t bits = CodePageBits(face);
  if (bits & 1u) return ANSI_CHARSET;
  for (const TCharsetBit& b : kCharsetBits)
    if (bits >> b.bit & 1u) return b.charset;
  return ANSI_CHARSET;
}

const char* GenericOf(std::string_view family) {
  std::string f = Lower(family);
  if (f.find("mono") != std::string::npos || f.find("courier") != std::string::npos) return "monospace";
  if (f.find("sans") != std::string::npos || f.find("gothic") != std::string::npos) return "sans-serif";
  if (f.find("serif") != std::string::npos || f.find("mincho") != std::string::npos) return "serif";
  return "sans-serif";
}

// The face's own weight and slant (fontconfig's answer may already carry
// its configuration's synthetic styles).
int FaceWeight(FT_Face face) {
  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->version != 0xFFFF && os2->usWeightClass > 0) return os2->usWeightClass;
  return (face->style_flags & FT_STYLE_FLAG_BOLD) ? 700 : 400;
}
bool FaceItalic(FT_Face face) { return (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0; }

// The hdmx widths of every glyph at `ppem`, or empty when the font has none.
std::vector<uint8_t> HdmxWidths(FT_Face face, int ppem) {
  if (!FT_IS_SFNT(face)) return {};
  FT_ULong len = 0;
  const FT_ULong tag = FT_MAKE_TAG('h', 'd', 'm', 'x');
  if (FT_Load_Sfnt_Table(face, tag, 0, nullptr, &len) != 0 || len < 8) return {};
  std::vector<uint8_t> t(len);
  if (FT_Load_Sfnt_Table(face, tag, 0, t.data(), &len) != 0) return {};
  auto u16 = [&](size_t o) { return size_t(t[o]) << 8 | t[o + 1]; };
  size_t records = u16(2);
  size_t recordSize = size_t(t[4]) << 24 | size_t(t[5]) << 16 | size_t(t[6]) << 8 | t[7];
  size_t glyphs = size_t(face->num_glyphs);
  if (recordSize < glyphs + 2) return {};
  for (size_t r = 0; r < records; ++r) {
    size_t o = 8 + r * recordSize;
    if (o + 2 + glyphs > t.size()) break;
    if (t[o] == ppem) return std::vector<uint8_t>(t.begin() + int64_t(o + 2), t.begin() + int64_t(o + 2 + glyphs));
  }
  return {};
}

FtFacePtr OpenFace(FT_Library lib, const TFaceChoice& c, int em) {
  FT_Face f = nullptr;
  if (FT_New_Face(lib, c.file.c_str(), c.index, &f) != 0 || !f) return nullptr;
  FtFacePtr face(f);
  if (FT_Select_Charmap(f, FT_ENCODING_UNICODE) != 0) FT_Select_Charmap(f, FT_ENCODING_MS_SYMBOL);
  if (FT_IS_SCALABLE(f)) {
    if (FT_Set_Pixel_Sizes(f, static_cast<FT_UInt>(em), static_cast<FT_UInt>(em)) != 0) return nullptr;
  } else if (f->num_fixed_sizes > 0) {
    FT_Select_Size(f, 0);
  }
  return face;
}

}  // namespace

// ---- one realised font's faces and caches

struct TRealFont::Impl {
  struct Face {
    FtFacePtr face;
    std::string family;
    std::string file;
    int index = 0;
    bool synthBold = false;
    bool synthItalic = false;
    bool symbol = false;
    std::vector<uint8_t> hdmx;  // device widths at the font's size, when the file has them
  };
  struct Ref {
    uint32_t face = 0;
    uint32_t glyph = 0;
    int32_t advance = 0;
    bool control = false;
  };

  std::shared_ptr<TFontSystem> system;
  std::vector<Face> faces;  // [0] is the font's own
  bool bold = false, italic = false;
  int em = 1;
  FcFontSetPtr sorted;  // fallback candidates, made on the first missing character
  bool sortedMade = false;
  std::unordered_map<char32_t, Ref> refs;
  std::unordered_map<uint64_t, std::unique_ptr<TGlyphPicture>> pictures;
  size_t pictureBytes = 0;

  ~Impl() {
    pictures.clear();
    faces.clear();  // before the library goes with `system`
  }

  static FT_UInt GlyphIn(const Face& f, char32_t c) {
    if (f.symbol) {
      FT_UInt g = FT_Get_Char_Index(f.face.get(), SymbolCodeFor(c));
      if (g) return g;
    }
    return FT_Get_Char_Index(f.face.get(), c);
  }

  int32_t AdvanceOf(uint32_t faceIndex, FT_UInt glyph) {
    Face& f = faces[faceIndex];
    int32_t a = 0;
    if (glyph < f.hdmx.size()) {
      a = f.hdmx[glyph];
    } else {
      if (FT_Load_Glyph(f.face.get(), glyph, kLoadFlags) != 0) return 0;
      FT_GlyphSlot slot = f.face->glyph;
      a = FT_IS_SCALABLE(f.face.get()) ? static_cast<int32_t>((int64_t{slot->linearHoriAdvance} + 0x8000) >> 16)
                                       : static_cast<int32_t>((slot->advance.x + 32) >> 6);
    }
    if (f.synthBold) a += 1;
    return std::max<int32_t>(a, 0);
  }

  // Finds (and opens) a fallback face covering c; 0 when there is none.
  uint32_t FallbackFor(char32_t c) {
    if (!sortedMade) {
      sortedMade = true;
      sorted = system->Sorted(faces[0].family, bold, italic);
    }
    if (!sorted) return 0;
    for (int i = 0; i < sorted->nfont; ++i) {
      FcPattern* p = sorted->fonts[i];
      FcCharSet* cs = nullptr;
      if (FcPatternGetCharSet(p, FC_CHARSET, 0, &cs) != FcResultMatch || !cs || !FcCharSetHasChar(cs, c)) continue;
      TFaceChoice choice = TFontSystem::ChoiceOf(p, {});
      int known = -1;
      for (uint32_t k = 0; k < faces.size(); ++k)
        if (faces[k].file == choice.file && faces[k].index == choice.index) known = int(k);
      if (known == 0) continue;  // the own face lacks it after all
      if (known > 0) return uint32_t(known);
      FtFacePtr face = OpenFace(system->Library(), choice, em);
      if (!face || FT_Get_Char_Index(face.get(), c) == 0) continue;
      Face f;
      f.face = std::move(face);
      f.family = choice.family;
      f.file = choice.file;
      f.index = choice.index;
      f.synthBold = bold && FaceWeight(f.face.get()) < 600;
      f.synthItalic = italic && !FaceItalic(f.face.get());
      f.hdmx = HdmxWidths(f.face.get(), em);
      faces.push_back(std::move(f));
      return static_cast<uint32_t>(faces.size() - 1);
    }
    return 0;
  }

  const Ref& Resolve(char32_t c) {
    auto it = refs.find(c);
    if (it != refs.end()) return it->second;
    if (refs.size() >= kMaxCachedRefs) refs.clear();
    Ref r;
    if (IsControlChar(c)) {
      r.control = true;
    } else {
      FT_UInt g = GlyphIn(faces[0], c);
      uint32_t fi = 0;
      bool surrogate = c >= 0xD800 && c < 0xE000;
      if (g == 0 && !surrogate) {
        fi = FallbackFor(c);
        if (fi != 0) g = GlyphIn(faces[fi], c);
      }
      if (g == 0) fi = 0;  // the face's own missing glyph
      r.face = fi;
      r.glyph = g;
      r.advance = AdvanceOf(fi, g);
    }
    return refs.emplace(c, r).first->second;
  }

  const TGlyphPicture* Picture(char32_t c) {
    Ref r = Resolve(c);
    if (r.control) return nullptr;
    uint64_t key = uint64_t{r.face} << 32 | r.glyph;
    auto it = pictures.find(key);
    if (it != pictures.end()) return it->second.get();
    auto pic = std::make_unique<TGlyphPicture>();
    Render(faces[r.face], r.glyph, *pic);
    const size_t bytes = pic->bits.size() * sizeof(uint32_t) + sizeof(TGlyphPicture);
    if (pictures.size() >= kMaxCachedPictures || pictureBytes + bytes > kMaxPictureBytes) {
      pictures.clear();
      pictureBytes = 0;
    }
    pictureBytes += bytes;
    return pictures.emplace(key, std::move(pic)).first->second.get();
  }

  static void Render(const Face& f, FT_UInt glyph, TGlyphPicture& out) {
    FT_Face face = f.face.get();
    if (FT_Load_Glyph(face, glyph, kLoadFlags) != 0) return;
    FT_GlyphSlot slot = face->glyph;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
      if (f.synthBold) FT_Outline_EmboldenXY(&slot->outline, 64, 0);
      if (f.synthItalic) {
        FT_Matrix shear{0x10000, kObliqueShear, 0, 0x10000};
        FT_Outline_Transform(&slot->outline, &shear);
      }
      FT_BBox box;
      FT_Outline_Get_CBox(&slot->outline, &box);
      int64_t w = (int64_t{box.xMax} - box.xMin) >> 6, h = (int64_t{box.yMax} - box.yMin) >> 6;
      if (w * h > kMaxGlyphPixels) return;
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return;
    const FT_Bitmap& bm = slot->bitmap;
    if (bm.width == 0 || bm.rows == 0 || bm.pixel_mode != FT_PIXEL_MODE_GRAY) return;
    if (int64_t{bm.width} * bm.rows > kMaxGlyphPixels) return;
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.width = static_cast<int>(bm.width);
    out.height = static_cast<int>(bm.rows);
    out.stride = (out.width + 3) / 4 * 4;
    out.bits.assign(size_t(out.stride / 4) * size_t(out.height), 0);
    auto* dst = reinterpret_cast<uint8_t*>(out.bits.data());
    for (int y = 0; y < out.height; ++y) {
      const uint8_t* src = bm.pitch >= 0 ? bm.buffer + int64_t{y} * bm.pitch
                                         : bm.buffer + int64_t{out.height - 1 - y} * -bm.pitch;
      std::memcpy(dst + int64_t{y} * out.stride, src, size_t(out.width));
    }
    out.image = pixman_image_create_bits(PIXMAN_a8, out.width, out.height, out.bits.data(), out.stride);
  }
};

TGlyphPicture::~TGlyphPicture() {
  if (image) pixman_image_unref(image);
}

namespace {

// Builds a realised font; throws EOutOfResources when no face can be opened.
std::shared_ptr<TRealFont> Build(const std::shared_ptr<TFontSystem>& system, const TFont& font) {
  TFontSystem& sys = *system;
  auto impl = std::make_unique<TRealFont::Impl>();
  impl->system = system;
  impl->bold = font.Style.Bold;
  impl->italic = font.Style.Italic;

  int height = font.Height == 0 ? kDefaultCellHeight : std::clamp(font.Height, -kMaxFontPixels, kMaxFontPixels);

  std::string_view name = Trim(font.Name);
  // A family of that name wins over the alias (the real face, when installed).
  std::string family = sys.FontconfigFamily(name) ? std::string(name) : sys.AliasTarget(name);
  TFaceChoice choice;
  bool found = !family.empty() && sys.Match(family, impl->bold, impl->italic, choice);
  if (!found) found = sys.Match(kDefaultFontFamily, impl->bold, impl->italic, choice);
  if (!found) found = sys.MatchLang("sans-serif", nullptr, impl->bold, impl->italic, choice);
  if (!found) throw EOutOfResources("no font face can be found for \"" + font.Name + "\"");

  // Opens the face once to read its tables (its size comes after the metrics).
  auto open = [&](const TFaceChoice& c) { return OpenFace(sys.Library(), c, 16); };
  FtFacePtr face = open(choice);
  if (!face && choice.family != kDefaultFontFamily && sys.Match(kDefaultFontFamily, impl->bold, impl->italic, choice))
    face = open(choice);  // an unreadable file gives way to the default face
  if (!face) throw EOutOfResources("font file cannot be opened: " + choice.file);

  uint8_t requested = font.Charset;
  if (!HasSymbolMap(face.get()) && CharsetEntry(requested) && requested != ANSI_CHARSET &&
      !FaceSupports(face.get(), requested)) {
    TFaceChoice other;
    if (sys.MatchLang(GenericOf(choice.family), CharsetEntry(requested)->lang, impl->bold, impl->italic, other)) {
      FtFacePtr f2 = open(other);
      if (f2 && FaceSupports(f2.get(), requested)) {
        face = std::move(f2);
        choice = other;
      }
    }
  }

  FT_Face f = face.get();
  // A face whose only usable map is the symbol map is a symbol face
  // (OpenFace selected the Unicode map when there is one).
  bool symbol = f->charmap && f->charmap->encoding == FT_ENCODING_MS_SYMBOL;

  // ---- metrics (see the comment at the top of this file)
  auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
  auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(f, FT_SFNT_HHEA));
  auto* post = static_cast<TT_Postscript*>(FT_Get_Sfnt_Table(f, FT_SFNT_POST));
  int upem = f->units_per_EM > 0 ? f->units_per_EM : 1000;
  bool hasOs2 = os2 && os2->version != 0xFFFF;
  int winA = hasOs2 ? os2->usWinAscent : f->ascender;
  int winD = hasOs2 ? os2->usWinDescent : -f->descender;
  if (winA + winD <= 0) winA = upem * 4 / 5, winD = upem / 5;
  int cell = winA + winD;
  int hAsc = hhea ? hhea->Ascender : f->ascender;
  int hDesc = hhea ? hhea->Descender : f->descender;
  int lineGap = hhea ? hhea->Line_Gap : std::max(0, f->height - (f->ascender - f->descender));
  int awMax = hhea ? hhea->advance_Width_Max : f->max_advance_width;

  TTextMetric tm;
  int em;
  if (height < 0) {
    em = -height;
    tm.tmAscent = MulDiv(winA, em, upem);
    tm.tmDescent = MulDiv(winD, em, upem);
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
  } else {
    tm.tmHeight = height;
    tm.tmAscent = MulDiv(winA, height, cell);
    tm.tmDescent = height - tm.tmAscent;
    em = std::max(1, MulDiv(upem, height, cell));
  }
  tm.tmInternalLeading = tm.tmHeight - em;
  tm.tmExternalLeading = MulDiv(std::max(0, lineGap - (cell - (hAsc - hDesc))), em, upem);
  int xAvg = hasOs2 && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : upem / 2;
  tm.tmAveCharWidth = MulDiv(xAvg, em, upem);
  tm.tmMaxCharWidth = MulDiv(awMax, em, upem);
  bool synthBold = impl->bold && FaceWeight(f) < 600;
  bool synthItalic = impl->italic && !FaceItalic(f);
  if (synthBold) ++tm.tmAveCharWidth, ++tm.tmMaxCharWidth;
  tm.tmWeight = synthBold ? 700 : FaceWeight(f);
  tm.tmOverhang = 0;
  tm.tmItalic = impl->italic ? 255 : 0;
  tm.tmCharSet = RealisedCharset(f, symbol, requested);

  if (FT_IS_SCALABLE(f)) FT_Set_Pixel_Sizes(f, static_cast<FT_UInt>(em), static_cast<FT_UInt>(em));
  impl->em = em;

  // Decorations: the underline's top sits underlinePosition below the
  // baseline; the strike-out's top yStrikeoutPosition above it.
  int uThick = std::max(1, MulDiv(post ? post->underlineThickness : upem / 14, em, upem));
  int uTop = MulDiv(post ? -post->underlinePosition : upem / 10, em, upem);
  uTop = std::max(0, std::min(uTop, tm.tmDescent - uThick));
  int sThick = std::max(1, MulDiv(hasOs2 && os2->yStrikeoutSize > 0 ? os2->yStrikeoutSize : upem / 14, em, upem));
  int sPos = MulDiv(hasOs2 && os2->yStrikeoutPosition > 0 ? os2->yStrikeoutPosition : upem / 4, em, upem);
  int sTop = -std::max(sThick, std::min(sPos, tm.tmAscent));

  TRealFont::Impl::Face own;
  own.face = std::move(face);
  own.family = choice.family;
  own.file = choice.file;
  own.index = choice.index;
  own.synthBold = synthBold;
  own.synthItalic = synthItalic;
  own.symbol = symbol;
  own.hdmx = HdmxWidths(f, em);
  impl->faces.push_back(std::move(own));

  return std::make_shared<TRealFont>(std::move(impl), tm, em, TRealFont::TDecorations{uTop, uThick, sTop, sThick});
}

}  // namespace

// ---- TRealFont

TRealFont::TRealFont(std::unique_ptr<Impl> impl, const TTextMetric& metrics, int em, const TDecorations& d)
    : impl_(std::move(impl)), metrics_(metrics), em_(em), deco_(d) {}
TRealFont::~TRealFont() = default;

const std::string& TRealFont::Family() const { return impl_->faces[0].family; }
const std::string& TRealFont::File() const { return impl_->faces[0].file; }
bool TRealFont::SynthesisedBold() const { return impl_->faces[0].synthBold; }
bool TRealFont::SynthesisedItalic() const { return impl_->faces[0].synthItalic; }
bool TRealFont::SymbolFace() const { return impl_->faces[0].symbol; }

int TRealFont::ResolveAdvance(char32_t c) {
  int32_t a = impl_->Resolve(c).advance;
  if (c < 0x10000) {
    auto& page = pages_[c >> 8];
    if (!page) {
      page.reset(new int32_t[256]);
      std::fill(page.get(), page.get() + 256, -1);
    }
    page[c & 0xFF] = a;
  } else if (farAdvances_.size() < kMaxCachedRefs) {
    farAdvances_.try_emplace(c, a);
  }
  return a;
}

std::string TRealFont::FamilyFor(char32_t c) {
  const Impl::Ref& r = impl_->Resolve(c);
  return impl_->faces[r.face].family;
}

const TGlyphPicture* TRealFont::Picture(char32_t c) { return impl_->Picture(c); }

int64_t TRealFont::Width(std::u16string_view text, const TTextSpacing& sp) {
  int64_t sum = 0;
  const size_t n = text.size();
  if (sp.Plain()) {
    for (size_t i = 0; i < n; ++i) {
      char32_t c = text[i];
      if (c - 0xD800u < 0x800u) {
        int units;
        c = CodePointAt(text, i, units);
        i += size_t(units - 1);
      }
      sum += Advance(c);
    }
    return sum;
  }
  ForEachAdvance(text, sp, [&](size_t, int, char32_t, int a) { sum += a; });
  return sum;
}

int TRealFont::Advances(std::u16string_view text, const TTextSpacing& sp, int* out) {
  int breaks = 0;
  ForEachAdvance(text, sp, [&](size_t i, int units, char32_t c, int a) {
    out[i] = a;
    if (units == 2) out[i + 1] = 0;
    if (c == u' ') ++breaks;
  });
  return breaks;
}

// ---- caches and the public functions

TRealFont& RealizedFont(const TFont& font) {
  // The last few descriptions, so that layout switching between the fonts
  // of a few runs does not reach the cache's map.
  struct Recent {
    std::string name;
    int height = 0;
    bool bold = false, italic = false;
    uint8_t charset = 0;
    std::shared_ptr<TRealFont> font;
  };
  constexpr size_t kRecent = 8;
  thread_local Recent recent[kRecent];
  thread_local size_t next = 0;
  for (Recent& r : recent)
    if (r.font && r.height == font.Height && r.bold == font.Style.Bold && r.italic == font.Style.Italic &&
        r.charset == font.Charset && r.name == font.Name)
      return *r.font;
  Recent& r = recent[next];
  next = (next + 1) % kRecent;
  r.font = RealizeFont(font);
  r.name = font.Name;
  r.height = font.Height;
  r.bold = font.Style.Bold;
  r.italic = font.Style.Italic;
  r.charset = font.Charset;
  return *r.font;
}

std::shared_ptr<TRealFont> RealizeFont(const TFont& font) {
  thread_local TFontCache cache;
  TFontCache::Key key{Lower(Trim(font.Name)), font.Height, font.Style.Bold, font.Style.Italic, font.Charset};
  auto it = cache.index.find(key);
  if (it != cache.index.end()) {
    cache.lru.splice(cache.lru.begin(), cache.lru, it->second);
    return it->second->second;
  }
  std::shared_ptr<TRealFont> real = Build(ThreadSystem(), font);
  cache.lru.emplace_front(key, real);
  cache.index[key] = cache.lru.begin();
  if (cache.lru.size() > kRealFontCacheSize) {
    cache.index.erase(cache.lru.back().first);
    cache.lru.pop_back();
  }
  return real;
}

std::shared_ptr<TRealFont> RealizeFontWithConfig(const TFont& font, const std::string& configFile) {
  auto system = std::make_shared<TFontSystem>(&configFile);
  return Build(system, font);
}

const std::vector<std::string>& InstalledFonts() { return System().Installed(); }

bool IsFontInstalled(std::string_view name) { return System().Installed(Trim(name)); }

std::string FontAliasTarget(std::string_view name) { return System().AliasTarget(Trim(name)); }

}  // namespace plat
