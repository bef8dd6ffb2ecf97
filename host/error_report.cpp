#include "host/error_report.h"

#include <algorithm>

#include "host/screen_file.h"
#include "platform/canvas.h"
#include "platform/codepage.h"

namespace host {

plat::TBitmap RenderErrorReport(const std::string& text) {
  constexpr int kMargin = 16, kSign = 32, kMaxWidth = 640;
  plat::TBitmap measure(1, 1);
  plat::TCanvas& m = measure.Canvas();
  m.Font().Name = "MS Sans Serif";
  m.Font().Height = -13;
  std::vector<std::u16string> lines;
  int textWidth = 0;
  for (const auto& line : SplitLines(text)) {
    lines.push_back(plat::MultiByteToWideChar(plat::CP_ACP, line));
    textWidth = std::max(textWidth, m.TextWidth(lines.back()));
  }
  plat::TTextMetric tm;
  m.GetTextMetrics(tm);
  int lineHeight = std::max(tm.tmHeight, 1);
  int width = std::min(kMaxWidth, kMargin * 3 + kSign + textWidth);
  int height = kMargin * 2 + std::max(kSign, lineHeight * static_cast<int>(lines.size()));
  plat::TBitmap bitmap(width, height);
  plat::TCanvas& c = bitmap.Canvas();
  c.Font() = m.Font();
  c.FillRect({0, 0, width, height}, plat::clBtnFace);
  // The error sign: a red disc with a white cross.
  c.Pen() = plat::TPen{};
  c.Pen().Color = plat::clMaroon;
  c.Brush() = {plat::clRed, plat::TBrushStyle::bsSolid};
  c.Ellipse(kMargin, kMargin, kMargin + kSign, kMargin + kSign);
  c.Pen().Color = plat::clWhite;
  c.Pen().Width = 3;
  c.MoveTo(kMargin + 10, kMargin + 10);
  c.LineTo(kMargin + kSign - 10, kMargin + kSign - 10);
  c.MoveTo(kMargin + kSign - 10, kMargin + 10);
  c.LineTo(kMargin + 10, kMargin + kSign - 10);
  c.SetBkMode(plat::TRANSPARENT);
  c.SetTextColor(plat::clBtnText);
  int x = kMargin * 2 + kSign, y = kMargin;
  for (const auto& line : lines) {
    c.TextOut(x, y, line);
    y += lineHeight;
  }
  return bitmap;
}

}  // namespace host
