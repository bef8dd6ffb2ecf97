#pragma once
// A drawing surface over a bitmap, with the state and pixel rules of the
// classic desktop device context: pen, brush, font, text and background
// colours, background mode, window origin, clip region and current
// position, saved and restored as a unit.
//
// Coordinates given to drawing calls are logical; device = logical - window
// origin. Clip regions are in device pixels. Rectangles are half-open.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/bitmap.h"
#include "platform/color.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/numeric.h"
#include "platform/region.h"

namespace plat {

class TArgbImage;

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// How pen and brush pixels combine with what is there.
enum class TPenMode { pmCopy, pmNot, pmXor, pmNotXor, pmMask, pmMerge, pmBlack, pmWhite };
enum class TEndCap { Round, Square, Flat };
enum class TLineJoin { Round, Bevel, Mitre };

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = TPenStyle::psSolid;
  TPenMode Mode = TPenMode::pmCopy;
  // A geometric pen (as made by ExtCreatePen): its width is in logical
  // units, dash patterns scale with the width, caps and joins apply.
  // A cosmetic pen (the default) of width above 1 has round caps and joins.
  bool Geometric = false;
  TEndCap EndCap = TEndCap::Round;
  TLineJoin Join = TLineJoin::Round;
};

// Geometric pen styles combined as ExtCreatePen takes them.
enum : uint32_t {
  PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4, PS_NULL = 5,
  PS_INSIDEFRAME = 6,
  PS_ENDCAP_ROUND = 0x000, PS_ENDCAP_SQUARE = 0x100, PS_ENDCAP_FLAT = 0x200,
  PS_JOIN_ROUND = 0x0000, PS_JOIN_BEVEL = 0x1000, PS_JOIN_MITER = 0x2000,
  PS_COSMETIC = 0x00000, PS_GEOMETRIC = 0x10000,
};
// The pen ExtCreatePen(style, width, solid brush of `color`) describes.
TPen ExtCreatePen(uint32_t style, int width, TColor color);

enum class TBrushStyle { bsSolid, bsClear };
struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::bsSolid;
};

enum TBkMode { TRANSPARENT = 1, OPAQUE = 2 };
enum TStretchMode { BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4 };

// Ternary raster operations (bits 16-23 hold the truth table over
// pattern, source and destination).
enum TRop : uint32_t {
  SRCCOPY = 0x00CC0020,
  SRCPAINT = 0x00EE0086,
  SRCAND = 0x008800C6,
  SRCINVERT = 0x00660046,
  SRCERASE = 0x00440328,
  NOTSRCCOPY = 0x00330008,
  NOTSRCERASE = 0x001100A6,
  MERGECOPY = 0x00C000CA,
  MERGEPAINT = 0x00BB0226,
  PATCOPY = 0x00F00021,
  PATPAINT = 0x00FB0A09,
  PATINVERT = 0x005A0049,
  DSTINVERT = 0x00550009,
  BLACKNESS = 0x00000042,
  WHITENESS = 0x00FF0062,
};

// Text alignment flags (SetTextAlign).
enum : uint32_t { TA_LEFT = 0, TA_TOP = 0, TA_UPDATECP = 1, TA_BASELINE = 24 };
// ExtTextOut options.
enum : uint32_t { ETO_OPAQUE = 2, ETO_CLIPPED = 4 };
// DrawText flags.
enum : uint32_t {
  DT_TOP = 0, DT_LEFT = 0, DT_CENTER = 1, DT_RIGHT = 2, DT_VCENTER = 4, DT_BOTTOM = 8,
  DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40, DT_NOCLIP = 0x100,
  DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800,
};

// Text metrics of the selected font, in whole pixels.
struct TTextMetric {
  int tmHeight = 0;
  int tmAscent = 0;
  int tmDescent = 0;
  int tmInternalLeading = 0;
  int tmExternalLeading = 0;
  int tmAveCharWidth = 0;
  int tmMaxCharWidth = 0;
  int tmWeight = 400;
  int tmOverhang = 0;
  uint8_t tmItalic = 0;
  uint8_t tmUnderlined = 0;
  uint8_t tmStruckOut = 0;
  uint8_t tmCharSet = 0;
};

// Everything SaveDC saves.
struct TCanvasState {
  TPen Pen;
  TBrush Brush;
  TFont Font;
  TColor TextColor = clBlack;
  TColor BkColor = clWhite;
  TBkMode BkMode = OPAQUE;
  TPoint WindowOrg;
  std::optional<TRegion> ClipRgn;  // device units; none = whole surface
  TPoint PenPos;
  TStretchMode StretchMode = BLACKONWHITE;
  TPolyFillMode PolyFillMode = ALTERNATE;
  uint32_t TextAlign = TA_LEFT | TA_TOP;
  int CharExtra = 0;
  int BreakExtra = 0;  // SetTextJustification
  int BreakCount = 0;
  int BreakRem = 0;  // breaks still owed one pixel of the remainder
};

class TCanvas {
 public:
  explicit TCanvas(TBitmap& target);
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TBitmap& Target() { return *target_; }
  const TBitmap& Target() const { return *target_; }

  // ---- state
  TCanvasState& State() { return s_; }
  const TCanvasState& State() const { return s_; }
  TPen& Pen() { return s_.Pen; }
  TBrush& Brush() { return s_.Brush; }
  TFont& Font() { return s_.Font; }
  TColor SetTextColor(TColor c);
  TColor TextColor() const { return s_.TextColor; }
  TColor SetBkColor(TColor c);
  TColor BkColor() const { return s_.BkColor; }
  TBkMode SetBkMode(TBkMode m);
  TBkMode BkMode() const { return s_.BkMode; }
  TStretchMode SetStretchBltMode(TStretchMode m);
  TStretchMode StretchBltMode() const { return s_.StretchMode; }
  TPolyFillMode SetPolyFillMode(TPolyFillMode m);
  // Answers the previous origin.
  TPoint SetWindowOrg(int x, int y);
  TPoint WindowOrg() const { return s_.WindowOrg; }
  TPoint PenPos() const { return s_.PenPos; }

  // Pushes the whole state; RestoreDC(n) pops back to level n (negative:
  // relative to the top, -1 the last save). Answers false for a bad level.
  int SaveDC();
  bool RestoreDC(int level);

  // ---- clipping (regions in device units, rectangles in logical units)
  // Selects a copy of `rgn` (nullptr removes clipping).
  void SelectClipRgn(const TRegion* rgn);
  // Copies the clip region into `out`; false when there is none.
  bool GetClipRgn(TRegion& out) const;
  bool HasClipRgn() const { return s_.ClipRgn.has_value(); }
  TRegionKind IntersectClipRect(int left, int top, int right, int bottom);
  TRegionKind ExcludeClipRect(int left, int top, int right, int bottom);
  // The smallest rectangle around the drawable area, in logical units.
  TRect ClipBox() const;

  // ---- pixels
  uint32_t GetPixel(int x, int y) const;  // CLR_INVALID outside
  void SetPixel(int x, int y, TColor c);

  // ---- fills
  // Fills [left, right) x [top, bottom) with the brush (nothing for a clear brush).
  void FillRect(const TRect& r);
  // Fills with one colour, whatever the brush.
  void FillRect(const TRect& r, TColor color);
  // A one-pixel frame in the brush colour.
  void FrameRect(const TRect& r);
  // An exclusive-or dotted frame (drawing it twice restores the picture).
  void DrawFocusRect(const TRect& r);
  // Pattern operations over the rectangle: PATCOPY, PATINVERT,
  // WHITENESS, BLACKNESS, DSTINVERT. Negative extents as for BitBlt.
  void PatBlt(int x, int y, int width, int height, uint32_t rop);
  // Fills a region (logical units) with a colour / the brush.
  void FillRgn(const TRegion& rgn, TColor color);
  void FillRgn(const TRegion& rgn);

  // ---- lines and shapes (canvas_lines.cpp, canvas_shapes.cpp)
  void MoveTo(int x, int y);
  // A line from the current position to (x, y), omitting the end point.
  void LineTo(int x, int y);
  void Polyline(const TPoint* points, int count);
  void Polyline(const std::vector<TPoint>& p) { Polyline(p.data(), static_cast<int>(p.size())); }
  // Outline with the pen, interior with the brush under the fill mode.
  void Polygon(const TPoint* points, int count);
  void Polygon(const std::vector<TPoint>& p) { Polygon(p.data(), static_cast<int>(p.size())); }
  // Outline with the pen, interior with the brush.
  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void Ellipse(int left, int top, int right, int bottom);
  // Counter-clockwise part of the ellipse in the box, from the radial
  // through (x3, y3) to the radial through (x4, y4).
  void Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4);

  // ---- paths: while a path is open MoveTo / LineTo record instead of drawing.
  void BeginPath();
  void CloseFigure();
  void EndPath();
  void AbortPath();
  // Strokes the path with the current pen and discards it.
  void StrokePath();
  bool InPath() const { return path_.open; }

  // ---- block transfers (canvas_blit.cpp)
  // Colour to monochrome: source pixels equal to the source canvas's
  // background colour become 1 (white), others 0. Monochrome to colour:
  // 0 bits take this canvas's text colour, 1 bits its background colour.
  // Operations that read the pattern (the brush) draw nothing while it is
  // clear. A negative extent covers the pixels before the corner and the
  // corner's own (width -3 at x: x-2 .. x).
  void BitBlt(int x, int y, int width, int height, const TCanvas& src, int sx, int sy, uint32_t rop);
  // Stretches the source rectangle onto the destination one by the
  // stretch mode; a negative extent on one side mirrors.
  void StretchBlt(int x, int y, int width, int height, const TCanvas& src, int sx, int sy, int sw,
                  int sh, uint32_t rop);
  // Draws an alpha image source-over, the source rectangle scaled onto the
  // destination one, nearest or bilinear.
  void DrawArgb(const TArgbImage& image, const TRect& dst, const TRect& src, bool bilinear);

  // ---- text (canvas_text.cpp)
  uint32_t SetTextAlign(uint32_t align);
  uint32_t TextAlign() const { return s_.TextAlign; }
  // Character extra and justification extra are limited to 2^20 pixels either way.
  int SetTextCharacterExtra(int extra);
  int TextCharacterExtra() const { return s_.CharExtra; }
  // Spreads `extra` pixels over the next `count` break characters; (0, 0) ends it.
  void SetTextJustification(int extra, int count);
  bool GetTextMetrics(TTextMetric& tm);
  void TextOut(int x, int y, std::u16string_view text);
  // `rect` may be null; `dx` (may be null) gives each character's advance.
  bool ExtTextOutW(int x, int y, uint32_t options, const TRect* rect, std::u16string_view text,
                   const int* dx = nullptr);
  TSize GetTextExtentPoint32W(std::u16string_view text);
  // Extent of the longest prefix no wider than maxExtent: `fit` receives
  // its length, `extents` (may be null, room for text.size()) the
  // cumulative widths.
  TSize GetTextExtentExPointW(std::u16string_view text, int maxExtent, int* fit, int* extents);
  int TextWidth(std::u16string_view text) { return GetTextExtentPoint32W(text).cx; }
  int TextHeight(std::u16string_view text) { return GetTextExtentPoint32W(text).cy; }
  // Answers the height of the text drawn (or measured with DT_CALCRECT,
  // which also sets rect's right and bottom).
  int DrawTextW(std::u16string_view text, TRect& rect, uint32_t format);

  // ---- helpers for the drawing code
  // Fills device-space pixels of `rgn` with `rgb` (0x00BBGGRR) under the
  // mode, limited by the surface and the clip region.
  void FillDeviceRegion(const TRegion& rgn, uint32_t rgb, TPenMode mode = TPenMode::pmCopy);
  // The device-space area drawing may touch: the surface clipped by the clip region.
  TRegion DrawableRegion() const;
  // Device coordinates, clamped so that hostile logical values cannot overflow.
  TPoint ToDevice(int x, int y) const {
    return {ClampToInt(int64_t{x} - s_.WindowOrg.x), ClampToInt(int64_t{y} - s_.WindowOrg.y)};
  }

 private:
  struct PathFigure {
    std::vector<TPoint> points;  // logical units
    bool closed = false;
  };
  struct Path {
    bool open = false;       // between BeginPath and EndPath
    bool ended = false;      // EndPath has made a path StrokePath can use
    bool extending = false;  // LineTo adds to the last figure
    std::vector<PathFigure> figures;
  };
  // Device pixels a pen paints: `ink` in the pen colour and, for styled
  // one-pixel pens on an opaque background, `gaps` in the background colour.
  struct PenPixels {
    TRegion ink;
    TRegion gaps;
  };

  // True when the pen paints at all (not clear, not NoColor).
  bool PenVisible() const;
  // What the current pen paints along a logical polyline; `closed` goes
  // back to the first point.
  PenPixels StrokeLogicalPolyline(const TPoint* points, int count, bool closed) const;
  // The same as device boxes within `area`, appended (they may overlap;
  // gap boxes may overlap ink), so that many figures make one region.
  void StrokeBoxes(const TPoint* points, int count, bool closed, const TRect& area, std::vector<TRect>& ink,
                   std::vector<TRect>& gaps) const;
  static PenPixels MakePenPixels(const std::vector<TRect>& ink, const std::vector<TRect>& gaps);
  void PaintPen(const PenPixels& pixels);
  void RecordFigure(const TPoint* points, int count, bool closed);

  TBitmap* target_;
  TCanvasState s_;
  std::vector<TCanvasState> saved_;
  Path path_;

  friend class TBitmap;
};

// Restores a canvas's whole state when the scope ends, also on exceptions.
class TCanvasStateSaver {
 public:
  explicit TCanvasStateSaver(TCanvas& c) : canvas_(c), level_(c.SaveDC()) {}
  ~TCanvasStateSaver() { canvas_.RestoreDC(level_); }
  TCanvasStateSaver(const TCanvasStateSaver&) = delete;
  TCanvasStateSaver& operator=(const TCanvasStateSaver&) = delete;

 private:
  TCanvas& canvas_;
  int level_;
};

// Restores a canvas's clip region when the scope ends.
class TClipRegionSaver {
 public:
  explicit TClipRegionSaver(TCanvas& c) : canvas_(c), saved_(c.State().ClipRgn) {}
  ~TClipRegionSaver() { canvas_.State().ClipRgn = std::move(saved_); }
  TClipRegionSaver(const TClipRegionSaver&) = delete;
  TClipRegionSaver& operator=(const TClipRegionSaver&) = delete;

 private:
  TCanvas& canvas_;
  std::optional<TRegion> saved_;
};

}  // namespace plat
