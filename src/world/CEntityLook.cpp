#include "world/CEntityLook.h"

#include "media/CFakeTime.h"
#include "media/CFatal.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "media/CSurface.h"
#include "media/Frame.h"
#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"

namespace {

template <class... Parts> void logLine(const Parts &...parts) { CLogger::instance()->logParts(parts...); }

float frameFactor() { return CGlobals::instance()->deltaFactor; }

// Float screen position to the sprite's integer one, truncated toward zero; values no integer
// holds are pinned rather than left to undefined conversion.
uint32_t toSpriteCoordinate(float v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0f) return 0x7FFFFFFFu;
  if (v <= -2147483648.0f) return 0x80000000u;
  return (uint32_t)(int32_t)v;
}

// A share of a frame side as a clip value, truncated toward zero and kept in the clip's range.
short percentOf(unsigned side, short percent) {
  float v = (float)side * (float)percent / 100.0f;
  if (v >= 32767.0f) return 32767;
  if (v <= -32768.0f) return -32768;
  return (short)v;
}

} // namespace

CEntityLook::CEntityLook(std::string use, std::string normal, std::string death)
    : visible(true), zoom(1.0f), alpha(-1.0f), red(1.0f), green(1.0f), blue(1.0f), lastFrame(0), clip{-1, -1, -1, -1},
      sortZ(0), useFrameset(std::move(use)), normalFrameset(std::move(normal)), deathFrameset(std::move(death)),
      pulseDelta(0), pulseOver(false), flashDone(false), flashRising(true), integrateZoom(1.4f), integrateAlpha(0),
      pulseShrinking(false), pulseCount(0), flash(0), sprite(nullptr) {}

CEntityLook::CEntityLook(const CEntityLook &o)
    : visible(o.visible), zoom(o.zoom), alpha(-1.0f), red(o.red), green(o.green), blue(o.blue),
      lastFrame(0), clip{o.clip[0], o.clip[1], o.clip[2], o.clip[3]}, sortZ(o.sortZ), useFrameset(o.useFrameset),
      normalFrameset(o.normalFrameset), deathFrameset(o.deathFrameset), pulseDelta(o.pulseDelta),
      pulseOver(o.pulseOver), flashDone(o.flashDone), flashRising(o.flashRising), integrateZoom(o.integrateZoom),
      integrateAlpha(o.integrateAlpha), pulseShrinking(o.pulseShrinking), pulseCount(o.pulseCount), flash(o.flash),
      sprite(o.sprite ? new ZSprite(*o.sprite) : nullptr) {}

CEntityLook::~CEntityLook() { delete sprite; }

void CEntityLook::collectPictures(std::vector<unsigned int> &out) const {
  if (sprite) sprite->collectSurfaces(out);
}

bool CEntityLook::noteShownFrame() {
  Frameset *fs = getFrameset();
  if (!fs) return false;
  uint16_t shown = (uint16_t)fs->getAktivniIndex();
  if (shown == lastFrame) return false;
  lastFrame = shown;
  return true;
}

// Stepped again for the flash's second draw of the frame.
void CEntityLook::stepSprite() {
  if (!sprite) return;
  Frameset *fs = sprite->getAktivniFrameset();
  sprite->step();
  if (flash != 0.0f && fs && fs->getMySurface()) sprite->step();
}

void CEntityLook::render(KGraphic *g, float x, float y) {
  if (!sprite) return;
  Frameset *fs = sprite->getAktivniFrameset();
  sprite->x = toSpriteCoordinate(x);
  sprite->y = toSpriteCoordinate(y);
  bool tinted = !(red == 1.0f && green == 1.0f && blue == 1.0f);
  const float zoom = held ? heldZoom : this->zoom, alpha = held ? heldAlpha : this->alpha;
  if (alpha == -1.0f) {
    if (tinted)
      sprite->putWithColor(g, red, green, blue, zoom, clip[0], clip[1], clip[2], clip[3], 1.0f);
    else
      sprite->put(g, zoom, clip[0], clip[1], clip[2], clip[3]);
  } else {
    if (tinted)
      sprite->putWithColor(g, red, green, blue, zoom, clip[0], clip[1], clip[2], clip[3], alpha);
    else
      sprite->putAlpha(g, alpha, zoom, clip[0], clip[1], clip[2], clip[3]);
  }
  if (flash != 0.0f && fs) {
    CSurface *surface = fs->getMySurface();
    if (surface) {
      surface->setAlphaMode(4);
      sprite->putAlpha(g, flash, zoom, clip[0], clip[1], clip[2], clip[3]);
      surface->setAlphaMode(1);
    }
  }
}

void CEntityLook::changeAlpha(float d) {
  alpha += d * frameFactor();
  if (alpha < 0.0f) alpha = 0.0f;
  if (alpha > 1.0f) alpha = 1.0f;
}

void CEntityLook::holdDrawn(bool shown) {
  held = true;
  heldZoom = zoom;
  heldAlpha = shown ? alpha : 0.0f;
}

void CEntityLook::setRGB(float r, float g, float b) {
  red = r;
  green = g;
  blue = b;
}

void CEntityLook::setVyrez(short a, short b, short c, short d) {
  clip[0] = a;
  clip[1] = b;
  clip[2] = c;
  clip[3] = d;
}

void CEntityLook::setVyrezPercent(short a, short b, short c, short d) {
  Frame *f = getCurrentFrame();
  if (a != -1 && f) clip[0] = percentOf(f->getSirka(), a);
  if (b != -1 && f) clip[1] = percentOf(f->getVyska(), b);
  if (c != -1) clip[2] = c;
  if (d != -1) clip[3] = d;
}

void CEntityLook::changeSortY(int delta) {
  Frame *f = getCurrentFrame();
  if (f) f->setSortY(f->getSortY() + delta);
}

int CEntityLook::getSortY() const {
  Frame *f = getCurrentFrame();
  return f ? f->getSortY() : 0;
}

Frameset *CEntityLook::getFrameset() const { return sprite ? sprite->getAktivniFrameset() : nullptr; }

Frame *CEntityLook::getCurrentFrame() const {
  Frameset *fs = getFrameset();
  return fs ? fs->getAktivniFrame() : nullptr;
}

void CEntityLook::setSprite(const std::string &spriteName) {
  delete sprite;
  sprite = nullptr;
  logLine("Changing sprite to ", spriteName);
  if (!spriteFactory) {
    logLine("Cannot create ZSprite copy, ZSprite ", spriteName, " not found!");
    fatalError("Cannot create ZSprite copy, ZSprite " + spriteName + " not found!", -1);
  }
  sprite = spriteFactory->cloneSprite(spriteName.c_str());
}

void CEntityLook::changeFrameset(const std::string &framesetName) {
  logLine("CHanging frameset to: ", framesetName);
  if (sprite) sprite->nastavFrameset(framesetName.c_str());
}

void CEntityLook::changeFrame(unsigned short frame, unsigned int startTime) {
  Frameset *fs = getFrameset();
  if (fs) fs->nastavFrame((int)frame, startTime ? startTime : CFakeTime::instance()->ms);
}

short CEntityLook::synchronizeFrame(short frame) {
  Frameset *fs = getFrameset();
  // Without a frame of its own the look has nothing to pass on; the others keep theirs.
  if (frame == -1) return fs ? (short)fs->getAktivniIndex() : (short)-1;
  if (fs) fs->nastavFrame((int)frame);
  return frame;
}

void CEntityLook::frameInc(bool wrap) {
  Frameset *fs = getFrameset();
  if (fs) fs->frameInc(wrap);
}

bool CEntityLook::frameDec(bool wrap) {
  Frameset *fs = getFrameset();
  return fs ? fs->frameDec(wrap) : false;
}

void CEntityLook::zapniAnimace() {
  Frameset *fs = getFrameset();
  if (fs) fs->zapniAnimace();
}

void CEntityLook::vypniAnimace() {
  Frameset *fs = getFrameset();
  if (fs) fs->vypniAnimace();
}

void CEntityLook::toggleUseFrameset() {
  Frameset *fs = getFrameset();
  if (!fs) return;
  if (useFrameset == fs->getID())
    sprite->nastavFrameset(normalFrameset.c_str());
  else
    sprite->nastavFrameset(useFrameset.c_str());
}

bool CEntityLook::effectPulse(float amount, int count) {
  float f = frameFactor();
  bool zoomed = false;
  if (pulseCount <= count || count == -1) {
    // The pulse follows its own size: whoever sets the zoom between two frames (the hearts bar
    // is set back to 1 whenever a mood is shown) must not keep it swelling without end.
    const float pulsed = 1.0f + pulseDelta;
    if (pulsed >= 1.0f + amount) pulseShrinking = true;
    if (pulsed < 1.0f) {
      ++pulseCount;
      pulseShrinking = false;
    }
    pulseDelta += pulseShrinking ? -0.05f * f : 0.05f * f;
    setZoom(1.0f + pulseDelta);
    zoomed = true;
  }
  if (count != -1 && pulseCount >= count) {
    pulseOver = true;
    setZoom(1.0f);
    pulseDelta = 0;
    zoomed = true;
  }
  return zoomed;
}

void CEntityLook::effectFinishPulse() {
  setZoom(1.0f);
  pulseCount = 0;
  pulseDelta = 0;
}

// Stepped by the frame time itself (per 20 ms), not by the delta factor.
bool CEntityLook::effectFlash(float speed, float maximum) {
  if (flashDone) return false;
  float step = speed * CGlobals::instance()->averageFrameMs / 20.0f;
  flash += flashRising ? step : -step;
  if (flash > maximum) {
    flash = maximum;
    flashRising = false;
  }
  if (flash < 0.0f) {
    flash = 0.0f;
    flashDone = true;
    flashRising = true;
  }
  return true;
}

void CEntityLook::resetFlash() {
  flashRising = true;
  flashDone = false;
}

void CEntityLook::endFlash() {
  flash = 0.0f;
  flashRising = true;
  flashDone = true;
}

// The alpha climbs 2.5 times as fast as the zoom falls, so both settle together from 1.4; the
// entity then shows both.
void CEntityLook::effectIntegrate(float speed) {
  if (integrateZoom > 1.0f) {
    float s = speed * frameFactor();
    integrateZoom -= s;
    integrateAlpha += s / 0.4f;
  }
  if (integrateZoom < 1.0f) integrateZoom = 1.0f;
  if (integrateAlpha > 1.0f) integrateAlpha = 1.0f;
}

void CEntityLook::effectIntegrateReset() {
  integrateZoom = 1.4f;
  integrateAlpha = 0;
}
