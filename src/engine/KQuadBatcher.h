#pragma once
#include <cstddef>
#include <vector>

#include "engine/KDrawQuad.h"

class KGLStateCache;

// Sends quads to GL: runs of plain quads of one state in one call from client arrays, a turned,
// zoomed or line quad on its own, or (direct) each quad as glBegin/glEnd.
class KQuadBatcher {
public:
  // The client arrays are on between these.
  static void beginArrays();
  static void endArrays();
  void replay(const std::vector<KDrawQuad> &quads, size_t from, size_t to, bool direct, KGLStateCache &state);
  // A quad in screen pixels whatever the view's move; its state already set.
  void drawUnmoved(const KDrawQuad &q);
  // A quad the way a run is drawn; its state already set.
  void drawBatchOfOne(const KDrawQuad &q);

private:
  void pushCorners(const KDrawQuad &q, int corners);
  void pointArrays();
  void clearArrays();
  // The arrays hold just this quad's corners, and GL points at them.
  void loadOne(const KDrawQuad &q, int corners);
  void drawAlone(const KDrawQuad &q);

  // Scratch arrays reused from frame to frame.
  std::vector<float> pos, tex, col;
  std::vector<int> firsts;
  std::vector<int> counts;
};
