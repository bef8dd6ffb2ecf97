#include "platform/raster.h"

#include <algorithm>
#include <cmath>

namespace plat::raster {

namespace {

// `v` limited to [lo, hi] as an int; NaN goes to lo.
int Limit(double v, int lo, int hi) {
  if (!(v > lo)) return lo;
  if (v >= hi) return hi;
  return static_cast<int>(v);
}

// Rows y of `area` whose centre y + 0.5 lies in [y0, y1).
void RowRange(double y0, double y1, const TRect& area, int& from, int& to) {
  from = Limit(std::ceil(y0 - 0.5), area.Top, area.Bottom);
  to = Limit(std::ceil(y1 - 0.5), area.Top, area.Bottom);
}

// Appends the pixels of row y whose centres lie in [x0, x1).
void AddSpan(double x0, double x1, int y, const TRect& area, std::vector<TRect>& out) {
  int a = Limit(std::ceil(x0 - 0.5), area.Left, area.Right);
  int b = Limit(std::ceil(x1 - 0.5), area.Left, area.Right);
  if (b > a) out.push_back({a, y, b, y + 1});
}

// An edge stored top to bottom, so that an edge shared by two shapes gives
// bit-identical crossings in both whichever way each shape runs along it.
struct TEdge {
  double x0, y0, x1, y1;
  int dir;
};

void AddEdge(std::vector<TEdge>& edges, TPointF a, TPointF b) {
  if (a.y == b.y) return;
  if (a.y < b.y)
    edges.push_back({a.x, a.y, b.x, b.y, 1});
  else
    edges.push_back({b.x, b.y, a.x, a.y, -1});
}

void FillEdges(std::vector<TEdge>& edges, TPolyFillMode mode, const TRect& area, std::vector<TRect>& out) {
  if (edges.empty() || area.IsEmpty()) return;
  std::sort(edges.begin(), edges.end(), [](const TEdge& l, const TEdge& r) { return l.y0 < r.y0; });
  double top = edges.front().y0, bottom = top;
  for (const TEdge& e : edges) bottom = std::max(bottom, e.y1);
  int from = 0, to = 0;
  RowRange(top, bottom, area, from, to);
  struct TCrossing {
    double x;
    int dir;
  };
  std::vector<const TEdge*> active;
  std::vector<TCrossing> xs;
  size_t next = 0;
  for (int y = from; y < to; ++y) {
    double cy = y + 0.5;
    while (next < edges.size() && edges[next].y0 <= cy) active.push_back(&edges[next++]);
    active.erase(std::remove_if(active.begin(), active.end(), [cy](const TEdge* e) { return e->y1 <= cy; }),
                 active.end());
    xs.clear();
    for (const TEdge* e : active)
      xs.push_back({e->x0 + (cy - e->y0) * (e->x1 - e->x0) / (e->y1 - e->y0), e->dir});
    std::sort(xs.begin(), xs.end(), [](const TCrossing& l, const TCrossing& r) { return l.x < r.x; });
    int winding = 0;
    for (size_t k = 0; k + 1 < xs.size(); ++k) {
      winding += xs[k].dir;
      bool inside = mode == ALTERNATE ? k % 2 == 0 : winding != 0;
      if (inside) AddSpan(xs[k].x, xs[k + 1].x, y, area, out);
    }
  }
}

}  // namespace

void FillContours(const std::vector<std::vector<TPointF>>& contours, TPolyFillMode mode, const TRect& area,
                  std::vector<TRect>& out) {
  std::vector<TEdge> edges;
  for (const auto& c : contours) {
    if (c.size() < 3) continue;
    for (size_t i = 0; i < c.size(); ++i) AddEdge(edges, c[i], c[(i + 1) % c.size()]);
  }
  FillEdges(edges, mode, area, out);
}

void FillConvex(const TPointF* points, int count, const TRect& area, std::vector<TRect>& out) {
  if (!points || count < 3) return;
  std::vector<TEdge> edges;
  edges.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) AddEdge(edges, points[i], points[(i + 1) % count]);
  FillEdges(edges, WINDING, area, out);
}

void FillDisc(TPointF centre, double radius, const TRect& area, std::vector<TRect>& out) {
  if (!(radius > 0)) return;
  int from = 0, to = 0;
  RowRange(centre.y - radius, centre.y + radius, area, from, to);
  double r2 = radius * radius;
  for (int y = from; y < to; ++y) {
    double dy = y + 0.5 - centre.y;
    double h = std::sqrt(std::max(0.0, r2 - dy * dy));
    AddSpan(centre.x - h, centre.x + h, y, area, out);
  }
}

void FillEllipse(int64_t left, int64_t top, int64_t right, int64_t bottom, const TRect& area,
                 std::vector<TRect>& out) {
  int64_t w = right - left, h = bottom - top;
  if (w <= 0 || h <= 0 || area.IsEmpty()) return;
  // Worked in a frame relative to the box, so that the pixel set does not
  // depend on where the box lies.
  double rx = static_cast<double>(w) / 2.0, ry = static_cast<double>(h) / 2.0;
  int64_t yFrom = std::clamp<int64_t>(int64_t{area.Top} - top, 0, h);
  int64_t yTo = std::clamp<int64_t>(int64_t{area.Bottom} - top, 0, h);
  for (int64_t y = yFrom; y < yTo; ++y) {
    double dy = (static_cast<double>(y) + 0.5 - ry) / ry;
    double span = 1.0 - dy * dy;
    if (span < 0) continue;
    double half = rx * std::sqrt(span);
    double x0 = std::max(std::ceil(rx - half - 0.5), 0.0);
    double x1 = std::min(std::floor(rx + half - 0.5) + 1, static_cast<double>(w));
    if (x1 <= x0) continue;
    int a = Limit(static_cast<double>(left) + x0, area.Left, area.Right);
    int b = Limit(static_cast<double>(left) + x1, area.Left, area.Right);
    int row = static_cast<int>(top + y);
    if (b > a) out.push_back({a, row, b, row + 1});
  }
}

}  // namespace plat::raster
