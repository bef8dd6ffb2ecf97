// The display form: parameters, delivery, placement and "screen.html".
#include "host/html_form.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "host/snapshot_renderer.h"
#include "platform/canvas.h"
#include "platform/errors.h"
#include "viewer/folio.h"

using namespace host;

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// A renderer that answers a picture of a fixed height and records its calls.
struct FakeRenderer {
  int height = 100;
  bool fail = false;
  std::vector<std::pair<std::string, int>> calls;
  THtmlForm::TRenderer Fn() {
    return [this](const std::string& html, int width, int& h) {
      calls.emplace_back(html, width);
      if (fail) throw plat::EOutOfResources();
      h = height;
      plat::TBitmap b(width, height > 1 ? height - 1 : 0);
      if (!b.Empty()) b.Canvas().FillRect({0, 0, width, height}, plat::clRed);
      return b;
    };
  }
};

struct FormFixture {
  FakeRenderer renderer;
  // One file per test process: ctest runs tests side by side.
  std::string screen = ::testing::TempDir() + "html_form_screen_" + std::to_string(::getpid()) + ".html";
  THtmlForm form{renderer.Fn(), screen};
  std::vector<std::string> errors;
  explicit FormFixture(int w = 400, int h = 300) {
    std::remove(screen.c_str());
    form.OnError = [this](const std::string& cls, const std::string& msg) { errors.push_back(cls + ": " + msg); };
    form.FormCreate(TCommandLine({"htmlscrn", "100", "50", std::to_string(w), std::to_string(h), "$0000FF00"}));
  }
  ~FormFixture() { std::remove(screen.c_str()); }
};

}  // namespace

TEST(HtmlForm, StartUpPlacesColoursAndNamesTheWindow) {
  FormFixture f;
  EXPECT_EQ(f.form.Left(), 100);
  EXPECT_EQ(f.form.Top(), 50);
  EXPECT_EQ(f.form.Width(), 400);
  EXPECT_EQ(f.form.Height(), 300);
  EXPECT_EQ(f.form.Color(), 0x0000FF00);
  EXPECT_EQ(f.form.Caption, "CustomerHTML");
  EXPECT_EQ(f.form.Image1().Width(), 400);
  // Before the first document the window shows only its colour.
  plat::TBitmap pic = f.form.WindowPicture();
  EXPECT_EQ(pic.GetPixel(0, 0), 0x00FF00u);
  EXPECT_EQ(pic.GetPixel(399, 299), 0x00FF00u);
}

TEST(HtmlForm, AMissingParameterNamesItsNumber) {
  FakeRenderer r;
  THtmlForm form(r.Fn(), "/dev/null");
  try {
    form.FormCreate(TCommandLine({"htmlscrn", "1", "2", "3", "4"}));
    ADD_FAILURE();
  } catch (const EHostError& e) {
    EXPECT_STREQ(e.what(), "Parameter N\"5\" not found!");
  }
  EXPECT_EQ(form.Caption, "");  // never named
  EXPECT_THROW(form.FormCreate(TCommandLine({"htmlscrn", "1", "abc", "3", "4", "5"})), EHostError);
}

TEST(HtmlForm, AbsurdGeometryIsRefusedBeforeThePlacement) {
  struct Case {
    std::vector<std::string> params;  // left, top, width, height
    const char* message;
  } cases[] = {
      {{"0", "0", "2147483647", "10"}, "'2147483647' is not a valid window width; it must be from 0 to 1048576"},
      {{"0", "0", "10", "$7FFFFFFF"}, "'$7FFFFFFF' is not a valid window height; it must be from 0 to 1048576"},
      {{"0", "0", "-1", "10"}, "'-1' is not a valid window width; it must be from 0 to 1048576"},
      {{"0", "0", "1048577", "10"}, "'1048577' is not a valid window width; it must be from 0 to 1048576"},
      {{"16777217", "0", "10", "10"},
       "'16777217' is not a valid window left edge; it must be from -16777216 to 16777216"},
      {{"0", "-2147483648", "10", "10"},
       "'-2147483648' is not a valid window top edge; it must be from -16777216 to 16777216"},
  };
  for (const auto& c : cases) {
    FakeRenderer r;
    THtmlForm form(r.Fn(), "/dev/null");
    std::vector<std::string> args{"htmlscrn"};
    args.insert(args.end(), c.params.begin(), c.params.end());
    args.push_back("0");
    try {
      form.FormCreate(TCommandLine(args));
      ADD_FAILURE() << c.message;
    } catch (const EHostError& e) {
      EXPECT_EQ(e.ClassName(), "ERangeError");
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_EQ(form.Width(), 691) << c.message;  // the stored design is untouched
    EXPECT_EQ(form.Caption, "");
  }
  // The limits themselves are accepted.
  FakeRenderer r;
  THtmlForm form(r.Fn(), "/dev/null");
  form.FormCreate(TCommandLine({"htmlscrn", "-16777216", "16777216", "1048576", "0", "0"}));
  EXPECT_EQ(form.Left(), -16777216);
  EXPECT_EQ(form.Top(), 16777216);
  EXPECT_EQ(form.Width(), 1048576);
  EXPECT_EQ(form.Height(), 0);
  EXPECT_EQ(form.Image1().Width(), 1048576);
}

TEST(HtmlForm, PlacementByDocumentHeight) {
  struct Case {
    int docHeight, wantTop;
  } cases[] = {{100, 0}, {300, 0}, {450, -150}};
  for (const auto& c : cases) {
    FormFixture f;
    f.renderer.height = c.docHeight;
    EXPECT_EQ(f.form.WMCopyData(HtmlCopyDataId, std::string("<p>x") + '\0'), 1);
    EXPECT_EQ(f.form.Image1().Top(), c.wantTop) << c.docHeight;
    EXPECT_EQ(f.form.Image1().Height(), c.docHeight);
    ASSERT_EQ(f.renderer.calls.size(), 1u);
    EXPECT_EQ(f.renderer.calls[0].second, 401);  // one pixel wider than the image
    plat::TBitmap pic = f.form.WindowPicture();
    // The picture is one row shorter than its control: a tall document
    // leaves the window's bottom row in the form's colour.
    int lastPictureRow = c.wantTop + c.docHeight - 2;
    if (lastPictureRow < 299) {
      EXPECT_EQ(pic.GetPixel(0, lastPictureRow + 1), 0x00FF00u) << c.docHeight;
    }
    EXPECT_EQ(pic.GetPixel(0, std::min(lastPictureRow, 299)), uint32_t(plat::clRed)) << c.docHeight;
  }
}

TEST(HtmlForm, ForeignTagsDoNothingAndAnswerOne) {
  FormFixture f;
  EXPECT_EQ(f.form.WMCopyData(HtmlCopyDataId, "first"), 1);
  for (uint32_t tag : {HtmlCopyDataId - 1, HtmlCopyDataId + 1, 0u}) {
    EXPECT_EQ(f.form.WMCopyData(tag, "other"), 1);
  }
  EXPECT_EQ(f.renderer.calls.size(), 1u);
  EXPECT_EQ(ReadFile(f.screen), "first\r\n");
}

TEST(HtmlForm, TextIsReadUpToItsZeroAndWrittenWithCrLf) {
  FormFixture f;
  EXPECT_EQ(f.form.WMCopyData(HtmlCopyDataId, std::string("a\nb\rc\r\n\0junk", 11)), 1);
  EXPECT_EQ(f.renderer.calls.at(0).first, "a\nb\rc\r\n");
  EXPECT_EQ(ReadFile(f.screen), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(f.form.SavedText(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(f.form.WMCopyData(HtmlCopyDataId, ""), 1);
  EXPECT_EQ(ReadFile(f.screen), "");
}

TEST(HtmlForm, ARenderingFailureKeepsTheOldPictureAndAnswersZero) {
  FormFixture f;
  EXPECT_EQ(f.form.WMCopyData(HtmlCopyDataId, "good"), 1);
  f.renderer.fail = true;
  EXPECT_EQ(f.form.WMCopyData(HtmlCopyDataId, "bad"), 0);
  ASSERT_EQ(f.errors.size(), 1u);
  EXPECT_EQ(f.errors[0], "EOutOfResources: Out of Resources");
  EXPECT_EQ(f.form.Image1().Picture().Height(), 99);
  EXPECT_EQ(ReadFile(f.screen), "good\r\n");  // not rewritten
}

TEST(HtmlForm, AFileFailureAnswersZeroAfterShowingThePicture) {
  FakeRenderer r;
  THtmlForm form(r.Fn(), "/nonexistent-dir/screen.html");
  std::string error;
  form.OnError = [&](const std::string& cls, const std::string&) { error = cls; };
  form.FormCreate(TCommandLine({"htmlscrn", "0", "0", "100", "100", "0"}));
  EXPECT_EQ(form.WMCopyData(HtmlCopyDataId, "x"), 0);
  EXPECT_EQ(error, "EFCreateError");
  EXPECT_EQ(form.Image1().Picture().Height(), 99);
}

TEST(SnapshotRenderer, FirstAndSecondDocumentGeometry) {
  TSnapshotRenderer renderer;
  int h1 = 0, h2 = 0;
  plat::TBitmap first = renderer.RenderHtmlToBitmap("", 201, h1);
  plat::TBitmap second = renderer.RenderHtmlToBitmap("", 201, h2);
  // An empty document lays out as its margins (5 above, 5 below).
  EXPECT_EQ(h1, 10);
  EXPECT_EQ(h2, 10);
  EXPECT_EQ(first.Width(), 201);
  EXPECT_EQ(first.Height(), h1 - 1);
  EXPECT_EQ(second.Height(), h2 - 1);
  // The picture is exactly what the viewer painted.
  EXPECT_EQ(renderer.Viewer().Height(), h2);
  EXPECT_EQ(second.Height(), renderer.Viewer().Height() - 1);
}

TEST(SnapshotRenderer, AnAbsurdHeightIsAClearError) {
  TSnapshotRenderer renderer;
  int h = 0;
  EXPECT_THROW(renderer.RenderHtmlToBitmap("", plat::kMaxBitmapSide + 5, h), plat::EOutOfResources);
}
