#pragma once
// Points, sizes and rectangles in the platform's integer pixel space.
// Rectangles are half-open: [Left, Right) x [Top, Bottom).
#include <cstdint>

#include "platform/numeric.h"

namespace plat {

struct TPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  // Clamped to the int range: sides may lie anywhere in it.
  int Width() const { return ClampToInt(int64_t{Right} - Left); }
  int Height() const { return ClampToInt(int64_t{Bottom} - Top); }
  // True when the rectangle covers no pixel (an inverted rectangle is empty).
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  // Sides that would leave the int range stop at its ends.
  TRect Offset(int dx, int dy) const {
    return {ClampToInt(int64_t{Left} + dx), ClampToInt(int64_t{Top} + dy), ClampToInt(int64_t{Right} + dx),
            ClampToInt(int64_t{Bottom} + dy)};
  }
  friend bool operator==(const TRect&, const TRect&) = default;
};

// First pixel of an extent laid from `origin`. A negative extent covers the
// pixels before the origin and the origin's own: -3 at x covers x-2 .. x.
constexpr int64_t ExtentStart(int64_t origin, int extent) { return extent > 0 ? origin : origin + extent + 1; }
// The number of pixels an extent covers.
constexpr int64_t ExtentLength(int extent) { return extent < 0 ? -int64_t{extent} : int64_t{extent}; }

inline TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }

// Intersection of two rectangles; empty (all zero) when they do not meet.
inline TRect IntersectRect(const TRect& a, const TRect& b) {
  TRect r{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
          a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
  if (r.IsEmpty()) return {};
  return r;
}

}  // namespace plat
