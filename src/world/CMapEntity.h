#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "world/TVariable.h"

class KGraphic;
class ZSprite;
class Frame;
class CEntityController;

// Set by every position change; the level runs the collision pass while it is up and clears it.
extern uint32_t kolizniCheck;

// Root of everything on the playfield: position, identity, a sprite of its own, drawing effects,
// health, focus and kill flags, carried entities, exported variables and collision lists.
// An entity's contained list holds the entity itself at index 0 and the entities it carries after
// it; it owns those and deletes them with itself. "Recursive" operations walk that list from
// index 1, and each carried entity passes them on, so every depth is reached exactly once.
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
  CMapEntity(float x, float y, bool solid, unsigned char tag, std::string use, std::string normal,
             std::string death);
  CMapEntity(const CMapEntity &other);
  CMapEntity &operator=(const CMapEntity &) = delete;

  virtual void useMethod();
  virtual void deadMethod();
  virtual bool containedFull();
  virtual void addEntity(CMapEntity *e, bool toCollection, bool syncFrames);
  virtual void removeEntity(CMapEntity *e);
  virtual void syncWithParentPosition();
  virtual CMapEntity *getContainedEntity(unsigned short id);
  virtual CMapEntity *getContainedEntityClass(unsigned short cls);
  virtual void damage(short amount);
  virtual void setAlpha(float a, bool recurse);
  virtual void renderAdditional(KGraphic *g);
  // Once a frame from the level's update, for what the entity shows that moves by itself
  // (pulses, overlays that follow the body); drawing only reads it.
  virtual void animateAdditional();
  virtual void reactToCollisionsSpecific(CMapEntity *other);
  virtual void changeFrameset(std::string name);
  virtual void zapniAnimace();
  virtual bool giveEntityTo(CMapEntity *target, unsigned short id, bool force);
  virtual bool giveEntityTo(CMapEntity *target, CMapEntity *e, bool syncFrames);
  virtual bool giveFirstEntityTo(CMapEntity *target);
  virtual CMapEntity *addEntity(std::string name);
  virtual CMapEntity *clone();
  virtual void virtualDestructor();
  virtual void doAction();
  virtual ~CMapEntity();

  // Every picture the entity and what it carries may show in play (all framesets, overlays,
  // sprites it changes into), as surface handles appended to out.
  virtual void collectPictures(std::vector<unsigned int> &out) const;

  // Drawing. update() is what the level calls for every entity without a parent; carried
  // entities draw through their carrier, interleaved with it by sortZ. Drawing changes nothing.
  void update(KGraphic *g);
  void render(KGraphic *g);
  // The frame's step of what is drawn, in the order update(g) draws it: every visible entity's
  // animation moves on and carried entities follow their carrier's frame.
  void animate();

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

  // Zoom, alpha, tint, clip.
  void setZoom(float z);
  float getZoom() const { return zoom; }
  float getAlpha() const { return alpha; }
  void changeAlpha(float d, bool recurse);
  void setRGB(float r, float g, float b, bool recurse);
  float getRed() const { return red; }
  float getGreen() const { return green; }
  float getBlue() const { return blue; }
  void setVyrez(short a, short b, short c, short d);
  void setVyrezPercent(short a, short b, short c, short d);
  short getVyrez(int i) const { return (i >= 0 && i < 4) ? clip[i] : (short)-1; }

  // Drawing order: the layer, and within it y plus the current frame's sort offset.
  void setSortZ(int z, bool recurse);
  int getSortZ() const { return sortZ; }
  void changeSortY(int delta);
  // The current frame's sort offset, 0 without a frame.
  int getSortY() const;
  float getDrawKeyY() const { return y + (float)getSortY(); }

  // Sprite, framesets and frames.
  void addEntityZSprite(std::string name);
  ZSprite *getSprite() const { return sprite; }
  // The current frame of the current frameset, or null.
  Frame *getCurrentFrame() const;
  void synchronizeFramesets();
  void changeFrame(unsigned short frame, unsigned int startTime);
  void synchronizeFrames(short frame);
  bool frameInc(bool wrap);
  bool frameDec(bool wrap);
  void vypniAnimace();
  void use();
  const std::string &getUseFrameset() const { return useFrameset; }
  const std::string &getNormalFrameset() const { return normalFrameset; }
  const std::string &getDeathFrameset() const { return deathFrameset; }
  void setDeathFrameset(std::string name) { deathFrameset = std::move(name); }
  unsigned short getLastFrame() const { return lastFrame; }

  // Health, kill, focus.
  void setKill(bool k);
  bool getKill() const { return kill; }
  void setFocus(bool f);
  bool getFocus() const { return focus; }
  bool getFocusable() const { return focusable; }
  void setFocusable(bool f) { focusable = f; }

  // Carrying.
  bool dropEntity(CMapEntity *e);
  CMapEntity *dropEntity(unsigned short id);
  CMapEntity *dropEntity(std::string name);
  CMapEntity *dropEntityByIndex(unsigned short i);
  void removeEntity(unsigned short id);
  void removeEntityClass(unsigned short cls);
  void containedCopiesUpdate();
  bool hasChildren() const { return contained.size() > 1; }
  unsigned getContainedSize() const { return (unsigned)contained.size(); }
  unsigned short getContainedLimit() const { return containedLimit; }
  void setContainedLimit(unsigned short limit) { containedLimit = limit; }
  const std::vector<CMapEntity *> &getContainedList() const { return contained; }
  const std::vector<CMapEntity *> &getDrawList() const { return drawList; }
  CMapEntity *getParent() const { return parent; }
  CMapEntity *getTopCarrier() const { return topCarrier; }
  // Whether e may become one of this entity's carried entities: not null, not this entity and
  // not one of its carriers (which would make the carrying tree a loop).
  bool canCarry(const CMapEntity *e) const;
  // Whether e is carried at any depth; compares pointers only, so e may be a deleted entity.
  bool carries(const CMapEntity *e) const;
  // Appends every entity carried at any depth, carriers before what they carry.
  void collectCarried(std::vector<CMapEntity *> &out) const;

  // Exported variables.
  void exportVariable(std::string name, int type, void *pointer);
  void setVariable(std::string name, std::string value);
  const std::vector<TVariable> &getExportedVariables() const { return variables; }

  // Effects, one call per frame from the behaviour.
  void effectPulse(float amount, int count);
  bool effectPulseOver() const { return pulseOver; }
  void effectFinishPulse();
  void effectFlash(float speed, float maximum, bool recurse);
  void resetFlash();
  void setFlash(float f) { flash = f; }
  float getFlash() const { return flash; }
  bool getFlashDone() const { return flashDone; }
  bool getFlashRising() const { return flashRising; }
  void effectIntegrate(float speed);
  void effectIntegrateReset();
  float getIntegrateZoom() const { return integrateZoom; }
  float getIntegrateAlpha() const { return integrateAlpha; }
  int getPulseCount() const { return pulseCount; }
  float getPulseDelta() const { return pulseDelta; }

  // Collision lists, filled by the collision pass.
  void addEntityCollision(CMapEntity *e);
  void addEntityActionCollision(CMapEntity *e);
  void addTileCollision(unsigned short cell);
  void removeCollisions();
  void removeActionCollisions();
  void deleteFromCollisionList(CMapEntity *e);
  void deleteFromActionCollisionList(CMapEntity *e);
  bool isCollisionWithEntity(CMapEntity *e) const;
  CMapEntity *isCollisionWithEntityID(unsigned short id) const;
  CMapEntity *isCollisionWithEntityClassID(unsigned short cls) const;
  bool isActionCollisionWithEntity(CMapEntity *e) const;
  CMapEntity *isActionCollisionWithEntityID(unsigned short id) const;
  CMapEntity *isActionCollisionWithEntityClassID(unsigned short cls) const;
  bool isSomeCollidedSolid() const;
  std::vector<CMapEntity *> *getCollidedEntitiesPtr() { return &collided; }
  std::vector<CMapEntity *> *getActionCollidedEntitiesPtr() { return &actionCollided; }
  std::vector<unsigned short> *getCollidedTilesPtr() { return &collidedTiles; }
  void reactToCollisions();
  int32_t getNoCollision() const { return noCollision; }
  void setNoCollision(int32_t word) { noCollision = word; }
  bool getUseOnCollision() const { return useOnCollision; }
  void setUseOnCollision(bool u) { useOnCollision = u; }

  // Identity and plain flags.
  uint32_t getEntityID() const { return entityID; }
  void setEntityID(unsigned int id) { entityID = id; }
  uint32_t getEntityClassID() const { return classID; }
  void setEntityClassID(unsigned int cls) { classID = cls; }
  bool getVisible() const { return visible; }
  void setVisible(bool v) { visible = v; }
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
  // A carried entity leaves this entity's contained list; nothing else about it changes.
  bool detach(CMapEntity *e);
  void setTopCarrierTree(CMapEntity *top);
  void killTree();
  // Takes carried entity i out for a hand-over: no carrier, offsets 0, resting frameset.
  CMapEntity *releaseAt(size_t i);
  // Deletes every carried entity whose field (its ID or class) holds value.
  void removeContainedWith(uint32_t CMapEntity::*field, uint32_t value);
  void animateOwn();

  bool active;
  bool visible;
  bool synchronize;
  bool mouseClick;
  bool mouseDrag;
  std::vector<TVariable> variables;
  std::vector<CMapEntity *> collided;
  std::vector<CMapEntity *> actionCollided;
  std::vector<unsigned short> collidedTiles;
  float oldX;
  float oldY;
  float zoom;
  bool kill;
  int32_t hasController;
  bool drawOnTop;
  float alpha;
  float red;
  float green;
  float blue;
  uint32_t entityID;
  uint32_t classID;
  uint16_t lastFrame;
  short clip[4];
  float x;
  float y;
  int32_t sortZ;
  uint16_t walkPenalty;
  std::string useFrameset;
  std::string normalFrameset;
  std::string deathFrameset;
  bool solid;
  bool isUsing;
  float pulseDelta;
  bool pulseOver;
  bool flashDone;
  bool flashRising;
  float integrateZoom;
  float integrateAlpha;
  bool pulseShrinking;
  int32_t pulseCount;
  bool useOnCollision;
  bool focus;
  bool focusable;
  float flash;
  CEntityController *controller;
  float xOffset;
  float yOffset;
  std::vector<CMapEntity *> contained;
  std::vector<CMapEntity *> drawList;
  ZSprite *sprite;
  CMapEntity *parent;
  CMapEntity *topCarrier;
  uint16_t containedLimit;
  int32_t noCollision;
};
