// Loading documents: from strings and files, the guards around a load, the
// clean-up after failures, destinations and meta refresh.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "folio_fixture.h"
#include "platform/errors.h"
#include "support/native_path.h"
#include "viewer/url_subs.h"

using namespace html;
using folio_test::Fixed;
using folio_test::TempDir;
using folio_test::TProbeSection;
using folio_test::Viewer;

namespace {

// A section whose layout fails.
class TFailingSection : public TSectionBase {
 public:
  TFailingSection() : TSectionBase(nullptr) {}
  int LayoutPass(plat::TCanvas&, int, int&, int&, IndentManager*, int, int, int, int, int, int) override {
    throw std::runtime_error("layout failed");
  }
};

void AddSection(TSectionList& s, int height) {
  s.AddSection(std::make_unique<TProbeSection>(Fixed(height), 0, nullptr), 0);
}

}  // namespace

TEST(FolioLoad, AnEmptyDocumentIsAsTallAndWideAsItsMargins) {
  struct Case {
    int marginWidth, marginHeight;
    TScrollStyle bars;
    int height, width;
  } cases[] = {
      {10, 5, TScrollStyle::ssBoth, 10, 20},
      {10, 5, TScrollStyle::ssNone, 10, 20},
      {3, 7, TScrollStyle::ssBoth, 14, 6},
      {0, 0, TScrollStyle::ssVertical, 0, 0},
  };
  for (const Case& c : cases) {
    Viewer v;
    v.folio.SetScrollBars(c.bars);
    v.folio.SetMarginWidth(c.marginWidth);
    v.folio.SetMarginHeight(c.marginHeight);
    v.folio.LoadHtml("<p>anything at all</p>");
    EXPECT_EQ(v.folio.DocumentHeight(), c.height) << c.marginHeight;
    EXPECT_EQ(v.folio.DocumentWidth(), c.width) << c.marginWidth;
    EXPECT_EQ(v.folio.SourceText(), "<p>anything at all</p>");
    EXPECT_EQ(v.folio.DocumentName(), "");
    EXPECT_FALSE(v.folio.VScrollBar().Visible());
  }
}

TEST(FolioLoad, ALoadRaisesItsEventsInOrder) {
  Viewer v;
  std::vector<std::string> log;
  v.folio.OnProcessing = [&](TFolio&, bool on) { log.push_back(on ? "processing on" : "processing off"); };
  v.folio.OnProgress = [&](TFolio& f, TProgressStage stage, int pct) {
    log.push_back((stage == TProgressStage::psStarting ? "start " : "end ") + std::to_string(pct) +
                  (f.PaintSuspended() ? " suspended" : ""));
  };
  v.folio.OnSoundRequest = [&](TFolio&, const std::string& src, int loop, bool stop) {
    log.push_back("sound '" + src + "' " + std::to_string(loop) + (stop ? " stop" : ""));
  };
  v.folio.OnParseBegin = [&](TFolio& f, std::string& text) {
    log.push_back("parse " + text);
    EXPECT_TRUE(f.Processing());
    EXPECT_EQ(f.SectionList().ProgressShare, 75);
    text = "replaced";
  };
  v.folio.OnParseEnd = [&](TFolio&) { log.push_back("parse end"); };
  v.folio.LoadHtml("text");
  EXPECT_EQ(log, (std::vector<std::string>{"processing on", "start 0 suspended", "sound '' 0 stop", "parse text",
                                           "parse end", "end 100 suspended", "processing off"}));
  EXPECT_EQ(v.folio.SourceText(), "replaced");
  EXPECT_FALSE(v.folio.PaintSuspended());
}

TEST(FolioLoad, NothingStartsWhileALoadIsUnderWay) {
  Viewer v;
  TempDir dir;
  std::string file = dir.Write("other.htm", "x");
  int processingEvents = 0;
  v.folio.OnProcessing = [&](TFolio&, bool) { ++processingEvents; };
  v.folio.OnParseEnd = [&](TFolio& f) {
    f.LoadHtml("inner", "inner.htm");
    f.LoadHtmlFile(file);
    f.LoadImageDocument(file);
    f.ClearDocument();
    f.SetViewImages(false);
  };
  v.folio.LoadHtml("outer");
  EXPECT_EQ(v.folio.SourceText(), "outer");
  EXPECT_EQ(v.folio.DocumentName(), "");
  EXPECT_TRUE(v.folio.ViewImages());
  EXPECT_EQ(v.folio.DocumentHeight(), 10);
  EXPECT_EQ(processingEvents, 2);
}

TEST(FolioLoad, AFailedLoadGivesBackItsFlagsAndTheNextLoadWorks) {
  struct Case {
    const char* where;
    std::function<void(Viewer&)> arm;
    bool progressEnds;
  } cases[] = {
      {"parse begin",
       [](Viewer& v) { v.folio.OnParseBegin = [](TFolio&, std::string&) { throw std::runtime_error("x"); }; }, true},
      {"parse end", [](Viewer& v) { v.folio.OnParseEnd = [](TFolio&) { throw std::runtime_error("x"); }; }, true},
      {"layout",
       [](Viewer& v) { v.content = [](TSectionList& s) { s.AddSection(std::make_unique<TFailingSection>(), 0); }; },
       true},
      {"progress start",
       [](Viewer& v) {
         v.folio.OnProgress = [](TFolio&, TProgressStage s, int) {
           if (s == TProgressStage::psStarting) throw std::runtime_error("x");
         };
       },
       false},
      {"processing on",
       [](Viewer& v) {
         v.folio.OnProcessing = [](TFolio&, bool on) {
           if (on) throw std::runtime_error("x");
         };
       },
       false},
  };
  for (const Case& c : cases) {
    Viewer v;
    c.arm(v);
    std::vector<TProgressStage> stages;
    auto progress = v.folio.OnProgress;
    v.folio.OnProgress = [&](TFolio& f, TProgressStage s, int p) {
      stages.push_back(s);
      if (progress) progress(f, s, p);
    };
    EXPECT_THROW(v.folio.LoadHtml("doc"), std::runtime_error) << c.where;
    EXPECT_FALSE(v.folio.Processing()) << c.where;
    EXPECT_FALSE(v.folio.PaintSuspended()) << c.where;
    EXPECT_EQ(!stages.empty() && stages.back() == TProgressStage::psEnding, c.progressEnds) << c.where;

    v.folio.OnParseBegin = nullptr;
    v.folio.OnParseEnd = nullptr;
    v.folio.OnProgress = nullptr;
    v.folio.OnProcessing = nullptr;
    v.content = nullptr;
    v.folio.LoadHtml("again");
    EXPECT_EQ(v.folio.DocumentHeight(), 10) << c.where;
  }
}

TEST(FolioLoad, TheFirstExceptionPassesWhenTheCleanUpFailsToo) {
  Viewer v;
  v.folio.OnParseBegin = [](TFolio&, std::string&) { throw std::runtime_error("first"); };
  v.folio.OnProgress = [](TFolio&, TProgressStage s, int) {
    if (s == TProgressStage::psEnding) throw std::logic_error("second");
  };
  v.folio.OnProcessing = [](TFolio&, bool on) {
    if (!on) throw std::logic_error("third");
  };
  try {
    v.folio.LoadHtml("doc");
    ADD_FAILURE() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "first");
  }
  EXPECT_FALSE(v.folio.Processing());
  EXPECT_FALSE(v.folio.PaintSuspended());
}

TEST(FolioLoad, FilesLoadWithTheirFullNameAndText) {
  Viewer v;
  TempDir dir;
  std::string page = dir.Write("page.htm", "<b>file text</b>");
  std::string seen = "unset";
  v.folio.OnParseBegin = [&](TFolio& f, std::string& text) {
    seen = text;
    EXPECT_EQ(plat::Screen().Cursor, plat::crHourGlass);
    AddSection(f.SectionList(), 400);
  };
  v.folio.LoadHtmlFile(page + "#nowhere");
  EXPECT_EQ(v.folio.DocumentName(), FullPathOf(page));
  EXPECT_EQ(v.folio.FileKind(), kKindHtml);
  EXPECT_EQ(seen, "<b>file text</b>");
  EXPECT_EQ(v.folio.DocumentHeight(), 410);
  EXPECT_EQ(plat::Screen().Cursor, plat::crDefault);

  std::string picture = dir.Write("a picture.gif", "GIF89a");
  v.folio.LoadImageDocument(picture);
  EXPECT_EQ(v.folio.FileKind(), kKindImage);
  EXPECT_EQ(seen, "");  // an image document has no text of its own
  EXPECT_EQ(v.folio.DocumentName(), FullPathOf(picture));

  v.folio.LoadHtmlFile("");  // no name: nothing
  EXPECT_EQ(v.folio.DocumentName(), FullPathOf(picture));
}

TEST(FolioLoad, FileNamesAreFoundAsDocumentsWriteThem) {
  TempDir dir;
  std::filesystem::create_directories(dir.Path("Sub"));
  const std::string page = dir.Write("Sub/Doc.htm", "in sub");
  const std::string root = dir.Path("");  // ends in "/"
  struct Case {
    std::string name;
  } cases[] = {
      {root + "Sub/Doc.htm"},          // as it is
      {root + "Sub\\Doc.htm"},         // backslashes
      {root + "sub/doc.HTM"},          // another case
      {root + "SUB\\DOC.htm#part"},    // both, and a destination
  };
  for (const Case& c : cases) {
    Viewer v;
    std::string seen;
    v.folio.OnParseBegin = [&](TFolio&, std::string& text) { seen = text; };
    v.folio.LoadHtmlFile(c.name);
    EXPECT_EQ(v.folio.DocumentName(), FullPathOf(page)) << c.name;
    EXPECT_EQ(seen, "in sub") << c.name;
  }
  Viewer v;
  for (const std::string& name : {root + "Sub\\Missing.htm", root + "Other\\Doc.htm", root + "Sub"}) {
    try {
      v.folio.LoadHtmlFile(name);
      ADD_FAILURE() << "no exception for " << name;
    } catch (const plat::EInOutError& e) {
      EXPECT_EQ(std::string(e.what()), "Can't locate file: " + name);  // the name as written
    }
  }
}

TEST(FolioLoad, AMissingFileKeepsTheCurrentDocument) {
  Viewer v;
  TempDir dir;
  v.content = [](TSectionList& s) { AddSection(s, 300); };
  v.folio.LoadHtml("current", dir.Path("current.htm"));
  ASSERT_EQ(v.folio.DocumentHeight(), 310);
  int sections = v.folio.SectionList().Count();
  std::string missing = dir.Path("missing.htm");
  for (const std::string& name : {missing, missing + "#part", dir.Path("")}) {
    try {
      v.folio.LoadHtmlFile(name);
      ADD_FAILURE() << "no exception for " << name;
    } catch (const plat::EInOutError& e) {
      EXPECT_EQ(std::string(e.what()), "Can't locate file: " + name.substr(0, name.find('#')));
    }
    EXPECT_FALSE(v.folio.Processing());
    EXPECT_EQ(plat::Screen().Cursor, plat::crDefault);
    EXPECT_EQ(v.folio.DocumentName(), FullPathOf(dir.Path("current.htm")));
    EXPECT_EQ(v.folio.SectionList().Count(), sections);
    EXPECT_EQ(v.folio.SourceText(), "current");
  }
}

TEST(FolioLoad, AFileLoadThatFailsAfterReadingStillLaysOutWhatWasBuilt) {
  Viewer v;
  TempDir dir;
  std::string page = dir.Write("page.htm", "x");
  v.folio.OnParseBegin = [](TFolio& f, std::string&) {
    AddSection(f.SectionList(), 250);
    throw std::runtime_error("reader failed");
  };
  EXPECT_THROW(v.folio.LoadHtmlFile(page), std::runtime_error);
  EXPECT_EQ(v.folio.DocumentHeight(), 250);
  EXPECT_EQ(v.folio.DocumentName(), FullPathOf(page));
  EXPECT_FALSE(v.folio.Processing());
  EXPECT_FALSE(v.folio.PaintSuspended());
}

TEST(FolioLoad, ScrollPositionAfterALoadFollowsTheReference) {
  Viewer v;
  TSectionBase* part2 = nullptr;
  v.content = [&](TSectionList& s) {
    AddSection(s, 500);
    part2 = Viewer::Add(s, std::make_unique<TProbeSection>(Fixed(500), 0, nullptr));
    s.IDNames.AddObject("PART2", part2);
  };
  v.folio.LoadHtml("a", "page.htm");
  v.folio.ScrollToY(300);
  ASSERT_EQ(v.folio.VScrollBar().Position32(), 300);
  v.folio.LoadHtml("a", "page.htm");  // the same name again: the view stays
  EXPECT_EQ(v.folio.VScrollBar().Position32(), 300);
  EXPECT_EQ(v.folio.SectionList().ScrollTop, 300);
  v.folio.LoadHtml("a", "other.htm");  // another name: the top
  EXPECT_EQ(v.folio.VScrollBar().Position32(), 0);
  v.folio.ScrollToY(300);
  v.folio.LoadHtml("a");  // no name: always the top
  EXPECT_EQ(v.folio.VScrollBar().Position32(), 0);

  v.folio.LoadHtml("a", "#part2");  // looked up upper-cased
  EXPECT_EQ(v.folio.VScrollBar().Position32(), 500);
  ASSERT_FALSE(v.folio.VisitedList().empty());
  EXPECT_EQ(v.folio.VisitedList().front(), "#part2");
  v.folio.LoadHtml("a", "#nothere");
  EXPECT_EQ(v.folio.VScrollBar().Position32(), 0);
  // Jumps beyond the end stop at the last page.
  EXPECT_TRUE(v.folio.JumpToDestination("#PART2"));
  part2->TopY = 5000;
  EXPECT_TRUE(v.folio.JumpToDestination("part2"));
  EXPECT_EQ(v.folio.VScrollBar().Position32(), v.folio.DocumentHeight() - v.folio.PaintPanel().Height());
  EXPECT_FALSE(v.folio.JumpToDestination(""));
  EXPECT_FALSE(v.folio.JumpToDestination("#"));
}

TEST(FolioLoad, MetaRefreshIsRaisedAfterTheLoad) {
  struct Case {
    const char* httpEq;
    const char* content;
    bool raised;
    int delay;
    const char* url;
  } cases[] = {
      {"refresh", "0; URL=next.htm", true, 1, "next.htm"},
      {"REFRESH", "5;url=Page%20Two.htm;x", true, 5, "Page%20Two.htm;x"},
      {"Refresh", "12", true, 12, ""},
      {"refresh", " 3 ;url=a", false, 0, ""},  // nothing may follow the number
      {"refresh", "soon; url=a", false, 0, ""},
      {"refresh", "-1; url=a", false, 0, ""},
      {"refresh", "99999999999; url=a", false, 0, ""},
      {"expires", "5", false, 0, ""},
  };
  for (const Case& c : cases) {
    Viewer v;
    std::vector<std::string> meta;
    v.folio.OnMeta = [&](TFolio&, const std::string& h, const std::string& n, const std::string& content) {
      meta.push_back(h + "|" + n + "|" + content);
    };
    v.folio.OnParseBegin = [&](TFolio& f, std::string&) { f.ApplyMetaElement(c.httpEq, "n", c.content); };
    int raised = 0, delay = 0;
    std::string url;
    v.folio.OnMetaRefresh = [&](TFolio& f, int d, const std::string& u) {
      ++raised, delay = d, url = u;
      EXPECT_FALSE(f.Processing());
    };
    v.folio.LoadHtml("doc");
    EXPECT_EQ(raised, c.raised ? 1 : 0) << c.content;
    EXPECT_EQ(delay, c.delay) << c.content;
    EXPECT_EQ(url, c.url) << c.content;
    EXPECT_EQ(meta, (std::vector<std::string>{std::string(c.httpEq) + "|n|" + c.content}));
  }
  // Without a refresh handler nothing is noted.
  Viewer v;
  v.folio.OnParseBegin = [](TFolio& f, std::string&) { f.ApplyMetaElement("refresh", "", "5"); };
  v.folio.LoadHtml("doc");
  EXPECT_EQ(v.folio.MetaRefreshDelay(), 0);
}

TEST(FolioLoad, TheImageDocumentEscapesTheFileName) {
  EXPECT_EQ(ImageDocumentText("/pics/cat.gif"), "<img src=\"/pics/cat.gif\">");
  EXPECT_EQ(ImageDocumentText("a&b <c> \"d\".gif"), "<img src=\"a&amp;b &lt;c&gt; &quot;d&quot;.gif\">");
  EXPECT_EQ(ImageDocumentText("x\"><script>.png"), "<img src=\"x&quot;&gt;&lt;script&gt;.png\">");
}

TEST(FolioLoad, ClearingEmptiesTheDocumentAndHidesTheBars) {
  Viewer v;
  v.content = [](TSectionList& s) { AddSection(s, 1000); };
  v.folio.LoadHtml("doc");
  ASSERT_TRUE(v.folio.VScrollBar().Visible());
  v.folio.HoverTimer().SetEnabled(true);
  v.folio.ClearDocument();
  EXPECT_EQ(v.folio.SectionList().Count(), 0);
  EXPECT_FALSE(v.folio.VScrollBar().Visible());
  EXPECT_FALSE(v.folio.HScrollBar().Visible());
  EXPECT_EQ(v.folio.VScrollBar().Max32(), 0);
  EXPECT_FALSE(v.folio.HoverTimer().Enabled());
  EXPECT_EQ(v.folio.PageTitle(), "");
  EXPECT_EQ(v.folio.SelectionAnchor(), -1);
}
