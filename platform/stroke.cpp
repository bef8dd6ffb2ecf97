#include "platform/stroke.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace plat::stroke {

namespace {

using P = TPointF;

P Add(P a, P b) { return {a.x + b.x, a.y + b.y}; }
P Sub(P a, P b) { return {a.x - b.x, a.y - b.y}; }
P Scale(P a, double k) { return {a.x * k, a.y * k}; }
double Inner(P a, P b) { return a.x * b.x + a.y * b.y; }
double Cross(P a, P b) { return a.x * b.y - a.y * b.x; }
double Len(P a) { return std::hypot(a.x, a.y); }
P Perp(P d) { return {-d.y, d.x}; }
P Unit(P from, P to) {
  P d = Sub(to, from);
  double l = Len(d);
  return l > 0 ? Scale(d, 1 / l) : P{1, 0};
}

// Points closer than this are the same point; lengths below it are none.
constexpr double kSame = 1e-9;
bool Near(P a, P b) { return std::abs(a.x - b.x) <= kSame && std::abs(a.y - b.y) <= kSame; }

std::vector<P> WithoutRepeats(const std::vector<P>& pts, bool closed) {
  std::vector<P> out;
  out.reserve(pts.size());
  for (P p : pts)
    if (out.empty() || !Near(out.back(), p)) out.push_back(p);
  if (closed)
    while (out.size() > 1 && Near(out.front(), out.back())) out.pop_back();
  return out;
}

// Scan-converts the convex pieces of one stroke into `out`.
class TPainter {
 public:
  TPainter(const TStrokePen& pen, const TRect& area, std::vector<TRect>& out)
      : hw_(std::max(pen.width, 1) / 2.0), cap_(pen.cap), join_(pen.join), area_(area), out_(out) {}

  void Segment(P a, P b) {
    P n = Scale(Perp(Unit(a, b)), hw_);
    P q[4] = {Add(a, n), Add(b, n), Sub(b, n), Sub(a, n)};
    raster::FillConvex(q, 4, area_, out_);
  }

  // An end at `e`, the line arriving along `d`.
  void Cap(P e, P d) {
    if (cap_ == TEndCap::Round) {
      raster::FillDisc(e, hw_, area_, out_);
    } else if (cap_ == TEndCap::Square) {
      P n = Scale(Perp(d), hw_), f = Add(e, Scale(d, hw_));
      P q[4] = {Add(e, n), Add(f, n), Sub(f, n), Sub(e, n)};
      raster::FillConvex(q, 4, area_, out_);
    }
  }

  // A dash of no length at `c` on a line running along `d`: only its caps.
  void Dot(P c, P d) {
    if (cap_ == TEndCap::Round) {
      raster::FillDisc(c, hw_, area_, out_);
    } else if (cap_ == TEndCap::Square) {
      P u = Scale(d, hw_), n = Scale(Perp(d), hw_);
      P q[4] = {Add(Sub(c, u), n), Add(Add(c, u), n), Sub(Add(c, u), n), Sub(Sub(c, u), n)};
      raster::FillConvex(q, 4, area_, out_);
    }
  }

  // The join at `v` between a segment along d1 and the next along d2. The
  // segments' bands already cover the inner side; this fills the outer.
  void Join(P v, P d1, P d2) {
    double turn = Cross(d1, d2);
    if (std::abs(turn) < 1e-12 && Inner(d1, d2) > 0) return;  // straight on
    if (join_ == TLineJoin::Round) {
      raster::FillDisc(v, hw_, area_, out_);
      return;
    }
    double side = turn > 0 ? -1 : 1;  // the outer side's normal
    P n1 = Scale(Perp(d1), side), n2 = Scale(Perp(d2), side);
    P a = Add(v, Scale(n1, hw_)), b = Add(v, Scale(n2, hw_));
    if (join_ == TLineJoin::Mitre) {
      P m = Add(n1, n2);
      double ml = Len(m);
      if (ml > kSame) {
        m = Scale(m, 1 / ml);
        double cosHalf = Inner(m, n1);
        if (cosHalf * kMitreLimit >= 1) {
          P q[4] = {v, a, Add(v, Scale(m, hw_ / cosHalf)), b};
          raster::FillConvex(q, 4, area_, out_);
          return;
        }
      }
    }
    P t[3] = {v, a, b};
    raster::FillConvex(t, 3, area_, out_);
  }

  // An open polyline without repeated points; one point is a dot along `dir`.
  void Open(const std::vector<P>& pts, P dir) {
    size_t n = pts.size();
    if (n == 0) return;
    if (n == 1) {
      Dot(pts[0], dir);
      return;
    }
    for (size_t i = 0; i + 1 < n; ++i) Segment(pts[i], pts[i + 1]);
    for (size_t i = 1; i + 1 < n; ++i) Join(pts[i], Unit(pts[i - 1], pts[i]), Unit(pts[i], pts[i + 1]));
    Cap(pts[0], Unit(pts[1], pts[0]));
    Cap(pts[n - 1], Unit(pts[n - 2], pts[n - 1]));
  }

  // A closed polyline without repeated points (the last not equal to the first).
  void Closed(const std::vector<P>& pts) {
    size_t n = pts.size();
    if (n < 2) return;
    for (size_t i = 0; i < n; ++i) Segment(pts[i], pts[(i + 1) % n]);
    for (size_t i = 0; i < n; ++i)
      Join(pts[i], Unit(pts[(i + n - 1) % n], pts[i]), Unit(pts[i], pts[(i + 1) % n]));
  }

  size_t Painted() const { return out_.size(); }

  // The pixel containing `p`, when it is in the area.
  void AddPixel(P p) {
    if (!(p.x >= area_.Left && p.x < area_.Right && p.y >= area_.Top && p.y < area_.Bottom)) return;
    int x = static_cast<int>(std::floor(p.x)), y = static_cast<int>(std::floor(p.y));
    out_.push_back({x, y, x + 1, y + 1});
  }

 private:
  double hw_;
  TEndCap cap_;
  TLineJoin join_;
  TRect area_;
  std::vector<TRect>& out_;
};

struct TBox {
  double left, top, right, bottom;
};

// The part [t0, t1] of the segment a + t (b - a), 0 <= t <= 1, inside the box.
bool ClipSegment(P a, P b, const TBox& box, double& t0, double& t1) {
  t0 = 0;
  t1 = 1;
  P d = Sub(b, a);
  auto side = [&](double p, double q) {  // keeps the t with p t <= q
    if (p == 0) return q >= 0;
    double r = q / p;
    if (p < 0) {
      if (r > t1) return false;
      t0 = std::max(t0, r);
    } else {
      if (r < t0) return false;
      t1 = std::min(t1, r);
    }
    return true;
  };
  return side(-d.x, a.x - box.left) && side(d.x, box.right - a.x) && side(-d.y, a.y - box.top) &&
         side(d.y, box.bottom - a.y);
}

struct TDash {
  std::vector<P> pts;
  P dir{1, 0};             // the line's direction where the dash starts
  bool fromStart = false;  // begins at the figure's first point
  bool toEnd = false;      // runs unbroken to the figure's last point
};

// Cuts the polyline into dashes by `pattern` (lengths along the line,
// alternately on and off). Only the parts inside `clip` are walked: before
// each visible stretch the pattern's phase is found from the distance
// travelled, so a line millions of pixels long costs what its visible
// part costs. Answers true when the figure is closed and one dash covers
// all of it (it is then stroked as a closed solid figure).
bool SplitIntoDashes(const std::vector<P>& pts, bool closed, const std::vector<double>& pattern,
                     const TBox& clip, std::vector<TDash>& dashes) {
  struct TSeg {
    P a, b, d;
    double len, s0;
  };
  std::vector<TSeg> segs;
  double total = 0;
  size_t n = pts.size();
  size_t count = closed ? n : n - 1;
  for (size_t i = 0; n > 0 && i < count; ++i) {
    P a = pts[i], b = pts[(i + 1) % n];
    double len = Len(Sub(b, a));
    if (len <= kSame) continue;
    segs.push_back({a, b, Scale(Sub(b, a), 1 / len), len, total});
    total += len;
  }
  const size_t m = pattern.size();
  const double period = std::accumulate(pattern.begin(), pattern.end(), 0.0);
  constexpr double kEps = 1e-7;

  size_t idx = 0;
  double remain = pattern[0];
  TDash cur;
  bool open = false, continuous = true;
  auto finish = [&](bool toEnd) {
    if (!open) return;
    cur.toEnd = toEnd;
    dashes.push_back(std::move(cur));
    cur = TDash{};
    open = false;
  };
  auto setPhase = [&](double s) {
    double ph = std::fmod(s, period);
    if (ph < 0) ph += period;
    idx = 0;
    for (size_t guard = 0; guard < 2 * m && ph >= pattern[idx]; ++guard) {
      ph -= pattern[idx];
      idx = (idx + 1) % m;
    }
    remain = std::max(0.0, pattern[idx] - ph);
  };

  for (size_t k = 0; k < segs.size(); ++k) {
    const TSeg& g = segs[k];
    double t0 = 0, t1 = 1;
    if (!ClipSegment(g.a, g.b, clip, t0, t1)) {
      finish(false);
      continuous = false;
      continue;
    }
    double sIn = g.s0 + t0 * g.len, sOut = g.s0 + t1 * g.len;
    if (t0 > 0 || !continuous) {
      finish(false);
      setPhase(sIn);
    }
    auto at = [&](double s) { return Add(g.a, Scale(g.d, s - g.s0)); };
    double pos = sIn;
    for (;;) {
      bool on = idx % 2 == 0;
      double left = sOut - pos;
      // A dash starting right at the segment's end starts on the next one.
      if (on && !open && (left > kEps || remain <= kEps)) {
        open = true;
        cur.pts.push_back(at(pos));
        cur.dir = g.d;
        cur.fromStart = k == 0 && pos <= kEps;
      }
      if (remain > left + kEps) {
        remain -= left;
        break;
      }
      pos = std::min(pos + remain, sOut);
      if (on && open) {
        cur.pts.push_back(at(pos));
        finish(false);
      }
      idx = (idx + 1) % m;
      remain = pattern[idx];
    }
    if (open) {
      if (t1 >= 1) {
        cur.pts.push_back(g.b);  // goes on into the next segment, joined there
      } else {
        cur.pts.push_back(at(sOut));
        finish(false);
      }
    }
    continuous = t1 >= 1;
  }
  finish(continuous);

  if (!closed || dashes.empty()) return false;
  TDash& first = dashes.front();
  TDash& last = dashes.back();
  if (dashes.size() == 1) return first.fromStart && first.toEnd;
  // A dash running into the first point goes on into the first dash.
  if (first.fromStart && last.toEnd && WithoutRepeats(first.pts, false).size() >= 2 &&
      WithoutRepeats(last.pts, false).size() >= 2) {
    last.pts.insert(last.pts.end(), first.pts.begin() + 1, first.pts.end());
    dashes.erase(dashes.begin());
  }
  return false;
}

}  // namespace

std::vector<double> GeometricPattern(TPenStyle style, int width) {
  double w = std::max(width, 1);
  switch (style) {
    case TPenStyle::psDot: return {w, w};
    case TPenStyle::psDash: return {3 * w, w};
    case TPenStyle::psDashDot: return {3 * w, w, w, w};
    case TPenStyle::psDashDotDot: return {3 * w, w, w, w, w, w};
    default: return {};
  }
}

void StrokePolyline(const std::vector<TPointF>& points, bool closed, const TStrokePen& pen, const TRect& area,
                    std::vector<TRect>& out) {
  if (area.IsEmpty() || points.empty()) return;
  int width = std::max(pen.width, 1);
  // Pixel centres to pixel space; an even band moves up-left by half a pixel.
  double shift = width % 2 ? 0.5 : 0.0;
  std::vector<P> pts;
  pts.reserve(points.size());
  for (P p : points) pts.push_back({p.x + shift, p.y + shift});
  pts = WithoutRepeats(pts, closed);
  TPainter painter(pen, area, out);

  // The visible lengths become lengths along the line: extending caps
  // take their share from the dash, so that gaps keep their size.
  std::vector<double> pattern;
  if (pen.pattern.size() >= 2 && pen.pattern.size() % 2 == 0) {
    double ext = pen.cap == TEndCap::Flat ? 0 : width;
    for (size_t i = 0; i < pen.pattern.size(); i += 2) {
      double on = std::max(pen.pattern[i], 0.0), off = std::max(pen.pattern[i + 1], 0.0);
      double taken = std::min(on, ext);
      pattern.push_back(on - taken);
      pattern.push_back(off + taken);
    }
    if (std::accumulate(pattern.begin(), pattern.end(), 0.0) < 1) pattern.clear();
  }

  if (pattern.empty()) {
    if (pts.size() < 2) return;
    if (closed)
      painter.Closed(pts);
    else
      painter.Open(pts, {1, 0});
    return;
  }

  double reach = width / 2.0 * kMitreLimit + 2;
  TBox clip{area.Left - reach, area.Top - reach, area.Right + reach, area.Bottom + reach};
  std::vector<TDash> dashes;
  if (SplitIntoDashes(pts, closed, pattern, clip, dashes)) {
    painter.Closed(pts);
    return;
  }
  for (const TDash& d : dashes) {
    std::vector<P> dash = WithoutRepeats(d.pts, false);
    if (dash.empty()) continue;
    size_t before = painter.Painted();
    painter.Open(dash, d.dir);
    if (painter.Painted() == before) {
      P c = dash.size() == 1 ? dash[0] : Scale(Add(dash[0], dash[1]), 0.5);
      painter.AddPixel(c);
    }
  }
}

}  // namespace plat::stroke
