#pragma once
// The display window: one borderless top-level X11 window showing a picture
// at an offset over a background colour. It repaints from the picture it
// holds and never draws anything else.
#include <memory>
#include <string>

#include "platform/bitmap.h"
#include "platform/color.h"

union _XEvent;

namespace plat {

class TX11Connection;

struct TX11WindowOptions {
  int left = 0;
  int top = 0;
  int width = 1;   // X needs at least 1; larger than 32767 is clamped
  int height = 1;
  TColor background = clWhite;
  std::string title = "CustomerHTML";      // WM_NAME and _NET_WM_NAME
  std::string class_name = "THtmlForm";    // WM_CLASS class
  std::string instance_name = "htmlscrn";  // WM_CLASS instance
};

class TX11Window {
 public:
  // Creates the window (not yet shown). Throws EX11Error when the server
  // has no TrueColor visual or refuses the window.
  TX11Window(TX11Connection& connection, const TX11WindowOptions& options);
  ~TX11Window();
  TX11Window(const TX11Window&) = delete;
  TX11Window& operator=(const TX11Window&) = delete;

  // Maps the window.
  void Show();
  void SetTitle(const std::string& title);
  // The colour of every pixel the picture does not cover; repaints.
  void SetBackground(TColor color);
  // Shows `picture` (32-bit; a 1-bit one is converted) with its top-left
  // corner at (x, y) in the window, clipped; repaints. Either offset may be
  // negative.
  void SetPicture(TBitmap picture, int x, int y);
  // Back to the background colour alone.
  void ClearPicture();
  const TBitmap& Picture() const;

  // The window's current contents, read back from the server (the window
  // must be shown). Throws EX11Error when the server refuses.
  TBitmap Capture() const;

  unsigned long Id() const;
  int Width() const;
  int Height() const;
  TX11Connection& Connection() const;

  // Handles an event of this window: repaints on Expose, follows size
  // changes. Returns true when the event was the window manager's (or any
  // client's) request to close the window.
  bool HandleEvent(const _XEvent& event);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// The contents of any shown window of the connection's server, as a 32-bit
// bitmap. Throws EX11Error when the window does not exist or is not shown.
TBitmap CaptureWindow(TX11Connection& connection, unsigned long window);

}  // namespace plat
