#include "media/Frameset.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/KMiscTools.h"
#include "media/CRandom.h"
#include "media/CSurface.h"
#include "media/Frame.h"
#include "media/Rect.h"
#include "media/Timer.h"

Frameset::Frameset(char const *src, char const *name, bool repeat, bool hiKvalita, bool smooth, bool holdInMemory,
                   bool realTime)
    : realTime(realTime), surfaceIndex(0), currentIndex(-1), angle(0.0f), speedFactor(1.0f), animationOn(false),
      repeat(repeat), timer(nullptr), currentFrame(nullptr) {
  copyName(this->name, name);
  std::string path = std::string("data\\gfx\\") + (src ? src : "");
  surfaceIndex = (uint32_t)CSurfaceManager::instance()->nahrajSurface(KMiscTools::makeFilePath(path.c_str()),
                                                                       hiKvalita, smooth, holdInMemory);
  timer = new Timer(1, realTime);
}

Frameset::Frameset(Frameset const &other)
    : realTime(other.realTime), surfaceIndex(other.surfaceIndex), currentIndex(-1), angle(other.angle),
      speedFactor(other.speedFactor), animationOn(other.animationOn), repeat(other.repeat),
      timer(new Timer(1, other.realTime)), currentFrame(nullptr) {
  frames.reserve(other.frames.size());
  for (Frame *f : other.frames) frames.push_back(new Frame(*f));
  copyName(name, other.name);
  if (!frames.empty()) select(0);
}

Frameset::~Frameset() {
  for (Frame *f : frames) delete f;
  frames.clear();
  delete timer;
}

void Frameset::select(int index) {
  currentIndex = index;
  currentFrame = (index >= 0 && (size_t)index < frames.size()) ? frames[(size_t)index] : nullptr;
}

void Frameset::pridejFrame(Frame *frame) {
  frames.push_back(frame);
  if (CSurface *s = CSurfaceManager::instance()->getSurface(surfaceIndex))
    s->addRegion((int)frame->getX(), (int)frame->getY(), (int)frame->getSirka(), (int)frame->getVyska());
  select(0);
}

void Frameset::nastavFrame(int i) {
  if (frames.empty()) return;
  unsigned int u = (unsigned int)i;
  select(u >= frames.size() ? (int)frames.size() - 1 : (int)u);
  timer->reset();
}

void Frameset::nastavFrame(int i, unsigned int start) {
  if (frames.empty()) return;
  unsigned int u = (unsigned int)i;
  select(u >= frames.size() ? (int)frames.size() - 1 : (int)u);
  timer->reset((int)start);
}

int Frameset::nastavFrame(char const *name) {
  if (name) {
    for (size_t i = 0; i < frames.size(); ++i) {
      if (std::strcmp(frames[i]->getID(), name) == 0) {
        nastavFrame((int)i);
        return (int)i;
      }
    }
  }
  select(-1);
  return -1;
}

void Frameset::nastavNahodnouFrame() {
  if (frames.empty()) return;
  select((int)((unsigned int)CRandom::draw() % (unsigned int)frames.size()));
}

bool Frameset::frameInc(bool wrap) {
  if (frames.empty()) return false;
  int n = (int)frames.size();
  int i = currentIndex + 1;
  bool result = false;
  if (i >= n) {
    if (wrap) {
      i = 0;
    } else {
      i = n - 1;
      result = true;
    }
  }
  select(i);
  return result;
}

bool Frameset::frameDec(bool wrap) {
  if (frames.empty()) return false;
  int i = currentIndex - 1;
  bool result = false;
  if (i < 0) {
    if (wrap) {
      i = (int)frames.size() - 1;
      result = true;
    } else {
      i = 0;
    }
  }
  select(i);
  return result;
}

void Frameset::pretocit() {
  if (frames.empty()) return;
  select(0);
}

unsigned int Frameset::getAktivniSirka() const { return currentFrame ? currentFrame->getSirka() : 0; }

unsigned int Frameset::getAktivniVyska() const { return currentFrame ? currentFrame->getVyska() : 0; }

CSurface *Frameset::getMySurface() const { return CSurfaceManager::instance()->getSurface(surfaceIndex); }

void Frameset::step() {
  if (!animationOn || !currentFrame) return;
  float period = (float)currentFrame->getPauza() * speedFactor;
  // The period is compared as unsigned; a delay past the 32-bit range simply never ends.
  uint32_t ms = period <= 0.0f ? 0u : period >= 4294967295.0f ? 0xFFFFFFFFu : (uint32_t)period;
  timer->nastavSpoustec((int)ms);
  if (!timer->udalost()) return;
  timer->reset();
  int i = currentIndex + 1;
  if (i >= (int)frames.size()) {
    if (!repeat) animationOn = false;
    i = 0;
  }
  select(i);
}

bool Frameset::place(unsigned int x, unsigned int y, short right, short bottom, short left, short top, Rect &src,
                     Rect &dest) const {
  if (!currentFrame) return false;
  int32_t l = left == -1 ? 0 : left;
  int32_t t = top == -1 ? 0 : top;
  int32_t r = right == -1 ? (int32_t)currentFrame->getSirka() : right;
  int32_t b = bottom == -1 ? (int32_t)currentFrame->getVyska() : bottom;
  // Unsigned sums: positions stored from negative floats wrap back to negative coordinates.
  src.x = (int32_t)(currentFrame->getX() + (uint32_t)l);
  src.y = (int32_t)(currentFrame->getY() + (uint32_t)t);
  src.w = (int32_t)((uint32_t)r - (uint32_t)l);
  src.h = (int32_t)((uint32_t)b - (uint32_t)t);
  dest.x = (int32_t)(x + (uint32_t)l);
  dest.y = (int32_t)(y + (uint32_t)t);
  dest.w = src.w;
  dest.h = src.h;
  return true;
}

void Frameset::putFrame(KGraphic *g, unsigned int x, unsigned int y, float zoom, short right, short bottom,
                        short left, short top) {
  Rect src, dest;
  if (!place(x, y, right, bottom, left, top, src, dest)) return;
  CSurfaceManager::instance()->blitSurfaceFx(surfaceIndex, &src, g, &dest, angle, zoom);
}

void Frameset::putFrameVyrez(KGraphic *g, unsigned int x, unsigned int y, short right, short bottom, short left,
                             short top) {
  Rect src, dest;
  if (!place(x, y, right, bottom, left, top, src, dest)) return;
  CSurfaceManager::instance()->blitSurfaceFx(surfaceIndex, &src, g, &dest, angle, 1.0f);
}

void Frameset::putFrameAlpha(KGraphic *g, unsigned int x, unsigned int y, float alpha, float red, float green,
                             float blue, float zoom, short right, short bottom, short left, short top) {
  Rect src, dest;
  if (!place(x, y, right, bottom, left, top, src, dest)) return;
  CSurfaceManager::instance()->blitSurfaceAlphaFx(surfaceIndex, &src, g, &dest, alpha, angle, red, green, blue,
                                                  zoom);
}
