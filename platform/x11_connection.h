#pragma once
// A connection to an X server. Xlib types stay out of this header: the
// display is the opaque `_XDisplay` Xlib itself declares.
//
// A broken connection is fatal inside Xlib. With a library that lets a
// client survive it (XSetIOErrorExitHandler), the connection is only marked
// lost: later Xlib calls on it do nothing, and the event loop and the sender
// return an error. With an older library the process prints
// "lost the connection to the X server" and exits with code 1.
#include <atomic>
#include <stdexcept>
#include <string>

struct _XDisplay;

namespace plat {

// The X server could not be reached, or refused a request we depend on.
class EX11Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TX11Connection {
 public:
  // Opens `display_name` (empty: the DISPLAY environment variable).
  // Throws EX11Error when the server cannot be reached.
  explicit TX11Connection(const std::string& display_name = {});
  ~TX11Connection();
  TX11Connection(const TX11Connection&) = delete;
  TX11Connection& operator=(const TX11Connection&) = delete;

  _XDisplay* Raw() const { return display_; }
  // The socket to wait on (poll/select) for incoming events.
  int Fd() const;
  // True once the connection to the server has broken.
  bool Lost() const { return lost_.load(); }
  // The name the connection was opened with, for messages.
  const std::string& Name() const { return name_; }

  // The atom for `name`, created when missing.
  unsigned long InternAtom(const char* name) const;

 private:
  static void OnConnectionLost(_XDisplay* display, void* self);

  _XDisplay* display_ = nullptr;
  std::string name_;
  std::atomic<bool> lost_{false};
};

}  // namespace plat
