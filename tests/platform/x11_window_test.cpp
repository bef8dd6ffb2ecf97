// The display window against a private Xvfb: how it presents itself to a
// window manager, and the picture it shows over its background colour.
#include "platform/x11_window.h"

#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <memory>

#include "platform/x11_internal.h"
#include "support/pixel_art.h"
#include "support/xvfb.h"

using namespace plat;
using testing_support::Art;
using testing_support::Receiver;
using testing_support::Show;
using testing_support::ToArt;
using testing_support::XvfbServer;

namespace {

class X11Window : public testing_support::XvfbSuite<X11Window> {
 protected:
  // A shown 8x5 window at (30, 40) with a red background.
  std::unique_ptr<TX11Window> ShownWindow(TX11Connection& connection) {
    TX11WindowOptions options;
    options.left = 30;
    options.top = 40;
    options.width = 8;
    options.height = 5;
    options.background = clRed;
    auto window = std::make_unique<TX11Window>(connection, options);
    window->Show();
    XSync(connection.Raw(), False);
    return window;
  }
};

// A 3x2 picture with a different colour in each corner.
TBitmap Picture() {
  TBitmap bmp(3, 2);
  const TColor colours[2][3] = {{clBlack, clLime, clBlue}, {clBlue, clWhite, clBlack}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) bmp.SetPixel(x, y, colours[y][x]);
  return bmp;
}

}  // namespace

TEST_F(X11Window, DescribesItselfToTheWindowManager) {
  TX11WindowOptions options;
  options.left = 33;
  options.top = 44;
  options.width = 120;
  options.height = 70;
  TX11Window window(*connection_, options);
  window.Show();
  Display* d = connection_->Raw();
  XSync(d, False);
  const Window w = window.Id();

  x11::TProperty name = x11::ReadProperty(d, w, XA_WM_NAME);
  EXPECT_EQ(name.type, XA_STRING);
  EXPECT_EQ(name.bytes, "CustomerHTML");
  x11::TProperty net_name = x11::ReadProperty(d, w, connection_->InternAtom("_NET_WM_NAME"));
  EXPECT_EQ(net_name.type, connection_->InternAtom("UTF8_STRING"));
  EXPECT_EQ(net_name.bytes, "CustomerHTML");

  XClassHint class_hint{};
  ASSERT_TRUE(XGetClassHint(d, w, &class_hint));
  EXPECT_STREQ(class_hint.res_class, "THtmlForm");
  XFree(class_hint.res_name);
  XFree(class_hint.res_class);

  // No decorations, and no override-redirect: the window manager places,
  // lists and closes it like any other.
  x11::TProperty motif = x11::ReadProperty(d, w, connection_->InternAtom("_MOTIF_WM_HINTS"));
  EXPECT_EQ(motif.longs, (std::vector<unsigned long>{2, 0, 0, 0, 0}));
  XWindowAttributes attributes{};
  ASSERT_TRUE(XGetWindowAttributes(d, w, &attributes));
  EXPECT_FALSE(attributes.override_redirect);
  EXPECT_EQ(attributes.border_width, 0);

  XSizeHints hints{};
  long supplied = 0;
  ASSERT_TRUE(XGetWMNormalHints(d, w, &hints, &supplied));
  EXPECT_EQ(hints.flags & (USPosition | PPosition | USSize), USPosition | PPosition | USSize);

  Atom* protocols = nullptr;
  int count = 0;
  ASSERT_TRUE(XGetWMProtocols(d, w, &protocols, &count));
  std::vector<Atom> list(protocols, protocols + count);
  XFree(protocols);
  EXPECT_EQ(list, std::vector<Atom>{connection_->InternAtom("WM_DELETE_WINDOW")});

  // With no window manager the window sits exactly where it was asked to.
  int x = 0, y = 0;
  Window child = 0;
  XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &x, &y, &child);
  EXPECT_EQ(x, 33);
  EXPECT_EQ(y, 44);
  EXPECT_EQ(attributes.width, 120);
  EXPECT_EQ(attributes.height, 70);

  window.SetTitle("Other");
  EXPECT_EQ(x11::ReadProperty(d, w, XA_WM_NAME).bytes, "Other");
  EXPECT_EQ(x11::ReadProperty(d, w, connection_->InternAtom("_NET_WM_NAME")).bytes, "Other");
}

TEST_F(X11Window, ShowsPictureAtOffsetOverBackground) {
  auto window = ShownWindow(*connection_);
  EXPECT_EQ(Show(ToArt(window->Capture())), Show({"rrrrrrrr", "rrrrrrrr", "rrrrrrrr", "rrrrrrrr", "rrrrrrrr"}))
      << "before any picture";
  const struct {
    int x, y;
    Art expected;
  } cases[] = {
      {0, 0, {"#gbrrrrr", "b.#rrrrr", "rrrrrrrr", "rrrrrrrr", "rrrrrrrr"}},
      {2, 1, {"rrrrrrrr", "rr#gbrrr", "rrb.#rrr", "rrrrrrrr", "rrrrrrrr"}},
      // Bottom-aligned documents start above the window.
      {4, -1, {"rrrrb.#r", "rrrrrrrr", "rrrrrrrr", "rrrrrrrr", "rrrrrrrr"}},
      {-2, 4, {"rrrrrrrr", "rrrrrrrr", "rrrrrrrr", "rrrrrrrr", "brrrrrrr"}},
      {6, 3, {"rrrrrrrr", "rrrrrrrr", "rrrrrrrr", "rrrrrr#g", "rrrrrrb."}},
      {0, -2, {"rrrrrrrr", "rrrrrrrr", "rrrrrrrr", "rrrrrrrr", "rrrrrrrr"}},
      {-2147483647, 2147483647, {"rrrrrrrr", "rrrrrrrr", "rrrrrrrr", "rrrrrrrr", "rrrrrrrr"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "offset " << c.x << "," << c.y);
    window->SetPicture(Picture(), c.x, c.y);
    EXPECT_EQ(Show(ToArt(window->Capture())), Show(c.expected));
  }
  window->SetPicture(Picture(), 1, 1);
  window->SetBackground(clSilver);
  EXPECT_EQ(Show(ToArt(window->Capture())), Show({"ssssssss", "s#gbssss", "sb.#ssss", "ssssssss", "ssssssss"}));
  window->ClearPicture();
  EXPECT_EQ(Show(ToArt(window->Capture())), Show({"ssssssss", "ssssssss", "ssssssss", "ssssssss", "ssssssss"}));
}

TEST_F(X11Window, RepaintsFromItsPictureWhenExposed) {
  // As the display process runs: a document arrives, the handler installs
  // the picture; later the window is covered and uncovered.
  TX11WindowOptions options;
  options.width = 8;
  options.height = 5;
  options.background = clRed;
  options.title = "Exposed";
  Receiver receiver(server_->Display(), options, [](TX11Window& window, const std::string& text) {
    int x = 0, y = 0;
    if (std::sscanf(text.c_str(), "%d %d", &x, &y) == 2) window.SetPicture(Picture(), x, y);
    return 1;
  });
  TDocumentSender sender(*connection_);
  TSendOptions send;
  send.window_name = "Exposed";
  send.timeout_seconds = 20;
  ASSERT_EQ(sender.Send("3 -1", send).answer, 1);
  const Art expected = {"rrrb.#rr", "rrrrrrrr", "rrrrrrrr", "rrrrrrrr", "rrrrrrrr"};
  EXPECT_EQ(Show(ToArt(CaptureWindow(*connection_, receiver.Window()))), Show(expected));

  // Unmapping loses the contents; mapping again clears to the background and
  // sends Expose, which the loop handles before the next request.
  Display* d = connection_->Raw();
  XUnmapWindow(d, receiver.Window());
  XMapWindow(d, receiver.Window());
  XSync(d, False);
  ASSERT_EQ(sender.Send("no picture change", send).answer, 1);
  EXPECT_EQ(Show(ToArt(CaptureWindow(*connection_, receiver.Window()))), Show(expected));
}

TEST_F(X11Window, ConvertsForVisualsOfOtherMasks) {
  XvfbServer server16(16);
  ASSERT_FALSE(server16.Display().empty());
  TX11Connection connection(server16.Display());
  auto window = ShownWindow(connection);
  window->SetPicture(Picture(), -1, 3);
  const Art expected = {"rrrrrrrr", "rrrrrrrr", "rrrrrrrr", "gbrrrrrr", ".#rrrrrr"};
  EXPECT_EQ(Show(ToArt(window->Capture())), Show(expected));
  EXPECT_EQ(Show(ToArt(CaptureWindow(connection, window->Id()))), Show(expected));
}

TEST_F(X11Window, ClampsSizesXCannotHave) {
  TX11WindowOptions options;
  options.width = 0;
  options.height = -5;
  options.left = -100000;
  TX11Window window(*connection_, options);
  EXPECT_EQ(window.Width(), 1);
  EXPECT_EQ(window.Height(), 1);
  XWindowAttributes attributes{};
  ASSERT_TRUE(XGetWindowAttributes(connection_->Raw(), window.Id(), &attributes));
  EXPECT_EQ(attributes.x, -32768);
}
