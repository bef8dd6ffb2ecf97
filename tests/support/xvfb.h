#pragma once
// X11 tests run against a virtual X server of their own: XvfbServer starts
// one on a free display and ends it, Receiver runs a display window with its
// event loop on a thread of its own, as the display process does.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <X11/Xlib.h>

#include <cstdlib>
#include <exception>
#include <functional>
#include <future>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/x11_connection.h"
#include "platform/x11_delivery.h"
#include "platform/x11_loop.h"
#include "platform/x11_window.h"

namespace testing_support {

// The path of Xvfb, or empty when it is not installed.
inline std::string XvfbPath() {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    std::string candidate = dirs.substr(start, end - start) + "/Xvfb";
    if (end > start && access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

// A private Xvfb. The server picks a free display number itself and writes it
// to a pipe once it accepts connections (-displayfd), so two test processes
// never race for one number. -noreset keeps it from restarting (and refusing
// connections meanwhile) each time its last client leaves.
class XvfbServer {
 public:
  explicit XvfbServer(int depth = 24, int width = 320, int height = 240) {
    const std::string xvfb = XvfbPath();
    if (xvfb.empty()) return;
    int fds[2];
    if (pipe(fds) != 0) return;
    const std::string fd_arg = std::to_string(fds[1]);
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(depth);
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlive a crashed test
      close(fds[0]);
      int null = open("/dev/null", O_RDWR);
      dup2(null, 0);
      dup2(null, 1);
      dup2(null, 2);
      execl(xvfb.c_str(), "Xvfb", "-displayfd", fd_arg.c_str(), "-nolisten", "tcp", "-noreset", "-screen", "0", screen.c_str(),
            static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    if (pid_ < 0) {
      close(fds[0]);
      return;
    }
    std::string number;
    for (;;) {
      pollfd p{fds[0], POLLIN, 0};
      if (poll(&p, 1, 20000) <= 0) break;
      char c;
      if (read(fds[0], &c, 1) != 1 || c == '\n') break;
      number += c;
    }
    close(fds[0]);
    if (!number.empty()) display_ = ":" + number;
  }
  ~XvfbServer() { Kill(); }
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  // ":N", or empty when the server did not start.
  const std::string& Display() const { return display_; }

  void Kill() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

// A test suite that shares one X server among its tests and gives each
// test its own connection to it; the tests skip when Xvfb is not installed.
// `Suite` (the deriving class) keeps one server per suite.
template <typename Suite>
class XvfbSuite : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    XInitThreads();
    if (!XvfbPath().empty()) server_ = std::make_unique<XvfbServer>();
  }
  static void TearDownTestSuite() { server_.reset(); }

  void SetUp() override {
    if (!server_) GTEST_SKIP() << "Xvfb is not installed";
    ASSERT_FALSE(server_->Display().empty()) << "Xvfb did not start";
    connection_ = std::make_unique<plat::TX11Connection>(server_->Display());
  }

  inline static std::unique_ptr<XvfbServer> server_;
  std::unique_ptr<plat::TX11Connection> connection_;
};

// A display window with its event loop, on its own connection and thread.
// The handler (default: answer 1) runs on the loop's thread; every text it
// is given is recorded.
class Receiver {
 public:
  using Handler = std::function<int(plat::TX11Window&, const std::string&)>;

  Receiver(const std::string& display, plat::TX11WindowOptions options, Handler handler = nullptr,
           uint32_t tag = plat::kHtmlCopyDataId)
      : display_(display) {
    std::future<unsigned long> started = ready_.get_future();
    thread_ = std::thread([this, options, handler, tag] {
      bool announced = false;
      try {
        plat::TX11Connection connection(display_);
        plat::TX11Window window(connection, options);
        window.Show();
        XSync(connection.Raw(), False);
        plat::TX11EventLoop loop(
            window,
            [&](const std::string& text) {
              {
                std::lock_guard<std::mutex> lock(mutex_);
                documents_.push_back(text);
              }
              return handler ? handler(window, text) : 1;
            },
            tag);
        announced = true;
        ready_.set_value(window.Id());
        exit_ = loop.Run();
      } catch (...) {
        if (!announced) {
          ready_.set_exception(std::current_exception());
        } else {
          std::lock_guard<std::mutex> lock(mutex_);
          failure_ = std::current_exception();
        }
      }
    });
    try {
      window_ = started.get();
    } catch (...) {
      thread_.join();
      throw;
    }
  }

  ~Receiver() {
    if (!thread_.joinable()) return;
    if (Failure()) {
      thread_.join();
      return;
    }
    try {
      plat::TX11Connection connection(display_);
      Close(connection);
    } catch (...) {
      thread_.join();
    }
  }

  unsigned long Window() const { return window_; }

  std::vector<std::string> Documents() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return documents_;
  }

  // Asks the window to close as a window manager does; returns how the loop ended.
  std::optional<plat::TX11EventLoop::TExit> Close(plat::TX11Connection& via) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window_;
    event.xclient.message_type = via.InternAtom("WM_PROTOCOLS");
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(via.InternAtom("WM_DELETE_WINDOW"));
    XSendEvent(via.Raw(), window_, False, NoEventMask, &event);
    XSync(via.Raw(), False);
    return Join();
  }

  // Waits for the loop to end on its own.
  std::optional<plat::TX11EventLoop::TExit> Join() {
    if (thread_.joinable()) thread_.join();
    return exit_;
  }

  // What the loop threw, if it did.
  std::exception_ptr Failure() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return failure_;
  }

 private:
  std::string display_;
  std::promise<unsigned long> ready_;
  std::thread thread_;
  unsigned long window_ = 0;
  mutable std::mutex mutex_;
  std::vector<std::string> documents_;
  std::exception_ptr failure_;
  std::optional<plat::TX11EventLoop::TExit> exit_;
};

}  // namespace testing_support
