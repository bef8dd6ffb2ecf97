// The history of loaded files, the form states it keeps, and visited links.
#include <gtest/gtest.h>

#include "folio_fixture.h"
#include "viewer/url_subs.h"

using namespace html;
using folio_test::Fixed;
using folio_test::TempDir;
using folio_test::TProbeSection;
using folio_test::Viewer;

namespace {

class TValuesForm : public ThtmlForm {
 public:
  explicit TValuesForm(std::vector<std::string> v) : values_(std::move(v)) {}
  std::vector<std::string> CollectValues() const override { return values_; }

 private:
  std::vector<std::string> values_;
};

struct History : ::testing::Test {
  Viewer v;
  TempDir dir;
  int changes = 0;
  History() {
    v.folio.OnHistoryChange = [this](TFolio&) { ++changes; };
    v.content = [](TSectionList& s) { s.AddSection(std::make_unique<TProbeSection>(Fixed(1000), 0, nullptr), 0); };
  }
  std::string File(const std::string& name) { return dir.Write(name, "<p>" + name); }
  std::vector<std::string> Names() {
    std::vector<std::string> r;
    for (const std::string& n : v.folio.HistoryNames()) r.push_back(n.substr(n.rfind('/') + 1));
    return r;
  }
};

}  // namespace

TEST_F(History, NoHistoryByDefault) {
  v.folio.LoadHtmlFile(File("a.htm"));
  v.folio.LoadHtmlFile(File("b.htm"));
  EXPECT_TRUE(v.folio.HistoryNames().empty());
  EXPECT_EQ(changes, 0);
}

TEST_F(History, NewestFirstCutToTheMaximum) {
  v.folio.SetHistoryMaxCount(3);
  for (const char* name : {"a.htm", "b.htm", "c.htm", "d.htm"}) v.folio.LoadHtmlFile(File(name));
  EXPECT_EQ(Names(), (std::vector<std::string>{"d.htm", "c.htm", "b.htm"}));
  EXPECT_EQ(v.folio.HistoryCursor(), 0);
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(v.folio.HistoryTitles().size(), 3u);

  // The same file at the same place again adds nothing.
  v.folio.LoadHtmlFile(File("d.htm"));
  EXPECT_EQ(changes, 4);
  // The same file as an image document is another entry.
  v.folio.LoadImageDocument(File("d.htm"));
  EXPECT_EQ(Names(), (std::vector<std::string>{"d.htm", "d.htm", "c.htm"}));
  EXPECT_EQ(v.folio.HistoryPosition(0).Kind, kKindImage);
  EXPECT_EQ(v.folio.HistoryPosition(1).Kind, kKindHtml);

  // Lowering the maximum empties the history; raising it keeps it.
  v.folio.SetHistoryMaxCount(5);
  EXPECT_EQ(Names().size(), 3u);
  v.folio.SetHistoryMaxCount(2);
  EXPECT_TRUE(v.folio.HistoryNames().empty());
  EXPECT_EQ(v.folio.DocumentName(), "");
  EXPECT_EQ(changes, 6);
}

TEST_F(History, TheEntryLeftBehindKeepsItsPlaceAndFormState) {
  v.folio.SetHistoryMaxCount(5);
  // Leaving a document without a name: its form state has no entry to go to.
  v.folio.LoadHtml("string document");
  v.folio.SectionList().Forms.push_back(std::make_unique<TValuesForm>(std::vector<std::string>{"lost"}));
  v.folio.LoadHtmlFile(File("a.htm"));
  ASSERT_EQ(Names(), (std::vector<std::string>{"a.htm"}));
  EXPECT_EQ(v.folio.HistoryPosition(0).FormState, nullptr);
  // The document has a form now (the reader would have made it).
  v.folio.SectionList().Forms.push_back(std::make_unique<TValuesForm>(std::vector<std::string>{"name=x"}));
  v.folio.ScrollToY(400);
  v.folio.LoadHtmlFile(File("b.htm"));
  ASSERT_EQ(Names(), (std::vector<std::string>{"b.htm", "a.htm"}));
  const PositionObj& a = v.folio.HistoryPosition(1);
  EXPECT_EQ(a.PositionMark, (TPositionMark{1, 400}));
  ASSERT_NE(a.FormState, nullptr);
  EXPECT_EQ(*a.FormState, (TFormStates{{"name=x"}}));
  EXPECT_EQ(v.folio.HistoryPosition(0).FormState, nullptr);

  // Reloading the same file adds no entry and keeps no form state (the
  // state taken before the load is freed); leaving it records its place.
  v.folio.SectionList().Forms.push_back(std::make_unique<TValuesForm>(std::vector<std::string>{"q=1"}));
  v.folio.ScrollToY(250);
  v.folio.LoadHtmlFile(File("b.htm"));
  EXPECT_EQ(Names(), (std::vector<std::string>{"b.htm", "a.htm"}));
  EXPECT_EQ(v.folio.VScrollBar().Position32(), 250);
  v.folio.LoadHtmlFile(File("c.htm"));
  EXPECT_EQ(Names(), (std::vector<std::string>{"c.htm", "b.htm", "a.htm"}));
  EXPECT_EQ(v.folio.HistoryPosition(1).PositionMark, (TPositionMark{1, 250}));
  EXPECT_EQ(v.folio.HistoryPosition(1).FormState, nullptr);
}

TEST(Visited, AddVisitedKeepsTheNewestFirstAndMarksLinks) {
  Viewer v;
  TFontObj link1, link2, other;
  link1.Link.Url = "http://host/A.htm";
  link2.Link.Url = "#top";
  other.Link.Url = "http://host/b.htm";
  v.content = [&](TSectionList& s) { s.LinkRuns = {&link1, &link2, &other}; };
  v.folio.LoadHtml("doc", "/docs/page.htm");
  v.folio.SetVisitedMaxCount(3);

  v.folio.AddVisited("http://host/a.htm");  // links compare without regard to case
  EXPECT_TRUE(link1.Visited);
  EXPECT_FALSE(other.Visited);
  v.folio.AddVisited("/docs/page.htm#top");  // "#" links stand for the document itself
  EXPECT_TRUE(link2.Visited);
  v.folio.AddVisited("x");
  v.folio.AddVisited("x");                  // already first: nothing
  v.folio.AddVisited("HTTP://HOST/A.HTM");  // moved to the front as now written, not added twice
  EXPECT_EQ(v.folio.VisitedList(), (std::vector<std::string>{"HTTP://HOST/A.HTM", "x", "/docs/page.htm#top"}));
  v.folio.AddVisited("y");  // cut to the maximum from the end
  EXPECT_EQ(v.folio.VisitedList(), (std::vector<std::string>{"y", "HTTP://HOST/A.HTM", "x"}));

  v.folio.SetVisitedMaxCount(2);
  EXPECT_EQ(v.folio.VisitedList(), (std::vector<std::string>{"y", "HTTP://HOST/A.HTM"}));
  v.folio.SetVisitedMaxCount(-5);  // as 0: emptied, links unvisited
  EXPECT_TRUE(v.folio.VisitedList().empty());
  EXPECT_FALSE(link1.Visited);
  EXPECT_FALSE(link2.Visited);
  v.folio.AddVisited("z");  // nothing is kept at 0
  EXPECT_TRUE(v.folio.VisitedList().empty());
}

TEST(Visited, LinksOfANewDocumentAreMarkedFromTheList) {
  Viewer v;
  TFontObj visitedLink, fresh, local;
  visitedLink.Link.Url = "HTTP://host/seen.htm";
  fresh.Link.Url = "http://host/new.htm";
  local.Link.Url = "sub/x.htm";  // relative names expand against the document's directory
  v.folio.AddVisited("http://host/seen.htm");
  v.folio.AddVisited("/docs/sub/x.htm");
  v.content = [&](TSectionList& s) { s.LinkRuns = {&visitedLink, &fresh, &local}; };
  v.folio.LoadHtml("doc", "/docs/page.htm");
  EXPECT_TRUE(visitedLink.Visited);
  EXPECT_FALSE(fresh.Visited);
  EXPECT_TRUE(local.Visited);
}

namespace {

// A viewer that counts the names it expands.
class TCountingFolio : public TFolio {
 public:
  using TFolio::TFolio;
  std::string ExpandName(const std::string& name) const override {
    ++expansions;
    return TFolio::ExpandName(name);
  }
  mutable int expansions = 0;
};

}  // namespace

TEST(Visited, EachLinkIsExpandedOnceAndNoneWithoutVisitedLinks) {
  plat::TForm form;
  TCountingFolio folio(&form);
  // Two runs of link 11, one of link 12, and runs of number 0 (made
  // without a link number) with addresses of their own.
  TFontObj a1, a2, b, c, d;
  a1.Link.Url = a2.Link.Url = "http://host/seen.htm";
  a1.Link.LinkNumber = a2.Link.LinkNumber = 11;
  b.Link.Url = "http://host/new.htm";
  b.Link.LinkNumber = 12;
  c.Link.Url = "http://host/other.htm";
  d.Link.Url = "http://HOST/seen.htm";
  folio.OnParseBegin = [&](TFolio& f, std::string&) { f.SectionList().LinkRuns = {&a1, &b, &a2, &c, &d}; };
  folio.LoadHtml("doc", "/docs/page.htm");
  EXPECT_EQ(folio.expansions, 0);  // nothing to compare with
  folio.AddVisited("http://host/seen.htm");
  for (TFontObj* run : {&a1, &a2, &b, &c, &d}) run->Visited = false;
  folio.expansions = 0;
  folio.LoadHtml("doc", "/docs/page.htm");
  EXPECT_EQ(folio.expansions, 4);  // 11, 12, and number 0 twice for its two addresses
  EXPECT_TRUE(a1.Visited);
  EXPECT_TRUE(a2.Visited);
  EXPECT_FALSE(b.Visited);
  EXPECT_FALSE(c.Visited);
  EXPECT_TRUE(d.Visited);
}

TEST(UrlSubs, ExpandNameGivesNativePaths) {
  TFolio f;
  EXPECT_EQ(f.ExpandName("http://host/a.htm"), "http://host/a.htm");
  f.SetServerRoot("/srv/www/");
  EXPECT_EQ(f.ExpandName(" /img/a.gif "), "/srv/www/img/a.gif");
  EXPECT_EQ(f.ExpandName("file:///tmp/../etc/x"), "/srv/www/etc/x");
  EXPECT_EQ(f.ExpandName("file:///home/a%20b/x.htm"), "/srv/www/home/a b/x.htm");
}
