// The control tree: painting order and clipping, pictures, alignment,
// scroll bar ranges, focus.
#include "platform/controls.h"

#include <gtest/gtest.h>

#include <climits>

#include "support/pixel_art.h"

using namespace plat;
using testing_support::Art;
using testing_support::Show;
using testing_support::ToArt;

namespace {

// A control that logs its paints and leaves the canvas state changed, which
// PaintTo must undo before its siblings paint.
class TProbe : public TControl {
 public:
  TProbe(TControl* parent, TColor color, std::vector<std::string>* log, std::string name)
      : TControl(parent), log_(log) {
    SetColor(color);
    Name = std::move(name);
  }

 protected:
  void Paint(TCanvas& c) override {
    if (log_) log_->push_back(Name);
    c.SetWindowOrg(100, 100);
    c.SelectClipRgn(nullptr);
  }

 private:
  std::vector<std::string>* log_;
};

TBitmap Silver(int w, int h) {
  TBitmap b(w, h);
  b.Canvas().FillRect({0, 0, w, h}, clSilver);
  return b;
}

// A tree used by several tests: a white root with a red child, a lime
// grandchild reaching out of it, a blue later sibling and a hidden one.
struct Tree {
  std::vector<std::string> log;
  TProbe root{nullptr, clWhite, &log, "root"};
  TProbe a{&root, clRed, &log, "a"};
  TProbe inner{&a, clLime, &log, "inner"};
  TProbe b{&root, clBlue, &log, "b"};
  TProbe hidden{&root, clYellow, &log, "hidden"};
  Tree() {
    root.SetBounds(0, 0, 8, 6);
    a.SetBounds(1, 1, 5, 4);
    inner.SetBounds(3, 2, 6, 6);
    b.SetBounds(5, 0, 4, 2);
    hidden.SetBounds(0, 0, 8, 6);
    hidden.Hide();
  }
};

}  // namespace

TEST(ControlPaint, ChildrenPaintInCreationOrderAtTheirPlacesClippedToEachParent) {
  Tree t;
  TBitmap bmp = Silver(9, 7);
  t.root.PaintTo(bmp.Canvas(), 0, 0);
  EXPECT_EQ(ToArt(bmp), (Art{
                            ".....bbbs",
                            ".rrrrbbbs",
                            ".rrrrr..s",
                            ".rrrgg..s",
                            ".rrrgg..s",
                            "........s",
                            "sssssssss",
                        }))
      << Show(ToArt(bmp));
  EXPECT_EQ(t.log, (std::vector<std::string>{"root", "a", "inner", "b"}));
}

TEST(ControlPaint, OffsetsAndTheCallersClipAndOriginApply) {
  Tree t;
  // A subtree painted one pixel up and left of the bitmap's origin.
  TBitmap sub = Silver(5, 4);
  t.a.PaintTo(sub.Canvas(), -1, -1);
  EXPECT_EQ(ToArt(sub), (Art{"rrrrs", "rrggs", "rrggs", "sssss"})) << Show(ToArt(sub));

  // The caller's window origin and clip region are honoured and kept.
  TBitmap bmp = Silver(6, 4);
  TCanvas& c = bmp.Canvas();
  c.SetWindowOrg(2, 0);  // logical x = device x + 2
  c.IntersectClipRect(3, 0, 6, 3);
  t.root.PaintTo(c, 2, 0);
  EXPECT_EQ(ToArt(bmp), (Art{"s...ss", "srrrss", "srrrss", "ssssss"})) << Show(ToArt(bmp));
  EXPECT_EQ(c.WindowOrg(), (TPoint{2, 0}));
  EXPECT_EQ(c.ClipBox(), (TRect{3, 0, 6, 3}));
}

TEST(ControlPaint, EmptyOrOffSurfaceControlsPaintNothing) {
  Tree t;
  t.a.SetBounds(1, 1, -5, 4);  // negative size becomes 0
  EXPECT_EQ(t.a.Width(), 0);
  TBitmap bmp = Silver(3, 3);
  t.root.PaintTo(bmp.Canvas(), 1000000, -1000000);
  EXPECT_EQ(ToArt(bmp), (Art{"sss", "sss", "sss"}));
}

TEST(ControlTree, BoundsReachingPastTheIntRangeStopAtItsEnd) {
  struct Case {
    int left, top, width, height;
    TRect want;
  } cases[] = {
      {INT_MAX - 5, 0, 100, 10, {INT_MAX - 5, 0, INT_MAX, 10}},
      {0, INT_MAX, 3, INT_MAX, {0, INT_MAX, 3, INT_MAX}},
      {INT_MIN, INT_MIN, INT_MAX, INT_MAX, {INT_MIN, INT_MIN, -1, -1}},
      {INT_MAX, INT_MAX, INT_MAX, INT_MAX, {INT_MAX, INT_MAX, INT_MAX, INT_MAX}},
  };
  for (const Case& k : cases) {
    TForm f;
    f.SetBounds(k.left, k.top, k.width, k.height);
    EXPECT_EQ(f.BoundsRect(), k.want) << k.left << "," << k.top;
    EXPECT_EQ(f.Width(), k.want.Right - k.want.Left);
  }
}

TEST(ControlPaint, ControlsBeyondTheIntRangeOfTheCanvasPaintNothing) {
  struct Case {
    int orgX, orgY, x, y;
  } cases[] = {
      {INT_MIN, 0, 5, 0},
      {INT_MAX, 0, -5, 0},
      {0, INT_MIN, 0, INT_MAX},
      {INT_MAX, INT_MAX, INT_MIN, INT_MIN},
  };
  for (const Case& k : cases) {
    Tree t;
    TBitmap bmp = Silver(3, 3);
    bmp.Canvas().SetWindowOrg(k.orgX, k.orgY);
    t.root.PaintTo(bmp.Canvas(), k.x, k.y);
    EXPECT_EQ(ToArt(bmp), (Art{"sss", "sss", "sss"})) << k.orgX << "," << k.x << Show(ToArt(bmp));
    EXPECT_EQ(bmp.Canvas().WindowOrg(), (TPoint{k.orgX, k.orgY}));
  }
  // A child placed at the end of the range, painted from a form there.
  Tree t;
  t.root.SetBounds(0, 0, INT_MAX, 6);
  t.b.SetBounds(INT_MAX - 2, 0, 10, 2);
  TBitmap bmp = Silver(3, 3);
  bmp.Canvas().SetWindowOrg(INT_MAX - 3, 0);
  t.root.PaintTo(bmp.Canvas(), 0, 0);
  EXPECT_EQ(ToArt(bmp), (Art{".bb", ".bb", "..."})) << Show(ToArt(bmp));
}

TEST(ControlPaint, PanelFrameAndPaintCallback) {
  TPanel p;
  p.SetColor(clYellow);
  p.SetBounds(0, 0, 4, 3);
  p.SetBorderStyle(TBorderStyle::bsSingle);
  p.OnPaint = [](TPanel&, TCanvas& c) { c.FillRect({1, 1, 2, 2}, clRed); };
  auto legend = testing_support::DefaultLegend();
  legend[ColorToRGB(clWindowFrame)] = 'f';
  TBitmap bmp = Silver(4, 3);
  p.PaintTo(bmp.Canvas(), 0, 0);
  EXPECT_EQ(ToArt(bmp, legend), (Art{"ffff", "fryf", "ffff"})) << Show(ToArt(bmp, legend));
  p.SetBorderStyle(TBorderStyle::bsNone);
  p.PaintTo(bmp.Canvas(), 0, 0);
  EXPECT_EQ(ToArt(bmp), (Art{"yyyy", "yryy", "yyyy"})) << Show(ToArt(bmp));
}

TEST(ControlImage, PictureAtNaturalSizeClippedAndParentShowsElsewhere) {
  TForm form;
  form.SetColor(clBlue);
  form.SetBounds(0, 0, 6, 5);
  TImage img(&form);
  img.SetBounds(1, 1, 4, 3);
  TBitmap pic(2, 5);  // narrower than the control, taller than it
  pic.Canvas().FillRect({0, 0, 2, 5}, clRed);
  pic.SetPixel(1, 0, clLime);
  img.SetPicture(std::move(pic));

  TBitmap bmp = Silver(6, 5);
  form.PaintTo(bmp.Canvas(), 0, 0);
  EXPECT_EQ(ToArt(bmp), (Art{"bbbbbb", "brgbbb", "brrbbb", "brrbbb", "bbbbbb"})) << Show(ToArt(bmp));

  // A monochrome picture in the same place, and a control moved up out of the form.
  TBitmap mono(3, 3, TPixelFormat::pf1bit);
  mono.Canvas().FillRect({0, 0, 3, 3}, clBlack);
  mono.SetPixel(0, 2, clWhite);
  img.SetPicture(std::move(mono));
  img.SetTop(-1);
  form.PaintTo(bmp.Canvas(), 0, 0);
  EXPECT_EQ(ToArt(bmp), (Art{"b###bb", "b.##bb", "bbbbbb", "bbbbbb", "bbbbbb"})) << Show(ToArt(bmp));
}

// Pictures are copied as BitBlt copies them, whatever colours the caller's
// canvas has, clipped by the caller's clip and placed by its origin.
TEST(ControlImage, PicturesAreBlittedBetweenFormats) {
  TBitmap colour(3, 1);
  colour.SetPixel(0, 0, clBlack);
  colour.SetPixel(1, 0, clSilver);  // not white: black on a monochrome surface
  colour.SetPixel(2, 0, clWhite);
  TBitmap mono(3, 1, TPixelFormat::pf1bit);
  mono.SetPixel(0, 0, clBlack);
  struct Case {
    const char* name;
    const TBitmap* picture;
    TPixelFormat surface;
    Art want;
  } cases[] = {
      {"colour on colour", &colour, TPixelFormat::pf32bit, {"b#s.b", "bbbbb"}},
      {"colour on monochrome", &colour, TPixelFormat::pf1bit, {"###.#", "#####"}},
      {"monochrome on colour", &mono, TPixelFormat::pf32bit, {"b#..b", "bbbbb"}},
      {"monochrome on monochrome", &mono, TPixelFormat::pf1bit, {"##..#", "#####"}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TForm form;
    form.SetColor(clBlue);
    form.SetBounds(0, 0, 5, 2);
    TImage img(&form);
    img.SetBounds(1, 0, 4, 1);
    img.SetPicture(TBitmap(*k.picture));
    TBitmap bmp(5, 2, k.surface);
    TCanvas& c = bmp.Canvas();
    c.SetTextColor(clRed);
    c.SetBkColor(clLime);
    form.PaintTo(c, 0, 0);
    EXPECT_EQ(ToArt(bmp), k.want) << Show(ToArt(bmp));
    EXPECT_EQ(c.TextColor(), clRed);
    EXPECT_EQ(c.BkColor(), clLime);
  }
  // Under the caller's origin and clip.
  TForm form;
  form.SetColor(clBlue);
  form.SetBounds(0, 0, 5, 2);
  TImage img(&form);
  img.SetBounds(1, 0, 4, 2);
  img.SetPicture(TBitmap(colour));
  TBitmap bmp = Silver(5, 2);
  bmp.Canvas().SetWindowOrg(1, 0);
  bmp.Canvas().IntersectClipRect(1, 0, 3, 2);
  form.PaintTo(bmp.Canvas(), 1, 0);
  EXPECT_EQ(ToArt(bmp), (Art{"b#sss", "bbsss"})) << Show(ToArt(bmp));
}

TEST(ControlTree, ClientAlignedChildFollowsItsParentBeforeTheParentResizeHandler) {
  TControl parent;
  TControl child(&parent);
  child.SetAlign(TAlign::alClient);
  std::vector<int> seen;
  int resizes = 0;
  parent.OnResize = [&](TControl&) { seen.push_back(child.Width()); };
  child.OnResize = [&](TControl&) { ++resizes; };
  parent.SetBounds(10, 10, 40, 30);
  EXPECT_EQ(child.BoundsRect(), (TRect{0, 0, 40, 30}));
  parent.SetBounds(20, 20, 40, 30);  // a move is no resize
  parent.SetHeight(31);
  EXPECT_EQ(seen, (std::vector<int>{40, 40}));
  EXPECT_EQ(resizes, 2);
  EXPECT_EQ(child.Height(), 31);

  TControl other;
  other.SetBounds(0, 0, 7, 9);
  child.SetParent(&other);
  EXPECT_EQ(child.BoundsRect(), (TRect{0, 0, 7, 9}));
  EXPECT_TRUE(parent.Controls().empty());
  child.SetParent(&child);  // refused: a control cannot hold itself
  EXPECT_EQ(child.Parent(), &other);
}

TEST(ControlTree, DestroyedControlsLeaveTheTreeAndTheFocus) {
  TForm form;
  form.Show();
  auto panel = std::make_unique<TPanel>(&form);
  TControl edit(panel.get());
  std::vector<std::string> events;
  struct Focusable : TControl {
    using TControl::TControl;
    std::vector<std::string>* log = nullptr;
    void DoEnter() override { log->push_back("enter " + Name); }
    void DoExit() override { log->push_back("exit " + Name); }
  };
  Focusable f1(&form), f2(&form);
  f1.Name = "1", f2.Name = "2";
  f1.log = f2.log = &events;
  f1.SetFocus();
  f2.SetFocus();
  EXPECT_TRUE(f2.Focused());
  EXPECT_FALSE(f1.Focused());
  EXPECT_EQ(events, (std::vector<std::string>{"enter 1", "exit 1", "enter 2"}));
  f2.Hide();  // a hidden control loses the focus
  EXPECT_EQ(form.ActiveControl(), nullptr);
  f2.SetFocus();  // and cannot take it
  EXPECT_EQ(form.ActiveControl(), nullptr);

  edit.SetFocus();
  EXPECT_TRUE(edit.Focused());
  panel.reset();  // the focused control's parent goes; its child is orphaned
  EXPECT_EQ(form.ActiveControl(), nullptr);
  EXPECT_EQ(edit.Parent(), nullptr);
  EXPECT_EQ(form.Controls().size(), 2u);
}

TEST(ControlTree, InvalidationReachesTheFormAndPaintingClearsIt) {
  TForm form;
  form.SetBounds(0, 0, 4, 4);
  TControl c(&form);
  int calls = 0;
  form.OnInvalidate = [&](TForm&) { ++calls; };
  TBitmap bmp(4, 4);
  form.PaintTo(bmp.Canvas(), 0, 0);
  EXPECT_FALSE(c.Invalidated());
  c.Invalidate();
  EXPECT_TRUE(c.Invalidated());
  EXPECT_EQ(calls, 1);
}

TEST(ScrollBar, RangeAndPageBoundThePositionWithThirtyTwoBitValues) {
  T32ScrollBar bar(nullptr, TScrollBarKind::sbVertical);
  EXPECT_EQ(bar.Width(), kScrollBarSize);
  int changes = 0;
  bar.OnChange = [&](T32ScrollBar&) { ++changes; };
  struct Case {
    int position, page, min, max;
    int wantPosition, wantPage, wantMin, wantMax;
  } cases[] = {
      {70000, 101, 0, 200000, 70000, 101, 0, 200000},    // beyond 16 bits
      {250000, 101, 0, 200000, 199900, 101, 0, 200000},  // last page
      {-5, 10, 0, 100, 0, 10, 0, 100},                   // below the range
      {5, 500, 0, 100, 0, 101, 0, 100},                  // page larger than the range
      {50, 0, 100, 0, 50, 0, 0, 100},                    // range given backwards
      {INT32_MAX, 1, INT32_MIN, INT32_MAX, INT32_MAX, 1, INT32_MIN, INT32_MAX},
  };
  for (const Case& k : cases) {
    bar.SetScrollParams(k.position, k.page, k.min, k.max);
    EXPECT_EQ(bar.Position32(), k.wantPosition) << k.position;
    EXPECT_EQ(bar.Page32(), k.wantPage) << k.position;
    EXPECT_EQ(bar.Min32(), k.wantMin) << k.position;
    EXPECT_EQ(bar.Max32(), k.wantMax) << k.position;
  }
  EXPECT_EQ(changes, 0);  // only SetPosition32 notifies
  bar.SetScrollParams(0, 100, 0, 1000);
  bar.SetPosition32(600);
  bar.SetPosition32(600);
  bar.SetPosition32(5000);
  EXPECT_EQ(bar.Position32(), 901);
  EXPECT_EQ(changes, 2);
}

TEST(Screen, FactsOfTheScreen) { EXPECT_EQ(Screen().PixelsPerInch, 96); }
