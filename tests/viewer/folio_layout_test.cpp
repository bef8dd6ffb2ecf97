// The layout driver: the widths it lays out at, its scroll bar decisions,
// the placing of the panels, re-layout on size changes, position marks.
#include <gtest/gtest.h>

#include "folio_fixture.h"
#include "support/pixel_art.h"

using namespace html;
using folio_test::Fixed;
using folio_test::TProbeSection;
using folio_test::Viewer;

namespace {

constexpr int kW = 200, kH = 100, kBar = plat::kScrollBarSize;  // laid out at 198 or 198 - 17 = 181

struct LayoutCase {
  const char* what;
  TScrollStyle bars;
  TFolioOptions options;
  THTMLBorderStyle border;
  size_t sourceLength;
  std::function<int(int)> height;
  int contentWidth;
  std::vector<int> widths;
  bool vBar, hBar;
  plat::TRect paintPanel;
};

}  // namespace

TEST(FolioLayout, WidthsAndScrollBarsFollowTheDocument) {
  const auto tallWhenWide = [](int w) { return w >= 198 ? 500 : 50; };
  const LayoutCase cases[] = {
      {"none: one pass whatever the length",
       TScrollStyle::ssNone,
       {},
       THTMLBorderStyle::htFocused,
       20000,
       Fixed(500),
       0,
       {198},
       false,
       false,
       {1, 1, 199, 99}},
      {"short document",
       TScrollStyle::ssBoth,
       {},
       THTMLBorderStyle::htFocused,
       10,
       Fixed(50),
       0,
       {198},
       false,
       false,
       {1, 1, 199, 99}},
      {"tall document",
       TScrollStyle::ssBoth,
       {},
       THTMLBorderStyle::htFocused,
       10,
       Fixed(500),
       0,
       {198, 181},
       true,
       false,
       {1, 1, 182, 99}},
      {"tall only when wide: back to the full width",
       TScrollStyle::ssBoth,
       {},
       THTMLBorderStyle::htFocused,
       10,
       tallWhenWide,
       0,
       {198, 181, 198},
       true,
       false,
       {1, 1, 182, 99}},
      {"nearly fits but wide",
       TScrollStyle::ssBoth,
       {},
       THTMLBorderStyle::htFocused,
       10,
       Fixed(90),
       300,
       {198, 181},
       true,
       true,
       {1, 1, 182, 82}},
      {"always a vertical bar",
       TScrollStyle::ssBoth,
       {htShowVScroll},
       THTMLBorderStyle::htFocused,
       10,
       Fixed(50),
       0,
       {181},
       true,
       false,
       {1, 1, 182, 99}},
      {"long source: one pass with room for the bar",
       TScrollStyle::ssVertical,
       {},
       THTMLBorderStyle::htFocused,
       10000,
       Fixed(50),
       0,
       {181},
       false,
       false,
       {1, 1, 199, 99}},
      {"horizontal only",
       TScrollStyle::ssHorizontal,
       {},
       THTMLBorderStyle::htFocused,
       10,
       Fixed(500),
       400,
       {198},
       false,
       true,
       {1, 1, 199, 82}},
      {"no border: the full width",
       TScrollStyle::ssBoth,
       {},
       THTMLBorderStyle::htNone,
       10,
       Fixed(50),
       0,
       {200},
       false,
       false,
       {0, 0, 200, 100}},
      {"single border",
       TScrollStyle::ssNone,
       {},
       THTMLBorderStyle::htSingle,
       10,
       Fixed(50),
       0,
       {198},
       false,
       false,
       {1, 1, 199, 99}},
  };
  for (const LayoutCase& c : cases) {
    Viewer v;
    v.folio.SetBounds(0, 0, kW, kH);
    v.folio.SetScrollBars(c.bars);
    v.folio.SethtOptions(c.options);
    v.folio.SetBorderStyle(c.border);
    std::vector<int> widths;
    v.content = [&](TSectionList& s) {
      s.AddSection(std::make_unique<TProbeSection>(c.height, c.contentWidth, &widths), 0);
    };
    v.folio.SetMarginHeight(0);
    v.folio.SetMarginWidth(0);
    v.folio.LoadHtml(std::string(c.sourceLength, 'x'));
    EXPECT_EQ(widths, c.widths) << c.what;
    EXPECT_EQ(v.folio.VScrollBar().Visible(), c.vBar) << c.what;
    EXPECT_EQ(v.folio.HScrollBar().Visible(), c.hBar) << c.what;
    EXPECT_EQ(v.folio.PaintPanel().BoundsRect(), c.paintPanel) << c.what;
    EXPECT_EQ(v.folio.BorderPanel().Visible(), c.border != THTMLBorderStyle::htNone) << c.what;
  }
}

TEST(FolioLayout, ScrollBarsArePlacedAndRangedByTheDocument) {
  Viewer v;
  v.folio.SetBounds(0, 0, kW, kH);
  v.content = [](TSectionList& s) { s.AddSection(std::make_unique<TProbeSection>(Fixed(1000), 9000, nullptr), 0); };
  v.folio.LoadHtml("doc");
  EXPECT_EQ(v.folio.DocumentHeight(), 1010);
  EXPECT_EQ(v.folio.DocumentWidth(), 6000);  // capped
  const plat::T32ScrollBar& vb = v.folio.VScrollBar();
  EXPECT_EQ(vb.BoundsRect(), (plat::TRect{kW - kBar - 1, 1, kW - 1, 1 + 98 - kBar}));
  EXPECT_EQ(vb.Max32(), 1010);
  EXPECT_EQ(vb.Page32(), 98 - kBar + 1);
  EXPECT_EQ(vb.LargeChange, 98 - kBar - 16);
  const plat::T32ScrollBar& hb = v.folio.HScrollBar();
  EXPECT_EQ(hb.BoundsRect(), (plat::TRect{1, kH - kBar - 1, kW - kBar, kH - 1}));
  EXPECT_EQ(hb.Max32(), 6000);
  EXPECT_EQ(hb.Page32(), kW - kBar);
  EXPECT_EQ(hb.LargeChange, kW - kBar - 20);

  // With htShowVScroll a short document shows the bar disabled.
  v.folio.SethtOptions({htShowVScroll});
  v.content = nullptr;
  v.folio.LoadHtml("short");
  EXPECT_TRUE(vb.Visible());
  EXPECT_FALSE(vb.Enabled());
  EXPECT_TRUE(vb.DisableNoScroll);
}

TEST(FolioLayout, ScrollingStaysWithinTheDocument) {
  Viewer v;
  v.folio.SetBounds(0, 0, kW, kH);
  v.content = [](TSectionList& s) { s.AddSection(std::make_unique<TProbeSection>(Fixed(490), 0, nullptr), 0); };
  v.folio.LoadHtml("doc");
  const int last = v.folio.DocumentHeight() - v.folio.PaintPanel().Height();
  for (auto [ask, want] : std::vector<std::pair<int, int>>{{-50, 0}, {150, 150}, {INT32_MAX, last}, {INT32_MIN, 0}}) {
    v.folio.ScrollToY(ask);
    EXPECT_EQ(v.folio.VScrollBar().Position32(), want) << ask;
    EXPECT_EQ(v.folio.SectionList().ScrollTop, want) << ask;
  }
  v.content = nullptr;
  v.folio.LoadHtml("short");  // shorter than the panel: every request ends at 0
  v.folio.ScrollToY(40);
  EXPECT_EQ(v.folio.VScrollBar().Position32(), 0);
}

TEST(FolioLayout, SizeChangesLayOutAgainOnceTheControlHasAWindow) {
  Viewer v;
  std::vector<int> widths;
  v.folio.SetScrollBars(TScrollStyle::ssNone);
  v.folio.SetWidth(300);  // no window yet: no layout
  v.content = [&](TSectionList& s) { s.AddSection(std::make_unique<TProbeSection>(Fixed(40), 0, &widths), 0); };
  v.folio.LoadHtml("doc");
  EXPECT_EQ(widths, (std::vector<int>{298}));
  EXPECT_TRUE(v.folio.HandleAllocated());
  int processing = 0;
  v.folio.OnProcessing = [&](TFolio&, bool on) { processing += on; };
  v.folio.SetHeight(100);
  v.folio.SetWidth(120);
  v.folio.SetBounds(5, 5, 120, 100);  // a move lays nothing out
  EXPECT_EQ(widths, (std::vector<int>{298, 298, 118}));
  EXPECT_EQ(processing, 2);
  EXPECT_EQ(v.folio.PaintPanel().BoundsRect(), (plat::TRect{1, 1, 119, 99}));
  EXPECT_EQ(v.folio.BorderPanel().BoundsRect(), (plat::TRect{0, 0, 120, 100}));

  // Changing the scroll bar style or the image switch lays out too.
  v.folio.SetScrollBars(TScrollStyle::ssBoth);
  v.folio.SetViewImages(false);
  EXPECT_EQ(widths.size(), 5u);
  EXPECT_FALSE(v.folio.SectionList().ImagesEnabled);
  v.folio.SetViewImages(false);  // unchanged: nothing
  EXPECT_EQ(widths.size(), 5u);

  // A control narrower than its border lays out at width 0, not below.
  v.folio.SetScrollBars(TScrollStyle::ssNone);
  v.folio.SetWidth(1);
  EXPECT_EQ(widths.back(), 0);
  EXPECT_EQ(v.folio.PaintPanel().Width(), 0);
}

TEST(FolioLayout, PositionMarksKeepFullOffsetsAndIndexes) {
  Viewer v;
  v.folio.SetBounds(0, 0, kW, kH);
  v.folio.SetMarginHeight(0);
  // 70000 short sections, then one taller than 16 bits of pixels.
  v.content = [](TSectionList& s) {
    for (int i = 0; i < 70000; ++i) s.AddSection(std::make_unique<TProbeSection>(Fixed(10), 0, nullptr), 0);
    s.AddSection(std::make_unique<TProbeSection>([](int w) { return w < 190 ? 200000 : 100000; }, 0, nullptr), 0);
  };
  v.folio.LoadHtml("doc");
  ASSERT_EQ(v.folio.SectionList().PositionEntries.size(), 70002u);  // with the body block
  v.folio.ScrollToY(700000 + 70000 + 5);
  TPositionMark mark = v.folio.GetPositionMark();
  EXPECT_EQ(mark.Section, 70001);
  EXPECT_EQ(mark.Offset, 70005);
  v.folio.ScrollToY(0);
  v.folio.GoToPositionMark(mark);
  EXPECT_EQ(v.folio.VScrollBar().Position32(), 770005);

  v.folio.ScrollToY(699995);  // inside section 69999
  mark = v.folio.GetPositionMark();
  EXPECT_EQ(mark, (TPositionMark{70000, 5}));

  // A mark survives layout at another width: it points into the same section.
  v.folio.ScrollToY(700000 + 90000);
  v.folio.SetWidth(180);
  EXPECT_EQ(v.folio.VScrollBar().Position32(), 790000);
  EXPECT_EQ(v.folio.GetPositionMark(), (TPositionMark{70001, 90000}));

  // A mark naming a section the document does not have changes nothing.
  v.folio.GoToPositionMark({80000, 0});
  v.folio.GoToPositionMark({-3, 0});
  EXPECT_EQ(v.folio.VScrollBar().Position32(), 790000);
  v.folio.GoToPositionMark({0, 1234});  // an absolute position
  EXPECT_EQ(v.folio.VScrollBar().Position32(), 1234);
}

TEST(FolioLayout, TheSnapshotSequenceGivesTheDocumentInsetOnlyTheFirstTime) {
  // As the snapshot renderer uses the viewer: width W, provisional height,
  // load, height := document height, no border, paint at (-1, -1) into a
  // bitmap W wide and H - 1 high.
  using testing_support::Art;
  using testing_support::Show;
  using testing_support::ToArt;
  plat::TForm form;
  TFolio viewer;
  viewer.SetScrollBars(TScrollStyle::ssNone);
  viewer.SetParent(&form);
  viewer.SetDefBackground(plat::clWhite);
  viewer.BorderPanel().SetColor(plat::clRed);
  viewer.SetMarginHeight(3);
  auto legend = testing_support::DefaultLegend();
  auto render = [&](int width) {
    viewer.SetWidth(width);
    viewer.SetHeight(100);
    viewer.LoadHtml("<p>", "");
    int h = viewer.DocumentHeight();
    viewer.SetHeight(h);
    viewer.SetBorderStyle(THTMLBorderStyle::htNone);
    plat::TBitmap bmp(width, h - 1);
    bmp.Canvas().FillRect({0, 0, width, h - 1}, plat::clSilver);
    viewer.PaintTo(bmp.Canvas(), -1, -1);
    return ToArt(bmp, legend);
  };
  Art first = render(6);
  EXPECT_EQ(first, (Art{"....rs", "....rs", "....rs", "....rs", "rrrrrs"})) << Show(first);
  Art second = render(6);
  EXPECT_EQ(second, (Art{".....s", ".....s", ".....s", ".....s", ".....s"})) << Show(second);
  EXPECT_EQ(render(6), second);
}
