#pragma once
// The outline a wide or geometric pen paints along a polyline: a band of
// the pen's width around each segment, joins at the vertices, caps at the
// ends, the whole optionally cut into dashes. Each piece is convex and is
// scan-converted on its own; the pieces' union is what the pen paints, so
// overlaps (inside corners, crossings) paint once.
//
// Points are pixel centres in device units: the point (x, y) is the
// centre of pixel (x, y). An odd width w then covers exactly w whole
// pixels across a horizontal line; for an even width the band is moved
// half a pixel up and left so that it too covers exactly w pixels (the
// first w/2 above / left of the line and w/2 - 1 below / right of it).
#include <vector>

#include "platform/canvas.h"
#include "platform/raster.h"

namespace plat::stroke {

using raster::TPointF;

// The mitre of a join is cut to a bevel when its tip lies further than this
// many half-widths from the vertex.
constexpr double kMitreLimit = 10;

struct TStrokePen {
  int width = 1;  // pixels; values below 1 count as 1
  TEndCap cap = TEndCap::Round;
  TLineJoin join = TLineJoin::Round;
  // Visible lengths, alternately dash and gap, starting with a dash; the
  // caps are part of a dash's length. Empty for a solid line.
  std::vector<double> pattern;
};

// The dash pattern of a geometric pen (visible lengths, scaled by the
// width w): dot = a dot w long every 2w (a round dot of diameter w with
// round caps); dash = 3w on, w off; dash-dot = 3w, w, w, w; dash-dot-dot =
// 3w, w, w, w, w, w. Solid and inside-frame styles have none.
std::vector<double> GeometricPattern(TPenStyle style, int width);

// Appends the pixels of `area` painted by the pen along the polyline;
// `closed` joins the last point back to the first (joins there, no caps).
// Each dash paints at least one pixel when its place is within the area.
void StrokePolyline(const std::vector<TPointF>& points, bool closed, const TStrokePen& pen, const TRect& area,
                    std::vector<TRect>& out);

}  // namespace plat::stroke
