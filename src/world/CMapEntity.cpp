#include "world/CMapEntity.h"

#include <algorithm>
#include <cmath>

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
#include "world/kinds/EntityIds.h"

uint32_t kolizniCheck = 0;
int32_t CMapEntity::activated = 0;

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

bool byLayer(const CMapEntity *a, const CMapEntity *b) { return a->getSortZ() < b->getSortZ(); }

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

CMapEntity::Links &CMapEntity::links() {
  static Links l;
  return l;
}

CMapEntity::CMapEntity(float x, float y, bool solid) : CMapEntity(x, y, solid, 0) {}

CMapEntity::CMapEntity(float x, float y, bool solid, unsigned char tag)
    : CMapEntity(x, y, solid, tag, "FRAMESET_USE", "FRAMESET1", "FRAMESET_DEATH") {}

CMapEntity::CMapEntity(float x, float y, bool solid, unsigned char tag, std::string use, std::string normal,
                       std::string death)
    : health(100), speedX(0), speedY(0), tag(tag), active(false), visible(true), synchronize(true),
      mouseClick(false), mouseDrag(false), oldX(x), oldY(y), zoom(1.0f), kill(false), hasController(0),
      drawOnTop(false), alpha(-1.0f), red(1.0f), green(1.0f), blue(1.0f), entityID(0), classID(0), lastFrame(0),
      clip{-1, -1, -1, -1}, x(x), y(y), sortZ(0), walkPenalty(0), useFrameset(std::move(use)),
      normalFrameset(std::move(normal)), deathFrameset(std::move(death)), solid(solid), isUsing(false),
      pulseDelta(0), pulseOver(false), flashDone(false), flashRising(true), integrateZoom(1.4f), integrateAlpha(0),
      pulseShrinking(false), pulseCount(0), useOnCollision(false), focus(true), focusable(true), flash(0),
      controller(nullptr), xOffset(0), yOffset(0), sprite(nullptr), parent(nullptr), topCarrier(nullptr),
      containedLimit(10), noCollision(0) {
  contained.push_back(this);
  setFocus(true);
  setFocusable(true);
}

// A copy is a fresh entity of the same kind: it carries nothing, has no behaviour, no exported
// variables and no collisions, and starts with its alpha unset.
CMapEntity::CMapEntity(const CMapEntity &o)
    : name(o.name), health(o.health), speedX(o.speedX), speedY(o.speedY), tag(o.tag), active(false),
      visible(o.visible), synchronize(o.synchronize), mouseClick(o.mouseClick), mouseDrag(o.mouseDrag),
      oldX(o.oldX), oldY(o.oldY), zoom(o.zoom), kill(false), hasController(0), drawOnTop(o.drawOnTop),
      alpha(-1.0f), red(o.red), green(o.green), blue(o.blue), entityID(o.entityID), classID(o.classID),
      lastFrame(0), clip{o.clip[0], o.clip[1], o.clip[2], o.clip[3]}, x(o.x), y(o.y), sortZ(o.sortZ),
      walkPenalty(o.walkPenalty), useFrameset(o.useFrameset), normalFrameset(o.normalFrameset),
      deathFrameset(o.deathFrameset), solid(o.solid), isUsing(o.isUsing), pulseDelta(o.pulseDelta),
      pulseOver(o.pulseOver), flashDone(o.flashDone), flashRising(o.flashRising), integrateZoom(o.integrateZoom),
      integrateAlpha(o.integrateAlpha), pulseShrinking(o.pulseShrinking), pulseCount(o.pulseCount),
      useOnCollision(o.useOnCollision), focus(o.focus), focusable(o.focusable), flash(o.flash),
      controller(nullptr), xOffset(0), yOffset(0), sprite(o.sprite ? new ZSprite(*o.sprite) : nullptr),
      parent(nullptr), topCarrier(nullptr), containedLimit(o.containedLimit), noCollision(o.noCollision) {
  contained.push_back(this);
  containedCopiesUpdate();
}

CMapEntity::~CMapEntity() {
  delete sprite;
  sprite = nullptr;
  if (CGlobals_instance) CGlobals_instance->entityAdded = true;
  logLine("ENTITY DESTRUCTOR(", name, ")");
  logLine("ENTITY DESTRUCTOR: Trying to remove from fronta akci");
  if (links().removeQueuedActions) links().removeQueuedActions(this);
  logLine("ENTITY DESTRUCTOR: Trying to remove entity from controller");
  if (controller && links().unbindController) links().unbindController(controller);
  controller = nullptr;
  // Deleted directly while still carried: the carrier must not keep a dangling element.
  if (parent) parent->detach(this);
  logLine("ENTITY DESTRUCTOR: Trying to remove contained entities");
  std::vector<CMapEntity *> carried(contained.begin() + 1, contained.end());
  contained.resize(1);
  drawList.clear();
  for (CMapEntity *e : carried) {
    e->parent = nullptr;
    delete e;
  }
  logLine("ENTITY DESTRUCTOR: Exiting");
}

void CMapEntity::useMethod() {}
void CMapEntity::deadMethod() {}
void CMapEntity::renderAdditional(KGraphic *) {}
void CMapEntity::animateAdditional() {}

void CMapEntity::collectPictures(std::vector<unsigned int> &out) const {
  if (sprite) sprite->collectSurfaces(out);
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->collectPictures(out);
}
void CMapEntity::reactToCollisionsSpecific(CMapEntity *) {}
void CMapEntity::virtualDestructor() {}
void CMapEntity::doAction() {}

CMapEntity *CMapEntity::clone() { return new CMapEntity(*this); }

void CMapEntity::damage(short amount) {
  int v = (int)health - (int)amount;
  if (v < 0) v = 0;
  // Healing past the field's range would wrap round to a near-dead entity.
  if (v > 0xFFFF) v = 0xFFFF;
  health = (uint16_t)v;
}

void CMapEntity::setWalkPenalty(unsigned short penalty) {
  walkPenalty = penalty;
  logLine("setting penalty for ", name, ": ", penalty);
}

// ---- drawing

void CMapEntity::update(KGraphic *g) {
  if (!visible) return;
  if (drawList.empty()) {
    if (parent) return;
    drawOwn(this, g);
    return;
  }
  // By index and re-read each step: an extra drawn by renderAdditional may change the list.
  for (size_t i = 0; i < drawList.size(); ++i) {
    CMapEntity *e = drawList[i];
    if (e == this) {
      drawOwn(this, g);
      continue;
    }
    if (!e->visible) continue;
    if (e->drawList.size() < 2)
      drawOwn(e, g);
    else
      e->update(g);
  }
}

void CMapEntity::animate() {
  if (health == 0) deadMethod();
  if (!visible) return;
  if (drawList.empty()) {
    if (!parent) animateOwn();
    return;
  }
  for (size_t i = 0; i < drawList.size(); ++i) {
    CMapEntity *e = drawList[i];
    if (e == this) {
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
void CMapEntity::animateOwn() {
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

void CMapEntity::render(KGraphic *g) {
  if (!sprite) return;
  Frameset *fs = sprite->getAktivniFrameset();
  sprite->x = toSpriteCoordinate(x);
  sprite->y = toSpriteCoordinate(y);
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

// ---- position

void CMapEntity::setXY(float nx, float ny) {
  oldX = nx;
  oldY = ny;
  if (parent) {
    x = parent->x + xOffset;
    y = parent->y + yOffset;
  } else {
    x = nx;
    y = ny;
  }
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->setXY(nx, ny);
  kolizniCheck = 1;
}

void CMapEntity::changeX(float dx) {
  if (health != 0) {
    oldX = x;
    x += dx * frameFactor();
  }
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->changeX(dx);
  kolizniCheck = 1;
}

void CMapEntity::changeY(float dy) {
  if (health != 0) {
    oldY = y;
    y += dy * frameFactor();
  }
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->changeY(dy);
  kolizniCheck = 1;
}

void CMapEntity::setXOffset(float offset, bool recurse) {
  xOffset = offset;
  if (!parent) return;
  x = parent->x + offset;
  if (recurse)
    for (size_t i = 1; i < contained.size(); ++i) contained[i]->setXOffset(offset, true);
}

void CMapEntity::setYOffset(float offset, bool recurse) {
  yOffset = offset;
  if (!parent) return;
  y = parent->y + offset;
  if (recurse)
    for (size_t i = 1; i < contained.size(); ++i) contained[i]->setYOffset(offset, true);
}

// ---- zoom, alpha, tint, clip

void CMapEntity::setZoom(float z) {
  zoom = z < 0.0f ? 0.0f : z;
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->setZoom(zoom);
}

void CMapEntity::setAlpha(float a, bool recurse) {
  alpha = a;
  if (!recurse) return;
  // Highlight auras and the two signal lights keep their own alpha when their carrier fades.
  for (size_t i = 1; i < contained.size(); ++i) {
    CMapEntity *e = contained[i];
    if (e->classID == kHighlightClass || e->entityID == kRedLightID || e->entityID == kGreenLightID) continue;
    e->setAlpha(a, true);
  }
}

void CMapEntity::changeAlpha(float d, bool recurse) {
  alpha += d * frameFactor();
  if (alpha < 0.0f) alpha = 0.0f;
  if (alpha > 1.0f) alpha = 1.0f;
  if (!recurse) return;
  for (size_t i = 1; i < contained.size(); ++i)
    if (contained[i]->classID != kHighlightClass) contained[i]->changeAlpha(d, true);
}

void CMapEntity::setRGB(float r, float g, float b, bool recurse) {
  red = r;
  green = g;
  blue = b;
  if (!recurse) return;
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->setRGB(r, g, b, true);
}

void CMapEntity::setVyrez(short a, short b, short c, short d) {
  clip[0] = a;
  clip[1] = b;
  clip[2] = c;
  clip[3] = d;
}

void CMapEntity::setVyrezPercent(short a, short b, short c, short d) {
  Frame *f = getCurrentFrame();
  if (a != -1 && f) clip[0] = percentOf(f->getSirka(), a);
  if (b != -1 && f) clip[1] = percentOf(f->getVyska(), b);
  if (c != -1) clip[2] = c;
  if (d != -1) clip[3] = d;
}

// ---- sorting

void CMapEntity::setSortZ(int z, bool recurse) {
  sortZ = z;
  if (!recurse) return;
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->setSortZ(z + 1, true);
}

void CMapEntity::changeSortY(int delta) {
  Frame *f = getCurrentFrame();
  if (f) f->setSortY(f->getSortY() + delta);
}

int CMapEntity::getSortY() const {
  Frame *f = getCurrentFrame();
  return f ? f->getSortY() : 0;
}

// ---- sprite, framesets, frames

Frame *CMapEntity::getCurrentFrame() const {
  if (!sprite) return nullptr;
  Frameset *fs = sprite->getAktivniFrameset();
  return fs ? fs->getAktivniFrame() : nullptr;
}

void CMapEntity::addEntityZSprite(std::string spriteName) {
  delete sprite;
  sprite = nullptr;
  logLine("Changing sprite to ", spriteName);
  if (!spriteFactory) {
    logLine("Cannot create ZSprite copy, ZSprite ", spriteName, " not found!");
    fatalError("Cannot create ZSprite copy, ZSprite " + spriteName + " not found!", -1);
  }
  sprite = spriteFactory->cloneSprite(spriteName.c_str());
}

void CMapEntity::changeFrameset(std::string framesetName) {
  logLine("CHanging frameset to: ", framesetName);
  if (sprite) sprite->nastavFrameset(framesetName.c_str());
  for (size_t i = 1; i < contained.size(); ++i)
    if (contained[i]->synchronize) contained[i]->changeFrameset(framesetName);
}

void CMapEntity::synchronizeFramesets() {
  Frameset *fs = sprite ? sprite->getAktivniFrameset() : nullptr;
  if (fs) changeFrameset(fs->getID());
}

void CMapEntity::changeFrame(unsigned short frame, unsigned int startTime) {
  Frameset *fs = sprite ? sprite->getAktivniFrameset() : nullptr;
  if (fs) fs->nastavFrame((int)frame, startTime ? startTime : CFakeTime::instance()->ms);
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->changeFrame(frame, startTime);
}

void CMapEntity::synchronizeFrames(short frame) {
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

bool CMapEntity::frameInc(bool wrap) {
  Frameset *fs = sprite ? sprite->getAktivniFrameset() : nullptr;
  if (fs) fs->frameInc(wrap);
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->frameInc(wrap);
  return true;
}

bool CMapEntity::frameDec(bool wrap) {
  Frameset *fs = sprite ? sprite->getAktivniFrameset() : nullptr;
  bool result = fs ? fs->frameDec(wrap) : false;
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->frameDec(wrap);
  return result;
}

void CMapEntity::zapniAnimace() {
  Frameset *fs = sprite ? sprite->getAktivniFrameset() : nullptr;
  if (fs) fs->zapniAnimace();
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->zapniAnimace();
}

void CMapEntity::vypniAnimace() {
  Frameset *fs = sprite ? sprite->getAktivniFrameset() : nullptr;
  if (fs) fs->vypniAnimace();
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->vypniAnimace();
}

void CMapEntity::use() {
  Frameset *fs = sprite ? sprite->getAktivniFrameset() : nullptr;
  if (fs) {
    if (useFrameset == fs->getID())
      sprite->nastavFrameset(normalFrameset.c_str());
    else
      sprite->nastavFrameset(useFrameset.c_str());
  }
  useMethod();
}

// ---- health, kill, focus

void CMapEntity::setKill(bool k) {
  kill = k;
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->killTree();
}

void CMapEntity::killTree() {
  kill = true;
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->killTree();
}

void CMapEntity::setFocus(bool f) {
  focus = f;
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->setFocus(f);
}

// ---- exported variables

void CMapEntity::exportVariable(std::string varName, int type, void *pointer) {
  logLine("Exporting variable: ", varName, ", pointer ", pointer);
  variables.emplace_back(std::move(varName), type, pointer);
}

void CMapEntity::setVariable(std::string varName, std::string value) {
  logLine("Trying setVariable, size:", variables.size());
  for (const TVariable &v : variables) {
    if (v.name != varName) continue;
    v.assign(value);
    logLine("setVariable - setting exported variable ", varName, " to:", value);
  }
}

// ---- carrying

bool CMapEntity::canCarry(const CMapEntity *e) const {
  if (!e) return false;
  for (const CMapEntity *c = this; c; c = c->parent)
    if (c == e) return false;
  return true;
}

bool CMapEntity::carries(const CMapEntity *e) const {
  for (size_t i = 1; i < contained.size(); ++i)
    if (contained[i] == e || contained[i]->carries(e)) return true;
  return false;
}

void CMapEntity::collectCarried(std::vector<CMapEntity *> &out) const {
  for (size_t i = 1; i < contained.size(); ++i) {
    out.push_back(contained[i]);
    contained[i]->collectCarried(out);
  }
}

bool CMapEntity::detach(CMapEntity *e) {
  for (size_t i = 1; i < contained.size(); ++i) {
    if (contained[i] != e) continue;
    contained.erase(contained.begin() + (long)i);
    containedCopiesUpdate();
    return true;
  }
  return false;
}

void CMapEntity::setTopCarrierTree(CMapEntity *top) {
  for (size_t i = 1; i < contained.size(); ++i) {
    contained[i]->topCarrier = top;
    contained[i]->setTopCarrierTree(top);
  }
}

bool CMapEntity::containedFull() { return contained.size() > containedLimit; }

CMapEntity *CMapEntity::getContainedEntity(unsigned short id) {
  CMapEntity *found = nullptr;
  for (CMapEntity *e : contained)
    if (e->entityID == (uint32_t)id) found = e;
  return found;
}

CMapEntity *CMapEntity::getContainedEntityClass(unsigned short cls) {
  CMapEntity *found = nullptr;
  for (CMapEntity *e : contained)
    if (e->classID == (uint32_t)cls) found = e;
  return found;
}

void CMapEntity::syncWithParentPosition() {
  if (parent) {
    x = parent->x + xOffset;
    y = parent->y + yOffset;
  }
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->syncWithParentPosition();
}

// The limit is the caller's to check. An entity has one carrier at a time: one that another
// carrier still holds leaves that carrier first, and a carrier never ends up carrying itself.
void CMapEntity::addEntity(CMapEntity *e, bool toCollection, bool syncFrames) {
  if (!canCarry(e)) {
    logLine("Refusing to carry ", e ? e->name.c_str() : "nothing", " in ", name);
    return;
  }
  if (e->parent) e->parent->detach(e);
  CGlobals::instance()->entityAdded = true;
  logLine("Adding entity ", e->name, ", xOffset: ", e->xOffset, " yOffset: ", e->yOffset, ", x: ", e->x, " y: ",
          e->y);
  e->parent = this;
  e->topCarrier = topCarrier ? topCarrier : this;
  e->setTopCarrierTree(e->topCarrier);
  e->setSortZ(sortZ + 1, true);
  // Whatever a dying carrier takes on dies with it, so the kill pass can still empty it.
  if (kill) e->killTree();
  contained.push_back(e);
  e->syncWithParentPosition();
  if (synchronize && e->synchronize && syncFrames) {
    synchronizeFramesets();
    synchronizeFrames(-1);
  }
  logLine("Pozice po sync = x: ", e->x, " y: ", e->y);
  if (toCollection && links().addToLevel) links().addToLevel(e);
  containedCopiesUpdate();
}

CMapEntity *CMapEntity::addEntity(std::string prototypeName) {
  CMapEntity *e = links().clonePrototype ? links().clonePrototype(prototypeName) : nullptr;
  if (!e) {
    logLine("Entity ", prototypeName, "not found in global entity object while cloning!");
    fatalError("Entity " + prototypeName + "not found in global entity object while cloning!", -1);
  }
  addEntity(e, true, true);
  // A carrier of its own kind may have passed the entity on; then it is no longer ours to place.
  if (e->parent != this) return e;
  e->topCarrier = topCarrier ? topCarrier : this;
  e->setXOffset(0, false);
  e->setYOffset(0, false);
  e->setSortZ(sortZ + 1, false);
  if (synchronize && e->synchronize) {
    synchronizeFramesets();
    synchronizeFrames(-1);
  }
  return e;
}

void CMapEntity::removeEntity(CMapEntity *e) {
  if (!e || e == this) return;
  if (!detach(e)) return;
  e->parent = nullptr;
  e->topCarrier = nullptr;
  delete e;
}

void CMapEntity::removeEntity(unsigned short id) { removeContainedWith(&CMapEntity::entityID, id); }

void CMapEntity::removeEntityClass(unsigned short cls) { removeContainedWith(&CMapEntity::classID, cls); }

void CMapEntity::removeContainedWith(uint32_t CMapEntity::*field, uint32_t value) {
  for (size_t i = 1; i < contained.size();) {
    CMapEntity *e = contained[i];
    if (e->*field != value) {
      ++i;
      continue;
    }
    contained.erase(contained.begin() + (long)i);
    e->parent = nullptr;
    delete e;
    containedCopiesUpdate();
  }
}

// Every way of letting go clears the entity's carrier links: a dropped entity that kept them
// would point at a carrier that may be deleted long before it.
bool CMapEntity::dropEntity(CMapEntity *e) {
  if (!e) return false;
  logLine("Trying to drop ", e->name);
  for (size_t i = 1; i < contained.size(); ++i) {
    if (contained[i] != e) continue;
    e->topCarrier = nullptr;
    e->parent = nullptr;
    e->setTopCarrierTree(e);
    logLine("Dropping ", e->name);
    contained.erase(contained.begin() + (long)i);
    containedCopiesUpdate();
    return true;
  }
  return false;
}

CMapEntity *CMapEntity::releaseAt(size_t i) {
  CMapEntity *e = contained[i];
  e->topCarrier = nullptr;
  e->parent = nullptr;
  e->setTopCarrierTree(e);
  e->setXOffset(0, false);
  e->setYOffset(0, false);
  e->changeFrameset("FRAMESET1");
  contained.erase(contained.begin() + (long)i);
  logLine("Dropping ", e->name);
  return e;
}

CMapEntity *CMapEntity::dropEntity(unsigned short id) {
  CMapEntity *last = nullptr;
  for (size_t i = 1; i < contained.size();) {
    if (contained[i]->entityID == (uint32_t)id)
      last = releaseAt(i);
    else
      ++i;
  }
  containedCopiesUpdate();
  return last;
}

CMapEntity *CMapEntity::dropEntity(std::string entityName) {
  CMapEntity *last = nullptr;
  for (size_t i = 1; i < contained.size();) {
    CMapEntity *e = contained[i];
    if (e->name != entityName) {
      ++i;
      continue;
    }
    contained.erase(contained.begin() + (long)i);
    e->parent = nullptr;
    e->topCarrier = nullptr;
    e->setTopCarrierTree(e);
    last = e;
  }
  containedCopiesUpdate();
  return last;
}

// Index 0 is the entity itself and is never let go.
CMapEntity *CMapEntity::dropEntityByIndex(unsigned short i) {
  if (i == 0 || i >= contained.size()) return nullptr;
  CMapEntity *e = contained[i];
  contained.erase(contained.begin() + i);
  e->parent = nullptr;
  e->topCarrier = nullptr;
  e->setTopCarrierTree(e);
  containedCopiesUpdate();
  return e;
}

// Hands over the last carried entity with this ID; others with the same ID stay carried. A
// forced hand-over to a full target first takes the target's first entity in exchange, but only
// once it is sure there is something to give.
bool CMapEntity::giveEntityTo(CMapEntity *target, unsigned short id, bool force) {
  if (!target) return false;
  size_t at = 0;
  for (size_t i = 1; i < contained.size(); ++i)
    if (contained[i]->entityID == (uint32_t)id) at = i;
  if (at == 0 || !target->canCarry(contained[at])) return false;
  if (target->containedFull()) {
    if (!force) return false;
    CMapEntity *item = contained[at];
    target->giveFirstEntityTo(this);
    // The exchange appended to our list; the item itself may still have moved.
    at = 0;
    for (size_t i = 1; i < contained.size(); ++i)
      if (contained[i] == item) at = i;
    if (at == 0) return false;
  }
  CMapEntity *e = releaseAt(at);
  containedCopiesUpdate();
  target->addEntity(e, false, true);
  return true;
}

bool CMapEntity::giveEntityTo(CMapEntity *target, CMapEntity *e, bool syncFrames) {
  if (!target || target->containedFull()) return false;
  if (!target->canCarry(e)) return false;
  if (!dropEntity(e)) return false;
  target->addEntity(e, false, syncFrames);
  return true;
}

bool CMapEntity::giveFirstEntityTo(CMapEntity *target) {
  if (!target || contained.size() < 2) return false;
  if (!target->canCarry(contained[1])) return false;
  CMapEntity *e = dropEntityByIndex(1);
  target->addEntity(e, false, true);
  return true;
}

void CMapEntity::containedCopiesUpdate() {
  drawList.assign(contained.begin(), contained.end());
  std::sort(drawList.begin(), drawList.end(), byLayer);
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->containedCopiesUpdate();
  logLine("Updating contained copies..");
}

// ---- effects

void CMapEntity::effectPulse(float amount, int count) {
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

void CMapEntity::effectFinishPulse() {
  setZoom(1.0f);
  pulseCount = 0;
  pulseDelta = 0;
}

// Stepped by the frame time itself (per 20 ms), not by the delta factor.
void CMapEntity::effectFlash(float speed, float maximum, bool recurse) {
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

void CMapEntity::resetFlash() {
  flashRising = true;
  flashDone = false;
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->resetFlash();
}

// The alpha climbs 2.5 times as fast as the zoom falls, so both settle together from 1.4.
void CMapEntity::effectIntegrate(float speed) {
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

void CMapEntity::effectIntegrateReset() {
  integrateZoom = 1.4f;
  integrateAlpha = 0;
}

// ---- collision lists

namespace {

template <class T> void addOnce(std::vector<T> &list, T value) {
  if (std::find(list.begin(), list.end(), value) == list.end()) list.push_back(value);
}

CMapEntity *lastWithID(const std::vector<CMapEntity *> &list, unsigned short id) {
  CMapEntity *found = nullptr;
  for (CMapEntity *e : list)
    if (e->getEntityID() == (uint32_t)id) found = e;
  return found;
}

CMapEntity *lastWithClass(const std::vector<CMapEntity *> &list, unsigned short cls) {
  CMapEntity *found = nullptr;
  for (CMapEntity *e : list)
    if (e->getEntityClassID() == (uint32_t)cls) found = e;
  return found;
}

void eraseAll(std::vector<CMapEntity *> &list, CMapEntity *e) { list.erase(std::remove(list.begin(), list.end(), e), list.end()); }

} // namespace

void CMapEntity::addEntityCollision(CMapEntity *e) { addOnce(collided, e); }
void CMapEntity::addEntityActionCollision(CMapEntity *e) { addOnce(actionCollided, e); }
void CMapEntity::addTileCollision(unsigned short cell) { addOnce(collidedTiles, cell); }

void CMapEntity::removeCollisions() {
  collided.clear();
  collidedTiles.clear();
}

void CMapEntity::removeActionCollisions() { actionCollided.clear(); }

void CMapEntity::deleteFromCollisionList(CMapEntity *e) {
  for (CMapEntity *c : contained) eraseAll(c->collided, e);
}

void CMapEntity::deleteFromActionCollisionList(CMapEntity *e) {
  for (CMapEntity *c : contained) eraseAll(c->actionCollided, e);
}

bool CMapEntity::isCollisionWithEntity(CMapEntity *e) const {
  return std::find(collided.begin(), collided.end(), e) != collided.end();
}

CMapEntity *CMapEntity::isCollisionWithEntityID(unsigned short id) const { return lastWithID(collided, id); }

CMapEntity *CMapEntity::isCollisionWithEntityClassID(unsigned short cls) const {
  return lastWithClass(collided, cls);
}

bool CMapEntity::isActionCollisionWithEntity(CMapEntity *e) const {
  return std::find(actionCollided.begin(), actionCollided.end(), e) != actionCollided.end();
}

CMapEntity *CMapEntity::isActionCollisionWithEntityID(unsigned short id) const {
  return lastWithID(actionCollided, id);
}

CMapEntity *CMapEntity::isActionCollisionWithEntityClassID(unsigned short cls) const {
  return lastWithClass(actionCollided, cls);
}

bool CMapEntity::isSomeCollidedSolid() const {
  for (CMapEntity *e : collided)
    if (e->solid) return true;
  return false;
}

void CMapEntity::reactToCollisions() {
  // By index: a specific reaction may add to or clear the list.
  for (size_t i = 0; i < collided.size(); ++i) {
    CMapEntity *other = collided[i];
    if (other->solid) {
      x = oldX;
      y = oldY;
      for (size_t c = 1; c < contained.size(); ++c) contained[c]->setXY(x, y);
    }
    if (other->isUsing && other->useOnCollision) use();
    reactToCollisionsSpecific(other);
  }
  if (!collidedTiles.empty()) {
    x = oldX;
    y = oldY;
    vypniAnimace();
    for (size_t c = 1; c < contained.size(); ++c) contained[c]->setXY(x, y);
  }
}
