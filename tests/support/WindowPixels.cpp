#include "support/WindowPixels.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <endian.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace gameproc {

namespace {

// One connection per process, to the server DISPLAY names when first asked.
Display *display() {
  static Display *d = XOpenDisplay(nullptr);
  return d;
}

// A window that went away must not end the test process, as Xlib's own handler would.
int ignoreError(Display *, XErrorEvent *) { return 0; }

int shiftOf(unsigned long mask) {
  int s = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++s;
  }
  return s;
}

} // namespace

Pixels grabWindow(unsigned long window, int x, int y, int w, int h) {
  Pixels p;
  Display *d = display();
  int x1 = std::min(x + w, 800), y1 = std::min(y + h, 600);
  x = std::max(x, 0);
  y = std::max(y, 0);
  if (!d || !window || x1 <= x || y1 <= y) return p;
  XErrorHandler before = XSetErrorHandler(ignoreError);
  XImage *image = XGetImage(d, window, x, y, (unsigned)(x1 - x), (unsigned)(y1 - y), AllPlanes, ZPixmap);
  XSync(d, False);
  XSetErrorHandler(before);
  if (!image) return p;
  p.x = x;
  p.y = y;
  p.w = x1 - x;
  p.h = y1 - y;
  p.data.resize((size_t)p.w * p.h * 3);
  const int rs = shiftOf(image->red_mask), gs = shiftOf(image->green_mask), bs = shiftOf(image->blue_mask);
  unsigned char *out = p.data.data();
  // Xvfb's 24-bit screens hold a pixel in 32 bits of the host's order: read them directly.
  const bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst && htole32(1) == 1;
  for (int row = 0; row < p.h; ++row)
    for (int col = 0; col < p.w; ++col) {
      unsigned long v;
      if (direct) {
        uint32_t word;
        std::memcpy(&word, image->data + (size_t)row * image->bytes_per_line + (size_t)col * 4, 4);
        v = word;
      } else {
        v = XGetPixel(image, col, row);
      }
      *out++ = (unsigned char)((v & image->red_mask) >> rs);
      *out++ = (unsigned char)((v & image->green_mask) >> gs);
      *out++ = (unsigned char)((v & image->blue_mask) >> bs);
    }
  XDestroyImage(image);
  return p;
}

unsigned long findTopWindow(const std::string &title, int *w, int *h) {
  Display *d = display();
  if (!d) return 0;
  XErrorHandler before = XSetErrorHandler(ignoreError);
  Window root = DefaultRootWindow(d), parent = 0, *children = nullptr, found = 0;
  unsigned int n = 0;
  if (XQueryTree(d, root, &root, &parent, &children, &n)) {
    for (unsigned int i = 0; i < n && !found; ++i) {
      // Its raw bytes: SDL's message box names itself in UTF-8, which XFetchName does not return.
      XTextProperty name;
      if (XGetWMName(d, children[i], &name) && name.value) {
        if (title == std::string((const char *)name.value, name.nitems)) found = children[i];
        XFree(name.value);
      }
    }
    if (children) XFree(children);
  }
  XWindowAttributes a;
  if (found && XGetWindowAttributes(d, found, &a)) {
    if (w) *w = a.width;
    if (h) *h = a.height;
  }
  XSync(d, False);
  XSetErrorHandler(before);
  return found;
}

Pixels readPicture(const std::string &file, int x, int y, int w, int h, bool alpha) {
  Pixels p;
  const std::string geometry = std::to_string(w) + "x" + std::to_string(h) + "+" + std::to_string(x) + "+" +
                               std::to_string(y);
  const std::string cmd = "convert '" + file + "' -crop " + geometry + " +repage -depth 8 " +
                          (alpha ? "rgba" : "rgb") + ":- 2>/dev/null";
  FILE *in = popen(cmd.c_str(), "r");
  if (!in) return p;
  p.channels = alpha ? 4 : 3;
  p.data.resize((size_t)w * h * p.channels);
  size_t got = fread(p.data.data(), 1, p.data.size(), in);
  pclose(in);
  if (got != p.data.size()) return Pixels();
  p.x = x;
  p.y = y;
  p.w = w;
  p.h = h;
  return p;
}

double distance(const Pixels &a, const Pixels &b) {
  if (a.empty() || a.w != b.w || a.h != b.h || a.channels != 3 || b.channels != 3) return -1.0;
  double sum = 0;
  for (size_t i = 0; i < a.data.size(); ++i) {
    double d = ((double)a.data[i] - (double)b.data[i]) / 255.0;
    sum += d * d;
  }
  return std::sqrt(sum / (double)a.data.size());
}

bool savePicture(const Pixels &p, const std::string &png) {
  if (p.empty()) return false;
  const std::string cmd = "convert -size " + std::to_string(p.w) + "x" + std::to_string(p.h) + " -depth 8 " +
                          (p.channels == 4 ? "rgba" : "rgb") + ":- '" + png + "' 2>/dev/null";
  FILE *out = popen(cmd.c_str(), "w");
  if (!out) return false;
  bool written = fwrite(p.data.data(), 1, p.data.size(), out) == p.data.size();
  return pclose(out) == 0 && written;
}

} // namespace gameproc
