#pragma once
#include <string>

class CEntityControllersVzory_Game;
class CFontSeznam;
class CLevel_Game;
class CSoundEngine;
class KText;

// What levels, entities and behaviours ask of the engine above them. CEngine implements it. A
// level holds the engine it was made with, a behaviour the one its prototype was made with
// (`worldEngine()`); entities, which nothing hands an engine, ask for the running one.
class CWorldEngine {
public:
  // The engine the game runs on: null before and after its life, and in level tests, whose
  // levels and behaviours hold an engine of their own.
  static CWorldEngine *running();

  virtual CLevel_Game *getLevel() = 0;
  virtual CSoundEngine *getSoundEngine() = 0;
  virtual CFontSeznam *getFontSeznam() = 0;
  virtual KText *getSmallFont() = 0;
  virtual CEntityControllersVzory_Game *getCEntityControllersVzory_Game() = 0;
  // A level being deleted stops being the engine's level.
  virtual void forgetLevel(CLevel_Game *level) = 0;

  // The chosen difficulty's folder under "data\maps\", and the music volume of the profile.
  virtual std::string getObtiznostString() = 0;
  virtual int getMusicVolume() = 0;
  // The loading screen a level load reports to.
  virtual float getLoadingFill() = 0;
  virtual void setLoadingFill(float fill) = 0;
  virtual void setLoadingText(const std::string &text) = 0;

  // The player's record of the current day (-1 never finished, 0 goal, 1 expert goal), and the
  // day's bonus and record going into the player's progress (record -1 records nothing).
  virtual int getDayRecord() = 0;
  virtual void creditDay(int bonus, int record) = 0;

protected:
  ~CWorldEngine() = default;
};
