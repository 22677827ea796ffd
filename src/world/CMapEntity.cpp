#include "world/CMapEntity.h"

#include "engine/KPTK.h"
#include "engine/KWindow.h"
#include "media/CFatal.h"
#include "media/CGlobals.h"
#include "media/CLogger.h"
#include "media/Frameset.h"
#include "world/kinds/EntityIds.h"

uint32_t kolizniCheck = 0;
int32_t CMapEntity::activated = 0;
uint64_t CMapEntity::nextSerial = 1;

namespace {

template <class... Parts> void logLine(const Parts &...parts) { CLogger::instance()->logParts(parts...); }

float frameFactor() { return CGlobals::instance()->deltaFactor; }

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
  if (e->looks().getSprite()) e->render(g);
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
    : health(100), speedX(0), speedY(0), tag(tag), active(false), synchronize(true), mouseClick(false),
      mouseDrag(false), oldX(x), oldY(y), kill(false), hasController(0), drawOnTop(false), entityID(0), classID(0),
      x(x), y(y), walkPenalty(0), solid(solid), isUsing(false), focus(true), focusable(true), controller(nullptr),
      xOffset(0), yOffset(0), serial(nextSerial++), carrier(this),
      look(std::move(use), std::move(normal), std::move(death)) {
  setFocus(true);
  setFocusable(true);
}

// A copy is a fresh entity of the same kind: it carries nothing, has no behaviour, no exported
// variables and no collisions, and starts with its alpha unset.
CMapEntity::CMapEntity(const CMapEntity &o)
    : name(o.name), health(o.health), speedX(o.speedX), speedY(o.speedY), tag(o.tag), active(false),
      synchronize(o.synchronize), mouseClick(o.mouseClick), mouseDrag(o.mouseDrag), oldX(o.oldX), oldY(o.oldY),
      kill(false), hasController(0), drawOnTop(o.drawOnTop), entityID(o.entityID), classID(o.classID), x(o.x), y(o.y),
      walkPenalty(o.walkPenalty), solid(o.solid), isUsing(o.isUsing), focus(o.focus), focusable(o.focusable),
      controller(nullptr), xOffset(0), yOffset(0), serial(nextSerial++), carrier(this, o.carrier),
      collisions(o.collisions), look(o.look) {
  containedCopiesUpdate();
}

CMapEntity::~CMapEntity() {
  if (CGlobals_instance) CGlobals_instance->entityAdded = true;
  logLine("ENTITY DESTRUCTOR(", name, ")");
  logLine("ENTITY DESTRUCTOR: Trying to remove from fronta akci");
  if (links().removeQueuedActions) links().removeQueuedActions(this);
  logLine("ENTITY DESTRUCTOR: Trying to remove entity from controller");
  if (controller && links().unbindController) links().unbindController(controller);
  controller = nullptr;
  logLine("ENTITY DESTRUCTOR: Trying to remove contained entities");
  carrier.dissolve();
  logLine("ENTITY DESTRUCTOR: Exiting");
}

void CMapEntity::useMethod() {}
void CMapEntity::deadMethod() {}

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

void CMapEntity::setXY(float nx, float ny) {
  oldX = nx;
  oldY = ny;
  if (CMapEntity *parent = carrier.getParent()) {
    x = parent->x + xOffset;
    y = parent->y + yOffset;
  } else {
    x = nx;
    y = ny;
  }
  eachCarried([&](CMapEntity *e) { e->setXY(nx, ny); });
  kolizniCheck = 1;
}

void CMapEntity::changeX(float dx) {
  if (health != 0) {
    oldX = x;
    x += dx * frameFactor();
  }
  eachCarried([&](CMapEntity *e) { e->changeX(dx); });
  kolizniCheck = 1;
}

void CMapEntity::changeY(float dy) {
  if (health != 0) {
    oldY = y;
    y += dy * frameFactor();
  }
  eachCarried([&](CMapEntity *e) { e->changeY(dy); });
  kolizniCheck = 1;
}

void CMapEntity::setXOffset(float offset, bool recurse) {
  xOffset = offset;
  CMapEntity *parent = carrier.getParent();
  if (!parent) return;
  x = parent->x + offset;
  if (recurse) eachCarried([&](CMapEntity *e) { e->setXOffset(offset, true); });
}

void CMapEntity::setYOffset(float offset, bool recurse) {
  yOffset = offset;
  CMapEntity *parent = carrier.getParent();
  if (!parent) return;
  y = parent->y + offset;
  if (recurse) eachCarried([&](CMapEntity *e) { e->setYOffset(offset, true); });
}

void CMapEntity::setKill(bool k) {
  kill = k;
  eachCarried([&](CMapEntity *e) { e->killTree(); });
}

void CMapEntity::killTree() {
  kill = true;
  eachCarried([&](CMapEntity *e) { e->killTree(); });
}

void CMapEntity::setFocus(bool f) {
  focus = f;
  eachCarried([&](CMapEntity *e) { e->setFocus(f); });
}

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

void CMapEntity::syncWithParentPosition() {
  if (CMapEntity *parent = carrier.getParent()) {
    x = parent->x + xOffset;
    y = parent->y + yOffset;
  }
  eachCarried([&](CMapEntity *e) { e->syncWithParentPosition(); });
}

void CMapEntity::reactToCollisions() {
  // By index: a specific reaction may add to or clear the list.
  const std::vector<CMapEntity *> &collided = collisions.getCollided();
  for (size_t i = 0; i < collided.size(); ++i) {
    CMapEntity *other = collided[i];
    if (other->solid) {
      x = oldX;
      y = oldY;
      eachCarried([&](CMapEntity *e) { e->setXY(x, y); });
    }
    if (other->isUsing && other->collisions.getUseOnCollision()) use();
  }
  if (collisions.hasTileCollisions()) {
    x = oldX;
    y = oldY;
    vypniAnimace();
    eachCarried([&](CMapEntity *e) { e->setXY(x, y); });
  }
}

bool CMapEntity::containedFull() { return carrier.full(); }
void CMapEntity::removeEntity(CMapEntity *e) { carrier.remove(e); }
CMapEntity *CMapEntity::getContainedEntity(unsigned short id) { return carrier.find(id); }
CMapEntity *CMapEntity::getContainedEntityClass(unsigned short cls) { return carrier.findClass(cls); }
bool CMapEntity::giveEntityTo(CMapEntity *target, unsigned short id, bool force) {
  return carrier.give(target, id, force);
}
bool CMapEntity::giveEntityTo(CMapEntity *target, CMapEntity *e, bool syncFrames) {
  return carrier.give(target, e, syncFrames);
}
bool CMapEntity::giveFirstEntityTo(CMapEntity *target) { return carrier.giveFirst(target); }

// A carried entity draws one layer above its carrier, and whatever a dying carrier takes on
// dies with it, so the kill pass can still empty it.
void CMapEntity::addEntity(CMapEntity *e, bool toCollection, bool syncFrames) {
  if (!carrier.canCarry(e)) {
    logLine("Refusing to carry ", e ? e->name.c_str() : "nothing", " in ", name);
    return;
  }
  CGlobals::instance()->entityAdded = true;
  logLine("Adding entity ", e->name, ", xOffset: ", e->getXOffset(), " yOffset: ", e->getYOffset(), ", x: ", e->getX(),
          " y: ", e->getY());
  carrier.attach(e);
  e->setSortZ(look.getSortZ() + 1, true);
  if (kill) e->setKill(true);
  e->syncWithParentPosition();
  if (synchronize && e->getSynchronize() && syncFrames) {
    synchronizeFramesets();
    synchronizeFrames(-1);
  }
  logLine("Pozice po sync = x: ", e->getX(), " y: ", e->getY());
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
  if (e->carrying().getParent() != this) return e;
  e->setXOffset(0, false);
  e->setYOffset(0, false);
  e->setSortZ(look.getSortZ() + 1, false);
  if (synchronize && e->getSynchronize()) {
    synchronizeFramesets();
    synchronizeFrames(-1);
  }
  return e;
}

// Only the entity and what it carries directly.
void CMapEntity::deleteFromCollisionList(CMapEntity *e) {
  for (CMapEntity *c : carrier.getContainedList()) c->collisions.forget(e);
}

void CMapEntity::deleteFromActionCollisionList(CMapEntity *e) {
  for (CMapEntity *c : carrier.getContainedList()) c->collisions.forgetAction(e);
}

void CMapEntity::renderAdditional(KGraphic *) {}
void CMapEntity::animateAdditional() {}

void CMapEntity::collectPictures(std::vector<unsigned int> &out) const {
  look.collectPictures(out);
  eachCarried([&](CMapEntity *e) { e->collectPictures(out); });
}

void CMapEntity::update(KGraphic *g) {
  if (!look.getVisible()) return;
  const std::vector<CMapEntity *> &drawList = carrier.getDrawList();
  if (drawList.empty()) {
    if (carrier.getParent()) return;
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
    if (!e->looks().getVisible()) continue;
    if (e->carrier.getDrawList().size() < 2)
      drawOwn(e, g);
    else
      e->update(g);
  }
}

void CMapEntity::animate() {
  if (health == 0) deadMethod();
  if (!look.getVisible()) return;
  const std::vector<CMapEntity *> &drawList = carrier.getDrawList();
  if (drawList.empty()) {
    if (!carrier.getParent()) animateOwn();
    return;
  }
  for (size_t i = 0; i < drawList.size(); ++i) {
    CMapEntity *e = drawList[i];
    if (e == this) {
      animateOwn();
    } else if (e->looks().getVisible()) {
      if (e->carrier.getDrawList().size() < 2)
        e->animateOwn();
      else
        e->animate();
    }
  }
}

// What drawing the frame once moved: the carried entities follow a new frame of the carrier,
// the animation steps, then the extras.
void CMapEntity::animateOwn() {
  if (look.noteShownFrame()) synchronizeFrames(-1);
  look.stepSprite();
  animateAdditional();
}

void CMapEntity::setZoom(float z) {
  look.setZoom(z);
  eachCarried([&](CMapEntity *e) { e->setZoom(look.getZoom()); });
}

// Highlight auras and the two signal lights keep their own alpha when their carrier fades.
void CMapEntity::setAlpha(float a, bool recurse) {
  look.setAlpha(a);
  if (!recurse) return;
  eachCarried([&](CMapEntity *e) {
    const uint32_t id = e->getEntityID();
    if (e->getEntityClassID() == kHighlightClass || id == kRedLightID || id == kGreenLightID) return;
    e->setAlpha(a, true);
  });
}

void CMapEntity::changeAlpha(float d, bool recurse) {
  look.changeAlpha(d);
  if (!recurse) return;
  eachCarried([&](CMapEntity *e) {
    if (e->getEntityClassID() != kHighlightClass) e->changeAlpha(d, true);
  });
}

void CMapEntity::setRGB(float r, float g, float b, bool recurse) {
  look.setRGB(r, g, b);
  if (recurse) eachCarried([&](CMapEntity *e) { e->setRGB(r, g, b, true); });
}

void CMapEntity::setSortZ(int z, bool recurse) {
  look.setSortZ(z);
  if (recurse) eachCarried([&](CMapEntity *e) { e->setSortZ(z + 1, true); });
}

void CMapEntity::changeFrameset(std::string framesetName) {
  look.changeFrameset(framesetName);
  eachCarried([&](CMapEntity *e) {
    if (e->getSynchronize()) e->changeFrameset(framesetName);
  });
}

void CMapEntity::synchronizeFramesets() {
  if (Frameset *fs = look.getFrameset()) changeFrameset(fs->getID());
}

void CMapEntity::changeFrame(unsigned short frame, unsigned int startTime) {
  look.changeFrame(frame, startTime);
  eachCarried([&](CMapEntity *e) { e->changeFrame(frame, startTime); });
}

void CMapEntity::synchronizeFrames(short frame) {
  const short index = look.synchronizeFrame(frame);
  eachCarried([&](CMapEntity *e) { e->synchronizeFrames(index); });
}

bool CMapEntity::frameInc(bool wrap) {
  look.frameInc(wrap);
  eachCarried([&](CMapEntity *e) { e->frameInc(wrap); });
  return true;
}

bool CMapEntity::frameDec(bool wrap) {
  const bool result = look.frameDec(wrap);
  eachCarried([&](CMapEntity *e) { e->frameDec(wrap); });
  return result;
}

void CMapEntity::zapniAnimace() {
  look.zapniAnimace();
  eachCarried([&](CMapEntity *e) { e->zapniAnimace(); });
}

void CMapEntity::vypniAnimace() {
  look.vypniAnimace();
  eachCarried([&](CMapEntity *e) { e->vypniAnimace(); });
}

void CMapEntity::use() {
  look.toggleUseFrameset();
  useMethod();
}

void CMapEntity::effectPulse(float amount, int count) {
  if (look.effectPulse(amount, count)) setZoom(look.getZoom());
}

void CMapEntity::effectFinishPulse() {
  look.effectFinishPulse();
  setZoom(1.0f);
}

void CMapEntity::effectFlash(float speed, float maximum, bool recurse) {
  if (!look.effectFlash(speed, maximum) || !recurse) return;
  eachCarried([&](CMapEntity *e) { e->effectFlash(speed, maximum, true); });
}

void CMapEntity::resetFlash() {
  look.resetFlash();
  eachCarried([&](CMapEntity *e) { e->resetFlash(); });
}

void CMapEntity::endFlash() {
  look.endFlash();
  eachCarried([&](CMapEntity *e) { e->endFlash(); });
}

void CMapEntity::effectIntegrate(float speed) {
  look.effectIntegrate(speed);
  setZoom(look.getIntegrateZoom());
  setAlpha(look.getIntegrateAlpha(), true);
  eachCarried([&](CMapEntity *e) { e->effectIntegrate(speed); });
}
