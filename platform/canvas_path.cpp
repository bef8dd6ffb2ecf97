// Paths: figures recorded by MoveTo / LineTo / Polyline between BeginPath
// and EndPath, stroked as a whole by StrokePath.
#include <utility>
#include <vector>

#include "platform/canvas.h"

namespace plat {

void TCanvas::RecordFigure(const TPoint* points, int count, bool closed) {
  if (!points || count < 1) return;
  PathFigure f;
  f.points.assign(points, points + count);
  f.closed = closed;
  path_.figures.push_back(std::move(f));
  path_.extending = false;
}

void TCanvas::BeginPath() {
  path_ = Path{};
  path_.open = true;
}

void TCanvas::CloseFigure() {
  if (!path_.open || !path_.extending || path_.figures.empty()) return;
  PathFigure& f = path_.figures.back();
  if (f.points.size() < 2) return;
  f.closed = true;
  path_.extending = false;  // the next LineTo starts a new figure
}

void TCanvas::EndPath() {
  if (!path_.open) return;
  path_.open = false;
  path_.ended = true;
  path_.extending = false;
}

void TCanvas::AbortPath() { path_ = Path{}; }

void TCanvas::StrokePath() {
  // Like the classic call, this needs a path finished by EndPath.
  if (path_.open || !path_.ended) return;
  Path path = std::move(path_);
  path_ = Path{};
  // All figures are painted as one set, so where they meet pixels paint
  // once; their boxes are gathered and made into one region.
  const TRect area = DrawableRegion().Box();
  std::vector<TRect> ink, gaps;
  for (const PathFigure& f : path.figures)
    if (f.points.size() >= 2)
      StrokeBoxes(f.points.data(), static_cast<int>(f.points.size()), f.closed, area, ink, gaps);
  PaintPen(MakePenPixels(ink, gaps));
}

}  // namespace plat
