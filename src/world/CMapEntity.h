#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "world/CEntityLook.h"
#include "world/TVariable.h"

class CEntityController;

// Set by every position change; the level runs the collision pass while it is up and clears it.
extern uint32_t kolizniCheck;

// Root of everything on the playfield: identity, position, health, focus and kill flags,
// exported variables and the bound behaviour. Its parts: what it carries (CEntityCarrier), what
// it touched (CEntityCollisions) and how it looks (CEntityLook).
class CMapEntity : public CEntityLook {
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
  virtual void syncWithParentPosition();
  virtual void damage(short amount);
  virtual void reactToCollisionsSpecific(CMapEntity *other);
  virtual CMapEntity *clone();
  virtual void virtualDestructor();
  virtual void doAction();
  ~CMapEntity() override;

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
  float getDrawKeyY() const { return y + (float)getSortY(); }

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

  // Identity and plain flags.
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
};
