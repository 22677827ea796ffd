#include "engine/KGLTexture.h"

#include "engine/KDrawList.h"
#include "engine/KMiscTools.h"
#include "engine/KTextureReady.h"

#include <SDL_opengl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#ifndef GL_TEXTURE_RECTANGLE_EXT
#define GL_TEXTURE_RECTANGLE_EXT 0x84F5
#endif

short KGLTexture::screenWidth = 0;
short KGLTexture::screenHeight = 0;
short KGLTexture::screenDepth = 0;
int KGLTexture::_oldBindedText = -1;
int KGLTexture::_graphicQuality = 1;
bool KGLTexture::_viewOneToOne = false;

namespace {

const int kModeAuto = 0, kModeNpot = 1, kModeRectangle = 2, kModePow2 = 3;
int g_forcedMode = kModeAuto;
int g_probedMode = kModeAuto; // resolved once a context answers
bool g_hasRectangle = false;

bool hasExtension(const char *list, const char *name) {
  if (!list) return false;
  size_t n = std::strlen(name);
  for (const char *p = std::strstr(list, name); p; p = std::strstr(p + 1, name)) {
    bool startOk = p == list || p[-1] == ' ';
    bool endOk = p[n] == 0 || p[n] == ' ';
    if (startOk && endOk) return true;
  }
  return false;
}

void probeContext() {
  if (g_probedMode != kModeAuto) return;
  const char *version = (const char *)glGetString(GL_VERSION);
  const char *ext = (const char *)glGetString(GL_EXTENSIONS);
  if (!version) return; // no context yet; ask again next time
  g_hasRectangle = hasExtension(ext, "GL_ARB_texture_rectangle") || hasExtension(ext, "GL_EXT_texture_rectangle") ||
                   hasExtension(ext, "GL_NV_texture_rectangle");
  bool npot = std::atoi(version) >= 2 || hasExtension(ext, "GL_ARB_texture_non_power_of_two");
  g_probedMode = npot ? kModeNpot : (g_hasRectangle ? kModeRectangle : kModePow2);
}

int resolvedMode() {
  probeContext();
  if (g_forcedMode != kModeAuto) return g_forcedMode;
  return g_probedMode == kModeAuto ? kModeNpot : g_probedMode;
}

void disableTargets() {
  glDisable(GL_TEXTURE_2D);
  if (g_hasRectangle) glDisable(GL_TEXTURE_RECTANGLE_EXT);
}


// A fresh number for each upload, so an unchanged look in the draw list means unchanged pixels.
uint64_t g_uploads = 0;
uint64_t newContent() { return ++g_uploads; }


long pow2Size(long w, long h) {
  long size = 4;
  long m = w > h ? w : h;
  while (m > size) size *= 2;
  return size;
}

long pow2Up(long v) {
  long s = 1;
  while (s < v) s *= 2;
  return s;
}
} // namespace

KGLTexture::KGLTexture(std::weak_ptr<KDrawList> drawing)
    : textureName(0), staging(nullptr), target(GL_TEXTURE_2D), colorKeyOn(false), keyRed(0), keyGreen(0),
      keyBlue(0), wrapAllowed(false), width(0), height(0), textureWidth(0), textureHeight(0), positionX(0),
      positionY(0), quality(false), filterLinear(false), pixelArray(nullptr), texelTiling(false),
      drawing_(std::move(drawing)) {}

KGLTexture::~KGLTexture() {
  delete[] staging;
  staging = nullptr;
  freePicture();
}

void KGLTexture::setScreenSize(short w, short h, short depth, KDrawList &drawing) {
  drawing.flush();
  screenWidth = w;
  screenHeight = h;
  screenDepth = depth;
  glEnable(GL_TEXTURE_2D);
  glShadeModel(GL_FLAT);
  drawing.glState().unknown();
}

void KGLTexture::flushDrawing() {
  if (std::shared_ptr<KDrawList> list = drawing_.lock()) list->flush();
}

// GL state changed behind the draw list's back.
void KGLTexture::stateUnknown() {
  if (std::shared_ptr<KDrawList> list = drawing_.lock()) list->glState().unknown();
}

// Binds the texture for work on it (not drawing): what was drawn is sent first.
void KGLTexture::makeCurrent() {
  flushDrawing();
  disableTargets();
  glEnable(target);
  glBindTexture(target, textureName);
  stateUnknown();
  _oldBindedText = (int)textureName;
}

void KGLTexture::setTextureMode(int mode) {
  g_forcedMode = (mode >= kModeNpot && mode <= kModePow2) ? mode : kModeAuto;
  if (g_forcedMode == kModeRectangle) probeContext();
}

int KGLTexture::textureMode() { return resolvedMode(); }

void KGLTexture::setViewOneToOne(bool oneToOne) { _viewOneToOne = oneToOne; }

void KGLTexture::ptk_glBindTexture() { makeCurrent(); }

void KGLTexture::ptk_glUnbindTexture() { _oldBindedText = -37; }

void KGLTexture::chooseStorage(long w, long h) {
  long size = pow2Size(w, h);
  texelTiling = !(w == size && h == w);
  if (!texelTiling) {
    target = GL_TEXTURE_2D;
    textureWidth = textureHeight = (float)size;
    return;
  }
  switch (resolvedMode()) {
  case kModeRectangle:
    target = GL_TEXTURE_RECTANGLE_EXT;
    textureWidth = (float)w;
    textureHeight = (float)h;
    break;
  case kModePow2:
    target = GL_TEXTURE_2D;
    textureWidth = (float)pow2Up(w);
    textureHeight = (float)pow2Up(h);
    break;
  default:
    target = GL_TEXTURE_2D;
    textureWidth = (float)w;
    textureHeight = (float)h;
    break;
  }
}

bool KGLTexture::textureFits(const char *what) {
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  if (maxSize > 0 && (textureWidth > (float)maxSize || textureHeight > (float)maxSize)) {
    std::fprintf(stderr, "KGraphicGL: %s is %dx%d, larger than the largest texture (%d)\n", what ? what : "picture",
                 (int)width, (int)height, (int)maxSize);
    return false;
  }
  return true;
}

// The bound texture's filter and wrap as this picture draws.
void KGLTexture::applyParams(bool linear) {
  if (std::shared_ptr<KDrawList> list = drawing_.lock())
    list->glState().setTextureParams(textureName, target, linear, wrapAllowed && target == GL_TEXTURE_2D);
}

KTextureOptions KGLTexture::textureOptions(bool useAlpha) const {
  KTextureOptions o;
  o.storage = resolvedMode();
  o.useAlpha = useAlpha;
  o.wrap = wrapAllowed;
  o.regions = regions;
  return o;
}

bool KGLTexture::installTexture(KTextureReady &ready, bool sizedFormat, bool useAlpha) {
  flushDrawing();
  glLoadIdentity();
  glFlush();
  positionX = ready.positionX;
  positionY = ready.positionY;
  width = (float)ready.width;
  height = (float)ready.height;
  target = ready.rectangle ? GL_TEXTURE_RECTANGLE_EXT : GL_TEXTURE_2D;
  textureWidth = (float)ready.textureWidth;
  textureHeight = (float)ready.textureHeight;
  texelTiling = ready.texelTiling;
  if (!textureFits("picture")) {
    width = height = 0;
    return false;
  }
  placed = std::move(ready.placed);
  packed = !placed.empty();
  opaqueBlocks = std::move(ready.blocks);
  blocksAcross = ready.blocksAcross;
  blocksWide = ready.blocksWide;
  blocksHigh = ready.blocksHigh;
  glLoadIdentity();
  glGenTextures(1, &textureName);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  makeCurrent();
  GLint format = sizedFormat ? (useAlpha ? GL_RGBA8 : GL_RGB8) : (useAlpha ? GL_RGBA : GL_RGB);
  glTexImage2D(target, 0, format, (GLsizei)ready.textureWidth, (GLsizei)ready.textureHeight, 0, GL_RGBA,
               GL_UNSIGNED_BYTE, ready.pixels);
  contentId = newContent();
  setTextureQuality(quality);
  applyParams(quality);
  return true;
}

bool KGLTexture::makePictureFromArray(uint32_t *pixels, long w, long h, bool sizedFormat, bool swapBytes) {
  if (!pixels || w <= 0 || h <= 0) return false;
  freePicture();
  long count = w * h;
  if (swapBytes)
    for (long i = 0; i < count; ++i) pixels[i] = (uint32_t)KMiscTools::flipUnsignedLong(pixels[i]);
  if (colorKeyOn) {
    uint32_t key = (uint32_t)keyRed + (uint32_t)keyGreen * 256u + (uint32_t)keyBlue * 65536u;
    for (long i = 0; i < count; ++i)
      if ((pixels[i] & 0xFFFFFFu) == key) pixels[i] = 0;
  }
  pixelArray = pixels;
  opaqueBlocks.clear();
  flushDrawing();
  glLoadIdentity();
  glFlush();
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  width = (float)w;
  height = (float)h;
  chooseStorage(w, h);
  if (!textureFits("array picture")) {
    width = height = 0;
    pixelArray = nullptr;
    return false;
  }
  glLoadIdentity();
  glGenTextures(1, &textureName);
  makeCurrent();
  GLint format = sizedFormat ? GL_RGBA8 : GL_RGBA;
  if ((long)textureWidth == w && (long)textureHeight == h) {
    glTexImage2D(target, 0, format, (GLsizei)w, (GLsizei)h, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  } else {
    glTexImage2D(target, 0, format, (GLsizei)textureWidth, (GLsizei)textureHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 nullptr);
    glTexSubImage2D(target, 0, 0, 0, (GLsizei)w, (GLsizei)h, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  }
  contentId = newContent();
  setTextureQuality(_graphicQuality != 0);
  wrapAllowed = false;
  applyParams(_graphicQuality != 0);
  delete[] staging;
  staging = nullptr;
  return true;
}

void KGLTexture::pollArray() {
  if (!pixelArray) return;
  flushDrawing();
  glLoadIdentity();
  makeCurrent();
  glTexSubImage2D(target, 0, 0, 0, (GLsizei)width, (GLsizei)height, GL_RGBA, GL_UNSIGNED_BYTE, pixelArray);
  contentId = newContent();
}

bool KGLTexture::grabScreen(bool back, void (*callback)(long, long, long *, long *, long *)) {
  long sw = screenWidth, sh = screenHeight;
  if (sw <= 0 || sh <= 0) return false;
  flushDrawing();
  freePicture();
  opaqueBlocks.clear();
  width = (float)sw;
  height = (float)sh;
  chooseStorage(sw, sh);
  long tw = (long)textureWidth, th = (long)textureHeight;
  unsigned char *copy = new (std::nothrow) unsigned char[(size_t)sw * (size_t)sh * 4];
  unsigned char *buffer = new (std::nothrow) unsigned char[(size_t)tw * (size_t)th * 4]();
  if (!copy || !buffer || !textureFits("screen copy")) {
    delete[] copy;
    delete[] buffer;
    width = height = 0;
    return false;
  }
  glReadBuffer(back ? GL_BACK : GL_FRONT);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, (GLsizei)sw, (GLsizei)sh, GL_RGBA, GL_UNSIGNED_BYTE, copy);
  for (long y = 0; y < sh; ++y) {
    const unsigned char *src = copy + (sh - 1 - y) * sw * 4;
    unsigned char *dst = buffer + y * tw * 4;
    for (long x = 0; x < sw; ++x) {
      long r = src[x * 4], g = src[x * 4 + 1], b = src[x * 4 + 2];
      if (back && callback) {
        callback(x, y, &r, &g, &b);
        r = r < 0 ? 0 : (r > 255 ? 255 : r);
        g = g < 0 ? 0 : (g > 255 ? 255 : g);
        b = b < 0 ? 0 : (b > 255 ? 255 : b);
      }
      dst[x * 4] = (unsigned char)r;
      dst[x * 4 + 1] = (unsigned char)g;
      dst[x * 4 + 2] = (unsigned char)b;
    }
  }
  glLoadIdentity();
  glGenTextures(1, &textureName);
  makeCurrent();
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(target, 0, GL_RGB, (GLsizei)tw, (GLsizei)th, 0, GL_RGBA, GL_UNSIGNED_BYTE, buffer);
  contentId = newContent();
  wrapAllowed = false;
  // A fresh 2-D texture would wait for mipmaps; filter as a rectangle texture does by default.
  filterLinear = true;
  applyParams(true);
  delete[] copy;
  delete[] buffer;
  if (!back) glReadBuffer(GL_BACK);
  return true;
}

bool KGLTexture::grabBackBuffer(void (*callback)(long, long, long *, long *, long *)) {
  return grabScreen(true, callback);
}

bool KGLTexture::grabFrontBuffer() { return grabScreen(false, nullptr); }

void KGLTexture::freePicture() {
  if (width > 0) {
    if (std::shared_ptr<KDrawList> list = drawing_.lock()) list->textureGone(textureName);
    glDeleteTextures(1, &textureName);
    opaqueBlocks.clear();
    placed.clear();
    packed = false;
    // GL hands the name out again; the cache must not believe it is still bound.
    if ((int)textureName == _oldBindedText) _oldBindedText = -1;
    textureName = 0;
    width = 0;
    height = 0;
  }
}


// Each quad carries its filter to GL when it is sent.
void KGLTexture::setTextureQuality(bool linear) {
  quality = linear;
  filterLinear = linear;
}

void KGLTexture::setColorKey(bool on, unsigned char red, unsigned char green, unsigned char blue) {
  colorKeyOn = on;
  keyRed = red;
  keyGreen = green;
  keyBlue = blue;
}

void KGLTexture::allowTextureWrap(bool allow) { wrapAllowed = allow; }

void KGLTexture::selectTexture() {
  flushDrawing();
  if (g_hasRectangle) glDisable(GL_TEXTURE_RECTANGLE_EXT);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, textureName);
  stateUnknown();
  _oldBindedText = (int)textureName;
}

void KGLTexture::setRegions(const std::vector<KRegion> &parts) { regions = parts; }

bool KGLTexture::sameRegions(const std::vector<KRegion> &a, const std::vector<KRegion> &b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].x != b[i].x || a[i].y != b[i].y || a[i].w != b[i].w || a[i].h != b[i].h) return false;
  return true;
}


const KPlacedRegion *KGLTexture::regionOf(float x1, float y1, float x2, float y2) const {
  const float left = std::min(x1, x2), right = std::max(x1, x2), top = std::min(y1, y2), bottom = std::max(y1, y2);
  for (const KPlacedRegion &p : placed) {
    const KRegion &r = p.from;
    if (left >= r.x && top >= r.y && right <= r.x + r.w && bottom <= r.y + r.h) return &p;
  }
  return nullptr;
}

// What a packed texture keeps of the source rectangle, moved to where it keeps it; the cut-off
// parts were transparent. (ox, oy) is how far the kept part's corner lies from the quad's, along
// the quad's own x and down its y. False when nothing of it shows or no region holds it.
bool KGLTexture::toTexture(float &x1, float &y1, float &x2, float &y2, bool flipH, bool flipV, float &ox,
                           float &oy) const {
  ox = oy = 0;
  if (!packed) return true;
  const KPlacedRegion *p = regionOf(x1, y1, x2, y2);
  if (!p) return false;
  const KRegion &k = p->kept;
  const float nx1 = std::max(x1, (float)k.x), ny1 = std::max(y1, (float)k.y);
  const float nx2 = std::min(x2, (float)(k.x + k.w)), ny2 = std::min(y2, (float)(k.y + k.h));
  if (nx2 <= nx1 || ny2 <= ny1) return false;
  ox = flipH ? x2 - nx2 : nx1 - x1;
  oy = flipV ? y2 - ny2 : ny1 - y1;
  const float dx = (float)(p->x - k.x), dy = (float)(p->y - k.y);
  x1 = nx1 + dx;
  x2 = nx2 + dx;
  y1 = ny1 + dy;
  y2 = ny2 + dy;
  return true;
}
