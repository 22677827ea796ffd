#include "world/CMapEntity.h"

#include "media/CGlobals.h"
#include "media/CLogger.h"

uint32_t kolizniCheck = 0;
int32_t CMapEntity::activated = 0;

namespace {

template <class... Parts> void logLine(const Parts &...parts) { CLogger::instance()->logParts(parts...); }

float frameFactor() { return CGlobals::instance()->deltaFactor; }

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
    : CEntityLook(std::move(use), std::move(normal), std::move(death)), health(100), speedX(0), speedY(0), tag(tag),
      active(false), synchronize(true), mouseClick(false), mouseDrag(false), oldX(x), oldY(y), kill(false),
      hasController(0), drawOnTop(false), entityID(0), classID(0), x(x), y(y), walkPenalty(0), solid(solid),
      isUsing(false), focus(true), focusable(true), controller(nullptr), xOffset(0), yOffset(0) {
  contained.push_back(this);
  setFocus(true);
  setFocusable(true);
}

// A copy is a fresh entity of the same kind: it carries nothing, has no behaviour, no exported
// variables and no collisions, and starts with its alpha unset.
CMapEntity::CMapEntity(const CMapEntity &o)
    : CEntityLook(o), name(o.name), health(o.health), speedX(o.speedX), speedY(o.speedY), tag(o.tag), active(false),
      synchronize(o.synchronize), mouseClick(o.mouseClick), mouseDrag(o.mouseDrag), oldX(o.oldX), oldY(o.oldY),
      kill(false), hasController(0), drawOnTop(o.drawOnTop), entityID(o.entityID), classID(o.classID), x(o.x),
      y(o.y), walkPenalty(o.walkPenalty), solid(o.solid), isUsing(o.isUsing), focus(o.focus),
      focusable(o.focusable), controller(nullptr), xOffset(0), yOffset(0) {
  contained.push_back(this);
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
  if (parent) {
    x = parent->x + xOffset;
    y = parent->y + yOffset;
  }
  for (size_t i = 1; i < contained.size(); ++i) contained[i]->syncWithParentPosition();
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
