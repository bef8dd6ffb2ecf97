// Prints how a font description realises: the face asked for, the family
// and file used, the text metrics, and the extent of a text.
//   fontinfo FACE HEIGHT [--bold] [--italic] [TEXT]
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "platform/canvas.h"
#include "platform/font_face.h"

using namespace plat;

namespace {

int Usage(const char* why) {
  std::fprintf(stderr,
               "fontinfo: %s\n"
               "usage: fontinfo FACE HEIGHT [--bold] [--italic] [TEXT]\n"
               "  FACE    face name, e.g. \"Times New Roman\"\n"
               "  HEIGHT  pixels: negative for the em height, positive for the cell height, 0 the default\n"
               "  TEXT    UTF-8 text whose extent is printed\n",
               why);
  return 2;
}

// UTF-8 to UTF-16; malformed bytes become U+FFFD.
std::u16string Utf16(const std::string& s) {
  std::u16string out;
  for (size_t i = 0; i < s.size();) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    int n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    char32_t c = n == 1 ? b : n == 2 ? b & 0x1F : n == 3 ? b & 0x0F : b & 0x07;
    bool ok = n > 0 && i + size_t(n) <= s.size();
    for (int k = 1; ok && k < n; ++k) {
      unsigned char t = static_cast<unsigned char>(s[i + size_t(k)]);
      ok = (t & 0xC0) == 0x80;
      c = c << 6 | (t & 0x3F);
    }
    if (!ok || c > 0x10FFFF) {
      out.push_back(u'\xFFFD');
      ++i;
      continue;
    }
    if (c >= 0x10000) {
      out.push_back(char16_t(0xD800 + ((c - 0x10000) >> 10)));
      out.push_back(char16_t(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      out.push_back(char16_t(c));
    }
    i += size_t(n);
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage("FACE and HEIGHT are needed");
  TFont font;
  font.Name = argv[1];
  errno = 0;
  char* end = nullptr;
  long height = std::strtol(argv[2], &end, 10);
  if (errno != 0 || end == argv[2] || *end != '\0' || height < -100000 || height > 100000)
    return Usage("HEIGHT must be an integer");
  font.Height = static_cast<int>(height);
  std::string text;
  bool haveText = false;
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--bold") == 0) {
      font.Style.Bold = true;
    } else if (std::strcmp(argv[i], "--italic") == 0) {
      font.Style.Italic = true;
    } else if (std::strncmp(argv[i], "--", 2) == 0) {
      return Usage((std::string("unknown option ") + argv[i]).c_str());
    } else if (haveText) {
      return Usage("only one TEXT may be given");
    } else {
      text = argv[i];
      haveText = true;
    }
  }
  try {
    std::shared_ptr<TRealFont> real = RealizeFont(font);
    TBitmap bmp(1, 1);
    TCanvas& c = bmp.Canvas();
    c.Font() = font;
    TTextMetric tm;
    c.GetTextMetrics(tm);
    std::printf("requested:         \"%s\" %d%s%s (%s)\n", font.Name.c_str(), font.Height,
                font.Style.Bold ? " bold" : "", font.Style.Italic ? " italic" : "",
                IsFontInstalled(font.Name) ? "installed" : "not installed");
    std::printf("family:            %s\n", real->Family().c_str());
    std::printf("file:              %s\n", real->File().c_str());
    std::printf("synthesised:       %s%s%s\n", real->SynthesisedBold() ? "bold " : "",
                real->SynthesisedItalic() ? "italic " : "",
                real->SynthesisedBold() || real->SynthesisedItalic() ? "" : "nothing");
    std::printf("em pixels:         %d\n", real->EmPixels());
    std::printf("tmHeight:          %d\n", tm.tmHeight);
    std::printf("tmAscent:          %d\n", tm.tmAscent);
    std::printf("tmDescent:         %d\n", tm.tmDescent);
    std::printf("tmInternalLeading: %d\n", tm.tmInternalLeading);
    std::printf("tmExternalLeading: %d\n", tm.tmExternalLeading);
    std::printf("tmAveCharWidth:    %d\n", tm.tmAveCharWidth);
    std::printf("tmMaxCharWidth:    %d\n", tm.tmMaxCharWidth);
    std::printf("tmWeight:          %d\n", tm.tmWeight);
    std::printf("tmOverhang:        %d\n", tm.tmOverhang);
    std::printf("tmItalic:          %d\n", tm.tmItalic);
    std::printf("tmCharSet:         %d\n", tm.tmCharSet);
    std::printf("underline:         row %d below the baseline, %d thick\n", real->UnderlineTop(),
                real->UnderlineThickness());
    std::printf("strike-out:        row %d above the baseline, %d thick\n", -real->StrikeOutTop(),
                real->StrikeOutThickness());
    if (haveText) {
      std::u16string t = Utf16(text);
      TSize s = c.GetTextExtentPoint32W(t);
      std::printf("extent of \"%s\": %d x %d\n", text.c_str(), s.cx, s.cy);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "fontinfo: %s\n", e.what());
    return 1;
  }
  return 0;
}
