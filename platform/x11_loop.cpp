// The display process's event loop over one X connection.
#include "platform/x11_loop.h"

#include <poll.h>

#include <cerrno>

#include "platform/x11_connection.h"
#include "platform/x11_internal.h"
#include "platform/x11_window.h"

namespace plat {

TX11EventLoop::TX11EventLoop(TX11Window& window, TDeliveryReceiver::Handler on_document, uint32_t accepted_tag)
    : window_(window), receiver_(window.Connection(), window.Id(), std::move(on_document), accepted_tag) {}

TX11EventLoop::TExit TX11EventLoop::Run() {
  TX11Connection& connection = window_.Connection();
  Display* display = connection.Raw();
  quit_ = false;
  while (!quit_) {
    const int wait_ms = idle_ ? idle_() : -1;
    if (quit_) break;
    // Events Xlib has already read would not wake poll: take them first.
    // XPending also flushes what we sent and reads what has arrived.
    bool handled = false;
    while (!quit_ && !connection.Lost() && XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      handled = true;
      if (receiver_.HandleEvent(event)) continue;
      if (window_.HandleEvent(event)) return TExit::kClosed;
    }
    if (connection.Lost()) return TExit::kConnectionLost;
    if (quit_) break;
    // After handling events go round once more so the hook sees their effects.
    if (handled) continue;
    pollfd fd{connection.Fd(), POLLIN, 0};
    if (poll(&fd, 1, wait_ms < 0 ? -1 : wait_ms) < 0 && errno != EINTR) return TExit::kConnectionLost;
  }
  return TExit::kClosed;
}

}  // namespace plat
