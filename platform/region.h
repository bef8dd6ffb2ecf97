#pragma once
// Regions: sets of pixels built from rectangles, polygons and ellipses,
// combined with set algebra. Coordinates are device pixels.
#include <cstdint>
#include <vector>

#include <pixman.h>

#include "platform/geometry.h"

namespace plat {

enum TPolyFillMode { ALTERNATE = 1, WINDING = 2 };
enum TCombineMode { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };
// What a combination produced.
enum TRegionKind { RGN_ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };

// Scale-and-offset transform used when building a region from rectangles.
struct TRegionTransform {
  double eM11 = 1, eM22 = 1, eDx = 0, eDy = 0;
};

// Rows beyond this distance are never rasterised into a region.
constexpr int kRegionRowLimit = 1 << 20;
constexpr TRect kDefaultRows{-kRegionRowLimit, -kRegionRowLimit, kRegionRowLimit, kRegionRowLimit};

class TRegion {
 public:
  TRegion();  // empty
  explicit TRegion(const TRect& r);
  TRegion(const TRegion& other);
  TRegion& operator=(const TRegion& other);
  TRegion(TRegion&& other) noexcept;
  TRegion& operator=(TRegion&& other) noexcept;
  ~TRegion();

  // The pixels whose centres lie inside the polygon, by the fill mode.
  // Only the rows of `rows` are built: shapes from documents can be huge,
  // callers pass the area they can draw.
  static TRegion Polygon(const TPoint* points, int count, TPolyFillMode mode,
                         const TRect& rows = kDefaultRows);
  // The pixels of the ellipse inscribed in r (the same set Ellipse fills),
  // limited to `rows`; a box larger than kRegionRowLimit gives nothing.
  static TRegion Ellipse(const TRect& r, const TRect& rows = kDefaultRows);
  // The union of rectangles, each mapped by the transform.
  static TRegion FromRects(const TRegionTransform& xform, const std::vector<TRect>& rects);
  // The union of rectangles in any order (overlaps allowed).
  static TRegion FromRects(const std::vector<TRect>& rects);

  // this := a (op) b. RGN_COPY copies a. Answers the kind of the result.
  TRegionKind Combine(const TRegion& a, const TRegion& b, TCombineMode op);
  TRegionKind Kind() const;

  bool Empty() const;
  bool Contains(int x, int y) const;
  bool Intersects(const TRect& r) const;
  void Offset(int dx, int dy);
  TRect Box() const;  // bounding box; all zero when empty
  std::vector<TRect> Rects() const;
  bool operator==(const TRegion& other) const;

  pixman_region32_t* Raw() { return &region_; }
  const pixman_region32_t* Raw() const { return &region_; }

 private:
  pixman_region32_t region_;
};

// The classic free functions over regions.
inline TRegionKind CombineRgn(TRegion& dst, const TRegion& a, const TRegion& b, TCombineMode op) {
  return dst.Combine(a, b, op);
}
inline bool PtInRegion(const TRegion& r, int x, int y) { return r.Contains(x, y); }
inline TRegionKind OffsetRgn(TRegion& r, int dx, int dy) {
  r.Offset(dx, dy);
  return r.Kind();
}

}  // namespace plat
