#pragma once
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

// A screen rectangle in whole pixels: x0, y0 inside, x1, y1 just outside.
struct KPixelBox {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool empty() const { return x1 <= x0 || y1 <= y0; }
  bool meets(const KPixelBox &o) const { return !empty() && !o.empty() && x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
  long area() const { return empty() ? 0 : (long)(x1 - x0) * (y1 - y0); }
};

// What one object drew in a scene, in drawing order.
struct KScenePiece {
  // 0 for drawing that belongs to no object: it is drawn every frame.
  uintptr_t key = 0;
  // Equal looks put equal pixels on the screen.
  uint64_t look = 0;
  KPixelBox box;
};

// Which pieces of a scene are taken from one kept picture instead of being drawn again. A piece
// is kept once it has looked the same for a while and nothing drawn every frame comes before it
// where it lies, so drawing the kept pieces first changes no pixel. The picture is drawn again
// when a kept piece changes, goes, or meets a piece drawn every frame that comes before it; a
// piece that keeps doing so must stay the same for longer each time before it is kept again.
class KFrameCache {
public:
  struct Plan {
    // Draw the kept picture instead of the kept pieces.
    bool usePicture = false;
    // The kept pieces are drawn first this frame and the picture is taken from them.
    bool redraw = false;
    // Per piece of the scene: taken from the picture.
    std::vector<char> kept;
  };

  // Frames a piece must look the same before it is kept, doubled each time it was let go.
  static const long kSteadyFrames = 50;
  // Kept pieces are added to at most this often when nothing forces a redraw.
  static const long kGrowFrames = 100;

  // `sceneLook` stands for everything the picture depends on besides the pieces (the view,
  // what the screen held before the scene); a new one starts the picture afresh. With
  // `firstCovers` the first piece hides whatever the screen held, and nothing is kept without it.
  const Plan &plan(const std::vector<KScenePiece> &pieces, uint64_t sceneLook, bool firstCovers);
  // The picture is gone (a lost context, a scene that could not be kept).
  void forget();
  // Pieces kept now, in drawing order.
  size_t keptCount() const { return kept.size(); }

private:
  struct Record {
    uint64_t look = 0;
    long sameSince = 0;
    long lastSeen = -1;
    int letGo = 0;
  };
  bool stillHolds(const std::vector<KScenePiece> &pieces, uint64_t sceneLook, bool firstCovers);
  void choose(const std::vector<KScenePiece> &pieces, bool firstCovers);
  bool steady(const Record &r) const;

  std::unordered_map<uintptr_t, Record> records;
  std::unordered_map<uintptr_t, int> seenTwice;
  std::vector<std::pair<uintptr_t, uint64_t>> kept;
  std::vector<KPixelBox> live;
  uint64_t keptScene = 0;
  long frame = 0;
  long lastRedraw = -1000000;
  Plan result;
};
