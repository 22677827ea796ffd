#include "world/CEntityLook.h"

#include "engine/KPTK.h"
#include "engine/KWindow.h"
#include "media/CFakeTime.h"
#include "media/CFatal.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "media/CSurface.h"
#include "media/Frame.h"
#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "media/ZSpriteFactory.h"
#include "world/CMapEntity.h"
#include "world/kinds/EntityIds.h"

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

// What one entity draws is one piece of the level's picture.
class Piece {
public:
  explicit Piece(const CMapEntity *e) {
    if (myWindow) myWindow->beginPiece(e);
  }
  ~Piece() {
    if (myWindow) myWindow->endPiece();
  }
  Piece(const Piece &) = delete;
  Piece &operator=(const Piece &) = delete;
};

void drawOwn(CMapEntity *e, KGraphic *g) {
  Piece piece(e);
  if (e->getSprite()) e->render(g);
  e->renderAdditional(g);
}

} // namespace

CEntityLook::CEntityLook(std::string use, std::string normal, std::string death)
    : visible(true), zoom(1.0f), alpha(-1.0f), red(1.0f), green(1.0f), blue(1.0f), lastFrame(0),
      clip{-1, -1, -1, -1}, sortZ(0), useFrameset(std::move(use)), normalFrameset(std::move(normal)),
      deathFrameset(std::move(death)), pulseDelta(0), pulseOver(false), flashDone(false), flashRising(true),
      integrateZoom(1.4f), integrateAlpha(0), pulseShrinking(false), pulseCount(0), flash(0), sprite(nullptr) {}

CEntityLook::CEntityLook(const CEntityLook &o)
    : CEntityCollisions(o), visible(o.visible), zoom(o.zoom), alpha(-1.0f), red(o.red), green(o.green),
      blue(o.blue), lastFrame(0), clip{o.clip[0], o.clip[1], o.clip[2], o.clip[3]}, sortZ(o.sortZ),
      useFrameset(o.useFrameset), normalFrameset(o.normalFrameset), deathFrameset(o.deathFrameset),
      pulseDelta(o.pulseDelta), pulseOver(o.pulseOver), flashDone(o.flashDone), flashRising(o.flashRising),
      integrateZoom(o.integrateZoom), integrateAlpha(o.integrateAlpha), pulseShrinking(o.pulseShrinking),
      pulseCount(o.pulseCount), flash(o.flash), sprite(o.sprite ? new ZSprite(*o.sprite) : nullptr) {}

CEntityLook::~CEntityLook() { delete sprite; }

CMapEntity *CEntityLook::self() { return static_cast<CMapEntity *>(this); }

void CEntityLook::renderAdditional(KGraphic *) {}
void CEntityLook::animateAdditional() {}

void CEntityLook::collectPictures(std::vector<unsigned int> &out) const {
  if (sprite) sprite->collectSurfaces(out);
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->collectPictures(out);
}

void CEntityLook::update(KGraphic *g) {
  if (!visible) return;
  if (drawList.empty()) {
    if (parent) return;
    drawOwn(self(), g);
    return;
  }
  // By index and re-read each step: an extra drawn by renderAdditional may change the list.
  for (size_t i = 0; i < drawList.size(); ++i) {
    CMapEntity *e = drawList[i];
    if (e == self()) {
      drawOwn(self(), g);
      continue;
    }
    if (!e->visible) continue;
    if (e->drawList.size() < 2)
      drawOwn(e, g);
    else
      e->update(g);
  }
}

void CEntityLook::animate() {
  if (self()->health == 0) self()->deadMethod();
  if (!visible) return;
  if (drawList.empty()) {
    if (!parent) animateOwn();
    return;
  }
  for (size_t i = 0; i < drawList.size(); ++i) {
    CMapEntity *e = drawList[i];
    if (e == self()) {
      animateOwn();
    } else if (e->visible) {
      if (e->drawList.size() < 2)
        e->animateOwn();
      else
        e->animate();
    }
  }
}

// What drawing the frame once moved: the carried entities follow a new frame of the carrier,
// the animation steps (again for the flash's second draw of the frame), then the extras.
void CEntityLook::animateOwn() {
  if (sprite) {
    Frameset *fs = sprite->getAktivniFrameset();
    if (fs) {
      uint16_t shown = (uint16_t)fs->getAktivniIndex();
      if (shown != lastFrame) {
        lastFrame = shown;
        synchronizeFrames(-1);
      }
    }
    sprite->step();
    if (flash != 0.0f && fs && fs->getMySurface()) sprite->step();
  }
  animateAdditional();
}

void CEntityLook::render(KGraphic *g) {
  if (!sprite) return;
  Frameset *fs = sprite->getAktivniFrameset();
  sprite->x = toSpriteCoordinate(self()->getX());
  sprite->y = toSpriteCoordinate(self()->getY());
  bool tinted = !(red == 1.0f && green == 1.0f && blue == 1.0f);
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

void CEntityLook::setZoom(float z) {
  zoom = z < 0.0f ? 0.0f : z;
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->setZoom(zoom);
}

void CEntityLook::setAlpha(float a, bool recurse) {
  alpha = a;
  if (!recurse) return;
  // Highlight auras and the two signal lights keep their own alpha when their carrier fades.
  for (size_t i = 1; i < contained.size(); ++i) {
    CMapEntity *e = contained[i];
    const uint32_t id = e->getEntityID();
    if (e->getEntityClassID() == kHighlightClass || id == kRedLightID || id == kGreenLightID) continue;
    e->setAlpha(a, true);
  }
}

void CEntityLook::changeAlpha(float d, bool recurse) {
  alpha += d * frameFactor();
  if (alpha < 0.0f) alpha = 0.0f;
  if (alpha > 1.0f) alpha = 1.0f;
  if (!recurse) return;
  for (size_t i = 1; i < contained.size(); ++i)
    if (contained[i]->getEntityClassID() != kHighlightClass) contained[i]->changeAlpha(d, true);
}

void CEntityLook::setRGB(float r, float g, float b, bool recurse) {
  red = r;
  green = g;
  blue = b;
  if (!recurse) return;
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->setRGB(r, g, b, true);
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

void CEntityLook::setSortZ(int z, bool recurse) {
  sortZ = z;
  if (!recurse) return;
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->setSortZ(z + 1, true);
}

void CEntityLook::changeSortY(int delta) {
  Frame *f = getCurrentFrame();
  if (f) f->setSortY(f->getSortY() + delta);
}

int CEntityLook::getSortY() const {
  Frame *f = getCurrentFrame();
  return f ? f->getSortY() : 0;
}

Frame *CEntityLook::getCurrentFrame() const {
  if (!sprite) return nullptr;
  Frameset *fs = sprite->getAktivniFrameset();
  return fs ? fs->getAktivniFrame() : nullptr;
}

void CEntityLook::addEntityZSprite(std::string spriteName) {
  delete sprite;
  sprite = nullptr;
  logLine("Changing sprite to ", spriteName);
  if (!spriteFactory) {
    logLine("Cannot create ZSprite copy, ZSprite ", spriteName, " not found!");
    fatalError("Cannot create ZSprite copy, ZSprite " + spriteName + " not found!", -1);
  }
  sprite = spriteFactory->cloneSprite(spriteName.c_str());
}

void CEntityLook::changeFrameset(std::string framesetName) {
  logLine("CHanging frameset to: ", framesetName);
  if (sprite) sprite->nastavFrameset(framesetName.c_str());
  for (size_t i = 1; i < contained.size(); ++i)
    if (contained[i]->getSynchronize()) contained[i]->changeFrameset(framesetName);
}

void CEntityLook::synchronizeFramesets() {
  Frameset *fs = sprite ? sprite->getAktivniFrameset() : nullptr;
  if (fs) changeFrameset(fs->getID());
}

void CEntityLook::changeFrame(unsigned short frame, unsigned int startTime) {
  Frameset *fs = sprite ? sprite->getAktivniFrameset() : nullptr;
  if (fs) fs->nastavFrame((int)frame, startTime ? startTime : CFakeTime::instance()->ms);
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->changeFrame(frame, startTime);
}

void CEntityLook::synchronizeFrames(short frame) {
  Frameset *fs = sprite ? sprite->getAktivniFrameset() : nullptr;
  short index = frame;
  if (frame == -1) {
    // Without a frame of its own the carrier has nothing to pass on; the others keep theirs.
    index = fs ? (short)fs->getAktivniIndex() : (short)-1;
  } else if (fs) {
    fs->nastavFrame((int)frame);
  }
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->synchronizeFrames(index);
}

bool CEntityLook::frameInc(bool wrap) {
  Frameset *fs = sprite ? sprite->getAktivniFrameset() : nullptr;
  if (fs) fs->frameInc(wrap);
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->frameInc(wrap);
  return true;
}

bool CEntityLook::frameDec(bool wrap) {
  Frameset *fs = sprite ? sprite->getAktivniFrameset() : nullptr;
  bool result = fs ? fs->frameDec(wrap) : false;
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->frameDec(wrap);
  return result;
}

void CEntityLook::zapniAnimace() {
  Frameset *fs = sprite ? sprite->getAktivniFrameset() : nullptr;
  if (fs) fs->zapniAnimace();
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->zapniAnimace();
}

void CEntityLook::vypniAnimace() {
  Frameset *fs = sprite ? sprite->getAktivniFrameset() : nullptr;
  if (fs) fs->vypniAnimace();
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->vypniAnimace();
}

void CEntityLook::use() {
  Frameset *fs = sprite ? sprite->getAktivniFrameset() : nullptr;
  if (fs) {
    if (useFrameset == fs->getID())
      sprite->nastavFrameset(normalFrameset.c_str());
    else
      sprite->nastavFrameset(useFrameset.c_str());
  }
  self()->useMethod();
}

void CEntityLook::effectPulse(float amount, int count) {
  float f = frameFactor();
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
  }
  if (count != -1 && pulseCount >= count) {
    pulseOver = true;
    setZoom(1.0f);
    pulseDelta = 0;
  }
}

void CEntityLook::effectFinishPulse() {
  setZoom(1.0f);
  pulseCount = 0;
  pulseDelta = 0;
}

// Stepped by the frame time itself (per 20 ms), not by the delta factor.
void CEntityLook::effectFlash(float speed, float maximum, bool recurse) {
  if (flashDone) return;
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
  if (!recurse) return;
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->effectFlash(speed, maximum, true);
}

void CEntityLook::resetFlash() {
  flashRising = true;
  flashDone = false;
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->resetFlash();
}

// The alpha climbs 2.5 times as fast as the zoom falls, so both settle together from 1.4.
void CEntityLook::effectIntegrate(float speed) {
  if (integrateZoom > 1.0f) {
    float s = speed * frameFactor();
    integrateZoom -= s;
    integrateAlpha += s / 0.4f;
  }
  if (integrateZoom < 1.0f) integrateZoom = 1.0f;
  if (integrateAlpha > 1.0f) integrateAlpha = 1.0f;
  setZoom(integrateZoom);
  setAlpha(integrateAlpha, true);
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->effectIntegrate(speed);
}

void CEntityLook::effectIntegrateReset() {
  integrateZoom = 1.4f;
  integrateAlpha = 0;
}

