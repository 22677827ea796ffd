#include "media/ZSprite.h"

#include <cstring>
#include <string>

#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "media/Frame.h"
#include "media/Frameset.h"

ZSprite::ZSprite(char const *name) : x(0), y(0), currentIndex(-1), currentFrameset(nullptr) {
  copyName(this->name, name);
}

ZSprite::ZSprite(ZSprite const &other) : x(0), y(0), currentIndex(-1), currentFrameset(nullptr) {
  framesets.reserve(other.framesets.size());
  for (Frameset *f : other.framesets) framesets.push_back(new Frameset(*f));
  copyName(name, other.name);
  if (other.currentIndex >= 0 && (size_t)other.currentIndex < framesets.size()) {
    currentIndex = other.currentIndex;
    currentFrameset = framesets[(size_t)currentIndex];
  }
}

ZSprite::~ZSprite() {
  CLogger::instance()->log(std::string("Deleting ZSprite ") + name);
  for (Frameset *f : framesets) delete f;
  framesets.clear();
}

void ZSprite::pridejFrameset(Frameset *frameset) {
  framesets.push_back(frameset);
  currentIndex = 0;
  currentFrameset = framesets[0];
}

void ZSprite::nastavFrameset(int i) {
  unsigned int u = (unsigned int)i;
  if (u >= framesets.size()) return;
  currentIndex = (int32_t)u;
  currentFrameset = framesets[u];
  currentFrameset->nastavFrame(0);
}

// Asking again for the animation that already runs changes nothing, so behaviours may ask every update.
void ZSprite::nastavFrameset(char const *wanted) {
  if (framesets.empty()) return;
  if (wanted) {
    for (size_t i = 0; i < framesets.size(); ++i) {
      if (std::strcmp(framesets[i]->getID(), wanted) != 0) continue;
      if (framesets[i] == currentFrameset) return;
      currentIndex = (int32_t)i;
      currentFrameset = framesets[i];
      currentFrameset->nastavFrame(0);
      return;
    }
  }
  currentIndex = 0;
  currentFrameset = framesets[0];
  CLogger::instance()->log(std::string("Warning: frameset ") + (wanted ? wanted : "") + " not found in ZSprite " +
                           name + " !");
}

void ZSprite::step() {
  if (currentIndex != -1) currentFrameset->step();
}

void ZSprite::put(KGraphic *g, float zoom, short right, short bottom, short left, short top) {
  if (currentIndex == -1) return;
  currentFrameset->putFrame(g, x, y, zoom, right, bottom, left, top);
}

void ZSprite::putVyrez(KGraphic *g, short right, short bottom, short left, short top) {
  if (currentIndex == -1) return;
  currentFrameset->putFrameVyrez(g, x, y, right, bottom, left, top);
}

void ZSprite::putAlpha(KGraphic *g, float alpha, float zoom, short right, short bottom, short left, short top) {
  if (currentIndex == -1) return;
  currentFrameset->putFrameAlpha(g, x, y, alpha, 1.0f, 1.0f, 1.0f, zoom, right, bottom, left, top);
}

void ZSprite::putWithColor(KGraphic *g, float red, float green, float blue, float zoom, short right, short bottom,
                           short left, short top, float alpha) {
  if (currentIndex == -1) return;
  currentFrameset->putFrameAlpha(g, x, y, alpha, red, green, blue, zoom, right, bottom, left, top);
}

void ZSprite::collectSurfaces(std::vector<unsigned int> &out) const {
  for (const Frameset *f : framesets) out.push_back(f->getSurfaceIndex());
}

unsigned int ZSprite::getPozadi(KGraphic *) const {
  return currentFrameset ? currentFrameset->getAktivniVyska() : 0;
}

float ZSprite::getAngle() const { return currentFrameset ? currentFrameset->getAngle() : 0.0f; }

void ZSprite::setAngle(float a) {
  for (Frameset *f : framesets) f->setAngle(a);
}

// Rotation speeds are given per 20 ms of frame time.
void ZSprite::changeAngle(float d) { setAngle(getAngle() + d * CGlobals::instance()->deltaFactor); }
