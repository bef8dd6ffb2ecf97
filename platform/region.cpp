#include "platform/region.h"

#include <algorithm>
#include <cmath>

#include "platform/errors.h"
#include "platform/raster.h"

namespace plat {

namespace {

pixman_box32_t ToBox(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

// Every column, the rows of `rows`: what the shape builders rasterise.
TRect RowBand(const TRect& rows) { return {INT32_MIN, rows.Top, INT32_MAX, rows.Bottom}; }

// Builds a region from boxes that may overlap and come in any order.
void InitFromBoxes(pixman_region32_t* region, std::vector<pixman_box32_t>& boxes) {
  boxes.erase(std::remove_if(boxes.begin(), boxes.end(),
                             [](const pixman_box32_t& b) { return b.x2 <= b.x1 || b.y2 <= b.y1; }),
              boxes.end());
  if (!pixman_region32_init_rects(region, boxes.data(), static_cast<int>(boxes.size())))
    throw EOutOfResources();
}

}  // namespace

TRegion::TRegion() { pixman_region32_init(&region_); }

TRegion::TRegion(const TRect& r) {
  // From the corners: a width computed as Right - Left would overflow for
  // rectangles wider than the int range.
  if (r.IsEmpty()) {
    pixman_region32_init(&region_);
  } else {
    const pixman_box32_t box = ToBox(r);
    pixman_region32_init_with_extents(&region_, &box);
  }
}

TRegion::TRegion(const TRegion& other) {
  pixman_region32_init(&region_);
  if (!pixman_region32_copy(&region_, &other.region_)) throw EOutOfResources();
}

TRegion& TRegion::operator=(const TRegion& other) {
  if (this != &other && !pixman_region32_copy(&region_, &other.region_)) throw EOutOfResources();
  return *this;
}

TRegion::TRegion(TRegion&& other) noexcept {
  region_ = other.region_;
  pixman_region32_init(&other.region_);
}

TRegion& TRegion::operator=(TRegion&& other) noexcept {
  if (this != &other) {
    pixman_region32_fini(&region_);
    region_ = other.region_;
    pixman_region32_init(&other.region_);
  }
  return *this;
}

TRegion::~TRegion() { pixman_region32_fini(&region_); }

TRegion TRegion::Polygon(const TPoint* points, int count, TPolyFillMode mode, const TRect& rows) {
  if (!points || count < 3) return TRegion();
  std::vector<std::vector<raster::TPointF>> contours(1);
  contours[0].reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) contours[0].push_back({double(points[i].x), double(points[i].y)});
  std::vector<TRect> boxes;
  raster::FillContours(contours, mode, RowBand(rows), boxes);
  return FromRects(boxes);
}

TRegion TRegion::Ellipse(const TRect& r, const TRect& rows) {
  const int64_t w = int64_t{r.Right} - r.Left, h = int64_t{r.Bottom} - r.Top;
  if (w <= 0 || h <= 0 || w > kRegionRowLimit || h > kRegionRowLimit) return TRegion();
  std::vector<TRect> boxes;
  raster::FillEllipse(r.Left, r.Top, r.Right, r.Bottom, RowBand(rows), boxes);
  return FromRects(boxes);
}

TRegion TRegion::FromRects(const TRegionTransform& xform, const std::vector<TRect>& rects) {
  std::vector<pixman_box32_t> boxes;
  boxes.reserve(rects.size());
  auto map = [](double v) {
    double r = std::nearbyint(v);
    return static_cast<int32_t>(std::clamp(r, -1073741824.0, 1073741823.0));
  };
  for (const TRect& r : rects) {
    int32_t x1 = map(r.Left * xform.eM11 + xform.eDx), x2 = map(r.Right * xform.eM11 + xform.eDx);
    int32_t y1 = map(r.Top * xform.eM22 + xform.eDy), y2 = map(r.Bottom * xform.eM22 + xform.eDy);
    boxes.push_back({std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)});
  }
  TRegion result;
  pixman_region32_fini(&result.region_);
  InitFromBoxes(&result.region_, boxes);
  return result;
}

TRegion TRegion::FromRects(const std::vector<TRect>& rects) {
  std::vector<pixman_box32_t> boxes;
  boxes.reserve(rects.size());
  for (const TRect& r : rects) boxes.push_back(ToBox(r));
  TRegion result;
  pixman_region32_fini(&result.region_);
  InitFromBoxes(&result.region_, boxes);
  return result;
}

TRegionKind TRegion::Combine(const TRegion& a, const TRegion& b, TCombineMode op) {
  // Work on a copy so that `this` may be a or b.
  pixman_region32_t out;
  pixman_region32_init(&out);
  bool ok = true;
  switch (op) {
    case RGN_AND: ok = pixman_region32_intersect(&out, &a.region_, &b.region_); break;
    case RGN_OR: ok = pixman_region32_union(&out, &a.region_, &b.region_); break;
    case RGN_DIFF: ok = pixman_region32_subtract(&out, &a.region_, &b.region_); break;
    case RGN_COPY: ok = pixman_region32_copy(&out, &a.region_); break;
    case RGN_XOR: {
      pixman_region32_t ab, ba;
      pixman_region32_init(&ab);
      pixman_region32_init(&ba);
      ok = pixman_region32_subtract(&ab, &a.region_, &b.region_) &&
           pixman_region32_subtract(&ba, &b.region_, &a.region_) && pixman_region32_union(&out, &ab, &ba);
      pixman_region32_fini(&ab);
      pixman_region32_fini(&ba);
      break;
    }
    default: ok = false;
  }
  if (!ok) {
    pixman_region32_fini(&out);
    return RGN_ERROR;
  }
  pixman_region32_fini(&region_);
  region_ = out;
  return Kind();
}

TRegionKind TRegion::Kind() const {
  int n = pixman_region32_n_rects(const_cast<pixman_region32_t*>(&region_));
  return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool TRegion::Empty() const { return !pixman_region32_not_empty(const_cast<pixman_region32_t*>(&region_)); }

bool TRegion::Contains(int x, int y) const {
  return pixman_region32_contains_point(const_cast<pixman_region32_t*>(&region_), x, y, nullptr);
}

bool TRegion::Intersects(const TRect& r) const {
  if (r.IsEmpty()) return false;
  pixman_box32_t b = ToBox(r);
  return pixman_region32_contains_rectangle(const_cast<pixman_region32_t*>(&region_), &b) != PIXMAN_REGION_OUT;
}

void TRegion::Offset(int dx, int dy) { pixman_region32_translate(&region_, dx, dy); }

TRect TRegion::Box() const {
  if (Empty()) return {};
  const pixman_box32_t* b = pixman_region32_extents(const_cast<pixman_region32_t*>(&region_));
  return {b->x1, b->y1, b->x2, b->y2};
}

std::vector<TRect> TRegion::Rects() const {
  int n = 0;
  const pixman_box32_t* b = pixman_region32_rectangles(const_cast<pixman_region32_t*>(&region_), &n);
  std::vector<TRect> out;
  out.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) out.push_back({b[i].x1, b[i].y1, b[i].x2, b[i].y2});
  return out;
}

bool TRegion::operator==(const TRegion& other) const {
  return pixman_region32_equal(const_cast<pixman_region32_t*>(&region_),
                               const_cast<pixman_region32_t*>(&other.region_));
}

}  // namespace plat
