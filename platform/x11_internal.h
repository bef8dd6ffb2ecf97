#pragma once
// Shared by the X11 sources of the platform layer only; includes Xlib.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>
#include <string>
#include <vector>

namespace plat::x11 {

// Catches the X errors of the requests one thread makes on one display while
// the trap lives.
// X errors arrive asynchronously; Sync() waits until the server has handled
// every request sent so far, so the errors they caused are in. Traps nest.
// Errors outside any trap are reported on stderr and otherwise ignored.
class TErrorTrap {
 public:
  explicit TErrorTrap(Display* display);
  ~TErrorTrap();
  TErrorTrap(const TErrorTrap&) = delete;
  TErrorTrap& operator=(const TErrorTrap&) = delete;

  // Flushes and waits for the server; true when an error was caught so far.
  bool Sync();
  bool Failed() const { return error_code_ != 0; }
  int ErrorCode() const { return error_code_; }

 private:
  friend int HandleXError(Display*, XErrorEvent*);
  Display* display_;
  TErrorTrap* outer_;
  unsigned long first_serial_;
  int error_code_ = 0;
};

// Installs the process-wide error handlers once.
void InstallErrorHandlers();

// Frees what Xlib allocated.
struct XFreeDeleter {
  void operator()(void* p) const {
    if (p) XFree(p);
  }
};
struct XImageDeleter {
  void operator()(XImage* image) const {
    if (image) XDestroyImage(image);
  }
};
using XImagePtr = std::unique_ptr<XImage, XImageDeleter>;

// A small property read whole: up to `max_bytes`, the rest dropped.
struct TProperty {
  Atom type = None;  // None: the property (or the window) does not exist
  int format = 0;
  std::string bytes;                // format 8
  std::vector<unsigned long> longs;  // format 32
};
TProperty ReadProperty(Display* display, Window window, Atom property, long max_bytes = 1 << 16);

}  // namespace plat::x11
