#pragma once
// The control tree: forms and the controls on them, headless. A control has
// bounds in its parent's coordinates, a colour, visibility and children in
// creation order; it paints itself into any canvas with PaintTo. Nothing
// here needs a display: a host maps a form onto a window of its own and
// repaints it when the form reports an invalidation.
//
// Parents do not own their children: whoever creates a control destroys
// it, and a destroyed control leaves its parent's list.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/app.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/geometry.h"

namespace plat {

// Screen cursors (the platform's numbering).
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crIBeam = -4;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crHandPoint = -21;

// Width of a vertical scroll bar and height of a horizontal one.
constexpr int kScrollBarSize = 17;

// alClient makes a control fill its parent's client area.
enum class TAlign { alNone, alClient };

class TForm;

class TControl {
 public:
  explicit TControl(TControl* parent = nullptr);
  virtual ~TControl();
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  // ---- tree
  TControl* Parent() const { return parent_; }
  // Moves the control to the end of the new parent's children.
  void SetParent(TControl* parent);
  // Children in creation order, which is also painting order (later on top).
  const std::vector<TControl*>& Controls() const { return children_; }
  // The form at the root of the tree, or null.
  TForm* GetParentForm();

  // ---- bounds (parent's coordinates; sizes below 0 become 0)
  int Left() const { return bounds_.Left; }
  int Top() const { return bounds_.Top; }
  int Width() const { return bounds_.Width(); }
  int Height() const { return bounds_.Height(); }
  TRect BoundsRect() const { return bounds_; }
  // A size change realigns the children and then calls Resize.
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
  // The area children are placed in: the whole control.
  int ClientWidth() const { return Width(); }
  int ClientHeight() const { return Height(); }
  TRect ClientRect() const { return {0, 0, Width(), Height()}; }
  TAlign Align() const { return align_; }
  void SetAlign(TAlign a);

  // ---- state
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so is every parent.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  TCursor Cursor() const { return cursor_; }
  virtual void SetCursor(TCursor c) { cursor_ = c; }

  std::string Name;
  intptr_t Tag = 0;
  bool TabStop = false;

  // ---- window: made on demand; a control without one gets no size messages
  bool HandleAllocated() const { return handle_; }
  // Makes the window of this control, its parents and its children.
  void HandleNeeded();

  // ---- focus: one focused control per form
  bool CanFocus() const { return Showing() && enabled_; }
  void SetFocus();
  bool Focused() const;

  // ---- painting
  // Marks the control for repainting and tells its form.
  void Invalidate();
  bool Invalidated() const { return invalid_; }
  // Paints the control with its top-left corner at (x, y) of the canvas:
  // erases it with its colour, paints it, then each visible child at its
  // own position, all clipped to the control's bounds. The canvas state is
  // restored afterwards.
  void PaintTo(TCanvas& canvas, int x, int y);

  // ---- messages (posted or sent through the application)
  virtual void WndProc(TMessage& msg);
  // Expires when the control is destroyed; posted messages hold it.
  std::weak_ptr<const bool> AliveToken() const { return alive_; }

  // Called after every size change (after the children were realigned).
  std::function<void(TControl&)> OnResize;

 protected:
  // Both paint in the control's own coordinates, (0, 0) its top-left corner,
  // with the canvas clipped to the control.
  virtual void EraseBackground(TCanvas& canvas);
  virtual void Paint(TCanvas& canvas);
  virtual void Resize();
  virtual void DoEnter() {}
  virtual void DoExit() {}

 private:
  friend class TForm;
  void RealignChildren();
  void AlignToParent();
  void PaintTree(TCanvas& canvas);

  TControl* parent_ = nullptr;
  std::vector<TControl*> children_;
  TRect bounds_;
  TAlign align_ = TAlign::alNone;
  bool visible_ = true;
  bool enabled_ = true;
  bool handle_ = false;
  bool invalid_ = true;
  TColor color_ = clBtnFace;
  TCursor cursor_ = crDefault;
  std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);
};

// A top-level window. Forms start hidden; the client area is the whole
// form (no frame, no caption bar).
class TForm : public TControl {
 public:
  TForm();
  ~TForm() override;

  std::string Caption;

  TControl* ActiveControl() const { return active_; }
  // Moves the focus: the old control's exit, then the new one's enter.
  void SetActiveControl(TControl* c);

  // Called when a control of the form is invalidated (a host schedules a repaint).
  std::function<void(TForm&)> OnInvalidate;

 private:
  friend class TControl;
  void Forget(TControl* c);

  TControl* active_ = nullptr;
};

enum class TBorderStyle { bsNone, bsSingle };

// A panel: its colour, an optional one-pixel frame, then its paint callback.
class TPanel : public TControl {
 public:
  explicit TPanel(TControl* parent = nullptr);

  TBorderStyle BorderStyle() const { return border_; }
  void SetBorderStyle(TBorderStyle b);

  // Called after the panel has painted itself, in its coordinates.
  std::function<void(TPanel&, TCanvas&)> OnPaint;

  // A canvas for measuring text outside painting (fonts, extents).
  TCanvas& Canvas();

 protected:
  void Paint(TCanvas& canvas) override;

 private:
  TBorderStyle border_ = TBorderStyle::bsNone;
  std::unique_ptr<TBitmap> measure_;
};

// A picture drawn at its natural size at the control's top-left corner,
// clipped to the control, as BitBlt copies it (a colour picture on a
// monochrome surface: white stays white, all else becomes black). The
// control does not erase: parts the picture does not cover show what the
// parent painted there.
class TImage : public TControl {
 public:
  explicit TImage(TControl* parent = nullptr);

  const TBitmap& Picture() const { return picture_; }
  // Takes the picture over; the previous one is freed.
  void SetPicture(TBitmap picture);

 protected:
  void EraseBackground(TCanvas&) override {}
  void Paint(TCanvas& canvas) override;

 private:
  TBitmap picture_;
};

enum class TScrollBarKind { sbHorizontal, sbVertical };

// A scroll bar with a 32-bit range: positions run from Min32 to
// Max32 - Page32 + 1 (to Max32 with a page of 0 or 1).
class T32ScrollBar : public TControl {
 public:
  T32ScrollBar(TControl* parent, TScrollBarKind kind);

  TScrollBarKind Kind() const { return kind_; }
  int Position32() const { return position_; }
  int Min32() const { return min_; }
  int Max32() const { return max_; }
  int Page32() const { return page_; }
  int SmallChange = 1;
  int LargeChange = 1;
  // Show the bar disabled instead of hiding it when nothing can scroll.
  bool DisableNoScroll = false;

  // Nothing when all four are unchanged; otherwise stores them, the range
  // ordered, the page at most the range, the position clamped.
  void SetScrollParams(int position, int page, int min, int max);
  // Clamps and stores; OnChange when the position changed.
  void SetPosition32(int position);
  void SetMax32(int max) { SetScrollParams(position_, page_, min_, max); }
  // The highest position the range and page allow.
  int MaxPosition() const;

  std::function<void(T32ScrollBar&)> OnChange;

 protected:
  void Paint(TCanvas& canvas) override;

 private:
  int Clamp(int64_t position) const;

  TScrollBarKind kind_;
  int position_ = 0;
  int min_ = 0;
  int max_ = 100;
  int page_ = 0;
};

// Facts about the screen.
struct TScreen {
  int PixelsPerInch = kScreenPixelsPerInch;
  // The cursor shown over every window while not crDefault (the hourglass of a long operation).
  TCursor Cursor = crDefault;
};
TScreen& Screen();

}  // namespace plat
