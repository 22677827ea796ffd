#include "engine/KGLStateCache.h"

#define GL_GLEXT_PROTOTYPES 1
#include <SDL_opengl.h>

#include <cstring>

#ifndef GL_TEXTURE_RECTANGLE_EXT
#define GL_TEXTURE_RECTANGLE_EXT 0x84F5
#endif
#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

bool KGLStateCache::hasRectangle() {
  if (rectangleKnown < 0) {
    const char *ext = (const char *)glGetString(GL_EXTENSIONS);
    if (!ext) return false;
    rectangleKnown = std::strstr(ext, "_texture_rectangle") ? 1 : 0;
  }
  return rectangleKnown == 1;
}

void KGLStateCache::textureTarget(unsigned target) {
  if (enabledTarget == target) return;
  if (enabledTarget == kUnknown || enabledTarget == GL_TEXTURE_2D) glDisable(GL_TEXTURE_2D);
  if ((enabledTarget == kUnknown && hasRectangle()) || enabledTarget == GL_TEXTURE_RECTANGLE_EXT)
    glDisable(GL_TEXTURE_RECTANGLE_EXT);
  if (target) glEnable(target);
  enabledTarget = target;
}

void KGLStateCache::apply(const KDrawQuad &q) {
  if (q.texture) {
    textureTarget(q.target);
    if (bound != q.texture) bind(q.target, q.texture);
    setTextureParams(q.texture, q.target, q.linear, q.repeat);
  } else {
    textureTarget(0);
  }
  if (q.blend) {
    if (blendOn != 1) glEnable(GL_BLEND);
    blendOn = 1;
    if (source != q.source || destination != q.destination) {
      glBlendFunc(q.source, q.destination);
      source = q.source;
      destination = q.destination;
    }
  } else if (blendOn != 0) {
    glDisable(GL_BLEND);
    blendOn = 0;
  }
  // Under a blend that weighs the source by its alpha, a fragment of alpha 0 leaves the pixel as
  // it was: the renderer may drop it before blending.
  const int test = q.blend && q.source == GL_SRC_ALPHA &&
                   (q.destination == GL_ONE_MINUS_SRC_ALPHA || q.destination == GL_ONE);
  if (test != alphaTestOn) {
    if (test) {
      glAlphaFunc(GL_GREATER, 0.0f);
      glEnable(GL_ALPHA_TEST);
    } else {
      glDisable(GL_ALPHA_TEST);
    }
    alphaTestOn = test;
  }
}

void KGLStateCache::bind(unsigned target, unsigned texture) {
  glBindTexture(target, texture);
  bound = texture;
}

void KGLStateCache::setTextureParams(unsigned texture, unsigned target, bool linear, bool repeat) {
  TextureParams &p = params[texture];
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

void KGLStateCache::textureGone(unsigned texture) {
  params.erase(texture);
  if (bound == texture) bound = kUnknown;
}

void KGLStateCache::unknown() {
  enabledTarget = kUnknown;
  bound = kUnknown;
  blendOn = -1;
  alphaTestOn = -1;
  source = destination = kUnknown;
}

void KGLStateCache::forget() {
  params.clear();
  unknown();
}
