// Renders a picture of the canvas's primitives to a PNG file.
#include <cstdio>
#include <exception>

#include "platform/argb_image.h"
#include "platform/canvas.h"
#include "platform/png.h"

using namespace plat;

namespace {

void Shapes(TCanvas& c) {
  c.FillRect({10, 10, 110, 60}, clNavy);
  c.FillRect({20, 20, 60, 50}, clYellow);
  c.Brush().Color = clRed;
  c.FrameRect({120, 10, 200, 60});
  c.DrawFocusRect({210, 10, 300, 60});

  c.Pen() = TPen{};
  c.Brush() = {clLime, TBrushStyle::bsSolid};
  c.Rectangle(10, 70, 60, 110);
  c.Brush().Color = clAqua;
  c.Ellipse(70, 70, 120, 110);
  c.Brush().Color = clFuchsia;
  c.Polygon({{130, 110}, {155, 70}, {180, 110}});
  // List markers: a disc and a ring.
  c.Brush().Color = clBlack;
  c.Ellipse(190, 80, 195, 85);
  c.Brush().Style = TBrushStyle::bsClear;
  c.Ellipse(200, 79, 207, 86);
  // A radio button: two arcs with a 2-pixel pen.
  c.Pen().Width = 2;
  c.Pen().Color = clBtnShadow;
  c.Arc(220, 75, 234, 89, 234, 75, 220, 89);
  c.Pen().Color = clSilver;
  c.Arc(220, 75, 234, 89, 220, 89, 234, 75);
  c.Pen() = TPen{};
  for (int i = 0; i < 5; ++i) {
    c.MoveTo(250 + i * 12, 70);
    c.LineTo(250 + i * 12 + 8, 110);
  }
}

void Borders(TCanvas& c) {
  // Dotted and dashed border sides stroked as closed paths.
  const int widths[] = {1, 2, 5};
  for (int i = 0; i < 3; ++i) {
    int x = 10 + i * 100, w = widths[i];
    for (int dashed = 0; dashed < 2; ++dashed) {
      int y = 125 + dashed * 35;
      c.Pen() = ExtCreatePen(PS_GEOMETRIC | (dashed ? PS_DASH | PS_ENDCAP_SQUARE : PS_DOT) | PS_JOIN_MITER, w,
                             dashed ? clMaroon : clBlue);
      c.BeginPath();
      c.MoveTo(x + w / 2, y + w / 2);
      c.LineTo(x + 90 - w / 2, y + w / 2);
      c.LineTo(x + 90 - w / 2, y + 28 - w / 2);
      c.LineTo(x + w / 2, y + 28 - w / 2);
      c.CloseFigure();
      c.EndPath();
      c.StrokePath();
    }
  }
  c.Pen() = TPen{};
}

void Blits(TCanvas& c) {
  // A stretched checker and an alpha gradient drawn source-over.
  TBitmap checker(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) checker.SetPixel(x, y, (x + y) % 2 ? clBlack : clWhite);
  c.SetStretchBltMode(COLORONCOLOR);
  c.StretchBlt(10, 200, 40, 40, checker.Canvas(), 0, 0, 4, 4, SRCCOPY);
  c.SetStretchBltMode(HALFTONE);
  c.StretchBlt(60, 200, 40, 40, checker.Canvas(), 0, 0, 4, 4, SRCCOPY);
  TArgbImage fade(64, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 64; ++x) fade.SetPixel(x, y, static_cast<uint8_t>(x * 4), 255, 0, 0);
  c.FillRect({110, 200, 310, 240}, clBlue);
  c.DrawArgb(fade, {110, 200, 310, 240}, {0, 0, 64, 16}, true);
}

}  // namespace

int main(int argc, char** argv) {
  const char* out = argc > 1 ? argv[1] : "demo.png";
  try {
    TBitmap bmp(320, 250);
    TCanvas& c = bmp.Canvas();
    c.FillRect({0, 0, 320, 250}, clBtnFace);
    Shapes(c);
    Borders(c);
    Blits(c);
    WritePng(bmp, out);
    std::printf("wrote %s\n", out);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "canvasdemo: %s\n", e.what());
    return 1;
  }
  return 0;
}
