#pragma once
#include <string>

class CEngine;
class CLevel_Game;
class CEntityControllersVzory_Game;
class KGraphic;
struct KEvent;

// Everything the engine and the play state ask of the running level, in one place. The engine
// holds its level only as a CLevel_Game pointer and reaches it through the link that is set here;
// the default link drives the real level class, tests put in a level of their own.
class CLevelLink {
public:
  virtual ~CLevelLink() {}

  // A new, empty level for the engine.
  virtual CLevel_Game *create(CEngine *engine) = 0;
  virtual void destroy(CLevel_Game *level) = 0;
  virtual void bindEContVzory(CLevel_Game *level, CEntityControllersVzory_Game *prototypes) = 0;
  // Loads the named entry of the level list; a missing file ends the process.
  virtual void load(CLevel_Game *level, const std::string &name) = 0;
  virtual void setShopping(CLevel_Game *level, bool shopping) = 0;
  virtual bool getLevelOver(CLevel_Game *level) = 0;
  virtual int getMoney(CLevel_Game *level) = 0;
  virtual int getMoneyLimit(CLevel_Game *level) = 0;
  // Whether the level's definition enables perks.
  virtual bool getPerks(CLevel_Game *level) = 0;

  // One frame of the play state.
  virtual void update(CLevel_Game *level, unsigned short index) = 0;
  virtual void render(CLevel_Game *level, unsigned short index, KGraphic *screen) = 0;
  virtual void handleMessages(CLevel_Game *level, KEvent *event) = 0;
  // Forgets which entity took the click of the event just handled.
  virtual void clearClickTaken() = 0;

  // Never null: the default link unless a test has put another in (null puts the default back).
  static CLevelLink *get();
  static void set(CLevelLink *link);
};
