#include "engine/KDrawList.h"

#define GL_GLEXT_PROTOTYPES 1
#include <SDL_opengl.h>

#include <cmath>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "engine/KFrameCache.h"

#ifndef GL_TEXTURE_RECTANGLE_EXT
#define GL_TEXTURE_RECTANGLE_EXT 0x84F5
#endif
#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

namespace {
const unsigned kUnknown = 0xFFFFFFFFu;

struct Span {
  uintptr_t key;
  size_t first, last;
};

struct TextureParams {
  int linear = -1;
  int repeat = -1;
};

struct State {
  std::vector<KDrawQuad> quads;
  std::vector<Span> spans;
  bool inScene = false;
  bool sceneBroken = false;
  int pieceDepth = 0;
  uintptr_t pieceKey = 0;
  bool keeping = true;
  bool direct = false;

  bool fresh = false;
  float clearColour[4] = {0, 0, 0, 0};
  bool plain = false;
  int view[4] = {0, 0, 0, 0};

  unsigned enabledTarget = kUnknown; // 0: texturing off
  unsigned bound = kUnknown;
  int blendOn = -1;
  unsigned source = kUnknown, destination = kUnknown;
  std::unordered_map<unsigned, TextureParams> params;

  KFrameCache cache;
  unsigned picture = 0;
  int pictureW = 0, pictureH = 0;
  long redraws = 0;
  uint64_t uploads = 0;

  std::vector<float> pos, tex, col;
  std::vector<GLint> firsts;
  std::vector<GLsizei> counts;
  std::vector<KScenePiece> pieces;
};

State &S() {
  static State s;
  return s;
}

bool hasRectangle() {
  static int known = -1;
  if (known < 0) {
    const char *ext = (const char *)glGetString(GL_EXTENSIONS);
    if (!ext) return false;
    known = std::strstr(ext, "_texture_rectangle") ? 1 : 0;
  }
  return known == 1;
}

void textureTarget(unsigned target) {
  State &s = S();
  if (s.enabledTarget == target) return;
  if (s.enabledTarget == kUnknown || s.enabledTarget == GL_TEXTURE_2D) glDisable(GL_TEXTURE_2D);
  if ((s.enabledTarget == kUnknown && hasRectangle()) || s.enabledTarget == GL_TEXTURE_RECTANGLE_EXT)
    glDisable(GL_TEXTURE_RECTANGLE_EXT);
  if (target) glEnable(target);
  s.enabledTarget = target;
}

void apply(const KDrawQuad &q) {
  State &s = S();
  if (q.texture) {
    textureTarget(q.target);
    if (s.bound != q.texture) {
      glBindTexture(q.target, q.texture);
      s.bound = q.texture;
    }
    KDrawList::setTextureParams(q.texture, q.target, q.linear, q.repeat);
  } else {
    textureTarget(0);
  }
  if (q.blend) {
    if (s.blendOn != 1) glEnable(GL_BLEND);
    s.blendOn = 1;
    if (s.source != q.source || s.destination != q.destination) {
      glBlendFunc(q.source, q.destination);
      s.source = q.source;
      s.destination = q.destination;
    }
  } else if (s.blendOn != 0) {
    glDisable(GL_BLEND);
    s.blendOn = 0;
  }
}

bool sameState(const KDrawQuad &a, const KDrawQuad &b) {
  return a.texture == b.texture && a.target == b.target && a.blend == b.blend && a.source == b.source &&
         a.destination == b.destination && a.linear == b.linear && a.repeat == b.repeat;
}

bool batchable(const KDrawQuad &q) { return !q.line && !q.translate && !q.rotate && !q.scale; }

void pushCorners(const KDrawQuad &q, int corners) {
  State &s = S();
  s.pos.insert(s.pos.end(), q.v, q.v + corners * 2);
  s.tex.insert(s.tex.end(), q.t, q.t + corners * 2);
  for (int i = 0; i < corners; ++i) s.col.insert(s.col.end(), q.colour, q.colour + 4);
}

void pointArrays() {
  State &s = S();
  glVertexPointer(2, GL_FLOAT, 0, s.pos.data());
  glTexCoordPointer(2, GL_FLOAT, 0, s.tex.data());
  glColorPointer(4, GL_FLOAT, 0, s.col.data());
}

void clearArrays() {
  State &s = S();
  s.pos.clear();
  s.tex.clear();
  s.col.clear();
  s.firsts.clear();
  s.counts.clear();
}

// One quad with its own turn or zoom, or a line: the matrix calls are the ones the picture
// asked for, so the corners land exactly where they always did.
void drawAlone(const KDrawQuad &q) {
  clearArrays();
  int corners = q.line ? 2 : 4;
  pushCorners(q, corners);
  pointArrays();
  glPushMatrix();
  if (q.translate) glTranslatef(q.tx, q.ty, 0);
  if (q.rotate) glRotatef(q.angle, 0, 0, 1);
  if (q.scale) glScalef(q.zoom, q.zoom, 0);
  glDrawArrays(q.line ? GL_LINE_LOOP : GL_POLYGON, 0, corners);
  glPopMatrix();
}

void drawImmediate(const KDrawQuad &q) {
  glPushMatrix();
  if (q.translate) glTranslatef(q.tx, q.ty, 0);
  if (q.rotate) glRotatef(q.angle, 0, 0, 1);
  if (q.scale) glScalef(q.zoom, q.zoom, 0);
  glColor4f(q.colour[0], q.colour[1], q.colour[2], q.colour[3]);
  glBegin(q.line ? GL_LINE_LOOP : GL_POLYGON);
  for (int i = 0; i < (q.line ? 2 : 4); ++i) {
    glTexCoord2f(q.t[i * 2], q.t[i * 2 + 1]);
    glVertex3f(q.v[i * 2], q.v[i * 2 + 1], 0);
  }
  glEnd();
  glPopMatrix();
}

void replay(size_t from, size_t to) {
  State &s = S();
  size_t i = from;
  while (i < to) {
    const KDrawQuad &q = s.quads[i];
    apply(q);
    if (s.direct) {
      drawImmediate(q);
      ++i;
      continue;
    }
    if (!batchable(q)) {
      drawAlone(q);
      ++i;
      continue;
    }
    clearArrays();
    size_t j = i;
    for (; j < to && batchable(s.quads[j]) && sameState(q, s.quads[j]); ++j) {
      s.firsts.push_back((GLint)((j - i) * 4));
      s.counts.push_back(4);
      pushCorners(s.quads[j], 4);
    }
    pointArrays();
    // Separate polygons, as glBegin(GL_POLYGON) made them, in one call.
    glMultiDrawArrays(GL_POLYGON, s.firsts.data(), s.counts.data(), (GLsizei)s.firsts.size());
    i = j;
  }
}

void beginArrays() {
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
}

void endArrays() {
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_COLOR_ARRAY);
  // The current colour is what the last quad left, as it was when quads set it themselves.
  glColor4f(1, 1, 1, 1);
}

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

bool coversView(const KDrawQuad &q) {
  State &s = S();
  if (q.blend || q.line || q.translate || q.rotate || q.scale) return false;
  // Unturned quads without blending are upright rectangles: their box is what they cover.
  KPixelBox b = boxOf(q);
  return b.x0 <= 0 && b.y0 <= 0 && b.x1 >= s.view[2] && b.y1 >= s.view[3];
}

bool makePicture() {
  State &s = S();
  if (s.picture && s.pictureW == s.view[2] && s.pictureH == s.view[3]) return true;
  while (glGetError() != GL_NO_ERROR) {
  }
  if (!s.picture) glGenTextures(1, &s.picture);
  textureTarget(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, s.picture);
  s.bound = s.picture;
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, s.view[2], s.view[3], 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  s.params.erase(s.picture);
  KDrawList::setTextureParams(s.picture, GL_TEXTURE_2D, false, false);
  s.pictureW = s.view[2];
  s.pictureH = s.view[3];
  return glGetError() == GL_NO_ERROR;
}

void takePicture() {
  State &s = S();
  glBindTexture(GL_TEXTURE_2D, s.picture);
  s.bound = s.picture;
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, s.view[0], s.view[1], s.view[2], s.view[3]);
  ++s.redraws;
}

void showPicture() {
  State &s = S();
  KDrawQuad q;
  q.texture = s.picture;
  q.target = GL_TEXTURE_2D;
  const float w = (float)s.view[2], h = (float)s.view[3];
  const float v[8] = {0, 0, w, 0, w, h, 0, h};
  const float t[8] = {0, 0, 1, 0, 1, 1, 0, 1};
  std::memcpy(q.v, v, sizeof v);
  std::memcpy(q.t, t, sizeof t);
  apply(q);
  clearArrays();
  pushCorners(q, 4);
  pointArrays();
  glPushMatrix();
  glLoadIdentity();
  glDrawArrays(GL_POLYGON, 0, 4);
  glPopMatrix();
}

void replaySpans(const std::vector<char> &kept, bool wanted) {
  State &s = S();
  for (size_t i = 0; i < s.spans.size(); ++i)
    if ((kept[i] != 0) == wanted) replay(s.spans[i].first, s.spans[i].last);
}

void sendScene() {
  State &s = S();
  s.pieces.clear();
  // Empty pieces drew nothing; they have no place in the picture.
  std::vector<Span> spans;
  for (const Span &sp : s.spans) {
    if (sp.first == sp.last) continue;
    KScenePiece p;
    p.key = sp.key;
    uint64_t h = 0x51A7E;
    KPixelBox b;
    b.x0 = b.y0 = 1 << 30;
    b.x1 = b.y1 = -(1 << 30);
    for (size_t i = sp.first; i < sp.last; ++i) {
      h = lookOf(s.quads[i], h);
      KPixelBox qb = boxOf(s.quads[i]);
      b.x0 = std::min(b.x0, qb.x0);
      b.y0 = std::min(b.y0, qb.y0);
      b.x1 = std::max(b.x1, qb.x1);
      b.y1 = std::max(b.y1, qb.y1);
    }
    p.look = h;
    p.box = b;
    s.pieces.push_back(p);
    spans.push_back(sp);
  }
  s.spans.swap(spans);
  const bool covers = !s.spans.empty() && coversView(s.quads[s.spans[0].first]);
  uint64_t scene = mix(mix(0x5CE7E, (uint64_t)s.view[2] << 32 | (uint64_t)s.view[3]), covers ? 1 : 2);
  if (!covers)
    for (float f : s.clearColour) scene = mixFloat(scene, f);
  if (!s.keeping || s.direct || !s.plain || (!covers && !s.fresh)) {
    replay(0, s.quads.size());
    return;
  }
  const KFrameCache::Plan &plan = s.cache.plan(s.pieces, scene, !s.fresh);
  if (!plan.usePicture) {
    replay(0, s.quads.size());
    return;
  }
  if (!makePicture()) {
    // No room for the picture: every frame is drawn whole, as it looks the same either way.
    s.keeping = false;
    s.cache.forget();
    replay(0, s.quads.size());
    return;
  }
  if (plan.redraw) {
    replaySpans(plan.kept, true);
    takePicture();
  } else {
    showPicture();
  }
  replaySpans(plan.kept, false);
}
} // namespace

KDrawQuad &KDrawList::add() {
  State &s = S();
  if (!s.inScene) {
    s.fresh = false;
    // Drawing that nothing shows for a long while is sent on rather than kept without end.
    if (s.quads.size() >= 65536) flush();
  } else if (s.pieceDepth == 0 && (s.spans.empty() || s.spans.back().key != 0 || s.spans.back().last != s.quads.size())) {
    s.spans.push_back({0, s.quads.size(), s.quads.size()});
  }
  s.quads.emplace_back();
  if (s.inScene && !s.spans.empty()) s.spans.back().last = s.quads.size();
  return s.quads.back();
}

void KDrawList::flush() {
  State &s = S();
  if (s.quads.empty()) return;
  if (s.inScene) {
    // Something needs GL before the scene is complete: it is drawn as it stands, without a picture.
    s.sceneBroken = true;
    s.spans.clear();
    s.pieceDepth = 0;
  }
  beginArrays();
  replay(0, s.quads.size());
  endArrays();
  s.quads.clear();
}

void KDrawList::stateUnknown() {
  State &s = S();
  s.enabledTarget = kUnknown;
  s.bound = kUnknown;
  s.blendOn = -1;
  s.source = s.destination = kUnknown;
}

void KDrawList::setTextureParams(unsigned texture, unsigned target, bool linear, bool repeat) {
  TextureParams &p = S().params[texture];
  if (p.linear != (int)linear) {
    GLint filter = linear ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, filter);
    p.linear = linear;
  }
  if (p.repeat != (int)repeat) {
    GLint mode = repeat ? GL_REPEAT : GL_CLAMP_TO_EDGE;
    glTexParameteri(target, GL_TEXTURE_WRAP_S, mode);
    glTexParameteri(target, GL_TEXTURE_WRAP_T, mode);
    p.repeat = repeat;
  }
}

void KDrawList::textureChanging(unsigned) { flush(); }

void KDrawList::textureGone(unsigned texture) {
  State &s = S();
  flush();
  s.params.erase(texture);
  if (s.bound == texture) s.bound = kUnknown;
}

uint64_t KDrawList::newContent() { return ++S().uploads; }

void KDrawList::cleared(const float colour[4], bool plain) {
  State &s = S();
  s.fresh = s.quads.empty();
  std::memcpy(s.clearColour, colour, sizeof s.clearColour);
  s.plain = plain;
}

void KDrawList::viewChanged(bool plain, int viewX, int viewY, int width, int height) {
  State &s = S();
  flush();
  s.plain = plain;
  s.view[0] = viewX;
  s.view[1] = viewY;
  s.view[2] = width;
  s.view[3] = height;
}

void KDrawList::beginScene() {
  State &s = S();
  if (s.inScene) return;
  // Whatever was asked for before the scene is on the screen first.
  flush();
  s.inScene = true;
  s.sceneBroken = false;
  s.pieceDepth = 0;
  s.spans.clear();
}

void KDrawList::endScene() {
  State &s = S();
  if (!s.inScene) return;
  s.inScene = false;
  s.pieceDepth = 0;
  if (!s.quads.empty()) {
    beginArrays();
    if (s.sceneBroken)
      replay(0, s.quads.size());
    else
      sendScene();
    endArrays();
  }
  s.quads.clear();
  s.spans.clear();
  s.fresh = false;
}

void KDrawList::beginPiece(const void *key) {
  State &s = S();
  if (!s.inScene) return;
  if (s.pieceDepth++ > 0) return;
  s.pieceKey = (uintptr_t)key;
  s.spans.push_back({s.pieceKey, s.quads.size(), s.quads.size()});
}

void KDrawList::endPiece() {
  State &s = S();
  if (!s.inScene || s.pieceDepth == 0) return;
  --s.pieceDepth;
}

void KDrawList::forgetPicture() {
  State &s = S();
  s.quads.clear();
  s.spans.clear();
  s.inScene = false;
  s.params.clear();
  s.picture = 0;
  s.pictureW = s.pictureH = 0;
  s.cache.forget();
  stateUnknown();
}

void KDrawList::setKeeping(bool on) {
  State &s = S();
  s.keeping = on;
  if (!on) s.cache.forget();
}

void KDrawList::setDirect(bool on) {
  flush();
  S().direct = on;
}

size_t KDrawList::keptPieces() { return S().cache.keptCount(); }
long KDrawList::redraws() { return S().redraws; }
