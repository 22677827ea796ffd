#include "engine/KKeptPicture.h"

#define GL_GLEXT_PROTOTYPES 1
#include <SDL_opengl.h>

#include <cstring>

#include "engine/KDrawQuad.h"
#include "engine/KGLStateCache.h"
#include "engine/KQuadBatcher.h"

bool KKeptPicture::make(KGLStateCache &state, int wantW, int wantH) {
  if (texture && w == wantW && h == wantH) return true;
  while (glGetError() != GL_NO_ERROR) {
  }
  if (!texture) glGenTextures(1, &texture);
  state.textureTarget(GL_TEXTURE_2D);
  state.bind(GL_TEXTURE_2D, texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, wantW, wantH, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  state.paramsUnknown(texture);
  state.setTextureParams(texture, GL_TEXTURE_2D, false, false);
  const bool made = glGetError() == GL_NO_ERROR;
  w = made ? wantW : 0;
  h = made ? wantH : 0;
  return made;
}

void KKeptPicture::take(KGLStateCache &state, const int view[4]) {
  state.bind(GL_TEXTURE_2D, texture);
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, view[0], view[1], view[2], view[3]);
  ++redrawCount;
}

void KKeptPicture::show(KGLStateCache &state, KQuadBatcher &batcher, int width, int height) const {
  KDrawQuad q;
  q.texture = texture;
  q.target = GL_TEXTURE_2D;
  // The picture holds the view's screen pixels: spread over the whole view, each texel lands on
  // the pixel it was taken from.
  const float fw = (float)width, fh = (float)height;
  const float v[8] = {0, 0, fw, 0, fw, fh, 0, fh};
  const float t[8] = {0, 0, 1, 0, 1, 1, 0, 1};
  std::memcpy(q.v, v, sizeof v);
  std::memcpy(q.t, t, sizeof t);
  state.apply(q);
  batcher.drawUnmoved(q);
}

void KKeptPicture::forget() {
  texture = 0;
  w = h = 0;
}
