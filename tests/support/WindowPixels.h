#pragma once
// Rectangles of pixels read from an X window or a picture file, compared and saved. The X
// headers stay in WindowPixels.cpp: their macros (None, Status, Bool) clash with other names.
#include <string>
#include <vector>

namespace gameproc {

struct Pixels {
  int x = 0, y = 0, w = 0, h = 0;
  int channels = 3; // RGB, or RGBA for pictures read with their alpha
  std::vector<unsigned char> data;

  bool empty() const { return data.empty(); }
  bool holds(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
  // The pixel at window (or picture) coordinates; holds(px, py) must be true.
  const unsigned char *at(int px, int py) const { return &data[((size_t)(py - y) * w + (px - x)) * channels]; }
};

// The rectangle as the window shows it now, cut to the 800 x 600 picture; empty when the window
// cannot be read (gone, not mapped).
Pixels grabWindow(unsigned long window, int x, int y, int w, int h);

// A rectangle of a picture file (any format ImageMagick reads), RGB or with its alpha.
Pixels readPicture(const std::string &file, int x, int y, int w, int h, bool alpha = false);

// Root-mean-square difference of two RGB rectangles of one size, 0 (same) to 1; -1 when they
// cannot be compared.
double distance(const Pixels &a, const Pixels &b);

bool savePicture(const Pixels &p, const std::string &png);

// A top-level window of the display with exactly this title, with its size; 0 when there is none.
unsigned long findTopWindow(const std::string &title, int *w = nullptr, int *h = nullptr);

} // namespace gameproc
