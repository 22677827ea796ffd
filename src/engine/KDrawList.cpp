#include "engine/KDrawList.h"

#define GL_GLEXT_PROTOTYPES 1
#include <SDL_opengl.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "engine/KFrameCache.h"

bool KDrawList::coversView(const KDrawQuad &q) const {
  if (q.blend || q.line || q.translate || q.rotate || q.scale) return false;
  // Unturned quads without blending are upright rectangles: their box is what they cover.
  KPixelBox b = q.box();
  return b.x0 <= 0 && b.y0 <= 0 && b.x1 >= width && b.y1 >= height;
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
  std::vector<KQuadSpan> drawn;
  for (const KQuadSpan &sp : spans) {
    if (sp.first == sp.last) continue;
    KScenePiece p;
    p.key = sp.key;
    uint64_t h = 0x51A7E;
    KPixelBox b;
    b.x0 = b.y0 = 1 << 30;
    b.x1 = b.y1 = -(1 << 30);
    for (size_t i = sp.first; i < sp.last; ++i) {
      h = quads[i].look(h);
      KPixelBox qb = quads[i].box();
      b.x0 = std::min(b.x0, qb.x0);
      b.y0 = std::min(b.y0, qb.y0);
      b.x1 = std::max(b.x1, qb.x1);
      b.y1 = std::max(b.y1, qb.y1);
    }
    p.look = h;
    frameLook = KDrawQuad::mix(frameLook, h);
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
  sceneLook = KDrawQuad::mix(KDrawQuad::mix(0x5CE7E, (uint64_t)view[2] << 32 | (uint64_t)view[3]), sceneCovers ? 1 : 2);
  sceneLook = KDrawQuad::mix(sceneLook, (uint64_t)width << 32 | (uint64_t)height);
  if (!sceneCovers)
    for (float f : clearColour) sceneLook = KDrawQuad::mixFloat(sceneLook, f);
  sceneFresh = fresh;
  sceneEnd = quads.size();
  hashedUpTo = sceneEnd;
}

// True when the drawing after the scene was drawn with it.
bool KDrawList::drawScene(bool recording) {
  // The scene as it was asked for, with nothing to compare the next frame with.
  auto drawWhole = [this]() {
    parts.forget();
    batcher.replay(quads, 0, sceneEnd, direct, state);
    return false;
  };
  if (!keeping || direct || !plain || (!sceneCovers && !sceneFresh)) return drawWhole();
  const KFrameCache::Plan &plan = cache.plan(pieces, sceneLook, !sceneFresh);
  if (!plan.usePicture) return drawWhole();
  if (!picture.make(state, view[2], view[3])) {
    // No room for the picture: every frame is drawn whole, as it looks the same either way.
    keeping = false;
    cache.forget();
    return drawWhole();
  }
  if (plan.redraw) {
    replaySpans(plan.kept, true);
    picture.take(state, view);
  }
  const KViewPlace place = {view, width, height};
  if (recording &&
      parts.record(quads, sceneEnd, pieces, spans, plan.kept, place, KDrawQuad::mix(sceneLook, (uint64_t)picture.redraws()))) {
    parts.draw(quads, picture, state, batcher, direct, place);
    return true;
  }
  if (!plan.redraw) picture.show(state, batcher, width, height);
  replaySpans(plan.kept, false);
  return false;
}

void KDrawList::hashPending() {
  for (size_t i = hashedUpTo; i < quads.size(); ++i) frameLook = quads[i].look(frameLook);
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
  finishedLook = KDrawQuad::mix(frameLook, extra);
  return shownKnown && !backTouched && finishedLook == shownLook;
}

void KDrawList::dropFrame() {
  clearPending();
  frameLook = kFrameSeed;
  backTouched = false;
}

void KDrawList::framePresented(bool partsAllowed) {
  parts.presentBegins(partsAllowed, shownKnown && !backTouched);
  flush();
  // What the next frame compares with is this frame's items over the kept picture, or nothing.
  parts.presentEnds();
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
  const bool recording = parts.takePresenting();
  if (!recording || !sceneEnd) parts.forget();
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
  frameLook = KDrawQuad::mix(frameLook, 0xC1EA2);
  for (float f : clearColour) frameLook = KDrawQuad::mixFloat(frameLook, f);
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
  for (float f : viewMove) frameLook = KDrawQuad::mixFloat(frameLook, f);
  frameLook = KDrawQuad::mix(KDrawQuad::mix(frameLook, (uint64_t)view[0] << 32 | (uint64_t)view[1]), (uint64_t)view[2] << 32 | (uint64_t)view[3]);
  frameLook = KDrawQuad::mix(frameLook, (uint64_t)width << 32 | (uint64_t)height);
  // Made with the view rather than in the middle of play, when the first pieces are kept.
  if (keeping && !direct && view[2] > 0 && view[3] > 0 && !picture.make(state, view[2], view[3])) {
    keeping = false;
    cache.forget();
  }
}

void KDrawList::forgetShown() {
  shownKnown = false;
  parts.forget();
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
  picture.forget();
  cache.forget();
  parts.forget();
  state.forget();
}

void KDrawList::setDirect(bool on) {
  flush();
  direct = on;
}

