// The display process end to end, under its own X server: start htmlscrn,
// deliver documents with htmlsend and the sender library, and compare the
// window, the answers and "screen.html" with what is expected.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "host/html_form.h"
#include "host/snapshot_renderer.h"
#include "platform/png.h"
#include "platform/x11_connection.h"
#include "platform/x11_delivery.h"
#include "platform/x11_window.h"
#include "support/xvfb.h"

namespace fs = std::filesystem;
using testing_support::XvfbServer;

namespace {

const std::string kBin = HTML_BIN_DIR;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// Runs a program to its end; answers its exit code, stderr in `err`.
int RunProgram(const std::vector<std::string>& args, const std::string& display, const fs::path& dir,
        std::string* err = nullptr) {
  fs::path errFile = dir / "stderr.txt";
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0) _exit(127);
    int fd = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, 2);
    int null = open("/dev/null", O_RDWR);
    dup2(null, 1);
    if (display.empty())
      unsetenv("DISPLAY");
    else
      setenv("DISPLAY", display.c_str(), 1);
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (err) *err = ReadFile(errFile);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

// htmlscrn running in the background for the length of a test.
class DisplayProcess {
 public:
  DisplayProcess(const std::string& display, const fs::path& dir, std::vector<std::string> params) {
    pid_ = fork();
    if (pid_ == 0) {
      if (chdir(dir.c_str()) != 0) _exit(127);
      setenv("DISPLAY", display.c_str(), 1);
      std::vector<std::string> args{kBin + "/htmlscrn"};
      args.insert(args.end(), params.begin(), params.end());
      std::vector<char*> argv;
      for (auto& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
  }
  ~DisplayProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  DisplayProcess(const DisplayProcess&) = delete;
  DisplayProcess& operator=(const DisplayProcess&) = delete;

 private:
  pid_t pid_ = -1;
};

unsigned long WaitForWindow(plat::TX11Connection& c, const std::string& name) {
  for (int i = 0; i < 200; ++i) {
    if (unsigned long w = plat::FindWindowByName(c, name)) return w;
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  return 0;
}

// The window's picture once the server shows it: the name is set before
// the window is mapped, so the first reads may be refused.
plat::TBitmap CaptureWhenShown(plat::TX11Connection& c, unsigned long w) {
  for (int i = 0;; ++i) {
    try {
      return plat::CaptureWindow(c, w);
    } catch (const std::exception&) {
      if (i == 200) throw;
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
  }
}

class DisplayE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    xvfb_ = std::make_unique<XvfbServer>(24, 800, 600);
    if (xvfb_->Display().empty()) GTEST_SKIP() << "Xvfb is not available";
    dir_ = fs::temp_directory_path() / ("display_e2e_" + std::to_string(getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override {
    if (!dir_.empty()) fs::remove_all(dir_);
  }

  std::unique_ptr<XvfbServer> xvfb_;
  fs::path dir_;
};

// The picture the window should show after the document was delivered twice.
plat::TBitmap Expected(const std::string& html, int w, int h, const std::string& color) {
  host::TSnapshotRenderer renderer;
  host::THtmlForm form([&](const std::string& t, int width, int& height) {
    return renderer.RenderHtmlToBitmap(t, width, height);
  }, "/dev/null");
  form.FormCreate(host::TCommandLine({"htmlscrn", "0", "0", std::to_string(w), std::to_string(h), color}));
  form.WMCopyData(host::HtmlCopyDataId, html);
  form.WMCopyData(host::HtmlCopyDataId, html);
  return form.WindowPicture();
}

int CountDifferences(const plat::TBitmap& a, const plat::TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
  int n = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) n += a.GetPixel(x, y) != b.GetPixel(x, y);
  return n;
}

}  // namespace

TEST_F(DisplayE2E, AWhiteWindowNamedCustomerHtmlTakesDocuments) {
  DisplayProcess display(xvfb_->Display(), dir_, {"100", "100", "400", "300", "$00FFFFFF"});
  plat::TX11Connection c(xvfb_->Display());
  unsigned long w = WaitForWindow(c, "CustomerHTML");
  ASSERT_NE(w, 0u);
  plat::TBitmap before = CaptureWhenShown(c, w);
  ASSERT_EQ(before.Width(), 400);
  ASSERT_EQ(before.Height(), 300);
  EXPECT_EQ(before.GetPixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(before.GetPixel(399, 299), 0xFFFFFFu);

  std::string doc = "<html><body>Hello\nworld</body></html>";
  std::ofstream(dir_ / "doc.html", std::ios::binary) << doc;
  std::string err;
  EXPECT_EQ(RunProgram({kBin + "/htmlsend", "doc.html"}, xvfb_->Display(), dir_, &err), 0) << err;
  EXPECT_EQ(ReadFile(dir_ / "screen.html"), "<html><body>Hello\r\nworld</body></html>\r\n");
  EXPECT_EQ(RunProgram({kBin + "/htmlsend", "doc.html"}, xvfb_->Display(), dir_, &err), 0) << err;
  EXPECT_EQ(CountDifferences(CaptureWhenShown(c, w), Expected(doc, 400, 300, "$00FFFFFF")), 0);

  // The snapshot tool writes the window's picture.
  EXPECT_EQ(RunProgram({kBin + "/htmlsnap", "--window", "400x300", "doc.html", "-o", "a.png"}, "", dir_, &err), 0) << err;
  plat::TBitmap snap = plat::ReadPng((dir_ / "a.png").string());
  EXPECT_EQ(snap.Width(), 400);
  EXPECT_EQ(snap.Height(), 300);
  EXPECT_EQ(CountDifferences(CaptureWhenShown(c, w), snap), 0);

  // A foreign tag answers 1 and changes nothing.
  std::ofstream(dir_ / "other.html", std::ios::binary) << "other";
  EXPECT_EQ(RunProgram({kBin + "/htmlsend", "--tag", "53457", "other.html"}, xvfb_->Display(), dir_, &err), 0) << err;
  EXPECT_EQ(ReadFile(dir_ / "screen.html"), "<html><body>Hello\r\nworld</body></html>\r\n");

  // An empty document empties the file.
  std::ofstream(dir_ / "empty.html", std::ios::binary) << "";
  EXPECT_EQ(RunProgram({kBin + "/htmlsend", "empty.html"}, xvfb_->Display(), dir_, &err), 0) << err;
  EXPECT_EQ(ReadFile(dir_ / "screen.html"), "");
}

TEST_F(DisplayE2E, LargeDocumentsAndManyInARow) {
  DisplayProcess display(xvfb_->Display(), dir_, {"0", "0", "300", "200", "$00C0C0C0"});
  plat::TX11Connection c(xvfb_->Display());
  ASSERT_NE(WaitForWindow(c, "CustomerHTML"), 0u);
  plat::TDocumentSender sender(c);

  std::string big;
  while (big.size() < 5 * 1024 * 1024) big += "<p>line of a very large document</p>\n";
  plat::TSendResult r = sender.Send(big);
  ASSERT_EQ(r.status, plat::TSendStatus::kAnswered) << r.error;
  EXPECT_EQ(r.answer, 1);
  EXPECT_EQ(ReadFile(dir_ / "screen.html").size(), big.size() + big.size() / 37);  // each LF became CR LF

  for (int i = 0; i < 200; ++i) {
    plat::TSendResult each = sender.Send("doc " + std::to_string(i));
    ASSERT_EQ(each.status, plat::TSendStatus::kAnswered) << i << ": " << each.error;
    ASSERT_EQ(each.answer, 1) << i;
  }
  EXPECT_EQ(ReadFile(dir_ / "screen.html"), "doc 199\r\n");
}

TEST_F(DisplayE2E, AFailureIsReportedWithoutStoppingTheDisplay) {
  // "screen.html" cannot be created where a directory of that name stands.
  fs::create_directories(dir_ / "screen.html");
  DisplayProcess display(xvfb_->Display(), dir_, {"0", "0", "200", "100", "$00FFFFFF"});
  plat::TX11Connection c(xvfb_->Display());
  ASSERT_NE(WaitForWindow(c, "CustomerHTML"), 0u);
  plat::TDocumentSender sender(c);
  plat::TSendResult r = sender.Send("first");
  ASSERT_EQ(r.status, plat::TSendStatus::kAnswered) << r.error;
  EXPECT_EQ(r.answer, 0);
  EXPECT_NE(WaitForWindow(c, "Application Error"), 0u);
  // The report does not block: the next document is handled while it shows.
  fs::remove_all(dir_ / "screen.html");
  r = sender.Send("second");
  ASSERT_EQ(r.status, plat::TSendStatus::kAnswered) << r.error;
  EXPECT_EQ(r.answer, 1);
  EXPECT_EQ(ReadFile(dir_ / "screen.html"), "second\r\n");
}

TEST_F(DisplayE2E, StartUpFailuresEndTheProcessWithAReport) {
  std::string err;
  EXPECT_NE(RunProgram({kBin + "/htmlscrn", "1", "2", "3", "4"}, xvfb_->Display(), dir_, &err), 0);
  EXPECT_NE(err.find("Parameter N\"5\" not found!"), std::string::npos) << err;
  EXPECT_NE(RunProgram({kBin + "/htmlscrn", "1", "2", "abc", "4", "5"}, xvfb_->Display(), dir_, &err), 0);
  EXPECT_NE(err.find("'abc' is not a valid integer value."), std::string::npos) << err;
  EXPECT_EQ(RunProgram({kBin + "/htmlscrn", "1", "2", "2147483647", "4", "5"}, xvfb_->Display(), dir_, &err), 1);
  EXPECT_NE(err.find("Exception ERangeError in module htmlscrn"), std::string::npos) << err;
  EXPECT_NE(err.find("'2147483647' is not a valid window width; it must be from 0 to 1048576."), std::string::npos)
      << err;
  // htmlsend without a window to send to.
  std::ofstream(dir_ / "doc.html") << "x";
  EXPECT_NE(RunProgram({kBin + "/htmlsend", "--timeout", "2", "doc.html"}, xvfb_->Display(), dir_, &err), 0);
  EXPECT_NE(err.find("no window named \"CustomerHTML\""), std::string::npos) << err;
  for (const char* tag : {"12junk", "4294967296", "-1"}) {
    EXPECT_EQ(RunProgram({kBin + "/htmlsend", "--tag", tag, "doc.html"}, xvfb_->Display(), dir_, &err), 2) << tag;
    EXPECT_NE(err.find(std::string("bad tag \"") + tag + "\""), std::string::npos) << err;
  }
}
