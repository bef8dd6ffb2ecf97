// htmlsnap: renders a document to PNG the way the display shows it,
// without a display.
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "host/command_line.h"
#include "host/html_form.h"
#include "host/snapshot_renderer.h"
#include "platform/canvas.h"
#include "platform/png.h"

namespace {

void Usage() {
  std::fprintf(stderr,
               "usage: htmlsnap [--width W | --window WxH] [--background COLOR] [--first] [-o OUT.png] FILE|-\n"
               "  --width W       the whole document as a W-wide window shows it (default 800)\n"
               "  --window WxH    exactly the window's picture, background and bottom alignment included\n"
               "  --background C  the window's colour, as the display's fifth parameter (default $00FFFFFF)\n"
               "  --first         as the first document after start-up (inside the focus border)\n"
               "  -o OUT.png      the output file (default: FILE with .png, or snap.png for -)\n");
}

bool ReadInput(const std::string& name, std::string& text) {
  if (name == "-") {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return true;
  }
  std::ifstream in(name, std::ios::binary);
  if (!in) return false;
  std::ostringstream ss;
  ss << in.rdbuf();
  text = ss.str();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int width = 800, windowW = 0, windowH = 0;
  bool windowMode = false, first = false;
  std::string background = "$00FFFFFF", out, input;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&](const char* what) -> std::string {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "htmlsnap: %s needs a value\n", what);
        std::exit(2);
      }
      return argv[++i];
    };
    try {
      if (a == "--width") {
        width = host::StrToInt(value("--width"));
      } else if (a == "--window") {
        std::string v = value("--window");
        size_t x = v.find('x');
        if (x == std::string::npos) throw host::EHostError("EConvertError", "'" + v + "' is not WIDTHxHEIGHT");
        windowW = host::StrToInt(v.substr(0, x));
        windowH = host::StrToInt(v.substr(x + 1));
        windowMode = true;
      } else if (a == "--background") {
        background = value("--background");
        host::StrToInt(background);
      } else if (a == "--first") {
        first = true;
      } else if (a == "-o") {
        out = value("-o");
      } else if (a == "-h" || a == "--help") {
        Usage();
        return 0;
      } else if (a.size() > 1 && a[0] == '-') {
        std::fprintf(stderr, "htmlsnap: unknown option %s\n", a.c_str());
        Usage();
        return 2;
      } else if (input.empty()) {
        input = a;
      } else {
        Usage();
        return 2;
      }
    } catch (const host::EHostError& e) {
      std::fprintf(stderr, "htmlsnap: %s\n", e.what());
      return 2;
    }
  }
  if (input.empty()) {
    Usage();
    return 2;
  }
  if (width < 1 || width > 30000 || (windowMode && (windowW < 1 || windowH < 1 || windowW > 30000 || windowH > 30000))) {
    std::fprintf(stderr, "htmlsnap: sizes must be between 1 and 30000\n");
    return 2;
  }
  std::string html;
  if (!ReadInput(input, html)) {
    std::fprintf(stderr, "htmlsnap: cannot read %s\n", input.c_str());
    return 1;
  }
  if (out.empty()) {
    if (input == "-") {
      out = "snap.png";
    } else {
      size_t dot = input.find_last_of('.');
      size_t slash = input.find_last_of('/');
      out = (dot != std::string::npos && (slash == std::string::npos || dot > slash) ? input.substr(0, dot) : input) + ".png";
    }
  }

  try {
    host::TSnapshotRenderer renderer;
    plat::TBitmap picture;
    if (windowMode) {
      // The display itself, fed the document (twice, unless the first
      // document's picture is asked for), its window painted headless.
      host::THtmlForm form(
          [&](const std::string& text, int w, int& h) { return renderer.RenderHtmlToBitmap(text, w, h); },
          "/dev/null");
      std::string failure;
      form.OnError = [&](const std::string&, const std::string& message) { failure = message; };
      form.FormCreate(host::TCommandLine({"htmlscrn", "0", "0", std::to_string(windowW), std::to_string(windowH), background}));
      for (int round = 0; round < (first ? 1 : 2); ++round)
        if (!form.WMCopyData(host::HtmlCopyDataId, html)) throw std::runtime_error(failure);
      picture = form.WindowPicture();
    } else {
      int h = 0;
      if (!first) renderer.RenderHtmlToBitmap(html, width + 1, h);
      plat::TBitmap full = renderer.RenderHtmlToBitmap(html, width + 1, h);
      picture = plat::TBitmap(width, full.Height());
      if (!picture.Empty()) picture.Canvas().BitBlt(0, 0, width, full.Height(), full.Canvas(), 0, 0, plat::SRCCOPY);
    }
    if (picture.Empty()) picture = plat::TBitmap(std::max(1, picture.Width()), 1);
    plat::WritePng(picture, out);
    std::printf("%s: %d x %d\n", out.c_str(), picture.Width(), picture.Height());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "htmlsnap: %s\n", e.what());
    return 1;
  }
  return 0;
}
