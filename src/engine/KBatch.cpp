#include "engine/KBatch.h"

#include "engine/KGraphic.h"

KBatch::KBatch() : picture(nullptr) {}

KBatch::~KBatch() {}

bool KBatch::allocateBuffer(long) { return true; }

void KBatch::beginBatch(KGraphic *p) {
  if (p) picture = p;
}

void KBatch::endBatch() {}

void KBatch::blitAlphaRect(long x1, long y1, long x2, long y2, float x, float y) {
  // Blits before any attachment are dropped rather than followed into nowhere.
  if (!picture) return;
  picture->blitAlphaRect((float)x1, (float)y1, (float)x2, (float)y2, (short)(int)x, (short)(int)y, false, false);
}

void KBatch::blitAlphaRectFx(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom,
                             float alpha) {
  if (!picture) return;
  picture->blitAlphaRectFx(x1, y1, x2, y2, x, y, angle, zoom, alpha, false, false, 0, 0);
}

void KBatch::drawRect(float, float, float, float, float, float, float, float) {}
