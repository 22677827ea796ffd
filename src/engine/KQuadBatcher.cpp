#include "engine/KQuadBatcher.h"

#define GL_GLEXT_PROTOTYPES 1
#include <SDL_opengl.h>

#include "engine/KGLStateCache.h"

namespace {
bool sameState(const KDrawQuad &a, const KDrawQuad &b) {
  return a.texture == b.texture && a.target == b.target && a.blend == b.blend && a.source == b.source &&
         a.destination == b.destination && a.linear == b.linear && a.repeat == b.repeat;
}

bool batchable(const KDrawQuad &q) { return !q.line && !q.translate && !q.rotate && !q.scale; }

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

} // namespace

void KQuadBatcher::beginArrays() {
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
}

void KQuadBatcher::endArrays() {
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_COLOR_ARRAY);
  // The current colour is what the last quad left, as it was when quads set it themselves.
  glColor4f(1, 1, 1, 1);
}

void KQuadBatcher::pushCorners(const KDrawQuad &q, int corners) {
  pos.insert(pos.end(), q.v, q.v + corners * 2);
  tex.insert(tex.end(), q.t, q.t + corners * 2);
  for (int i = 0; i < corners; ++i) col.insert(col.end(), q.colour, q.colour + 4);
}

void KQuadBatcher::pointArrays() {
  glVertexPointer(2, GL_FLOAT, 0, pos.data());
  glTexCoordPointer(2, GL_FLOAT, 0, tex.data());
  glColorPointer(4, GL_FLOAT, 0, col.data());
}

void KQuadBatcher::clearArrays() {
  pos.clear();
  tex.clear();
  col.clear();
  firsts.clear();
  counts.clear();
}

void KQuadBatcher::loadOne(const KDrawQuad &q, int corners) {
  clearArrays();
  pushCorners(q, corners);
  pointArrays();
}

// One quad with its own turn or zoom, or a line: the matrix calls are the ones the picture
// asked for, so the corners land exactly where they always did.
void KQuadBatcher::drawAlone(const KDrawQuad &q) {
  int corners = q.line ? 2 : 4;
  loadOne(q, corners);
  glPushMatrix();
  if (q.translate) glTranslatef(q.tx, q.ty, 0);
  if (q.rotate) glRotatef(q.angle, 0, 0, 1);
  if (q.scale) glScalef(q.zoom, q.zoom, 0);
  glDrawArrays(q.line ? GL_LINE_LOOP : GL_POLYGON, 0, corners);
  glPopMatrix();
}

void KQuadBatcher::replay(const std::vector<KDrawQuad> &quads, size_t from, size_t to, bool direct,
                          KGLStateCache &state) {
  size_t i = from;
  while (i < to) {
    const KDrawQuad &q = quads[i];
    state.apply(q);
    if (direct) {
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
    for (; j < to && batchable(quads[j]) && sameState(q, quads[j]); ++j) {
      firsts.push_back((GLint)((j - i) * 4));
      counts.push_back(4);
      pushCorners(quads[j], 4);
    }
    pointArrays();
    // Separate polygons, as glBegin(GL_POLYGON) made them, in one call.
    glMultiDrawArrays(GL_POLYGON, firsts.data(), counts.data(), (GLsizei)firsts.size());
    i = j;
  }
}

void KQuadBatcher::drawUnmoved(const KDrawQuad &q) {
  loadOne(q, 4);
  glPushMatrix();
  glLoadIdentity();
  glDrawArrays(GL_POLYGON, 0, 4);
  glPopMatrix();
}

void KQuadBatcher::drawBatchOfOne(const KDrawQuad &q) {
  loadOne(q, 4);
  const GLint first = 0;
  const GLsizei count = 4;
  glMultiDrawArrays(GL_POLYGON, &first, &count, 1);
  clearArrays();
}
