// The viewer's published properties: defaults, clamps and what setting
// them passes on to the document root.
#include <gtest/gtest.h>

#include <cmath>

#include "folio_fixture.h"

using namespace html;
using folio_test::Viewer;

TEST(FolioProperties, DefaultsAsTheConstructorSetsThem) {
  TFolio f;
  EXPECT_FALSE(f.Creating());
  EXPECT_FALSE(f.Processing());
  EXPECT_EQ(f.Width(), 150);
  EXPECT_EQ(f.Height(), 150);
  EXPECT_TRUE(f.ViewImages());
  EXPECT_EQ(f.DefBackground(), plat::clBtnFace);
  EXPECT_EQ(f.BorderStyle(), THTMLBorderStyle::htFocused);
  EXPECT_EQ(f.HistoryMaxCount(), 0);
  EXPECT_EQ(f.DefFontName(), "Times New Roman");
  EXPECT_EQ(f.DefPreFontName(), "Courier New");
  EXPECT_EQ(f.DefFontSize(), 12);
  EXPECT_EQ(f.DefFontColor(), plat::clBtnText);
  EXPECT_EQ(f.DefHotSpotColor(), plat::clBlue);
  EXPECT_EQ(f.DefVisitedLinkColor(), plat::clPurple);
  EXPECT_EQ(f.DefOverLinkColor(), plat::clBlue);
  EXPECT_EQ(f.VisitedMaxCount(), 50);
  EXPECT_EQ(f.ImageCacheCount(), 5);
  EXPECT_FALSE(f.NoSelect());
  EXPECT_EQ(f.ScrollBars(), TScrollStyle::ssBoth);
  EXPECT_EQ(f.CharSet(), 1);
  EXPECT_EQ(f.MarginHeight(), 5);
  EXPECT_EQ(f.MarginWidth(), 10);
  EXPECT_EQ(f.ServerRoot(), "");
  EXPECT_EQ(f.PrintMarginLeft(), 2.0);
  EXPECT_EQ(f.PrintMarginRight(), 2.0);
  EXPECT_EQ(f.PrintMarginTop(), 2.0);
  EXPECT_EQ(f.PrintMarginBottom(), 2.0);
  EXPECT_EQ(f.PrintScale(), 1.0);
  EXPECT_EQ(f.htOptions(), (TFolioOptions{htPrintTableBackground, htPrintMonochromeBlack}));
  EXPECT_EQ(f.Cursor(), plat::crIBeam);

  // The children as the control is made.
  EXPECT_EQ(f.Controls().size(), 4u);
  EXPECT_EQ(f.BorderPanel().BoundsRect(), (plat::TRect{0, 0, 150, 150}));
  EXPECT_EQ(f.PaintPanel().Left(), 1);
  EXPECT_EQ(f.PaintPanel().Top(), 1);
  EXPECT_EQ(f.PaintPanel().Color(), plat::clBtnFace);
  EXPECT_FALSE(f.VScrollBar().Visible());
  EXPECT_FALSE(f.HScrollBar().Visible());
  EXPECT_EQ(f.VScrollBar().SmallChange, 16);
  EXPECT_EQ(f.HScrollBar().SmallChange, 15);
  EXPECT_EQ(f.ScrollBarWidth(), f.VScrollBar().Width());
  EXPECT_EQ(f.HScrollBar().Height(), f.ScrollBarWidth());
  EXPECT_FALSE(f.HoverTimer().Enabled());
  EXPECT_EQ(f.HoverTimer().Interval(), 200);
  // The root holds the link colours and options from the start.
  EXPECT_EQ(f.SectionList().LinkColor, plat::clBlue);
  EXPECT_EQ(f.SectionList().VisitedLinkColor, plat::clPurple);
  EXPECT_TRUE(f.SectionList().PrintTableBackground);
  EXPECT_TRUE(f.SectionList().PrintMonochromeBlack);
}

TEST(FolioProperties, ClampsAndIgnoredValues) {
  struct Case {
    const char* what;
    std::function<void(TFolio&)> set;
    std::function<double(TFolio&)> get;
    double want;
  } cases[] = {
      {"cache 25", [](TFolio& f) { f.SetImageCacheCount(25); }, [](TFolio& f) { return f.ImageCacheCount(); }, 20},
      {"cache -3", [](TFolio& f) { f.SetImageCacheCount(-3); }, [](TFolio& f) { return f.ImageCacheCount(); }, 0},
      {"visited -5", [](TFolio& f) { f.SetVisitedMaxCount(-5); }, [](TFolio& f) { return f.VisitedMaxCount(); }, 0},
      {"history -1", [](TFolio& f) { f.SetHistoryMaxCount(-1); }, [](TFolio& f) { return f.HistoryMaxCount(); }, 0},
      {"history 4", [](TFolio& f) { f.SetHistoryMaxCount(4); }, [](TFolio& f) { return f.HistoryMaxCount(); }, 4},
      {"scale 5", [](TFolio& f) { f.SetPrintScale(5); }, [](TFolio& f) { return f.PrintScale(); }, 4.0},
      {"scale 0.1", [](TFolio& f) { f.SetPrintScale(0.1); }, [](TFolio& f) { return f.PrintScale(); }, 0.25},
      {"scale nan", [](TFolio& f) { f.SetPrintScale(std::nan("")); }, [](TFolio& f) { return f.PrintScale(); }, 1.0},
      {"cursor 2", [](TFolio& f) { f.SetCursor(2); }, [](TFolio& f) { return f.Cursor(); }, plat::crIBeam},
      {"cursor arrow", [](TFolio& f) { f.SetCursor(plat::crArrow); }, [](TFolio& f) { return f.Cursor(); },
       plat::crArrow},
  };
  for (const Case& c : cases) {
    TFolio f;
    c.set(f);
    EXPECT_EQ(c.get(f), c.want) << c.what;
  }
}

TEST(FolioProperties, ServerRootLosesBlanksAndOneTrailingSeparator) {
  TFolio f;
  f.SetServerRoot("  /srv/www//  ");
  EXPECT_EQ(f.ServerRoot(), "/srv/www/");
  f.SetServerRoot(" C:\\root\\ ");
  EXPECT_EQ(f.ServerRoot(), "C:\\root");
}

TEST(FolioProperties, PreFontNameChangesOnlyWhenItDiffersWithoutRegardToCase) {
  TFolio f;
  f.SetDefPreFontName("COURIER NEW");
  EXPECT_EQ(f.DefPreFontName(), "Courier New");
  EXPECT_EQ(f.SectionList().PreFontName, "Courier New");
  std::string longName(40, 'm');
  f.SetDefPreFontName(longName);
  EXPECT_EQ(f.DefPreFontName(), longName);
  EXPECT_EQ(f.SectionList().PreFontName, std::string(32, 'm'));
}

TEST(FolioProperties, LinkColoursAndOptionsReachTheRootAtOnce) {
  TFolio f;
  f.SetDefHotSpotColor(plat::clRed);
  f.SetDefVisitedLinkColor(plat::clGreen);
  f.SetDefOverLinkColor(plat::clYellow);
  EXPECT_EQ(f.SectionList().LinkColor, plat::clRed);
  EXPECT_EQ(f.SectionList().VisitedLinkColor, plat::clGreen);
  EXPECT_EQ(f.SectionList().HoverLinkColor, plat::clYellow);

  struct Case {
    TFolioOptions options;
    bool linksActive, printTables, printBackground, mono, dummyCaret;
  } cases[] = {
      {{}, false, false, false, false, false},
      {{htOverLinksActive}, true, false, false, false, false},
      {{htPrintBackground}, false, true, true, false, false},
      {{htPrintTableBackground}, false, true, false, false, false},
      {{htPrintMonochromeBlack, htShowDummyCaret}, false, false, false, true, true},
  };
  for (const Case& c : cases) {
    f.SethtOptions(c.options);
    const TSectionList& s = f.SectionList();
    EXPECT_EQ(s.LinksActive, c.linksActive) << c.options.Bits();
    EXPECT_EQ(s.PrintTableBackground, c.printTables) << c.options.Bits();
    EXPECT_EQ(s.PrintBackground, c.printBackground) << c.options.Bits();
    EXPECT_EQ(s.PrintMonochromeBlack, c.mono) << c.options.Bits();
    EXPECT_EQ(s.ShowDummyCaret, c.dummyCaret) << c.options.Bits();
  }
}

TEST(FolioProperties, BackgroundGoesToTheRootAndThePanelButNotWhileProcessing) {
  Viewer v;
  v.folio.SetDefBackground(plat::clWhite);
  EXPECT_EQ(v.folio.SectionList().Background, plat::clWhite);
  EXPECT_EQ(v.folio.PaintPanel().Color(), plat::clWhite);
  v.folio.OnProcessing = [](TFolio& f, bool on) {
    if (on) f.SetDefBackground(plat::clRed);
  };
  v.folio.LoadHtml("");
  EXPECT_EQ(v.folio.DefBackground(), plat::clWhite);
  EXPECT_EQ(v.folio.PaintPanel().Color(), plat::clWhite);
}

TEST(FolioProperties, BorderStyleOnlyChangesTheFrame) {
  Viewer v;
  v.folio.LoadHtml("");
  std::vector<int> widths;
  v.folio.SectionList().AddSection(std::make_unique<folio_test::TProbeSection>(folio_test::Fixed(10), 0, &widths), 0);
  struct Case {
    THTMLBorderStyle style;
    bool focused;
    plat::TBorderStyle frame;
  } cases[] = {
      {THTMLBorderStyle::htSingle, false, plat::TBorderStyle::bsSingle},
      {THTMLBorderStyle::htFocused, false, plat::TBorderStyle::bsNone},
      {THTMLBorderStyle::htNone, false, plat::TBorderStyle::bsNone},
      {THTMLBorderStyle::htFocused, true, plat::TBorderStyle::bsSingle},
      {THTMLBorderStyle::htNone, true, plat::TBorderStyle::bsNone},
  };
  v.form.Show();
  for (const Case& c : cases) {
    if (c.focused) v.folio.SetFocus();
    v.folio.SetBorderStyle(c.style);
    EXPECT_EQ(v.folio.BorderPanel().BorderStyle(), c.frame);
  }
  EXPECT_TRUE(widths.empty());  // no layout
  EXPECT_EQ(v.folio.PaintPanel().Left(), 1);
  v.form.SetActiveControl(nullptr);  // focus leaves: the frame follows
  v.folio.SetBorderStyle(THTMLBorderStyle::htFocused);
  v.folio.SetFocus();
  EXPECT_EQ(v.folio.BorderPanel().BorderStyle(), plat::TBorderStyle::bsSingle);
  v.form.SetActiveControl(nullptr);
  EXPECT_EQ(v.folio.BorderPanel().BorderStyle(), plat::TBorderStyle::bsNone);
}

TEST(FolioProperties, NoSelectClearsTheSelection) {
  TFolio f;
  f.SectionList().SelStart = 3;
  f.SectionList().SelEnd = 9;
  f.SetNoSelect(true);
  EXPECT_EQ(f.SectionList().SelStart, -1);
  EXPECT_EQ(f.SectionList().SelEnd, -1);
}

TEST(FolioProperties, ImageCacheCountReachesTheCacheOnceThereIsOne) {
  Viewer v;
  v.folio.LoadHtml("");
  ASSERT_NE(v.folio.SectionList().ImageCache, nullptr);
  EXPECT_TRUE(v.folio.OwnsImageCache());
  EXPECT_EQ(v.folio.SectionList().ImageCache->CacheLimit(), 5);
  v.folio.SetImageCacheCount(30);
  EXPECT_EQ(v.folio.SectionList().ImageCache->CacheLimit(), 20);
}
