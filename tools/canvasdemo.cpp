// Renders a picture of the canvas's primitives to a PNG file.
#include <cstdio>
#include <exception>

#include "platform/canvas.h"
#include "platform/png.h"

using namespace plat;

int main(int argc, char** argv) {
  const char* out = argc > 1 ? argv[1] : "demo.png";
  try {
    TBitmap bmp(320, 200);
    TCanvas& c = bmp.Canvas();
    c.FillRect({0, 0, 320, 200}, clBtnFace);
    c.FillRect({10, 10, 110, 60}, clNavy);
    c.FillRect({20, 20, 60, 50}, clYellow);
    c.Brush().Color = clRed;
    c.FrameRect({120, 10, 200, 60});
    c.DrawFocusRect({210, 10, 300, 60});
    WritePng(bmp, out);
    std::printf("wrote %s\n", out);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "canvasdemo: %s\n", e.what());
    return 1;
  }
  return 0;
}
