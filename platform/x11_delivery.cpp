// The document delivery protocol: finding the receiver, sending a text
// through a property of the sender's window, receiving and answering it.
#include "platform/x11_delivery.h"

#include <poll.h>

#include <X11/Xatom.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <deque>
#include <memory>

#include "platform/x11_connection.h"
#include "platform/x11_internal.h"

namespace plat {
namespace {

using x11::ReadProperty;
using x11::TErrorTrap;

// Bytes moved per property request: well under the smallest maximum request
// size a server may have (256 KiB), so no request ever needs BIG-REQUESTS.
constexpr long kChunkBytes = 64 * 1024;

// Limits of the window tree walk, against pathological trees.
constexpr int kMaxSearchDepth = 4;
constexpr size_t kMaxSearchWindows = 8192;

// Client message words travel as 32-bit values; Xlib widens them to long.
uint32_t Word(const XClientMessageEvent& e, int i) { return static_cast<uint32_t>(e.data.l[i] & 0xFFFFFFFF); }

bool HasName(Display* display, Window window, std::string_view name, Atom net_wm_name) {
  const long limit = static_cast<long>(name.size()) + 1;
  for (Atom property : {static_cast<Atom>(XA_WM_NAME), net_wm_name}) {
    x11::TProperty p = ReadProperty(display, window, property, limit);
    if (p.format == 8 && p.bytes == name) return true;
  }
  return false;
}

}  // namespace

unsigned long FindWindowByName(TX11Connection& connection, std::string_view name) {
  Display* display = connection.Raw();
  const Window root = DefaultRootWindow(display);
  const Atom net_wm_name = connection.InternAtom("_NET_WM_NAME");

  x11::TProperty clients = ReadProperty(display, root, connection.InternAtom("_NET_CLIENT_LIST"), 1 << 20);
  if (clients.format == 32) {
    for (unsigned long w : clients.longs) {
      if (HasName(display, w, name, net_wm_name)) return w;
    }
  }

  // Breadth first, so a top-level window is found before anything inside it.
  std::deque<std::pair<Window, int>> queue{{root, 0}};
  size_t visited = 0;
  while (!queue.empty() && visited < kMaxSearchWindows) {
    auto [window, depth] = queue.front();
    queue.pop_front();
    ++visited;
    if (window != root && HasName(display, window, name, net_wm_name)) return window;
    if (depth >= kMaxSearchDepth) continue;
    Window root_return = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    TErrorTrap trap(display);  // windows may vanish while we look
    Status ok = XQueryTree(display, window, &root_return, &parent, &children, &count);
    std::unique_ptr<Window, x11::XFreeDeleter> owned(children);
    if (!ok || trap.Failed()) continue;
    for (unsigned int i = 0; i < count; ++i) queue.emplace_back(children[i], depth + 1);
  }
  return 0;
}

// ---------------------------------------------------------------------------
// Receiver

TDeliveryReceiver::TDeliveryReceiver(TX11Connection& connection, unsigned long window, Handler handler,
                                     uint32_t accepted_tag)
    : connection_(connection),
      window_(window),
      handler_(std::move(handler)),
      accepted_tag_(accepted_tag),
      request_atom_(connection.InternAtom(kDeliveryRequestAtom)),
      answer_atom_(connection.InternAtom(kDeliveryAnswerAtom)) {}

bool TDeliveryReceiver::HandleEvent(const XEvent& event) {
  if (event.type != ClientMessage) return false;
  const XClientMessageEvent& e = event.xclient;
  if (e.window != window_ || e.message_type != request_atom_ || e.format != 32) return false;

  const uint32_t tag = Word(e, kRequestTag);
  const Window sender = Word(e, kRequestSender);
  const Atom property = Word(e, kRequestProperty);
  const uint32_t size = Word(e, kRequestSize);
  const long serial = Word(e, kRequestSerial);
  if (sender == 0) return true;

  if (tag != accepted_tag_) {
    Finish(sender, property, 1, serial);
    return true;
  }
  std::optional<std::string> text = ReadText(sender, property, size);
  if (!text) return true;  // the sender is gone: nobody waits for the answer
  int result = 0;
  try {
    result = handler_(*text);
  } catch (...) {
    Finish(sender, property, 0, serial);
    throw;
  }
  Finish(sender, property, result, serial);
  return true;
}

std::optional<std::string> TDeliveryReceiver::ReadText(unsigned long sender, unsigned long property, uint32_t size) {
  Display* display = connection_.Raw();
  std::string text;
  if (property == None) return text;
  TErrorTrap trap(display);
  long offset_words = 0;
  uint32_t remaining = std::min(size, kMaxDocumentBytes);
  while (remaining > 0) {
    const long want_words = (std::min<long>(remaining, kChunkBytes) + 3) / 4;
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    int status = XGetWindowProperty(display, sender, property, offset_words, want_words, False, AnyPropertyType,
                                    &type, &format, &items, &after, &data);
    std::unique_ptr<unsigned char, x11::XFreeDeleter> owned(data);
    if (trap.ErrorCode() == BadWindow) return std::nullopt;
    if (status != Success || trap.Failed() || type == None || !data) break;
    if (format != 8) return std::string();  // not text
    // The last request may reach past the announced size: never take more.
    const size_t take = static_cast<size_t>(std::min<unsigned long>(items, remaining));
    const void* zero = std::memchr(data, 0, take);
    if (zero) {
      text.append(reinterpret_cast<const char*>(data), static_cast<const unsigned char*>(zero) - data);
      break;
    }
    text.append(reinterpret_cast<const char*>(data), take);
    remaining -= static_cast<uint32_t>(take);
    if (after == 0 || items < static_cast<unsigned long>(want_words) * 4) break;
    offset_words += want_words;
  }
  return text;
}

void TDeliveryReceiver::Finish(unsigned long sender, unsigned long property, long result, long serial) {
  Display* display = connection_.Raw();
  TErrorTrap trap(display);  // the sender may have gone meanwhile
  if (property != None) XDeleteProperty(display, sender, property);
  XEvent answer{};
  answer.xclient.type = ClientMessage;
  answer.xclient.window = sender;
  answer.xclient.message_type = answer_atom_;
  answer.xclient.format = 32;
  answer.xclient.data.l[kAnswerResult] = result;
  answer.xclient.data.l[kAnswerSerial] = serial;
  answer.xclient.data.l[kAnswerReceiver] = static_cast<long>(window_);
  XSendEvent(display, sender, False, NoEventMask, &answer);
  trap.Sync();
}

// ---------------------------------------------------------------------------
// Sender

TDocumentSender::TDocumentSender(TX11Connection& connection) : connection_(connection), next_serial_(1) {}

TDocumentSender::~TDocumentSender() { RetireWindow(); }

void TDocumentSender::MakeWindow() {
  Display* display = connection_.Raw();
  // An unmapped input-only window: it only holds the property and receives answers.
  window_ = XCreateWindow(display, DefaultRootWindow(display), -1, -1, 1, 1, 0, 0, InputOnly, CopyFromParent, 0,
                          nullptr);
}

void TDocumentSender::RetireWindow() {
  // A receiver still holding an old request then finds the window gone and
  // drops it instead of reading a later document.
  if (!window_) return;
  if (!connection_.Lost()) {
    XDestroyWindow(connection_.Raw(), window_);
    XFlush(connection_.Raw());
  }
  window_ = 0;
}

TSendResult TDocumentSender::Send(std::string_view text, const TSendOptions& options) {
  if (connection_.Lost()) return {TSendStatus::kConnectionLost, 0, "lost the connection to the X server"};
  const unsigned long target = FindWindowByName(connection_, options.window_name);
  if (connection_.Lost()) return {TSendStatus::kConnectionLost, 0, "lost the connection to the X server"};
  if (!target) return {TSendStatus::kNoWindow, 0, "no window named \"" + options.window_name + "\""};
  return SendTo(target, text, options);
}

TSendResult TDocumentSender::SendTo(unsigned long target, std::string_view text, const TSendOptions& options) {
  if (connection_.Lost()) return {TSendStatus::kConnectionLost, 0, "lost the connection to the X server"};
  if (text.size() >= 0xFFFFFFFFu) return {TSendStatus::kRefused, 0, "the document is too large"};
  if (!window_) MakeWindow();
  Display* display = connection_.Raw();
  const Atom property = connection_.InternAtom(kDeliveryPropertyAtom);
  const Atom type = connection_.InternAtom(kDeliveryTextType);
  const long max_request_bytes = XMaxRequestSize(display) * 4L;
  const long chunk = std::max(4096L, std::min(kChunkBytes, max_request_bytes - 1024));

  TErrorTrap trap(display);
  // Watch the receiver so that its end also ends the wait.
  XSelectInput(display, target, StructureNotifyMask);
  // The text and its terminating zero; the first write replaces what an
  // earlier document left.
  static const unsigned char kZero = 0;
  int mode = PropModeReplace;
  for (size_t offset = 0; offset < text.size(); offset += static_cast<size_t>(chunk)) {
    const size_t n = std::min<size_t>(static_cast<size_t>(chunk), text.size() - offset);
    XChangeProperty(display, window_, property, type, 8, mode,
                    reinterpret_cast<const unsigned char*>(text.data() + offset), static_cast<int>(n));
    mode = PropModeAppend;
  }
  XChangeProperty(display, window_, property, type, 8, mode, &kZero, 1);

  const long serial = next_serial_++;
  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = target;
  request.xclient.message_type = connection_.InternAtom(kDeliveryRequestAtom);
  request.xclient.format = 32;
  request.xclient.data.l[kRequestTag] = static_cast<long>(options.tag);
  request.xclient.data.l[kRequestSender] = static_cast<long>(window_);
  request.xclient.data.l[kRequestProperty] = static_cast<long>(property);
  request.xclient.data.l[kRequestSize] =
      static_cast<long>(options.announced_size.value_or(static_cast<uint32_t>(text.size() + 1)));
  request.xclient.data.l[kRequestSerial] = serial;
  XSendEvent(display, target, False, NoEventMask, &request);
  if (trap.Sync() || connection_.Lost()) {
    TSendResult failed;
    if (connection_.Lost()) {
      failed = {TSendStatus::kConnectionLost, 0, "lost the connection to the X server"};
    } else if (trap.ErrorCode() == BadWindow) {
      failed = {TSendStatus::kWindowGone, 0, "the receiving window went away"};
    } else {
      char message[256] = {};
      XGetErrorText(display, trap.ErrorCode(), message, sizeof message);
      failed = {TSendStatus::kRefused, 0, std::string("the X server refused the document: ") + message};
    }
    RetireWindow();
    return failed;
  }

  TSendResult result = Wait(target, serial, options.timeout_seconds);
  if (!connection_.Lost()) {
    TErrorTrap unwatch(display);
    XSelectInput(display, target, NoEventMask);
    unwatch.Sync();
  }
  if (result.status != TSendStatus::kAnswered) RetireWindow();
  return result;
}

TSendResult TDocumentSender::Wait(unsigned long target, long serial, double timeout_seconds) {
  using Clock = std::chrono::steady_clock;
  Display* display = connection_.Raw();
  const Atom answer_atom = connection_.InternAtom(kDeliveryAnswerAtom);
  const double seconds = std::isfinite(timeout_seconds) ? std::clamp(timeout_seconds, 0.0, 1e7) : 1e7;
  const Clock::time_point deadline =
      Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  for (;;) {
    while (!connection_.Lost() && XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == ClientMessage) {
        const XClientMessageEvent& e = event.xclient;
        if (e.window == window_ && e.message_type == answer_atom && e.format == 32 &&
            Word(e, kAnswerSerial) == static_cast<uint32_t>(serial)) {
          return {TSendStatus::kAnswered, static_cast<int32_t>(Word(e, kAnswerResult)), {}};
        }
      } else if (event.type == DestroyNotify && event.xdestroywindow.window == target) {
        return {TSendStatus::kWindowGone, 0, "the receiving window went away before answering"};
      }
    }
    if (connection_.Lost()) return {TSendStatus::kConnectionLost, 0, "lost the connection to the X server"};
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return {TSendStatus::kTimeout, 0, "no answer in time"};
    pollfd fd{connection_.Fd(), POLLIN, 0};
    poll(&fd, 1, static_cast<int>(std::min<long long>(left, 1000 * 1000)));
  }
}

}  // namespace plat
