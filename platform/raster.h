#pragma once
// Scan conversion in floating point for shapes whose coordinates may lie
// far outside the surface (documents give coordinates up to the 32-bit
// limits, and device = logical - origin can exceed them). Only the rows
// and columns of a given area are visited, so the cost follows what can be
// seen, not the size of the shape. Results are appended as pixel boxes.
#include <cstdint>
#include <vector>

#include "platform/geometry.h"
#include "platform/region.h"

namespace plat::raster {

// A point in pixel space: pixel (x, y) covers [x, x + 1) x [y, y + 1).
struct TPointF {
  double x = 0;
  double y = 0;
};

// The pixels of `area` whose centres (x + 0.5, y + 0.5) lie inside the
// closed contours under the fill mode. A centre exactly on a left or top
// edge is inside, on a right or bottom edge outside, so two shapes sharing
// an edge split the pixels along it without overlap or gap.
void FillContours(const std::vector<std::vector<TPointF>>& contours, TPolyFillMode mode, const TRect& area,
                  std::vector<TRect>& out);
// One convex polygon (any orientation), by the same rule.
void FillConvex(const TPointF* points, int count, const TRect& area, std::vector<TRect>& out);
// The pixels of `area` whose centres lie in the disc (same boundary rule).
void FillDisc(TPointF centre, double radius, const TRect& area, std::vector<TRect>& out);
// The pixels of `area` in the ellipse inscribed in [left, right) x
// [top, bottom) (TRegion::Ellipse is this with a size limit).
void FillEllipse(int64_t left, int64_t top, int64_t right, int64_t bottom, const TRect& area,
                 std::vector<TRect>& out);

}  // namespace plat::raster
