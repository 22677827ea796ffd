#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "world/CEntityCarrier.h"
#include "world/CEntityCollisions.h"
#include "world/CEntityLook.h"
#include "world/TVariable.h"

class CEntityController;
class KGraphic;

// Set by every position change; the level runs the collision pass while it is up and clears it.
extern uint32_t kolizniCheck;

// Root of everything on the playfield: identity, position, health, focus and kill flags,
// exported variables and the bound behaviour. Its parts: what it carries (CEntityCarrier), what
// it touched (CEntityCollisions) and how it looks (CEntityLook). The entity passes what it does
// to its look on to what it carries.
class CMapEntity {
public:
  // The entity's ties to what sits above it (the running level, the prototype registry, the
  // action queue, behaviours), installed by those at start-up. Unset links do nothing, except
  // that cloning by name without a registry ends the process like an unknown name does.
  struct Links {
    // Appends a newly carried entity to the running level's collection.
    void (*addToLevel)(CMapEntity *e) = nullptr;
    // A new clone of the named prototype; ends the process when no prototype has the name.
    CMapEntity *(*clonePrototype)(const std::string &name) = nullptr;
    // Destructor: drops the entity's queued actions from the running level's action queue.
    void (*removeQueuedActions)(CMapEntity *e) = nullptr;
    // Destructor: the entity's behaviour loses its entity (the behaviour list then deletes it).
    void (*unbindController)(CEntityController *c) = nullptr;
  };
  static Links &links();

  // Set while a click of the current event has activated an entity; the behaviour list clears it.
  static int32_t activated;

  CMapEntity(float x, float y, bool solid);
  CMapEntity(float x, float y, bool solid, unsigned char tag);
  CMapEntity(float x, float y, bool solid, unsigned char tag, std::string use, std::string normal, std::string death);
  CMapEntity(const CMapEntity &other);
  CMapEntity &operator=(const CMapEntity &) = delete;

  virtual void useMethod();
  virtual void deadMethod();
  virtual void syncWithParentPosition();
  void damage(short amount);
  virtual CMapEntity *clone();
  virtual ~CMapEntity();

  // The entity's parts: what it carries (CEntityCarrier), what it touched (CEntityCollisions)
  // and how it looks (CEntityLook). Callers read them, and set a part's own settings, there.
  // Every change of what it carries, and every change the entity passes on to what it carries,
  // is the entity's: the parts keep those to it.
  const CEntityCarrier &carrying() const { return carrier; }
  CEntityCollisions &hits() { return collisions; }
  const CEntityCollisions &hits() const { return collisions; }
  CEntityLook &looks() { return look; }
  const CEntityLook &looks() const { return look; }

  // Carrying. The contained list holds the entity itself at index 0 and the carried entities
  // after it; "recursive" operations walk it from index 1, and each carried entity passes them
  // on, so every depth is reached exactly once. The draw list is the contained list in layer
  // order.
  virtual bool containedFull();
  // The limit is the caller's to check. An entity has one carrier at a time, and a carrier
  // never ends up carrying itself.
  virtual void addEntity(CMapEntity *e, bool toCollection, bool syncFrames);
  virtual void removeEntity(CMapEntity *e);
  virtual CMapEntity *getContainedEntity(unsigned short id);
  virtual CMapEntity *getContainedEntityClass(unsigned short cls);
  virtual bool giveEntityTo(CMapEntity *target, unsigned short id, bool force);
  virtual bool giveEntityTo(CMapEntity *target, CMapEntity *e, bool syncFrames);
  virtual bool giveFirstEntityTo(CMapEntity *target);
  virtual CMapEntity *addEntity(std::string name);
  bool dropEntity(CMapEntity *e) { return carrier.drop(e); }
  CMapEntity *dropEntity(unsigned short id) { return carrier.drop(id); }
  CMapEntity *dropEntity(std::string name) { return carrier.drop(name); }
  CMapEntity *dropEntityByIndex(unsigned short i) { return carrier.dropByIndex(i); }
  void removeEntity(unsigned short id) { carrier.removeWith(&CMapEntity::getEntityID, id); }
  void removeEntityClass(unsigned short cls) { carrier.removeWith(&CMapEntity::getEntityClassID, cls); }
  void containedCopiesUpdate() { carrier.refreshDrawList(); }
  void setContainedLimit(unsigned short limit) { carrier.setContainedLimit(limit); }

  // Forgets e in this entity's collision lists and in those of what it carries directly.
  void deleteFromCollisionList(CMapEntity *e);
  void deleteFromActionCollisionList(CMapEntity *e);

  // The look, passed on to what the entity carries where it says so.
  virtual void setAlpha(float a, bool recurse);
  virtual void renderAdditional(KGraphic *g);
  // Once a frame from the level's update, for what the entity shows that moves by itself
  // (pulses, overlays that follow the body); drawing only reads it.
  virtual void animateAdditional();
  virtual void changeFrameset(std::string name);
  virtual void zapniAnimace();
  // Every picture the entity and what it carries may show in play (all framesets, overlays,
  // sprites it changes into), as surface handles appended to out.
  virtual void collectPictures(std::vector<unsigned int> &out) const;

  // Drawing. update() is what the level calls for every entity without a parent; carried
  // entities draw through their carrier, interleaved with it by sortZ. Drawing changes nothing.
  void update(KGraphic *g);
  void render(KGraphic *g) { look.render(g, x, y); }
  // The frame's step of what is drawn, in the order update(g) draws it: every visible entity's
  // animation moves on and carried entities follow their carrier's frame.
  void animate();

  void setZoom(float z);
  void changeAlpha(float d, bool recurse);
  void setRGB(float r, float g, float b, bool recurse);

  // Drawing order: the layer, and within it y plus the current frame's sort offset.
  void setSortZ(int z, bool recurse);

  void synchronizeFramesets();
  void changeFrame(unsigned short frame, unsigned int startTime);
  void synchronizeFrames(short frame);
  bool frameInc(bool wrap);
  bool frameDec(bool wrap);
  void vypniAnimace();
  void use();

  // Effects, one call per frame from the behaviour.
  void effectPulse(float amount, int count);
  void effectFinishPulse();
  void effectFlash(float speed, float maximum, bool recurse);
  void resetFlash();
  void endFlash();
  void effectIntegrate(float speed);

  // Position.
  void setXY(float x, float y);
  void changeX(float dx);
  void changeY(float dy);
  void setXOffset(float offset, bool recurse);
  void setYOffset(float offset, bool recurse);
  float getX() const { return x; }
  float getY() const { return y; }
  float getOldX() const { return oldX; }
  float getOldY() const { return oldY; }
  float getXOffset() const { return xOffset; }
  float getYOffset() const { return yOffset; }
  float getDrawKeyY() const { return y + (float)look.getSortY(); }

  // Health, kill, focus.
  void setKill(bool k);
  bool getKill() const { return kill; }
  void setFocus(bool f);
  bool getFocus() const { return focus; }
  bool getFocusable() const { return focusable; }
  void setFocusable(bool f) { focusable = f; }

  // Exported variables.
  void exportVariable(std::string name, int type, void *pointer);
  void setVariable(std::string name, std::string value);
  const std::vector<TVariable> &getExportedVariables() const { return variables; }

  // Solid entities and tiles it ran into put it back where it was; then the kind's own reaction.
  void reactToCollisions();

  // Identity and plain flags. The serial is the entity's own, given once at its making (a copy
  // gets a new one) and never reused: what is kept across frames is kept by it (TEntityRef).
  uint64_t getSerial() const { return serial; }
  uint32_t getEntityID() const { return entityID; }
  void setEntityID(unsigned int id) { entityID = id; }
  uint32_t getEntityClassID() const { return classID; }
  void setEntityClassID(unsigned int cls) { classID = cls; }
  bool getAktivni() const { return active; }
  void setAktivni(bool a) { active = a; }
  bool getSynchronize() const { return synchronize; }
  void setSynchronize(bool s) { synchronize = s; }
  bool getMouseClick() const { return mouseClick; }
  void setMouseClick(bool m) { mouseClick = m; }
  bool getMouseDrag() const { return mouseDrag; }
  void setMouseDrag(bool m) { mouseDrag = m; }
  bool getDrawOnTop() const { return drawOnTop; }
  void setDrawOnTop(bool d) { drawOnTop = d; }
  bool getSolid() const { return solid; }
  bool getIsUsing() const { return isUsing; }
  void setIsUsing(bool u) { isUsing = u; }
  unsigned short getWalkPenalty() const { return walkPenalty; }
  void setWalkPenalty(unsigned short penalty);
  unsigned short getHealth() const { return health; }
  void setHealth(unsigned short h) { health = h; }

  // The bound behaviour; binding sets both, a copy starts without.
  CEntityController *getController() const { return controller; }
  void setController(CEntityController *c) { controller = c; }
  int32_t getHasController() const { return hasController; }
  void setHasController(int32_t word) { hasController = word; }

  // Assigned directly by the prototype registrations.
  std::string name;
  uint16_t health;
  float speedX;
  float speedY;
  uint16_t tag;

protected:
  void killTree();
  // The entity's own step of animate: its frame, what follows it, and its extras.
  void animateOwn();
  // f on every entity carried directly, by index and re-read, so f may change the list.
  template <class F> void eachCarried(F f) const {
    const std::vector<CMapEntity *> &list = carrier.getContainedList();
    for (size_t i = 1; i < list.size(); ++i) f(list[i]);
  }

  bool active;
  bool synchronize;
  bool mouseClick;
  bool mouseDrag;
  std::vector<TVariable> variables;
  float oldX;
  float oldY;
  bool kill;
  int32_t hasController;
  bool drawOnTop;
  uint32_t entityID;
  uint32_t classID;
  float x;
  float y;
  uint16_t walkPenalty;
  bool solid;
  bool isUsing;
  bool focus;
  bool focusable;
  CEntityController *controller;
  float xOffset;
  float yOffset;

private:
  // Carriers link and unlink one another; they reach this entity's carrier and nothing else.
  friend CEntityCarrier &CEntityCarrier::of(CMapEntity *e);

  static uint64_t nextSerial;
  uint64_t serial;

  CEntityCarrier carrier;
  CEntityCollisions collisions;
  CEntityLook look;
};
