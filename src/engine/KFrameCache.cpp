#include "engine/KFrameCache.h"

namespace {
bool meetsAny(const std::vector<KPixelBox> &boxes, const KPixelBox &b) {
  for (const KPixelBox &o : boxes)
    if (o.meets(b)) return true;
  return false;
}
} // namespace

void KFrameCache::forget() {
  kept.clear();
  keptScene = 0;
}

bool KFrameCache::steady(const Record &r) const {
  int doublings = r.letGo < 6 ? r.letGo : 6;
  return frame - r.sameSince >= (kSteadyFrames << doublings);
}

bool KFrameCache::stillHolds(const std::vector<KScenePiece> &pieces, uint64_t sceneLook, bool firstCovers) {
  if (kept.empty() || sceneLook != keptScene) return false;
  if (firstCovers && (pieces.empty() || pieces[0].key != kept[0].first)) return false;
  std::unordered_map<uintptr_t, size_t> index;
  for (size_t k = 0; k < kept.size(); ++k) index[kept[k].first] = k;
  bool holds = true;
  size_t next = 0;
  live.clear();
  for (const KScenePiece &p : pieces) {
    auto at = p.key ? index.find(p.key) : index.end();
    if (at == index.end()) {
      live.push_back(p.box);
      continue;
    }
    // A kept piece missing before this one, or met out of order, leaves wrong pixels behind.
    if (at->second != next) holds = false;
    next = at->second + 1;
    Record &r = records[p.key];
    if (p.look != kept[at->second].second || seenTwice[p.key] > 1 || meetsAny(live, p.box)) {
      holds = false;
      ++r.letGo;
      r.sameSince = frame;
    }
  }
  return holds && next == kept.size();
}

void KFrameCache::choose(const std::vector<KScenePiece> &pieces, bool firstCovers) {
  kept.clear();
  live.clear();
  for (size_t i = 0; i < pieces.size(); ++i) {
    const KScenePiece &p = pieces[i];
    bool keep = p.key && seenTwice[p.key] == 1 && steady(records[p.key]) && !meetsAny(live, p.box);
    if (keep) {
      kept.push_back({p.key, p.look});
      result.kept[i] = 1;
    } else {
      if (firstCovers && i == 0) return;
      live.push_back(p.box);
    }
  }
}

const KFrameCache::Plan &KFrameCache::plan(const std::vector<KScenePiece> &pieces, uint64_t sceneLook,
                                           bool firstCovers) {
  ++frame;
  seenTwice.clear();
  for (const KScenePiece &p : pieces)
    if (p.key) ++seenTwice[p.key];
  for (const KScenePiece &p : pieces) {
    if (!p.key) continue;
    Record &r = records[p.key];
    if (r.lastSeen < 0 || r.look != p.look) {
      r.look = p.look;
      r.sameSince = frame;
    }
    r.lastSeen = frame;
  }
  if (frame % 1000 == 0)
    for (auto it = records.begin(); it != records.end();)
      it = frame - it->second.lastSeen > 1000 ? records.erase(it) : std::next(it);

  result.kept.assign(pieces.size(), 0);
  result.usePicture = false;
  result.redraw = false;
  const bool holds = stillHolds(pieces, sceneLook, firstCovers);
  if (holds && frame - lastRedraw < kGrowFrames) {
    for (size_t i = 0, k = 0; i < pieces.size() && k < kept.size(); ++i)
      if (pieces[i].key == kept[k].first) {
        result.kept[i] = 1;
        ++k;
      }
    result.usePicture = true;
    return result;
  }
  std::vector<std::pair<uintptr_t, uint64_t>> before = kept;
  keptScene = sceneLook;
  choose(pieces, firstCovers);
  if (kept.empty()) return result;
  result.usePicture = true;
  // Growing is worth a redraw only when something joined; otherwise wait another while.
  result.redraw = !(holds && kept == before);
  lastRedraw = frame;
  return result;
}
