#include "engine/KFrameDamage.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace {
bool sameBox(const KPixelBox &a, const KPixelBox &b) { return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1; }
} // namespace

void KFrameDamage::mark(const KPixelBox &b) {
  const int x0 = std::max(b.x0, lastView.x0) - lastView.x0, x1 = std::min(b.x1, lastView.x1) - lastView.x0;
  const int y0 = std::max(b.y0, lastView.y0) - lastView.y0, y1 = std::min(b.y1, lastView.y1) - lastView.y0;
  if (x1 <= x0 || y1 <= y0) return;
  for (int r = y0 / kTile; r <= (y1 - 1) / kTile; ++r)
    std::fill(tiles.begin() + r * cols + x0 / kTile, tiles.begin() + r * cols + (x1 - 1) / kTile + 1, 1);
}

// Runs of tiles along each row, a run joined to the rectangle above it when both span the same
// columns.
void KFrameDamage::gather() {
  out.clear();
  std::vector<size_t> open, next;
  for (int r = 0; r < rows; ++r) {
    next.clear();
    for (int c = 0; c < cols;) {
      if (!tiles[r * cols + c]) {
        ++c;
        continue;
      }
      int end = c;
      while (end < cols && tiles[r * cols + end]) ++end;
      const int x0 = lastView.x0 + c * kTile, x1 = std::min(lastView.x1, lastView.x0 + end * kTile);
      const int y0 = lastView.y0 + r * kTile, y1 = std::min(lastView.y1, y0 + kTile);
      size_t at = out.size();
      for (size_t o : open)
        if (out[o].x0 == x0 && out[o].x1 == x1) at = o;
      if (at == out.size()) out.push_back({x0, y0, x1, y1});
      out[at].y1 = y1;
      next.push_back(at);
      c = end;
    }
    open.swap(next);
  }
}

// Between the common start and end: an item that came, went or changed is damage where it lies
// now and where it lay; so are two unchanged items that overlap and swapped their order. Where
// none of these lie, the same items cover each pixel in the same order.
void KFrameDamage::compareBetween(const std::vector<KDamageItem> &items, size_t from, size_t to, size_t lastFrom,
                                  size_t lastTo) {
  // Where each id stood before; an id met twice is no guide to the order.
  std::unordered_map<uint64_t, size_t> before;
  for (size_t j = lastFrom; j < lastTo; ++j)
    if (!before.emplace(last[j].id, j).second) before[last[j].id] = SIZE_MAX;
  std::vector<char> lastMatched(lastTo - lastFrom, 0);
  kept.clear();
  for (size_t i = from; i < to; ++i) {
    auto at = before.find(items[i].id);
    if (at != before.end() && at->second != SIZE_MAX) {
      const KDamageItem &old = last[at->second];
      lastMatched[at->second - lastFrom] = 1;
      if (old.look == items[i].look && sameBox(old.box, items[i].box)) {
        kept.push_back({i, at->second});
        continue;
      }
      mark(old.box);
    }
    mark(items[i].box);
  }
  for (size_t j = lastFrom; j < lastTo; ++j)
    if (!lastMatched[j - lastFrom]) mark(last[j].box);
  // Kept in the new order: a pair met before in the other order swapped.
  for (size_t a = 0; a < kept.size(); ++a)
    for (size_t b = a + 1; b < kept.size(); ++b)
      if (kept[b].second < kept[a].second && items[kept[a].first].box.meets(items[kept[b].first].box)) {
        mark(items[kept[a].first].box);
        mark(items[kept[b].first].box);
      }
}

bool KFrameDamage::compare(const std::vector<KDamageItem> &items, uint64_t base, const KPixelBox &view) {
  bool parts = known && base == lastBase && sameBox(view, lastView) && !view.empty();
  if (parts) {
    cols = (view.x1 - view.x0 + kTile - 1) / kTile;
    rows = (view.y1 - view.y0 + kTile - 1) / kTile;
    tiles.assign((size_t)cols * rows, 0);
    const size_t n = items.size(), m = last.size();
    // Items met in the same order at the start and at the end are compared pair by pair; the
    // ones between are matched by id.
    size_t head = 0, tail = 0;
    while (head < n && head < m && items[head].id == last[head].id) ++head;
    while (tail < n - head && tail < m - head && items[n - 1 - tail].id == last[m - 1 - tail].id) ++tail;
    for (size_t i = 0; i < n; ++i) {
      if (i >= head && i < n - tail) continue;
      const KDamageItem &before = last[i < head ? i : m - (n - i)];
      if (before.look == items[i].look && sameBox(before.box, items[i].box)) continue;
      mark(items[i].box);
      mark(before.box);
    }
    compareBetween(items, head, n - tail, head, m - tail);
    const long marked = std::count(tiles.begin(), tiles.end(), 1);
    // Most of the view changed: one picture over all of it costs no more.
    parts = marked * 10 <= (long)tiles.size() * 6;
    if (parts) gather();
  }
  last = items;
  lastBase = base;
  lastView = view;
  known = true;
  return parts;
}
