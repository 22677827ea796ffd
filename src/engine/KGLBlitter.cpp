#include "engine/KGLBlitter.h"

#include "engine/KDrawList.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>
#include <cstring>

KGLBlitter::KGLBlitter(KGLTexture &texture)
    : blendSource(GL_SRC_ALPHA), blendDest(GL_ONE_MINUS_SRC_ALPHA), blitColorSet(false), blitRed(1), blitGreen(1),
      blitBlue(1), blitAlpha(1), tex(texture) {}

void KGLBlitter::send(const KDrawQuad &q) {
  if (std::shared_ptr<KDrawList> list = tex.drawList()) list->add() = q;
}

void KGLBlitter::setAlphaMode(long mode) {
  switch (mode) {
  case 0:
    blendSource = GL_SRC_ALPHA;
    blendDest = GL_DST_ALPHA;
    break;
  case 1:
    blendSource = GL_SRC_ALPHA;
    blendDest = GL_ONE_MINUS_SRC_ALPHA;
    break;
  case 2:
    blendSource = GL_ONE;
    blendDest = GL_ONE_MINUS_SRC_ALPHA;
    break;
  case 3:
    blendSource = GL_ZERO;
    blendDest = GL_ONE_MINUS_SRC_ALPHA;
    break;
  case 4:
    blendSource = GL_SRC_ALPHA;
    blendDest = GL_ONE;
    break;
  default:
    break;
  }
}

void KGLBlitter::setAlphaMode(long source, long destination) {
  blendSource = (unsigned short)source;
  blendDest = (unsigned short)destination;
}

void KGLBlitter::setBlitColor(float red, float green, float blue, float alpha) {
  auto clamp = [](float v) { return v > 1.0f ? 1.0f : (v <= 0.0f ? 0.0f : v); };
  blitRed = clamp(red);
  blitGreen = clamp(green);
  blitBlue = clamp(blue);
  blitAlpha = clamp(alpha);
  blitColorSet = true;
}

void KGLBlitter::blitColour(KDrawQuad &q, float alpha, bool scaleBlitAlpha) {
  if (blitColorSet)
    setColour(q, blitRed, blitGreen, blitBlue, scaleBlitAlpha ? alpha * blitAlpha : blitAlpha);
  else
    setColour(q, 1, 1, 1, alpha);
}

void KGLBlitter::setColour(KDrawQuad &q, float red, float green, float blue, float alpha) {
  q.colour[0] = red;
  q.colour[1] = green;
  q.colour[2] = blue;
  q.colour[3] = alpha;
}

KDrawQuad KGLBlitter::quadOf(bool blended) const {
  KDrawQuad q;
  q.texture = tex.textureName;
  q.target = tex.target;
  q.content = tex.contentId;
  q.blend = blended;
  q.source = blendSource;
  q.destination = blendDest;
  q.repeat = tex.wrapAllowed && tex.target == GL_TEXTURE_2D;
  return q;
}

void KGLBlitter::setCorner(KDrawQuad &q, int i, float x, float y, float s, float t) const {
  q.v[i * 2] = x;
  q.v[i * 2 + 1] = y;
  if (tex.target == GL_TEXTURE_2D) {
    s /= tex.textureWidth;
    t /= tex.textureHeight;
  }
  q.t[i * 2] = s;
  q.t[i * 2 + 1] = t;
}

// One textured quad from (x, y) down to (x + w, y - h), the source flipped as asked.
void KGLBlitter::texturedQuad(KDrawQuad &q, float x1, float y1, float x2, float y2, float x, float y, float w,
                              float h, bool flipH, bool flipV) {
  float uL = flipH ? x2 : x1, uR = flipH ? x1 : x2;
  float vT = flipV ? y2 : y1, vB = flipV ? y1 : y2;
  setCorner(q, 0, x, y, uL, vT);
  setCorner(q, 1, x, y - h, uL, vB);
  setCorner(q, 2, x + w, y - h, uR, vB);
  setCorner(q, 3, x + w, y, uR, vT);
  send(q);
}

// The part of the source rectangle that holds its visible pixels, to the pixel where its blocks
// lie wholly inside it; false when none shows.
bool KGLBlitter::visiblePart(int &x1, int &y1, int &x2, int &y2) const {
  if (tex.opaqueBlocks.empty() || x1 < 0 || y1 < 0 || x2 > tex.blocksWide || y2 > tex.blocksHigh || x2 <= x1 || y2 <= y1)
    return true;
  const int b = KGLTexture::kBlock;
  int left = x2, right = x1, top = y2, bottom = y1;
  for (int by = y1 / b; by <= (y2 - 1) / b; ++by)
    for (int bx = x1 / b; bx <= (x2 - 1) / b; ++bx) {
      const unsigned m = tex.opaqueBlocks[(size_t)by * tex.blocksAcross + bx];
      if (!m) continue;
      // A block cut by the rectangle's edge may show only outside it: it counts whole.
      const bool inside = bx * b >= x1 && (bx + 1) * b <= x2 && by * b >= y1 && (by + 1) * b <= y2;
      const unsigned cols = inside ? m & 0xFF : 0xFF, rows = inside ? m >> 8 : 0xFF;
      left = std::min(left, bx * b + __builtin_ctz(cols));
      right = std::max(right, bx * b + 32 - __builtin_clz(cols));
      top = std::min(top, by * b + __builtin_ctz(rows));
      bottom = std::max(bottom, by * b + 32 - __builtin_clz(rows));
    }
  if (right <= left) return false;
  x1 = std::max(x1, left);
  x2 = std::min(x2, right);
  y1 = std::max(y1, top);
  y2 = std::min(y2, bottom);
  return true;
}

// Fully transparent borders change no pixel under the blends that weigh the source by its alpha,
// so only the part that shows is sent (small quads, glyphs, are not worth the look). Sampled
// between texels (filtered, turned, zoomed or on a scaled view), a pixel may take from the
// texel beside its own: the part then keeps one texel of its border. True when the quad was
// sent so or shows nothing.
bool KGLBlitter::trimmed(KDrawQuad &q, float x1, float y1, float x2, float y2, float x, float y, bool flipH,
                         bool flipV, bool between) {
  if ((x2 - x1) * (y2 - y1) < 1024 || !q.blend || q.source != GL_SRC_ALPHA ||
      (q.destination != GL_ONE_MINUS_SRC_ALPHA && q.destination != GL_ONE) || !wholeTexels(x1, y1, x2, y2))
    return false;
  between = between || !KGLTexture::_viewOneToOne;
  int sx1 = (int)x1, sy1 = (int)y1, sx2 = (int)x2, sy2 = (int)y2;
  if (!visiblePart(sx1, sy1, sx2, sy2)) return true;
  if (between) {
    sx1 = std::max((int)x1, sx1 - 1);
    sy1 = std::max((int)y1, sy1 - 1);
    sx2 = std::min((int)x2, sx2 + 1);
    sy2 = std::min((int)y2, sy2 + 1);
  }
  int dx = flipH ? (int)x2 - sx2 : sx1 - (int)x1;
  int dy = flipV ? (int)y2 - sy2 : sy1 - (int)y1;
  texturedQuad(q, (float)sx1, (float)sy1, (float)sx2, (float)sy2, x + dx, y - dy, (float)(sx2 - sx1),
               (float)(sy2 - sy1), flipH, flipV);
  return true;
}

void KGLBlitter::GenericBlit(KDrawQuad &q, float x1, float y1, float x2, float y2, short x, short y, bool flipH,
                             bool flipV, bool transformed) {
  float ox, oy;
  if (!tex.toTexture(x1, y1, x2, y2, flipH, flipV, ox, oy)) return;
  x = (short)(x + (int)ox);
  y = (short)(y - (int)oy);
  q.linear = tex.filterLinear && (transformed || !wholePixels(x1, y1, x2, y2));
  // Whole pixels: the size is cut as the integer blits always have.
  int w = (short)(int)(x2 - x1);
  int h = (short)(int)(y2 - y1);
  if (w == x2 - x1 && h == y2 - y1 && trimmed(q, x1, y1, x2, y2, x, y, flipH, flipV, transformed || q.linear)) return;
  texturedQuad(q, x1, y1, x2, y2, (float)x, (float)y, (float)w, (float)h, flipH, flipV);
}

void KGLBlitter::GenericBlitF(KDrawQuad &q, float x1, float y1, float x2, float y2, float x, float y, bool flipH,
                              bool flipV) {
  float ox, oy;
  if (!tex.toTexture(x1, y1, x2, y2, flipH, flipV, ox, oy)) return;
  x += ox;
  y -= oy;
  q.linear = tex.filterLinear;
  if (trimmed(q, x1, y1, x2, y2, x, y, flipH, flipV, true)) return;
  texturedQuad(q, x1, y1, x2, y2, x, y, x2 - x1, y2 - y1, flipH, flipV);
}

void KGLBlitter::genericStretchBlit(KDrawQuad &q, float x1, float y1, float x2, float y2, float X1, float Y1,
                                    float X2, float Y2, bool flipH, bool flipV) {
  // A stretch is moved into a packed texture only when the texture kept all of it.
  float ox, oy;
  const float w0 = x2 - x1, h0 = y2 - y1;
  if (!tex.toTexture(x1, y1, x2, y2, flipH, flipV, ox, oy) || x2 - x1 != w0 || y2 - y1 != h0) return;
  q.linear = tex.filterLinear;
  float uL = flipH ? x2 : x1, uR = flipH ? x1 : x2;
  float vT = flipV ? y2 : y1, vB = flipV ? y1 : y2;
  setCorner(q, 0, (float)(int)X1, (float)(int)Y1, uL, vT);
  setCorner(q, 1, (float)(int)X1, (float)(int)Y2, uL, vB);
  setCorner(q, 2, (float)(int)X2, (float)(int)Y2, uR, vB);
  setCorner(q, 3, (float)(int)X2, (float)(int)Y1, uR, vT);
  send(q);
}

void KGLBlitter::setTransform(KDrawQuad &q, float tx, float ty, float angle, float zoom, bool always) {
  q.translate = true;
  q.tx = tx;
  q.ty = ty;
  q.rotate = always || angle != 0;
  q.angle = angle;
  q.scale = always || zoom != 1;
  q.zoom = zoom;
}

// Whole source pixels drawn at their own size on a one-to-one view put every texel centre on a
// pixel centre, where linear filtering reads that texel alone: nearest draws the same picture,
// and the software rasteriser does it for far less.
bool KGLBlitter::wholePixels(float x1, float y1, float x2, float y2) const {
  return KGLTexture::_viewOneToOne && wholeTexels(x1, y1, x2, y2);
}

bool KGLBlitter::wholeTexels(float x1, float y1, float x2, float y2) {
  auto whole = [](float v) { return std::floor(v) == v; };
  return whole(x1) && whole(y1) && whole(x2) && whole(y2);
}

// Plain blits draw the picture as it is: the colour an earlier tinted blit used would otherwise
// tint every background and tile drawn after it.
void KGLBlitter::blitRect(float x1, float y1, float x2, float y2, short x, short y, bool flipH, bool flipV) {
  KDrawQuad q = quadOf(false);
  GenericBlit(q, x1, y1, x2, y2, x, (short)(KGLTexture::screenHeight - y), flipH, flipV, false);
}

void KGLBlitter::blitRectF(float x1, float y1, float x2, float y2, float x, float y, bool flipH, bool flipV) {
  KDrawQuad q = quadOf(false);
  GenericBlitF(q, x1, y1, x2, y2, x, (float)KGLTexture::screenHeight - y, flipH, flipV);
}

void KGLBlitter::blitAlphaRect(float x1, float y1, float x2, float y2, short x, short y, bool flipH, bool flipV) {
  KDrawQuad q = quadOf(true);
  blitColour(q, 1.0f, false);
  tex.filterLinear = tex.quality;
  GenericBlit(q, x1, y1, x2, y2, x, (short)(KGLTexture::screenHeight - y), flipH, flipV, false);
}

void KGLBlitter::blitAlphaRectF(float x1, float y1, float x2, float y2, float x, float y, bool flipH, bool flipV) {
  KDrawQuad q = quadOf(true);
  blitColour(q, 1.0f, false);
  GenericBlitF(q, x1, y1, x2, y2, x, (float)KGLTexture::screenHeight - y, flipH, flipV);
}

void KGLBlitter::blitAlphaRect() {
  KDrawQuad q = quadOf(true);
  blitColour(q, 1.0f, false);
  GenericBlit(q, 0, 0, tex.width, tex.height, (short)tex.positionX, (short)(KGLTexture::screenHeight - (short)tex.positionY), false, false,
              false);
}

void KGLBlitter::blitAlphaRectFx(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom,
                                 float alpha, bool flipH, bool flipV, float centreX, float centreY) {
  if (zoom == 0 || alpha <= 0) return;
  short Y = (short)(KGLTexture::screenHeight - y);
  float px = (x2 - x1) * 0.5f + centreX;
  float py = (y2 - y1) * 0.5f + centreY;
  KDrawQuad q = quadOf(true);
  bool transformed = angle != 0 || zoom != 1;
  if (transformed) setTransform(q, (float)x + px, (float)Y - py, angle, zoom, false);
  blitColour(q, alpha, true);
  tex.filterLinear = tex.quality;
  if (transformed)
    GenericBlit(q, x1, y1, x2, y2, (short)(-px), (short)py, flipH, flipV, true);
  else
    GenericBlit(q, x1, y1, x2, y2, x, Y, flipH, flipV, false);
}

void KGLBlitter::blitAlphaRectFxF(float x1, float y1, float x2, float y2, float x, float y, float angle, float zoom,
                                  float alpha, bool flipH, bool flipV, float centreX, float centreY) {
  if (zoom == 0 || alpha <= 0) return;
  float Y = (float)KGLTexture::screenHeight - y;
  float px = (x2 - x1) * 0.5f + centreX;
  float py = (y2 - y1) * 0.5f + centreY;
  KDrawQuad q = quadOf(true);
  bool transformed = angle != 0 || zoom != 1;
  if (transformed) setTransform(q, x + px, Y - py, angle, zoom, false);
  blitColour(q, alpha, true);
  if (transformed)
    GenericBlitF(q, x1, y1, x2, y2, -px, py, flipH, flipV);
  else
    GenericBlitF(q, x1, y1, x2, y2, x, Y, flipH, flipV);
}

void KGLBlitter::blitAlphaRectFxCenterAdjust(float x1, float y1, float x2, float y2, short x, short y, float angle,
                                             float zoom, float alpha, bool centreH, bool centreV) {
  if (zoom == 0 || alpha <= 0) return;
  short Y = (short)(KGLTexture::screenHeight - y);
  float px = centreH ? (x2 - x1) * 0.5f : 0.0f;
  float py = centreV ? (y2 - y1) * 0.5f : 0.0f;
  KDrawQuad q = quadOf(true);
  bool transformed = angle != 0 || zoom != 1;
  if (transformed) setTransform(q, (float)x + px, (float)Y - py, angle, zoom, false);
  blitColour(q, alpha, false);
  if (transformed)
    GenericBlit(q, x1, y1, x2, y2, (short)(-px), (short)py, false, false, true);
  else
    GenericBlit(q, x1, y1, x2, y2, x, Y, false, false, false);
}

void KGLBlitter::blitRectFx(float x1, float y1, float x2, float y2, short x, short y, float angle, float zoom,
                            bool flipH, bool flipV, float centreX, float centreY) {
  if (zoom == 0) return;
  short Y = (short)(KGLTexture::screenHeight - y);
  float px = (x2 - x1) * 0.5f + centreX;
  float py = (y2 - y1) * 0.5f + centreY;
  KDrawQuad q = quadOf(false);
  setTransform(q, (float)x + px, (float)Y - py, angle, zoom, true);
  GenericBlit(q, x1, y1, x2, y2, (short)(-px), (short)py, flipH, flipV, true);
}

void KGLBlitter::blitRectFxF(float x1, float y1, float x2, float y2, float x, float y, float angle, float zoom,
                             bool flipH, bool flipV, float centreX, float centreY) {
  if (zoom == 0) return;
  float Y = (float)KGLTexture::screenHeight - y;
  float px = (x2 - x1) * 0.5f + centreX;
  float py = (y2 - y1) * 0.5f + centreY;
  KDrawQuad q = quadOf(false);
  setTransform(q, x + px, Y - py, angle, zoom, true);
  GenericBlitF(q, x1, y1, x2, y2, -px, py, flipH, flipV);
}

void KGLBlitter::stretchAlphaRect(float x1, float y1, float x2, float y2, float X1, float Y1, float X2, float Y2,
                                  float alpha, float angle, bool flipH, bool flipV) {
  KDrawQuad q = quadOf(true);
  if (blitColorSet)
    setColour(q, blitRed, blitGreen, blitBlue, alpha * blitAlpha);
  else if (alpha < 0 || alpha == 1)
    setColour(q, 1, 1, 1, 1);
  else
    setColour(q, 1, 1, 1, alpha);
  if (angle != 0) {
    float hw = (X2 - X1) * 0.5f, hh = (Y2 - Y1) * 0.5f;
    setTransform(q, X1 + hw, ((float)KGLTexture::screenHeight - Y1) - hh, angle, 1, false);
    genericStretchBlit(q, x1, y1, x2, y2, -hw, hh, hw, -hh, flipH, flipV);
  } else {
    genericStretchBlit(q, x1, y1, x2, y2, X1, (float)KGLTexture::screenHeight - Y1, X2, (float)KGLTexture::screenHeight - Y2, flipH, flipV);
  }
}

void KGLBlitter::blitArbitraryQuad(float s1, float s2, float s3, float s4, float s5, float s6, float s7, float s8,
                                   float d1, float d2, float d3, float d4, float d5, float d6, float d7, float d8) {
  KDrawQuad q = quadOf(true);
  blitColour(q, 1.0f, false);
  q.linear = tex.filterLinear;
  if (tex.packed) {
    float ox, oy, x1 = std::min({s1, s3, s5, s7}), x2 = std::max({s1, s3, s5, s7});
    float y1 = std::min({s2, s4, s6, s8}), y2 = std::max({s2, s4, s6, s8});
    const float w0 = x2 - x1, h0 = y2 - y1, left = x1, top = y1;
    if (!tex.toTexture(x1, y1, x2, y2, false, false, ox, oy) || x2 - x1 != w0 || y2 - y1 != h0) return;
    const float dx = x1 - left, dy = y1 - top;
    s1 += dx, s3 += dx, s5 += dx, s7 += dx;
    s2 += dy, s4 += dy, s6 += dy, s8 += dy;
  }
  float H = (float)KGLTexture::screenHeight;
  setCorner(q, 0, (float)(int)d1, (float)(int)(H - d2), s1, s2);
  setCorner(q, 1, (float)(int)d3, (float)(int)(H - d4), s3, s4);
  setCorner(q, 2, (float)(int)d5, (float)(int)(H - d6), s5, s6);
  setCorner(q, 3, (float)(int)d7, (float)(int)(H - d8), s7, s8);
  send(q);
}

void KGLBlitter::blitTiledRect(short x, short y, short w, short h, float repeat, float angle) {
  // A packed texture holds no whole picture to repeat.
  if (tex.packed) return;
  KDrawQuad q = quadOf(false);
  q.linear = tex.filterLinear;
  int hw = w / 2, hh = h / 2;
  setTransform(q, (float)(hw + x), (float)((KGLTexture::screenHeight - y) - hh), angle, 1, false);
  q.rotate = true;
  // A picture that is not a square power of two counts its repeat in texels.
  const float corners[4][4] = {{(float)-hw, (float)hh, repeat, repeat},
                               {(float)-hw, (float)-hh, repeat, 0},
                               {(float)hw, (float)-hh, 0, 0},
                               {(float)hw, (float)hh, 0, repeat}};
  for (int i = 0; i < 4; ++i) {
    if (tex.texelTiling) {
      setCorner(q, i, corners[i][0], corners[i][1], corners[i][2], corners[i][3]);
    } else {
      q.v[i * 2] = corners[i][0];
      q.v[i * 2 + 1] = corners[i][1];
      q.t[i * 2] = corners[i][2];
      q.t[i * 2 + 1] = corners[i][3];
    }
  }
  send(q);
}

void KGLBlitter::blitFromBackToBack(short, short, short, short, short, short) {}

void KGLBlitter::drawRect(float x1, float y1, float x2, float y2, float red, float green, float blue, float alpha) {
  KDrawQuad q;
  q.blend = alpha != 1;
  q.source = blendSource;
  q.destination = blendDest;
  setColour(q, red, green, blue, alpha != 1 ? alpha : 1.0f);
  float Y1 = (float)(int)((float)KGLTexture::screenHeight - y1), Y2 = (float)(int)((float)KGLTexture::screenHeight - y2);
  const float v[8] = {(float)(int)x1, Y1, (float)(int)x2, Y1, (float)(int)x2, Y2, (float)(int)x1, Y2};
  std::memcpy(q.v, v, sizeof v);
  send(q);
  KGLTexture::_oldBindedText = -1;
}

void KGLBlitter::drawLine(float x1, float y1, float x2, float y2, float red, float green, float blue, float alpha) {
  KDrawQuad q;
  q.blend = true;
  q.source = GL_SRC_ALPHA;
  q.destination = GL_ONE_MINUS_SRC_ALPHA;
  q.line = true;
  setColour(q, red, green, blue, alpha);
  q.v[0] = x1;
  q.v[1] = (float)KGLTexture::screenHeight - y1;
  q.v[2] = x2;
  q.v[3] = (float)KGLTexture::screenHeight - y2;
  send(q);
  KGLTexture::_oldBindedText = -1;
}

void KGLBlitter::plotPixel(float x, float y, float red, float green, float blue, float alpha) {
  drawLine(x, y, x + 1, y, red, green, blue, alpha);
}
