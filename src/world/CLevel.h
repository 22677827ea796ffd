#pragma once
#include <cstdint>
#include <string>
#include <vector>

class CWorldEngine;
class CEntityControllers_Game;
class CEntityControllersVzory_Game;
class CMapa;
class CMapCollisionManager;
class CMapEntitiesCollection_Game;
class CMapEntity_Game;
class KGraphic;
class Timer;
struct KEvent;

// One kind of patient a day sends, as the level definition lists it. The patient generator counts
// `count` down as patients of the kind arrive.
struct CPacient {
  std::string name;
  bool forced = false;
  int16_t count = 0;
};

// The running level: a screen or a working day. Owns the tile map, the live entities and their
// behaviours and the collision pass, holds the values of the level definition, and runs one frame
// of play in update, render and handleMessages.
class CLevel {
public:
  // The level that carried entities and dying entities reach (the engine's current level), or
  // null between levels.
  static CLevel *getRunning() { return running; }

  // The engine it is made with answers all the level asks of an engine.
  explicit CLevel(CWorldEngine *engine);
  CLevel(const CLevel &) = delete;
  CLevel &operator=(const CLevel &) = delete;

  virtual void addSpecialEntities();
  virtual void nahrajAdditional(std::string name);
  // The information overlay: updateInfo at the end of every update (what opens, closes and
  // rates the day), renderInfo drawn last in every frame.
  virtual void updateInfo();
  virtual void renderInfo();
  virtual void bindECs();
  virtual void generatorsWork();
  // Pictures the level itself may show beyond its entities' (surface handles, appended).
  virtual void collectLevelPictures(std::vector<unsigned int> &out) const;
  virtual ~CLevel();

  // Builds the level from the files of the named level list entry, with loading-screen progress.
  void load(std::string name);
  // Reads a level definition file (a real path); a broken file ends the process naming it.
  void nahrajDefs(std::string path);

  // update changes the level; render only draws it.
  void update(unsigned short index, bool flag);
  void render(unsigned short index, bool overlay, KGraphic *screen);
  void handleMessages(KEvent *event);

  CMapEntitiesCollection_Game *getEC() const { return ec; }
  CMapa *getMapa() const { return mapa; }
  CEntityControllers_Game *getControllers() const { return controllers; }
  CMapCollisionManager *getCollisionManager() const { return collisions; }
  std::string getLevelName() const { return levelName; }
  const std::string &getTileDefName() const { return tileDefName; }
  const std::string &getMusic() const { return music; }
  int getLevelTime() const { return levelLength; }
  int getRawTime() const { return rawTime; }
  bool hasTime() const { return timeGiven; }
  Timer *getLevelClock() const { return levelClock; }
  int getMoneyLimit() const { return moneyLimit; }
  int getExpertMoney() const { return expertMoney; }
  int getMaxColors() const { return maxColors; }
  int getOutbreakDelay() const { return outbreakDelay; }
  // The monkey's wait between rides when the level names none.
  static const int kMonkeyTimerDefault = 15000;
  int getMonkeyTimer() const { return monkeyTimer; }
  int getZacatekPauzy() const { return zacatekPauzy; }
  int getZacatekPauzyRand() const { return zacatekPauzyRand; }
  int getDelkaPauzy() const { return delkaPauzy; }
  int getPregenerate() const { return pregenerate; }
  int getTotalCustomers() const { return totalCustomers; }
  int getMoneyPlus() const { return moneyPlus; }
  int getExpertMoneyPlus() const { return expertMoneyPlus; }
  bool getPerks() const { return perks != 0; }
  int getCustomerWorker() const { return customerWorker; }
  int getCustomerBoy() const { return customerBoy; }
  int getCustomerHomeless() const { return customerHomeless; }
  int getCustomerCelebrity() const { return customerCelebrity; }
  std::vector<CPacient> &getPacienti() { return pacienti; }
  CWorldEngine *getEngine() const { return engine; }

  // A famous patient's first cure ever: paid on top of the bonus of a won day, whichever goal.
  // `disease` names the patient on the summary.
  void addFamousExtra(int n, const std::string &disease);
  int getFamousExtra() const { return famousExtra; }
  bool getLevelOver() const { return levelOver != 0; }
  void setLevelOver(bool over) { levelOver = over ? 1 : 0; }
  void bindEContVzory(CEntityControllersVzory_Game *list) { vzory = list; }

protected:
  CMapa *mapa;
  CEntityControllers_Game *controllers;
  CMapCollisionManager *collisions;
  std::string levelName;
  std::string tileDefName;
  CEntityControllersVzory_Game *vzory;
  std::string music;
  // The definition's `time` as written; 0 (and timeGiven false) when it gives none.
  int32_t rawTime;
  // 0 when the definition gives none: no money goal, every day counts as reaching it.
  int32_t moneyLimit;
  int32_t expertMoney;
  int32_t perks;
  // Null for a level without `time`: such a level has no clock and never closes.
  Timer *levelClock;
  int32_t monkeyTimer;
  int32_t outbreakDelay;
  int32_t levelLength;
  int32_t totalCustomers;
  int32_t moneyPlus;
  int32_t expertMoneyPlus;
  int32_t famousExtra = 0;
  std::vector<std::string> famousCures;
  int32_t customerHomeless;
  int32_t customerBoy;
  int32_t customerWorker;
  int32_t customerCelebrity;
  int32_t zacatekPauzy;
  int32_t delkaPauzy;
  int32_t zacatekPauzyRand;
  CWorldEngine *engine;
  int32_t maxColors;
  CMapEntitiesCollection_Game *ec;
  int32_t levelOver;
  int32_t pregenerate;
  std::vector<CPacient> pacienti;
  bool timeGiven;

private:
  // Notes the pictures of the named prototype, so they are loaded before play.
  void warmUp(const std::string &prototype, const std::string &path, int row);
  // Loads every picture the level may show and lets go of the others.
  void loadPictures();
  void pointerToPress();

  static CLevel *running;
};
