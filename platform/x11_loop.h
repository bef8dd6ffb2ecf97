#pragma once
// The event loop of the display process: waits on the X connection,
// repaints the window, hands delivered documents to a handler, and ends
// when the window is closed or the connection breaks.
#include <cstdint>
#include <functional>

#include "platform/x11_delivery.h"

namespace plat {

class TX11Window;

class TX11EventLoop {
 public:
  enum class TExit {
    kClosed,          // the window was asked to close (WM_DELETE_WINDOW) or Quit was called
    kConnectionLost,  // the X server went away
  };

  // Runs before each wait, on the loop's thread: does the work that is due
  // (timers, posted messages) and returns how many milliseconds the loop may
  // wait for X events before calling it again (negative: no limit).
  using IdleHook = std::function<int()>;

  TX11EventLoop(TX11Window& window, TDeliveryReceiver::Handler on_document,
                uint32_t accepted_tag = kHtmlCopyDataId);

  void SetIdleHook(IdleHook hook) { idle_ = std::move(hook); }

  // Handles events until the window is closed or the connection breaks.
  // Documents are handled one at a time, in the order their requests
  // arrived. An exception from the document handler ends Run (the sender
  // has been answered 0).
  TExit Run();
  // Makes Run return kClosed once the current event is handled.
  void Quit() { quit_ = true; }

 private:
  TX11Window& window_;
  TDeliveryReceiver receiver_;
  IdleHook idle_;
  bool quit_ = false;
};

}  // namespace plat
