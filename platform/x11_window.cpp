// The display window over Xlib: creation and window-manager hints, painting
// the picture over the background colour, reading the contents back.
#include "platform/x11_window.h"

#include <unistd.h>

#include <X11/Xatom.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

#include "platform/x11_connection.h"
#include "platform/x11_internal.h"

namespace plat {
namespace {

using x11::TErrorTrap;
using x11::XImagePtr;

// X coordinates are 16-bit signed, sizes at least 1.
int ClampCoordinate(int v) { return std::clamp(v, -32768, 32767); }
int ClampSize(int v) { return std::clamp(v, 1, 32767); }

// Rows converted at a time, so that a huge window never needs a huge buffer.
constexpr int kBandRows = 64;

// Conversion between 0x00RRGGBB and the pixel values of a TrueColor visual.
class TPixelConverter {
 public:
  TPixelConverter() = default;
  TPixelConverter(const XVisualInfo& info, int bits_per_pixel) {
    r_ = MakeChannel(info.red_mask);
    g_ = MakeChannel(info.green_mask);
    b_ = MakeChannel(info.blue_mask);
    for (unsigned v = 0; v < 256; ++v) {
      red_[v] = Scale(v, r_);
      green_[v] = Scale(v, g_);
      blue_[v] = Scale(v, b_);
    }
    // Bits of the depth no colour uses are alpha on 32-bit visuals: opaque.
    unsigned long all = info.depth >= 32 ? 0xFFFFFFFFul : (1ul << info.depth) - 1;
    extra_ = all & ~(info.red_mask | info.green_mask | info.blue_mask);
    native_ = info.depth == 24 && bits_per_pixel == 32 && info.red_mask == 0xFF0000 &&
              info.green_mask == 0xFF00 && info.blue_mask == 0xFF;
  }

  unsigned long ToPixel(uint32_t rgb) const {
    return red_[(rgb >> 16) & 0xFF] | green_[(rgb >> 8) & 0xFF] | blue_[rgb & 0xFF] | extra_;
  }
  uint32_t FromPixel(unsigned long pixel) const {
    return (Expand(pixel, r_) << 16) | (Expand(pixel, g_) << 8) | Expand(pixel, b_);
  }
  // True when the visual takes the bitmap's 0x00RRGGBB words as they are.
  bool Native() const { return native_; }

 private:
  struct Channel {
    unsigned long mask = 0;
    int shift = 0;
    unsigned long max = 0;
  };
  static Channel MakeChannel(unsigned long mask) {
    Channel c;
    c.mask = mask;
    if (mask == 0) return c;
    c.shift = std::countr_zero(mask);
    c.max = mask >> c.shift;
    return c;
  }
  static unsigned long Scale(unsigned v, const Channel& c) {
    if (c.max == 0) return 0;
    return ((v * c.max + 127) / 255) << c.shift & c.mask;
  }
  static uint32_t Expand(unsigned long pixel, const Channel& c) {
    if (c.max == 0) return 0;
    return static_cast<uint32_t>((((pixel & c.mask) >> c.shift) * 255 + c.max / 2) / c.max);
  }

  Channel r_, g_, b_;
  unsigned long red_[256] = {}, green_[256] = {}, blue_[256] = {};
  unsigned long extra_ = 0;
  bool native_ = false;
};

int BitsPerPixel(Display* display, int depth) {
  int count = 0;
  std::unique_ptr<XPixmapFormatValues, x11::XFreeDeleter> formats(XListPixmapFormats(display, &count));
  for (int i = 0; formats && i < count; ++i) {
    if (formats.get()[i].depth == depth) return formats.get()[i].bits_per_pixel;
  }
  return 0;
}

bool VisualInfoOf(Display* display, Visual* visual, XVisualInfo& out) {
  XVisualInfo want{};
  want.visualid = XVisualIDFromVisual(visual);
  int count = 0;
  std::unique_ptr<XVisualInfo, x11::XFreeDeleter> found(XGetVisualInfo(display, VisualIDMask, &want, &count));
  if (!found || count < 1) return false;
  out = *found;
  return true;
}

// The default visual when it is TrueColor, else the deepest usable one.
XVisualInfo ChooseVisual(Display* display) {
  int screen = DefaultScreen(display);
  XVisualInfo info{};
  if (VisualInfoOf(display, DefaultVisual(display, screen), info) && info.c_class == TrueColor) return info;
  for (int depth : {24, 32, 16, 15}) {
    if (XMatchVisualInfo(display, screen, depth, TrueColor, &info)) return info;
  }
  throw EX11Error("the X server offers no TrueColor visual");
}

struct Rect64 {
  int64_t left, top, right, bottom;
  bool Empty() const { return left >= right || top >= bottom; }
  Rect64 Intersect(const Rect64& o) const {
    return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
  }
};

// Reads rows [top, top + rows) of a drawable into `out` starting at out row `top`.
void ReadBand(Display* display, Drawable drawable, const TPixelConverter& conv, TBitmap& out, int top, int rows) {
  TErrorTrap trap(display);
  XImagePtr image(XGetImage(display, drawable, 0, top, out.Width(), rows, AllPlanes, ZPixmap));
  if (!image || trap.Failed()) throw EX11Error("the X server refused to read the window back");
  for (int y = 0; y < rows; ++y) {
    uint32_t* row = out.Row32(top + y);
    for (int x = 0; x < out.Width(); ++x) row[x] = conv.FromPixel(XGetPixel(image.get(), x, y));
  }
}

TBitmap ReadWindow(Display* display, Window window, const TPixelConverter& conv, int width, int height) {
  TBitmap out(width, height);
  for (int top = 0; top < height; top += kBandRows) ReadBand(display, window, conv, out, top, std::min(kBandRows, height - top));
  return out;
}

}  // namespace

struct TX11Window::Impl {
  TX11Connection& connection;
  Display* display;
  Window window = 0;
  GC gc = nullptr;
  XVisualInfo visual{};
  int bits_per_pixel = 0;
  Colormap colormap = 0;
  bool own_colormap = false;
  TPixelConverter converter;
  int width = 1;
  int height = 1;
  unsigned long background_pixel = 0;
  TBitmap picture;
  int picture_x = 0;
  int picture_y = 0;
  Atom wm_protocols = 0;
  Atom wm_delete = 0;

  explicit Impl(TX11Connection& c) : connection(c), display(c.Raw()) {}

  ~Impl() {
    if (gc) XFreeGC(display, gc);
    if (window) XDestroyWindow(display, window);
    if (own_colormap) XFreeColormap(display, colormap);
    XFlush(display);
  }

  void SetProperty(const char* name, Atom type, int format, const void* data, int count) {
    XChangeProperty(display, window, connection.InternAtom(name), type, format, PropModeReplace,
                    static_cast<const unsigned char*>(data), count);
  }

  void SetTitle(const std::string& title) {
    // WM_NAME in STRING for every window manager, _NET_WM_NAME in UTF-8 for
    // the newer ones: the same bytes, as titles here are plain ASCII.
    int length = static_cast<int>(std::min<size_t>(title.size(), 1 << 16));
    SetProperty("WM_NAME", XA_STRING, 8, title.data(), length);
    SetProperty("_NET_WM_NAME", connection.InternAtom("UTF8_STRING"), 8, title.data(), length);
  }

  void DescribeToWindowManager(const TX11WindowOptions& options, int left, int top) {
    SetTitle(options.title);

    XSizeHints size{};
    size.flags = USPosition | PPosition | USSize | PSize;
    size.x = left;
    size.y = top;
    size.width = width;
    size.height = height;
    XSetWMNormalHints(display, window, &size);

    // The window takes no input: the window manager should not focus it.
    XWMHints hints{};
    hints.flags = InputHint | StateHint;
    hints.input = False;
    hints.initial_state = NormalState;
    XSetWMHints(display, window, &hints);

    std::string instance = options.instance_name, klass = options.class_name;
    XClassHint class_hint{instance.data(), klass.data()};
    XSetClassHint(display, window, &class_hint);

    wm_protocols = connection.InternAtom("WM_PROTOCOLS");
    wm_delete = connection.InternAtom("WM_DELETE_WINDOW");
    XSetWMProtocols(display, window, &wm_delete, 1);

    // Motif hints: flags = decorations given, decorations = none.
    const long motif[5] = {2, 0, 0, 0, 0};
    Atom motif_atom = connection.InternAtom("_MOTIF_WM_HINTS");
    SetProperty("_MOTIF_WM_HINTS", motif_atom, 32, motif, 5);

    // Who owns the window, so that it can be found and closed.
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) == 0) SetProperty("WM_CLIENT_MACHINE", XA_STRING, 8, host, static_cast<int>(std::strlen(host)));
    const long pid = getpid();
    SetProperty("_NET_WM_PID", XA_CARDINAL, 32, &pid, 1);
  }

  void Fill(const Rect64& r) {
    if (r.Empty()) return;
    XFillRectangle(display, window, gc, static_cast<int>(r.left), static_cast<int>(r.top),
                   static_cast<unsigned>(r.right - r.left), static_cast<unsigned>(r.bottom - r.top));
  }

  // Puts the part `dest` (window coordinates, inside the picture) of the picture.
  void PutPicture(const Rect64& dest) {
    const int src_x = static_cast<int>(dest.left - picture_x);
    const int src_y = static_cast<int>(dest.top - picture_y);
    const int w = static_cast<int>(dest.right - dest.left);
    const int h = static_cast<int>(dest.bottom - dest.top);
    if (converter.Native()) {
      // The bitmap's rows go out as they are; Xlib splits big requests.
      XImagePtr image(XCreateImage(display, visual.visual, visual.depth, ZPixmap, 0,
                                   reinterpret_cast<char*>(picture.Row32(0)), picture.Width(), picture.Height(),
                                   32, picture.Stride()));
      if (!image) return;
      image->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
      XPutImage(display, window, gc, image.get(), src_x, src_y, static_cast<int>(dest.left),
                static_cast<int>(dest.top), w, h);
      image->data = nullptr;  // the bitmap owns the pixels
      return;
    }
    for (int band = 0; band < h; band += kBandRows) {
      const int rows = std::min(kBandRows, h - band);
      XImagePtr image(XCreateImage(display, visual.visual, visual.depth, ZPixmap, 0, nullptr, w, rows, 32, 0));
      if (!image) return;
      image->data = static_cast<char*>(std::calloc(static_cast<size_t>(image->bytes_per_line), rows));
      if (!image->data) return;
      for (int y = 0; y < rows; ++y) {
        const uint32_t* src = picture.Row32(src_y + band + y) + src_x;
        for (int x = 0; x < w; ++x) XPutPixel(image.get(), x, y, converter.ToPixel(src[x]));
      }
      XPutImage(display, window, gc, image.get(), 0, 0, static_cast<int>(dest.left),
                static_cast<int>(dest.top) + band, w, rows);
    }
  }

  // Repaints the window area `area` (window coordinates) from the picture.
  void Paint(const Rect64& area) {
    const Rect64 r = area.Intersect({0, 0, width, height});
    if (r.Empty()) return;
    XSetForeground(display, gc, background_pixel);
    const Rect64 p = picture.Empty() ? Rect64{0, 0, 0, 0}
                                     : r.Intersect({picture_x, picture_y, int64_t{picture_x} + picture.Width(),
                                                    int64_t{picture_y} + picture.Height()});
    if (p.Empty()) {
      Fill(r);
      return;
    }
    Fill({r.left, r.top, r.right, p.top});
    Fill({r.left, p.bottom, r.right, r.bottom});
    Fill({r.left, p.top, p.left, p.bottom});
    Fill({p.right, p.top, r.right, p.bottom});
    PutPicture(p);
  }

  void Repaint() {
    Paint({0, 0, width, height});
    XFlush(display);
  }
};

TX11Window::TX11Window(TX11Connection& connection, const TX11WindowOptions& options)
    : impl_(std::make_unique<Impl>(connection)) {
  Impl& m = *impl_;
  Display* display = m.display;
  const int screen = DefaultScreen(display);
  m.visual = ChooseVisual(display);
  m.bits_per_pixel = BitsPerPixel(display, m.visual.depth);
  m.converter = TPixelConverter(m.visual, m.bits_per_pixel);
  m.width = ClampSize(options.width);
  m.height = ClampSize(options.height);
  const int left = ClampCoordinate(options.left);
  const int top = ClampCoordinate(options.top);
  m.background_pixel = m.converter.ToPixel(ColorToPixel(options.background));

  if (m.visual.visual == DefaultVisual(display, screen)) {
    m.colormap = DefaultColormap(display, screen);
  } else {
    m.colormap = XCreateColormap(display, RootWindow(display, screen), m.visual.visual, AllocNone);
    m.own_colormap = true;
  }

  TErrorTrap trap(display);
  XSetWindowAttributes attributes{};
  attributes.background_pixel = m.background_pixel;
  attributes.border_pixel = 0;
  attributes.colormap = m.colormap;
  attributes.event_mask = ExposureMask | StructureNotifyMask;
  m.window = XCreateWindow(display, RootWindow(display, screen), left, top, m.width, m.height, 0, m.visual.depth,
                           InputOutput, m.visual.visual, CWBackPixel | CWBorderPixel | CWColormap | CWEventMask,
                           &attributes);
  m.gc = XCreateGC(display, m.window, 0, nullptr);
  m.DescribeToWindowManager(options, left, top);
  if (trap.Sync()) throw EX11Error("the X server refused to create the window");
}

TX11Window::~TX11Window() = default;

void TX11Window::Show() {
  XMapWindow(impl_->display, impl_->window);
  XFlush(impl_->display);
}

void TX11Window::SetTitle(const std::string& title) {
  impl_->SetTitle(title);
  XFlush(impl_->display);
}

void TX11Window::SetBackground(TColor color) {
  Impl& m = *impl_;
  m.background_pixel = m.converter.ToPixel(ColorToPixel(color));
  XSetWindowBackground(m.display, m.window, m.background_pixel);
  m.Repaint();
}

void TX11Window::SetPicture(TBitmap picture, int x, int y) {
  Impl& m = *impl_;
  if (picture.Monochrome()) picture.SetPixelFormat(TPixelFormat::pf32bit);
  m.picture = std::move(picture);
  m.picture_x = x;
  m.picture_y = y;
  m.Repaint();
}

void TX11Window::ClearPicture() { SetPicture(TBitmap(), 0, 0); }

const TBitmap& TX11Window::Picture() const { return impl_->picture; }

TBitmap TX11Window::Capture() const {
  const Impl& m = *impl_;
  return ReadWindow(m.display, m.window, m.converter, m.width, m.height);
}

unsigned long TX11Window::Id() const { return impl_->window; }
int TX11Window::Width() const { return impl_->width; }
int TX11Window::Height() const { return impl_->height; }
TX11Connection& TX11Window::Connection() const { return impl_->connection; }

bool TX11Window::HandleEvent(const XEvent& event) {
  Impl& m = *impl_;
  switch (event.type) {
    case Expose:
      if (event.xexpose.window == m.window) {
        const XExposeEvent& e = event.xexpose;
        m.Paint({e.x, e.y, int64_t{e.x} + e.width, int64_t{e.y} + e.height});
      }
      return false;
    case ConfigureNotify:
      if (event.xconfigure.window == m.window) {
        m.width = ClampSize(event.xconfigure.width);
        m.height = ClampSize(event.xconfigure.height);
      }
      return false;
    case ClientMessage:
      return event.xclient.window == m.window && event.xclient.message_type == m.wm_protocols &&
             event.xclient.format == 32 && static_cast<Atom>(event.xclient.data.l[0]) == m.wm_delete;
    default:
      return false;
  }
}

TBitmap CaptureWindow(TX11Connection& connection, unsigned long window) {
  Display* display = connection.Raw();
  XWindowAttributes attributes{};
  {
    TErrorTrap trap(display);
    if (!XGetWindowAttributes(display, window, &attributes) || trap.Failed())
      throw EX11Error("no such window");
  }
  XVisualInfo info{};
  if (!VisualInfoOf(display, attributes.visual, info)) throw EX11Error("the window's visual is unknown");
  if (info.c_class != TrueColor) throw EX11Error("the window's visual is not TrueColor");
  TPixelConverter converter(info, BitsPerPixel(display, info.depth));
  return ReadWindow(display, window, converter, attributes.width, attributes.height);
}

}  // namespace plat
