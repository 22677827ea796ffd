#pragma once

class KGLStateCache;
class KQuadBatcher;

// The picture the kept pieces of a scene are drawn into once (which pieces, KFrameCache
// decides): a texture holding the view's screen pixels, that each frame starts from.
class KKeptPicture {
public:
  // A picture w x h is ready; false when GL has no room for one.
  bool make(KGLStateCache &state, int w, int h);
  // Takes the view (x, y from the bottom, w, h in screen pixels) of the back buffer into it.
  void take(KGLStateCache &state, const int view[4]);
  // Draws it over the whole view, a picture width x height.
  void show(KGLStateCache &state, KQuadBatcher &batcher, int width, int height) const;
  // The texture went with its context.
  void forget();
  // Pictures taken so far (for tests and benchmarks).
  long redraws() const { return redrawCount; }

private:
  unsigned texture = 0;
  int w = 0, h = 0;
  long redrawCount = 0;
};
