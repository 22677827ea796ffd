#include "engine/KFrameParts.h"

#define GL_GLEXT_PROTOTYPES 1
#include <SDL_opengl.h>

#include <cmath>

#include "engine/KKeptPicture.h"
#include "engine/KQuadBatcher.h"

void KFrameParts::presentBegins(bool partsAllowed, bool backHoldsShown) {
  presenting = partsAllowed;
  partsPossible = partsAllowed && backHoldsShown;
  drewParts = recorded = false;
}

void KFrameParts::presentEnds() {
  presenting = false;
  if (!recorded) damage.forget();
}

bool KFrameParts::takePresenting() {
  const bool was = presenting;
  presenting = false;
  return was;
}

// A box in picture pixels as screen pixels; scaled, a pixel more on each side for rounding.
KPixelBox KFrameParts::onScreen(const KPixelBox &b, const KViewPlace &place) {
  const int *view = place.view;
  if (view[2] == place.width && view[3] == place.height)
    return {b.x0 + view[0], b.y0 + view[1], b.x1 + view[0], b.y1 + view[1]};
  const double sx = (double)view[2] / place.width, sy = (double)view[3] / place.height;
  return {view[0] + (int)std::floor(b.x0 * sx) - 1, view[1] + (int)std::floor(b.y0 * sy) - 1,
          view[0] + (int)std::ceil(b.x1 * sx) + 1, view[1] + (int)std::ceil(b.y1 * sy) + 1};
}

bool KFrameParts::record(const std::vector<KDrawQuad> &quads, size_t sceneEnd, const std::vector<KScenePiece> &pieces,
                         const std::vector<KQuadSpan> &spans, const std::vector<char> &kept, const KViewPlace &place,
                         uint64_t base) {
  items.clear();
  itemQuads.clear();
  uint64_t unkeyed = 1ull << 63, after = 3ull << 62;
  for (size_t i = 0; i < pieces.size(); ++i) {
    const uint64_t id = pieces[i].key ? pieces[i].key : unkeyed++;
    if (kept[i]) continue;
    items.push_back({id, pieces[i].look, onScreen(pieces[i].box, place)});
    itemQuads.push_back({spans[i].first, spans[i].last});
  }
  for (size_t j = sceneEnd; j < quads.size(); ++j) {
    items.push_back({after++, quads[j].look(0xAF7E2), onScreen(quads[j].box(), place)});
    itemQuads.push_back({j, j + 1});
  }
  const int *view = place.view;
  const KPixelBox whole = {view[0], view[1], view[0] + view[2], view[1] + view[3]};
  const bool parts = damage.compare(items, base, whole);
  recorded = true;
  return parts && partsPossible;
}

void KFrameParts::draw(const std::vector<KDrawQuad> &quads, const KKeptPicture &picture, KGLStateCache &state,
                       KQuadBatcher &batcher, bool direct, const KViewPlace &place) {
  const GLboolean scissorOn = glIsEnabled(GL_SCISSOR_TEST);
  GLint saved[4];
  glGetIntegerv(GL_SCISSOR_BOX, saved);
  glEnable(GL_SCISSOR_TEST);
  for (const KPixelBox &r : damage.rects()) {
    glScissor(r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0);
    picture.show(state, batcher, place.width, place.height);
    size_t from = 0, to = 0;
    for (size_t k = 0; k < items.size(); ++k) {
      if (!items[k].box.meets(r)) continue;
      if (from == to || itemQuads[k].first != to) {
        batcher.replay(quads, from, to, direct, state);
        from = itemQuads[k].first;
      }
      to = itemQuads[k].second;
    }
    batcher.replay(quads, from, to, direct, state);
  }
  glScissor(saved[0], saved[1], saved[2], saved[3]);
  if (!scissorOn) glDisable(GL_SCISSOR_TEST);
  drewParts = true;
}
