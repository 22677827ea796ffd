#include "engine/KDrawList.h"

#define GL_GLEXT_PROTOTYPES 1
#include <SDL_opengl.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "engine/KFrameCache.h"

namespace {

uint64_t mix(uint64_t h, uint64_t v) {
  h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
  return h * 0xFF51AFD7ED558CCDull;
}

uint64_t mixFloat(uint64_t h, float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return mix(h, bits);
}

uint64_t lookOf(const KDrawQuad &q, uint64_t h) {
  h = mix(h, q.texture ? q.content : 0);
  h = mix(h, (uint64_t)q.target << 32 | q.source << 16 | q.destination);
  h = mix(h, (uint64_t)q.blend | (uint64_t)q.linear << 1 | (uint64_t)q.repeat << 2 | (uint64_t)q.line << 3 |
                 (uint64_t)q.translate << 4 | (uint64_t)q.rotate << 5 | (uint64_t)q.scale << 6);
  for (float f : {q.tx, q.ty, q.angle, q.zoom}) h = mixFloat(h, f);
  for (float f : q.colour) h = mixFloat(h, f);
  for (float f : q.v) h = mixFloat(h, f);
  for (float f : q.t) h = mixFloat(h, f);
  return h;
}

// The pixels a quad may touch, in GL window pixels; turned or zoomed corners are worked out
// here only to bound them, so the box is widened a pixel for rounding.
KPixelBox boxOf(const KDrawQuad &q) {
  int corners = q.line ? 2 : 4;
  float minX = 1e9f, minY = 1e9f, maxX = -1e9f, maxY = -1e9f;
  float c = 1, sn = 0;
  if (q.rotate) {
    c = std::cos(q.angle * 3.14159265f / 180.0f);
    sn = std::sin(q.angle * 3.14159265f / 180.0f);
  }
  for (int i = 0; i < corners; ++i) {
    float x = q.v[i * 2], y = q.v[i * 2 + 1];
    if (q.scale) {
      x *= q.zoom;
      y *= q.zoom;
    }
    if (q.rotate) {
      float rx = x * c - y * sn, ry = x * sn + y * c;
      x = rx;
      y = ry;
    }
    if (q.translate) {
      x += q.tx;
      y += q.ty;
    }
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  }
  int widen = (q.line || q.rotate || q.scale || q.translate) ? 1 : 0;
  KPixelBox b;
  b.x0 = (int)std::floor(minX) - widen;
  b.y0 = (int)std::floor(minY) - widen;
  b.x1 = (int)std::ceil(maxX) + widen;
  b.y1 = (int)std::ceil(maxY) + widen;
  if (q.line) {
    b.x1 += 1;
    b.y1 += 1;
  }
  return b;
}
} // namespace









bool KDrawList::coversView(const KDrawQuad &q) const {
  if (q.blend || q.line || q.translate || q.rotate || q.scale) return false;
  // Unturned quads without blending are upright rectangles: their box is what they cover.
  KPixelBox b = boxOf(q);
  return b.x0 <= 0 && b.y0 <= 0 && b.x1 >= width && b.y1 >= height;
}

bool KDrawList::makePicture() {
  if (picture && pictureW == view[2] && pictureH == view[3]) return true;
  while (glGetError() != GL_NO_ERROR) {
  }
  if (!picture) glGenTextures(1, &picture);
  state.textureTarget(GL_TEXTURE_2D);
  state.bind(GL_TEXTURE_2D, picture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, view[2], view[3], 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  state.paramsUnknown(picture);
  state.setTextureParams(picture, GL_TEXTURE_2D, false, false);
  const bool made = glGetError() == GL_NO_ERROR;
  pictureW = made ? view[2] : 0;
  pictureH = made ? view[3] : 0;
  return made;
}

void KDrawList::takePicture() {
  state.bind(GL_TEXTURE_2D, picture);
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, view[0], view[1], view[2], view[3]);
  ++redrawCount;
}

void KDrawList::showPicture() {
  KDrawQuad q;
  q.texture = picture;
  q.target = GL_TEXTURE_2D;
  // The picture holds the view's screen pixels: spread over the whole view, each texel lands on
  // the pixel it was taken from.
  const float w = (float)width, h = (float)height;
  const float v[8] = {0, 0, w, 0, w, h, 0, h};
  const float t[8] = {0, 0, 1, 0, 1, 1, 0, 1};
  std::memcpy(q.v, v, sizeof v);
  std::memcpy(q.t, t, sizeof t);
  state.apply(q);
  batcher.drawUnmoved(q);
}

void KDrawList::replaySpans(const std::vector<char> &kept, bool wanted) {
  for (size_t i = 0; i < spans.size(); ++i)
    if ((kept[i] != 0) == wanted) batcher.replay(quads, spans[i].first, spans[i].last, direct, state);
}

// The scene's pieces and what its picture depends on, worked out as the scene ends; it is drawn
// when the frame goes to the screen, or not at all when the frame is the one shown.
void KDrawList::prepareScene() {
  pieces.clear();
  // Empty pieces drew nothing; they have no place in the picture.
  std::vector<Span> drawn;
  for (const Span &sp : spans) {
    if (sp.first == sp.last) continue;
    KScenePiece p;
    p.key = sp.key;
    uint64_t h = 0x51A7E;
    KPixelBox b;
    b.x0 = b.y0 = 1 << 30;
    b.x1 = b.y1 = -(1 << 30);
    for (size_t i = sp.first; i < sp.last; ++i) {
      h = lookOf(quads[i], h);
      KPixelBox qb = boxOf(quads[i]);
      b.x0 = std::min(b.x0, qb.x0);
      b.y0 = std::min(b.y0, qb.y0);
      b.x1 = std::max(b.x1, qb.x1);
      b.y1 = std::max(b.y1, qb.y1);
    }
    p.look = h;
    frameLook = mix(frameLook, h);
    // Scaled, a picture pixel's edge may fall inside a screen pixel: a piece claims one more.
    if (view[2] != width || view[3] != height) {
      b.x0 -= 1;
      b.y0 -= 1;
      b.x1 += 1;
      b.y1 += 1;
    }
    p.box = b;
    pieces.push_back(p);
    drawn.push_back(sp);
  }
  spans.swap(drawn);
  sceneCovers = !spans.empty() && coversView(quads[spans[0].first]);
  sceneLook = mix(mix(0x5CE7E, (uint64_t)view[2] << 32 | (uint64_t)view[3]), sceneCovers ? 1 : 2);
  sceneLook = mix(sceneLook, (uint64_t)width << 32 | (uint64_t)height);
  if (!sceneCovers)
    for (float f : clearColour) sceneLook = mixFloat(sceneLook, f);
  sceneFresh = fresh;
  sceneEnd = quads.size();
  hashedUpTo = sceneEnd;
}

// True when the drawing after the scene was drawn with it.
bool KDrawList::drawScene(bool recording) {
  if (!keeping || direct || !plain || (!sceneCovers && !sceneFresh)) {
    damage.forget();
    batcher.replay(quads, 0, sceneEnd, direct, state);
    return false;
  }
  const KFrameCache::Plan &plan = cache.plan(pieces, sceneLook, !sceneFresh);
  if (!plan.usePicture) {
    damage.forget();
    batcher.replay(quads, 0, sceneEnd, direct, state);
    return false;
  }
  if (!makePicture()) {
    // No room for the picture: every frame is drawn whole, as it looks the same either way.
    keeping = false;
    cache.forget();
    damage.forget();
    batcher.replay(quads, 0, sceneEnd, direct, state);
    return false;
  }
  if (plan.redraw) {
    replaySpans(plan.kept, true);
    takePicture();
  }
  if (recording) {
    gatherItems(plan.kept);
    const KPixelBox whole = {view[0], view[1], view[0] + view[2], view[1] + view[3]};
    const bool parts = damage.compare(items, mix(sceneLook, (uint64_t)redrawCount), whole);
    recorded = true;
    if (parts && partsPossible) {
      drawParts();
      drewParts = true;
      return true;
    }
  }
  if (!plan.redraw) showPicture();
  replaySpans(plan.kept, false);
  return false;
}

// A box in picture pixels as screen pixels; scaled, a pixel more on each side for rounding.
KPixelBox KDrawList::onScreen(const KPixelBox &b) const {
  if (view[2] == width && view[3] == height) return {b.x0 + view[0], b.y0 + view[1], b.x1 + view[0], b.y1 + view[1]};
  const double sx = (double)view[2] / width, sy = (double)view[3] / height;
  return {view[0] + (int)std::floor(b.x0 * sx) - 1, view[1] + (int)std::floor(b.y0 * sy) - 1,
          view[0] + (int)std::ceil(b.x1 * sx) + 1, view[1] + (int)std::ceil(b.y1 * sy) + 1};
}

// The frame's items over the kept picture: the scene's pieces drawn every frame, then each quad
// drawn after the scene (the pointer, what the screen puts over the level).
void KDrawList::gatherItems(const std::vector<char> &kept) {
  items.clear();
  itemQuads.clear();
  uint64_t unkeyed = 1ull << 63, after = 3ull << 62;
  for (size_t i = 0; i < pieces.size(); ++i) {
    const uint64_t id = pieces[i].key ? pieces[i].key : unkeyed++;
    if (kept[i]) continue;
    items.push_back({id, pieces[i].look, onScreen(pieces[i].box)});
    itemQuads.push_back({spans[i].first, spans[i].last});
  }
  for (size_t j = sceneEnd; j < quads.size(); ++j) {
    items.push_back({after++, lookOf(quads[j], 0xAF7E2), onScreen(boxOf(quads[j]))});
    itemQuads.push_back({j, j + 1});
  }
}

// Within each rectangle that changed: the kept picture, then every item that reaches into it.
void KDrawList::drawParts() {
  const GLboolean scissorOn = glIsEnabled(GL_SCISSOR_TEST);
  GLint saved[4];
  glGetIntegerv(GL_SCISSOR_BOX, saved);
  glEnable(GL_SCISSOR_TEST);
  for (const KPixelBox &r : damage.rects()) {
    glScissor(r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0);
    showPicture();
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
}

void KDrawList::hashPending() {
  for (size_t i = hashedUpTo; i < quads.size(); ++i) frameLook = lookOf(quads[i], frameLook);
  hashedUpTo = quads.size();
}

void KDrawList::clearPending() {
  quads.clear();
  spans.clear();
  sceneEnd = 0;
  hashedUpTo = 0;
}

bool KDrawList::frameUnchanged(uint64_t extra) {
  hashPending();
  finishedLook = mix(frameLook, extra);
  return shownKnown && !backTouched && finishedLook == shownLook;
}

void KDrawList::dropFrame() {
  clearPending();
  frameLook = kFrameSeed;
  backTouched = false;
}

void KDrawList::framePresented(bool partsAllowed) {
  presenting = partsAllowed;
  partsPossible = partsAllowed && shownKnown && !backTouched;
  drewParts = recorded = false;
  flush();
  presenting = false;
  // What the next frame compares with is this frame's items over the kept picture, or nothing.
  if (!recorded) damage.forget();
  shownLook = finishedLook;
  shownKnown = true;
  frameLook = kFrameSeed;
  backTouched = false;
}

KDrawQuad &KDrawList::add() {
  if (!inScene) {
    fresh = false;
    // Drawing that nothing shows for a long while is sent on rather than kept without end.
    if (quads.size() >= 65536) flush();
  } else if (pieceDepth == 0 && (spans.empty() || spans.back().key != 0 || spans.back().last != quads.size())) {
    spans.push_back({0, quads.size(), quads.size()});
  }
  quads.emplace_back();
  if (inScene && !spans.empty()) spans.back().last = quads.size();
  return quads.back();
}

void KDrawList::flush() {
  if (quads.empty()) return;
  if (inScene) {
    // Something needs GL before the scene is complete: it is drawn as it stands, without a picture.
    sceneBroken = true;
    spans.clear();
    pieceDepth = 0;
  }
  hashPending();
  backTouched = true;
  // Only the flush that presents a frame may draw it in parts; any other leaves the screen's
  // pixels unknown to the next frame.
  const bool recording = presenting;
  presenting = false;
  if (!recording || !sceneEnd) damage.forget();
  KQuadBatcher::beginArrays();
  const bool tailDrawn = sceneEnd && drawScene(recording);
  if (!tailDrawn) batcher.replay(quads, sceneEnd, quads.size(), direct, state);
  KQuadBatcher::endArrays();
  clearPending();
}



void KDrawList::textureChanging(unsigned) { flush(); }

void KDrawList::textureGone(unsigned texture) {
  flush();
  state.textureGone(texture);
}


void KDrawList::cleared(const float colour[4]) {
  fresh = quads.empty();
  backTouched = true;
  std::memcpy(clearColour, colour, sizeof clearColour);
  frameLook = mix(frameLook, 0xC1EA2);
  for (float f : clearColour) frameLook = mixFloat(frameLook, f);
}

void KDrawList::viewChanged(const float move[4], const int screenView[4], int pictureW, int pictureH) {
  // The same view again changes nothing the waiting quads depend on.
  if (std::memcmp(viewMove, move, sizeof viewMove) == 0 && std::memcmp(view, screenView, sizeof view) == 0 &&
      width == pictureW && height == pictureH)
    return;
  flush();
  std::memcpy(viewMove, move, sizeof viewMove);
  plain = move[0] == 0 && move[1] == 0 && move[2] == 0 && move[3] == 1;
  std::memcpy(view, screenView, sizeof view);
  width = pictureW;
  height = pictureH;
  for (float f : viewMove) frameLook = mixFloat(frameLook, f);
  frameLook = mix(mix(frameLook, (uint64_t)view[0] << 32 | (uint64_t)view[1]), (uint64_t)view[2] << 32 | (uint64_t)view[3]);
  frameLook = mix(frameLook, (uint64_t)width << 32 | (uint64_t)height);
  // Made with the view rather than in the middle of play, when the first pieces are kept.
  if (keeping && !direct && view[2] > 0 && view[3] > 0 && !makePicture()) {
    keeping = false;
    cache.forget();
  }
}

void KDrawList::forgetShown() {
  shownKnown = false;
  damage.forget();
}

void KDrawList::beginScene() {
  if (inScene) return;
  // Whatever was asked for before the scene is on the screen first.
  flush();
  inScene = true;
  sceneBroken = false;
  pieceDepth = 0;
  spans.clear();
}

void KDrawList::endScene() {
  if (!inScene) return;
  inScene = false;
  pieceDepth = 0;
  if (sceneBroken)
    flush();
  else if (!quads.empty())
    prepareScene();
  fresh = false;
}

void KDrawList::beginPiece(const void *key) {
  if (!inScene) return;
  if (pieceDepth++ > 0) return;
  pieceKey = (uintptr_t)key;
  spans.push_back({pieceKey, quads.size(), quads.size()});
}

void KDrawList::endPiece() {
  if (!inScene || pieceDepth == 0) return;
  --pieceDepth;
}

// A software renderer (llvmpipe) compiles a program for each mix of texture shape (each side a
// power of two or not), filter and blend the first time a draw uses it, 5 to 15 ms each: the
// first frame of a new screen (the map after the title, the day after the map) paid for all of
// its new ones at once, and for the copy that takes its kept picture. Made ready one a frame from the start, they are ready before the
// player can leave the title. Pictures are RGBA, clamped, and blended as pictures or light.
bool KDrawList::warmUp() {
  static const int kShapes = 5, kFilters = 2, kBlends = 3;
  if (warmed >= kShapes * kFilters * kBlends) return false;
  const int step = warmed++;
  const int shape = step % kShapes, linear = step / kShapes % kFilters, blend = step / (kShapes * kFilters);
  // The untextured shape has no filter.
  if (shape == 4 && linear) return true;
  if (!warmTextures[0]) {
    const unsigned char texels[4 * 9] = {};
    const int sides[4][2] = {{2, 2}, {3, 3}, {2, 3}, {3, 2}};
    glGenTextures(4, warmTextures);
    for (int i = 0; i < 4; ++i) {
      glBindTexture(GL_TEXTURE_2D, warmTextures[i]);
      glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, sides[i][0], sides[i][1], 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    }
    state.boundUnknown();
  }
  if (step == 0) {
    // Taking the kept picture copies the back buffer into a texture through programs of its own.
    glBindTexture(GL_TEXTURE_2D, warmTextures[0]);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, 1, 1);
  }
  KDrawQuad q;
  if (shape < 4) {
    q.texture = warmTextures[shape];
    q.target = GL_TEXTURE_2D;
    q.linear = linear != 0;
  }
  q.blend = blend > 0;
  q.source = GL_SRC_ALPHA;
  q.destination = blend == 2 ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA;
  KQuadBatcher::beginArrays();
  state.apply(q);
  batcher.drawBatchOfOne(q);
  KQuadBatcher::endArrays();
  return true;
}

void KDrawList::forgetPicture() {
  warmed = 0;
  std::fill(std::begin(warmTextures), std::end(warmTextures), 0u);
  clearPending();
  shownKnown = false;
  inScene = false;
  picture = 0;
  pictureW = pictureH = 0;
  cache.forget();
  damage.forget();
  state.forget();
}

void KDrawList::setDirect(bool on) {
  flush();
  direct = on;
}

