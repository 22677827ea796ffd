#pragma once
#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <vector>

// Where two 800x600 RGBA frames differ: the box around the changed pixels and their count.
namespace framediff {

const int kW = 800, kH = 600;

struct Area {
  int x0 = kW, y0 = kH, x1 = -1, y1 = -1, count = 0;
  bool empty() const { return count == 0; }
  int w() const { return x1 - x0 + 1; }
  int h() const { return y1 - y0 + 1; }
  bool meets(const Area &o) const {
    return count > 0 && o.count > 0 && x0 <= o.x1 && o.x0 <= x1 && y0 <= o.y1 && o.y0 <= y1;
  }
  bool holds(const Area &o) const { return count > 0 && o.inside(x0, y0, x1, y1); }
  bool inside(int ax0, int ay0, int ax1, int ay1) const {
    return count > 0 && x0 >= ax0 && y0 >= ay0 && x1 <= ax1 && y1 <= ay1;
  }
};

inline std::ostream &operator<<(std::ostream &o, const Area &a) {
  return o << a.count << " pixels in (" << a.x0 << "," << a.y0 << ")-(" << a.x1 << "," << a.y1 << ")";
}

// Only the part of the frames inside (ax0, ay0)-(ax1, ay1) is compared.
inline Area changed(const std::vector<unsigned char> &a, const std::vector<unsigned char> &b, int ax0 = 0, int ay0 = 0,
                    int ax1 = kW - 1, int ay1 = kH - 1) {
  Area r;
  for (int y = std::max(ay0, 0); y <= std::min(ay1, kH - 1); ++y)
    for (int x = std::max(ax0, 0); x <= std::min(ax1, kW - 1); ++x) {
      size_t i = ((size_t)y * kW + x) * 4;
      bool differs = false;
      for (int c = 0; c < 3; ++c) differs = differs || std::abs((int)a[i + c] - (int)b[i + c]) > 3;
      if (!differs) continue;
      ++r.count;
      r.x0 = std::min(r.x0, x);
      r.y0 = std::min(r.y0, y);
      r.x1 = std::max(r.x1, x);
      r.y1 = std::max(r.y1, y);
    }
  return r;
}

} // namespace framediff
