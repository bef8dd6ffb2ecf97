// Document delivery over X11 against a private Xvfb: what the receiver's
// handler gets, what the sender is answered, and how both survive the other
// side misbehaving or going away.
#include "platform/x11_delivery.h"

#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <memory>
#include <stdexcept>

#include "platform/x11_internal.h"
#include "support/xvfb.h"

using namespace plat;
using testing_support::Receiver;
using testing_support::XvfbServer;

namespace {

class X11Delivery : public testing_support::XvfbSuite<X11Delivery> {
 protected:
  void SetUp() override {
    XvfbSuite::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    sender_ = std::make_unique<TDocumentSender>(*connection_);
  }

  static TX11WindowOptions Named(const std::string& name) {
    TX11WindowOptions options;
    options.left = 10;
    options.top = 20;
    options.width = 40;
    options.height = 30;
    options.title = name;
    return options;
  }

  static TSendOptions To(const std::string& name, uint32_t tag = kHtmlCopyDataId) {
    TSendOptions options;
    options.window_name = name;
    options.tag = tag;
    options.timeout_seconds = 20;  // only reached when something is broken
    return options;
  }

  // Sends a request made by hand from a window of the test's own.
  void PostRequest(Window target, Window sender, Atom property, uint32_t size, long serial) {
    Display* d = connection_->Raw();
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = target;
    request.xclient.message_type = connection_->InternAtom(kDeliveryRequestAtom);
    request.xclient.format = 32;
    request.xclient.data.l[kRequestTag] = kHtmlCopyDataId;
    request.xclient.data.l[kRequestSender] = static_cast<long>(sender);
    request.xclient.data.l[kRequestProperty] = static_cast<long>(property);
    request.xclient.data.l[kRequestSize] = size;
    request.xclient.data.l[kRequestSerial] = serial;
    XSendEvent(d, target, False, NoEventMask, &request);
    XFlush(d);
  }

  // Sends a request made by hand and waits for its answer; nothing when none comes.
  std::optional<long> RawRequest(Window target, Window sender, Atom property, uint32_t size, long serial) {
    PostRequest(target, sender, property, size, serial);
    Display* d = connection_->Raw();
    const Atom answer = connection_->InternAtom(kDeliveryAnswerAtom);
    for (;;) {
      while (XPending(d) > 0) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == ClientMessage && e.xclient.message_type == answer && e.xclient.data.l[kAnswerSerial] == serial)
          return e.xclient.data.l[kAnswerResult];
      }
      pollfd p{connection_->Fd(), POLLIN, 0};
      if (poll(&p, 1, 20000) <= 0) return std::nullopt;
    }
  }

  Window MakeInputWindow() {
    Display* d = connection_->Raw();
    return XCreateWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, InputOnly, CopyFromParent, 0, nullptr);
  }

  std::unique_ptr<TDocumentSender> sender_;
};

std::string PseudoRandomText(size_t size) {
  std::string text(size, ' ');
  uint32_t state = 12345;
  for (char& c : text) {
    state = state * 1103515245u + 12345u;
    c = static_cast<char>(1 + (state >> 16) % 255);  // every byte but zero
  }
  return text;
}

}  // namespace

TEST_F(X11Delivery, HandlerGetsExactlyTheBytesSent) {
  Receiver receiver(server_->Display(), Named("CustomerHTML"));
  std::string all_bytes;
  for (int b = 1; b < 256; ++b) all_bytes += static_cast<char>(b);
  const struct {
    const char* name;
    std::string text;
  } cases[] = {
      {"plain", "<html><body><p>Total 12.50</p></body></html>\r\n"},
      {"empty", ""},
      {"every non-zero byte", all_bytes},
      {"one byte under a chunk", PseudoRandomText(64 * 1024 - 1)},  // the zero fills the chunk
      {"5 MB, many chunks", PseudoRandomText(5 * 1024 * 1024 + 3)},
  };
  std::vector<std::string> sent;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TSendResult result = sender_->Send(c.text);  // default name and tag
    ASSERT_EQ(result.status, TSendStatus::kAnswered) << result.error;
    EXPECT_EQ(result.answer, 1);
    sent.push_back(c.text);
  }
  std::vector<std::string> got = receiver.Documents();
  ASSERT_EQ(got.size(), sent.size());
  for (size_t i = 0; i < sent.size(); ++i) {
    SCOPED_TRACE(cases[i].name);
    EXPECT_EQ(got[i].size(), sent[i].size());
    EXPECT_TRUE(got[i] == sent[i]);
  }
}

TEST_F(X11Delivery, ForeignTagIsAnsweredOneAndNeverHandled) {
  Receiver receiver(server_->Display(), Named("Tags"));
  for (uint32_t tag : {kHtmlCopyDataId - 1, kHtmlCopyDataId + 1, 0u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(tag);
    TSendResult result = sender_->Send("<p>not for us</p>", To("Tags", tag));
    ASSERT_EQ(result.status, TSendStatus::kAnswered) << result.error;
    EXPECT_EQ(result.answer, 1);
  }
  ASSERT_EQ(sender_->Send("<p>ours</p>", To("Tags")).answer, 1);
  EXPECT_EQ(receiver.Documents(), std::vector<std::string>{"<p>ours</p>"});
}

TEST_F(X11Delivery, AnswerIsTheHandlersResult) {
  Receiver receiver(server_->Display(), Named("Results"),
                    [](TX11Window&, const std::string& text) { return text == "refuse" ? 0 : 1; });
  EXPECT_EQ(sender_->Send("refuse", To("Results")).answer, 0);
  EXPECT_EQ(sender_->Send("accept", To("Results")).answer, 1);
}

TEST_F(X11Delivery, HandlerExceptionAnswersZeroAndEndsTheLoop) {
  Receiver receiver(server_->Display(), Named("Throws"), [](TX11Window&, const std::string&) -> int {
    throw std::runtime_error("render failed");
  });
  TSendResult result = sender_->Send("<p>x</p>", To("Throws"));
  ASSERT_EQ(result.status, TSendStatus::kAnswered) << result.error;
  EXPECT_EQ(result.answer, 0);
  receiver.Join();
  EXPECT_TRUE(receiver.Failure() != nullptr);
}

TEST_F(X11Delivery, TwoHundredDocumentsEachHandledOnceInOrder) {
  Receiver receiver(server_->Display(), Named("Many"));
  std::vector<std::string> sent;
  for (int i = 0; i < 200; ++i) {
    sent.push_back("<p>document " + std::to_string(i) + "</p>");
    TSendResult result = sender_->Send(sent.back(), To("Many"));
    ASSERT_EQ(result.status, TSendStatus::kAnswered) << i << ": " << result.error;
    ASSERT_EQ(result.answer, 1);
  }
  EXPECT_EQ(receiver.Documents(), sent);
}

TEST_F(X11Delivery, AnnouncedSizeBoundsWhatIsRead) {
  Receiver receiver(server_->Display(), Named("Sizes"));
  const std::string long_text = PseudoRandomText(70000);
  const struct {
    const char* name;
    std::string text;
    uint32_t announced;
    std::string expected;
  } cases[] = {
      {"shorter than the text", "hello world", 5, "hello"},
      {"zero", "hello", 0, ""},
      {"text and zero", "hello", 6, "hello"},
      {"beyond the property", "hello", 1000, "hello"},
      {"stops at an inner zero", std::string("ab\0cd", 5), 6, "ab"},
      {"cut past the first chunk, not on a word", long_text, 65537, long_text.substr(0, 65537)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TSendOptions options = To("Sizes");
    options.announced_size = c.announced;
    TSendResult result = sender_->Send(c.text, options);
    ASSERT_EQ(result.status, TSendStatus::kAnswered) << result.error;
    EXPECT_EQ(result.answer, 1);
  }
  std::vector<std::string> got = receiver.Documents();
  ASSERT_EQ(got.size(), std::size(cases));
  for (size_t i = 0; i < got.size(); ++i) {
    SCOPED_TRACE(cases[i].name);
    EXPECT_TRUE(got[i] == cases[i].expected) << got[i].size() << " bytes";
  }
}

TEST_F(X11Delivery, BadPropertiesGiveEmptyTextAndGoneSendersAreDropped) {
  Receiver receiver(server_->Display(), Named("Raw"));
  Display* d = connection_->Raw();
  const Window mine = MakeInputWindow();
  const Atom property = connection_->InternAtom("_TEST_DOCUMENT");

  // No property at all.
  EXPECT_EQ(RawRequest(receiver.Window(), mine, property, 100, 1), 1);
  // Format 32 is no text.
  const long words[2] = {0x41414141, 0};
  XChangeProperty(d, mine, property, XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(words), 2);
  EXPECT_EQ(RawRequest(receiver.Window(), mine, property, 8, 2), 1);
  // Plain STRING text is accepted, and the receiver deletes the property.
  XChangeProperty(d, mine, property, XA_STRING, 8, PropModeReplace, reinterpret_cast<const unsigned char*>("ok"), 3);
  EXPECT_EQ(RawRequest(receiver.Window(), mine, property, 3, 3), 1);
  EXPECT_EQ(x11::ReadProperty(d, mine, property).type, static_cast<Atom>(None));

  // A request from a window that no longer exists: nobody waits, nothing is handled.
  const Window gone = MakeInputWindow();
  XDestroyWindow(d, gone);
  XSync(d, False);
  PostRequest(receiver.Window(), gone, property, 3, 4);
  ASSERT_EQ(sender_->Send("after", To("Raw")).answer, 1);

  EXPECT_EQ(receiver.Documents(), (std::vector<std::string>{"", "", "ok", "after"}));
}

TEST_F(X11Delivery, NoWindowOfThatName) {
  TSendResult result = sender_->Send("<p>x</p>", To("NoSuchWindow"));
  EXPECT_EQ(result.status, TSendStatus::kNoWindow);
  EXPECT_EQ(result.error, "no window named \"NoSuchWindow\"");
}

// A window that takes the first request and does `script` with it instead of answering properly.
class ScriptedWindow {
 public:
  using Script = std::function<void(TX11Connection&, std::unique_ptr<TX11Window>&, const XClientMessageEvent&)>;

  ScriptedWindow(const std::string& display, const std::string& name, Script script) {
    std::future<void> started = ready_.get_future();
    thread_ = std::thread([this, display, name, script] {
      TX11Connection connection(display);
      TX11WindowOptions options;
      options.title = name;
      auto window = std::make_unique<TX11Window>(connection, options);
      XSync(connection.Raw(), False);
      ready_.set_value();
      const Atom request = connection.InternAtom(kDeliveryRequestAtom);
      Display* d = connection.Raw();
      for (bool done = false; !done;) {
        while (!done && XPending(d) > 0) {
          XEvent e;
          XNextEvent(d, &e);
          if (e.type == ClientMessage && e.xclient.message_type == request) {
            script(connection, window, e.xclient);
            XSync(d, False);
            done = true;
          }
        }
        pollfd p{connection.Fd(), POLLIN, 0};
        if (!done && poll(&p, 1, 20000) <= 0) break;
      }
      finish_.get_future().wait();  // keep the connection until the test is done
    });
    started.wait();
  }
  ~ScriptedWindow() {
    finish_.set_value();
    thread_.join();
  }

 private:
  std::promise<void> ready_, finish_;
  std::thread thread_;
};

void SendAnswer(TX11Connection& c, const XClientMessageEvent& request, long result, long serial) {
  XEvent answer{};
  answer.xclient.type = ClientMessage;
  answer.xclient.window = static_cast<Window>(request.data.l[kRequestSender]);
  answer.xclient.message_type = c.InternAtom(kDeliveryAnswerAtom);
  answer.xclient.format = 32;
  answer.xclient.data.l[kAnswerResult] = result;
  answer.xclient.data.l[kAnswerSerial] = serial;
  XSendEvent(c.Raw(), answer.xclient.window, False, NoEventMask, &answer);
}

TEST_F(X11Delivery, AnswerToAnotherSerialIsIgnored) {
  ScriptedWindow window(server_->Display(), "Stale", [](TX11Connection& c, auto&, const XClientMessageEvent& e) {
    const long serial = e.data.l[kRequestSerial];
    SendAnswer(c, e, 0, serial - 1);
    SendAnswer(c, e, 0, serial + 1);
    SendAnswer(c, e, 1, serial);
  });
  TSendResult result = sender_->Send("<p>x</p>", To("Stale"));
  ASSERT_EQ(result.status, TSendStatus::kAnswered) << result.error;
  EXPECT_EQ(result.answer, 1);
}

TEST_F(X11Delivery, ReceiverThatNeverAnswersTimesOut) {
  TX11Connection other(server_->Display());
  TX11WindowOptions options;
  options.title = "Silent";
  TX11Window silent(other, options);  // nobody reads its events
  XSync(other.Raw(), False);
  TSendOptions send = To("Silent");
  send.timeout_seconds = 0.2;
  TSendResult result = sender_->Send("<p>x</p>", send);
  EXPECT_EQ(result.status, TSendStatus::kTimeout);
  EXPECT_FALSE(result.error.empty());
}

TEST_F(X11Delivery, ReceiverWindowVanishingEndsTheWait) {
  ScriptedWindow window(server_->Display(), "Vanishing",
                        [](TX11Connection&, std::unique_ptr<TX11Window>& w, const XClientMessageEvent&) { w.reset(); });
  TSendResult result = sender_->Send("<p>x</p>", To("Vanishing"));
  EXPECT_EQ(result.status, TSendStatus::kWindowGone) << result.error;
}

TEST_F(X11Delivery, FindsWindowsByEitherNameAndBelowFrames) {
  Display* d = connection_->Raw();
  const Window root = DefaultRootWindow(d);
  auto make = [&](Window parent) { return XCreateSimpleWindow(d, parent, 0, 0, 10, 10, 0, 0, 0); };
  auto set = [&](Window w, const char* property, const char* type, const std::string& value) {
    XChangeProperty(d, w, connection_->InternAtom(property), connection_->InternAtom(type), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(value.data()), static_cast<int>(value.size()));
  };
  const Window wm_name_only = make(root);
  set(wm_name_only, "WM_NAME", "STRING", "OnlyWmName");
  const Window net_name_only = make(root);
  set(net_name_only, "_NET_WM_NAME", "UTF8_STRING", "OnlyNetName");
  // Inside a frame, as a reparenting window manager keeps it.
  const Window frame = make(root);
  const Window framed = make(frame);
  set(framed, "WM_NAME", "STRING", "Framed");
  // Deeper than any frame: found only through the window manager's client list.
  Window deep = root;
  for (int i = 0; i < 7; ++i) deep = make(deep);
  set(deep, "WM_NAME", "STRING", "Listed");
  const long list[1] = {static_cast<long>(deep)};
  XChangeProperty(d, root, connection_->InternAtom("_NET_CLIENT_LIST"), XA_WINDOW, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(list), 1);
  XSync(d, False);

  EXPECT_EQ(FindWindowByName(*connection_, "OnlyWmName"), wm_name_only);
  EXPECT_EQ(FindWindowByName(*connection_, "OnlyNetName"), net_name_only);
  EXPECT_EQ(FindWindowByName(*connection_, "Framed"), framed);
  EXPECT_EQ(FindWindowByName(*connection_, "Listed"), deep);
  EXPECT_EQ(FindWindowByName(*connection_, "OnlyWm"), 0u) << "a prefix is no match";

  XDeleteProperty(d, root, connection_->InternAtom("_NET_CLIENT_LIST"));
  XSync(d, False);
}

TEST_F(X11Delivery, ClosingTheWindowEndsTheLoop) {
  Receiver receiver(server_->Display(), Named("Closing"));
  ASSERT_EQ(sender_->Send("<p>x</p>", To("Closing")).answer, 1);
  EXPECT_EQ(receiver.Close(*connection_), TX11EventLoop::TExit::kClosed);
  EXPECT_EQ(sender_->Send("<p>x</p>", To("Closing")).status, TSendStatus::kNoWindow);
}

TEST_F(X11Delivery, ServerGoingAwayEndsLoopAndSenderWithAnError) {
  XvfbServer doomed;
  ASSERT_FALSE(doomed.Display().empty());
  Receiver receiver(doomed.Display(), Named("Doomed"));
  TX11Connection connection(doomed.Display());
  TDocumentSender sender(connection);
  ASSERT_EQ(sender.Send("<p>x</p>", To("Doomed")).answer, 1);

  doomed.Kill();
  EXPECT_EQ(receiver.Join(), TX11EventLoop::TExit::kConnectionLost);
  TSendResult result = sender.Send("<p>y</p>", To("Doomed"));
  EXPECT_EQ(result.status, TSendStatus::kConnectionLost);
  EXPECT_TRUE(connection.Lost());
}
