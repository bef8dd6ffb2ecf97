// The control tree: bounds, alignment, visibility, focus and painting.
#include "platform/controls.h"

#include <algorithm>

#include "platform/numeric.h"

namespace plat {

namespace {

// True when `c` is `root` or lies below it.
bool InSubtree(const TControl* root, const TControl* c) {
  for (; c; c = c->Parent())
    if (c == root) return true;
  return false;
}

}  // namespace

TControl::TControl(TControl* parent) {
  if (parent) SetParent(parent);
}

TControl::~TControl() {
  // No notifications from here: the form's handlers may be gone already.
  if (parent_) {
    if (TForm* f = GetParentForm(); f && InSubtree(this, f->active_)) f->active_ = nullptr;
    std::erase(parent_->children_, this);
  }
  for (TControl* c : children_) c->parent_ = nullptr;
}

TForm* TControl::GetParentForm() {
  TControl* c = this;
  while (c->parent_) c = c->parent_;
  return dynamic_cast<TForm*>(c);
}

void TControl::SetParent(TControl* parent) {
  if (parent == parent_) return;
  // A control cannot be placed inside itself.
  if (parent && InSubtree(this, parent)) return;
  if (parent_) {
    if (TForm* f = GetParentForm(); f && InSubtree(this, f->active_)) f->active_ = nullptr;
    parent_->Invalidate();
    std::erase(parent_->children_, this);
  }
  parent_ = parent;
  if (parent_) {
    parent_->children_.push_back(this);
    AlignToParent();
    Invalidate();
  }
}

void TControl::SetBounds(int left, int top, int width, int height) {
  // A size reaching past the int range stops at its end.
  TRect r{left, top, ClampToInt(int64_t{left} + std::max(width, 0)), ClampToInt(int64_t{top} + std::max(height, 0))};
  if (r == bounds_) return;
  bool resized = r.Width() != bounds_.Width() || r.Height() != bounds_.Height();
  if (parent_) parent_->Invalidate();
  bounds_ = r;
  Invalidate();
  if (resized) {
    RealignChildren();
    Resize();
  }
}

void TControl::SetAlign(TAlign a) {
  align_ = a;
  AlignToParent();
}

void TControl::AlignToParent() {
  if (align_ == TAlign::alClient && parent_) SetBounds(0, 0, parent_->ClientWidth(), parent_->ClientHeight());
}

void TControl::RealignChildren() {
  // A child's resize handler may change the list; walk a copy.
  std::vector<TControl*> kids = children_;
  for (TControl* c : kids)
    if (std::find(children_.begin(), children_.end(), c) != children_.end()) c->AlignToParent();
}

void TControl::Resize() {
  if (OnResize) OnResize(*this);
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  if (!v) {
    if (TForm* f = GetParentForm(); f && InSubtree(this, f->active_)) f->SetActiveControl(nullptr);
  }
  Invalidate();
  if (parent_) parent_->Invalidate();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Invalidate();
}

void TControl::SetColor(TColor c) {
  if (c == color_) return;
  color_ = c;
  Invalidate();
}

void TControl::HandleNeeded() {
  for (TControl* c = this; c && !c->handle_; c = c->parent_) c->handle_ = true;
  for (TControl* c : children_) c->HandleNeeded();
}

void TControl::SetFocus() {
  if (!CanFocus()) return;
  if (TForm* f = GetParentForm()) f->SetActiveControl(this);
}

bool TControl::Focused() const {
  const TControl* root = this;
  while (root->parent_) root = root->parent_;
  auto* f = dynamic_cast<const TForm*>(root);
  return f && f->active_ == this;
}

void TControl::Invalidate() {
  invalid_ = true;
  if (TForm* f = GetParentForm(); f && f->OnInvalidate) f->OnInvalidate(*f);
}

void TControl::EraseBackground(TCanvas& canvas) { canvas.FillRect(ClientRect(), color_); }

void TControl::Paint(TCanvas&) {}

void TControl::WndProc(TMessage&) {}

void TControl::PaintTo(TCanvas& canvas, int x, int y) {
  TCanvasStateSaver saver(canvas);
  // Logical (0, 0) becomes the control's corner at (x, y) of the caller.
  TPoint org = canvas.WindowOrg();
  // Where the origin does not fit, the control lies beyond the int range of
  // the surface: the clamped origin keeps it there, out of sight.
  canvas.SetWindowOrg(ClampToInt(int64_t{org.x} - x), ClampToInt(int64_t{org.y} - y));
  canvas.IntersectClipRect(0, 0, Width(), Height());
  PaintTree(canvas);
}

void TControl::PaintTree(TCanvas& canvas) {
  invalid_ = false;
  {
    TCanvasStateSaver own(canvas);
    EraseBackground(canvas);
    Paint(canvas);
  }
  // Painting may not change the tree, but a paint callback could; walk a copy.
  std::vector<TControl*> kids = children_;
  for (TControl* c : kids)
    if (c->visible_ && std::find(children_.begin(), children_.end(), c) != children_.end())
      c->PaintTo(canvas, c->Left(), c->Top());
}

// ---- TForm

TForm::TForm() { SetVisible(false); }

TForm::~TForm() { active_ = nullptr; }

void TForm::SetActiveControl(TControl* c) {
  if (c && (c == this || !InSubtree(this, c))) return;
  if (c == active_) return;
  TControl* old = active_;
  active_ = c;
  if (old) old->DoExit();
  if (c && active_ == c) c->DoEnter();
}

// ---- TPanel

TPanel::TPanel(TControl* parent) : TControl(parent) {}

void TPanel::SetBorderStyle(TBorderStyle b) {
  if (b == border_) return;
  border_ = b;
  Invalidate();
}

TCanvas& TPanel::Canvas() {
  if (!measure_) measure_ = std::make_unique<TBitmap>(1, 1);
  return measure_->Canvas();
}

void TPanel::Paint(TCanvas& canvas) {
  if (border_ == TBorderStyle::bsSingle) {
    canvas.Brush().Color = clWindowFrame;
    canvas.Brush().Style = TBrushStyle::bsSolid;
    canvas.FrameRect(ClientRect());
  }
  if (OnPaint) OnPaint(*this, canvas);
}

// ---- TImage

TImage::TImage(TControl* parent) : TControl(parent) {}

void TImage::SetPicture(TBitmap picture) {
  picture_ = std::move(picture);
  Invalidate();
}

void TImage::Paint(TCanvas& canvas) {
  if (picture_.Empty()) return;
  // A copy at natural size, within the control; the canvas clips. Between
  // formats the blit's rules apply with a black-on-white canvas: a
  // monochrome picture shows black and white, and a colour one on a
  // monochrome surface keeps white as white and makes all else black.
  canvas.SetTextColor(clBlack);
  canvas.SetBkColor(clWhite);
  // The picture's own canvas keeps its defaults: nothing else reaches it.
  canvas.BitBlt(0, 0, std::min(picture_.Width(), Width()), std::min(picture_.Height(), Height()),
                picture_.Canvas(), 0, 0, SRCCOPY);
}

// ---- T32ScrollBar

T32ScrollBar::T32ScrollBar(TControl* parent, TScrollBarKind kind) : TControl(parent), kind_(kind) {
  SetColor(clScrollBar);
  if (kind == TScrollBarKind::sbVertical)
    SetBounds(0, 0, kScrollBarSize, 121);
  else
    SetBounds(0, 0, 121, kScrollBarSize);
}

int T32ScrollBar::MaxPosition() const {
  int64_t top = int64_t{max_} - std::max(page_ - 1, 0);
  return ClampToInt(std::max<int64_t>(top, min_));
}

int T32ScrollBar::Clamp(int64_t position) const {
  return ClampToInt(std::clamp<int64_t>(position, min_, MaxPosition()));
}

void T32ScrollBar::SetScrollParams(int position, int page, int min, int max) {
  if (position == position_ && page == page_ && min == min_ && max == max_) return;
  if (max < min) std::swap(min, max);
  min_ = min;
  max_ = max;
  page_ = ClampToInt(std::clamp<int64_t>(page, 0, int64_t{max} - min + 1));
  position_ = Clamp(position);
  Invalidate();
}

void T32ScrollBar::SetPosition32(int position) {
  int p = Clamp(position);
  if (p == position_) return;
  position_ = p;
  Invalidate();
  if (OnChange) OnChange(*this);
}

void T32ScrollBar::Paint(TCanvas& canvas) {
  // The trough is the erased background; the thumb shows page and position.
  int64_t span = int64_t{max_} - min_ + 1;
  bool vertical = kind_ == TScrollBarKind::sbVertical;
  int length = vertical ? Height() : Width();
  if (!Enabled() || span <= page_ || length <= 0) return;
  int64_t page = std::max<int64_t>(page_, 1);
  int64_t thumb = std::max<int64_t>(length * page / span, 8);
  int64_t start = (length - thumb) * (int64_t{position_} - min_) / std::max<int64_t>(span - page, 1);
  int a = ClampToInt(start), b = ClampToInt(start + thumb);
  TRect r = vertical ? TRect{0, a, Width(), b} : TRect{a, 0, b, Height()};
  canvas.FillRect(r, clBtnFace);
  canvas.Brush().Color = clBtnShadow;
  canvas.FrameRect(r);
}

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

}  // namespace plat
