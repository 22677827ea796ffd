#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/KDrawQuad.h"
#include "engine/KFrameDamage.h"

class KGLStateCache;
class KKeptPicture;
class KQuadBatcher;

// The quads [first, last) one object drew in a scene; key 0 for drawing of no object.
struct KQuadSpan {
  uintptr_t key;
  size_t first, last;
};

// Where the view lies: x, y from the bottom, w, h in screen pixels, and the picture's size.
struct KViewPlace {
  const int *view;
  int width, height;
};

// The damage bookkeeping of a frame drawn from the kept picture: its items (the pieces drawn
// every frame, then each quad drawn after the scene) compared with those of the last frame shown
// (KFrameDamage), and the frame drawn only in the rectangles where they differ.
class KFrameParts {
public:
  // The flush that presents a frame comes. Parts are possible when the screen shows rectangles
  // of the back buffer (`partsAllowed`) and the back buffer still holds the last frame shown.
  void presentBegins(bool partsAllowed, bool backHoldsShown);
  // The frame was presented: unless its items were recorded, the next has nothing to compare with.
  void presentEnds();
  // True when the flush now under way presents a frame; any other leaves the screen's pixels
  // unknown to the next frame.
  bool takePresenting();
  // Records the frame's items over the picture (`base` stands for the picture); true when the
  // frame is to be drawn in parts (draw).
  bool record(const std::vector<KDrawQuad> &quads, size_t sceneEnd, const std::vector<KScenePiece> &pieces,
              const std::vector<KQuadSpan> &spans, const std::vector<char> &kept, const KViewPlace &place, uint64_t base);
  // Within each rectangle that changed: the kept picture, then every item that reaches into it.
  void draw(const std::vector<KDrawQuad> &quads, const KKeptPicture &picture, KGLStateCache &state, KQuadBatcher &batcher,
            bool direct, const KViewPlace &place);
  // The screen's pixels are no longer known.
  void forget() { damage.forget(); }
  // Where the frame just presented was drawn, in screen pixels; null when it was drawn whole.
  const std::vector<KPixelBox> *shownParts() const { return drewParts ? &damage.rects() : nullptr; }

private:
  static KPixelBox onScreen(const KPixelBox &b, const KViewPlace &place);

  // What the last frame shown drew over the kept picture, to draw the next only where it differs.
  KFrameDamage damage;
  // This frame's items over the kept picture, with the quads [first, second) each one drew.
  std::vector<KDamageItem> items;
  std::vector<std::pair<size_t, size_t>> itemQuads;
  bool presenting = false, partsPossible = false, drewParts = false, recorded = false;
};
