// The X server connection, X error trapping and property reading.
#include "platform/x11_connection.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "platform/x11_internal.h"

namespace plat {
namespace x11 {

namespace {
// The innermost trap of this thread. Each thread talks over its own
// connections, and Xlib runs the error handler on the thread that reads the
// error, so a thread-local stack finds the right trap.
thread_local TErrorTrap* current_trap = nullptr;

int HandleIOError(Display*) {
#ifdef HAVE_XSETIOERROREXITHANDLER
  // The per-connection exit handler marks the connection lost.
  return 0;
#else
  std::fputs("lost the connection to the X server\n", stderr);
  std::exit(1);
#endif
}
}  // namespace

int HandleXError(Display* display, XErrorEvent* event) {
  for (TErrorTrap* trap = current_trap; trap; trap = trap->outer_) {
    // Only errors of requests made while the trap was set are its own.
    if (trap->display_ != display || event->serial < trap->first_serial_) continue;
    if (trap->error_code_ == 0) trap->error_code_ = event->error_code;
    return 0;
  }
  char text[256] = {};
  XGetErrorText(display, event->error_code, text, sizeof text);
  std::fprintf(stderr, "X error: %s (request %d.%d, resource 0x%lx)\n", text, event->request_code,
               event->minor_code, event->resourceid);
  return 0;
}

void InstallErrorHandlers() {
  static std::once_flag once;
  std::call_once(once, [] {
    XSetErrorHandler(HandleXError);
    XSetIOErrorHandler(HandleIOError);
  });
}

TErrorTrap::TErrorTrap(Display* display)
    : display_(display), outer_(current_trap), first_serial_(NextRequest(display)) {
  current_trap = this;
}

TErrorTrap::~TErrorTrap() { current_trap = outer_; }

bool TErrorTrap::Sync() {
  XSync(display_, False);
  return Failed();
}

TProperty ReadProperty(Display* display, Window window, Atom property, long max_bytes) {
  TProperty result;
  TErrorTrap trap(display);
  Atom type = None;
  int format = 0;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  // XGetWindowProperty waits for its reply, so an error is in when it returns.
  int status = XGetWindowProperty(display, window, property, 0, (max_bytes + 3) / 4, False, AnyPropertyType,
                                  &type, &format, &items, &after, &data);
  std::unique_ptr<unsigned char, XFreeDeleter> owned(data);
  if (status != Success || trap.Failed() || type == None || !data) return result;
  result.type = type;
  result.format = format;
  if (format == 8) {
    result.bytes.assign(reinterpret_cast<const char*>(data), items);
  } else if (format == 32) {
    // Xlib hands format-32 items over as longs.
    const unsigned long* longs = reinterpret_cast<const unsigned long*>(data);
    result.longs.assign(longs, longs + items);
  }
  return result;
}

}  // namespace x11

TX11Connection::TX11Connection(const std::string& display_name) {
  x11::InstallErrorHandlers();
  display_ = XOpenDisplay(display_name.empty() ? nullptr : display_name.c_str());
  if (!display_) {
    const char* env = std::getenv("DISPLAY");
    std::string shown = !display_name.empty() ? display_name : (env ? env : "");
    throw EX11Error("cannot open display \"" + shown + "\"");
  }
  name_ = DisplayString(display_);
#ifdef HAVE_XSETIOERROREXITHANDLER
  XSetIOErrorExitHandler(display_, &TX11Connection::OnConnectionLost, this);
#endif
}

TX11Connection::~TX11Connection() {
  if (display_) XCloseDisplay(display_);
}

void TX11Connection::OnConnectionLost(_XDisplay*, void* self) {
  // Returning lets Xlib mark the display dead instead of exiting.
  static_cast<TX11Connection*>(self)->lost_.store(true);
}

int TX11Connection::Fd() const { return ConnectionNumber(display_); }

unsigned long TX11Connection::InternAtom(const char* name) const { return XInternAtom(display_, name, False); }

}  // namespace plat
