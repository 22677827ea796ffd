#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "world/CCloneable.h"
#include "world/CEntityController.h"

class Timer;

// What sets one germ generator apart.
struct TGermGeneratorSpecies {
  const char *germ;
  // The check period once the first alarm has been raised, ms.
  int checkPeriod;
  // The pause window a release opens, ms.
  int pauseLength;
};

// An invisible germ generator: every check it may raise the germ alarm, and four seconds after
// the alarm it releases a germ in the playfield's top-left corner.
class CBacilyGeneratorController : public CCloneable<CBacilyGeneratorController, CEntityController> {
public:
  static const TGermGeneratorSpecies kSpecies[5];

  CBacilyGeneratorController(CMapEntity_Game *e, CMapEntitiesCollection *c, CEngine *engine, std::string bindTo,
                             const TGermGeneratorSpecies &species = kSpecies[0]);
  CBacilyGeneratorController(const CBacilyGeneratorController &other);
  ~CBacilyGeneratorController() override;
  void onBind() override {}
  void specificHandleMessages(KEvent *) override {}
  void update() override;

  // Draws one random number; true when a germ may be released now.
  bool muzuVypustit();
  // The release odds, 1 in the result, for a ward of `beds` beds, `occupied` of them taken,
  // `germs` live germs and the player's hands both full or not; 0 when nothing may be released.
  static int releaseOdds(int beds, int occupied, int germs, bool handsFull);

  bool getAlarmPending() const { return alarmPending != 0; }
  int getCheckPeriod() const;

private:
  void raiseAlarm();
  void release();
  // Strictly inside the difficulty adjuster's pause window; false without an adjuster.
  bool insidePauseWindow(uint32_t now) const;

  TGermGeneratorSpecies species;
  int32_t alarmPending = 0;
  std::unique_ptr<Timer> alarmTimer;
  std::unique_ptr<Timer> checkTimer;
};

#define TOB_GERM_GENERATOR(Name, Index)                                                                                \
  class Name : public CCloneable<Name, CBacilyGeneratorController> {                                                   \
  public:                                                                                                              \
    Name(CMapEntity_Game *e, CMapEntitiesCollection *c, CEngine *engine, std::string bindTo)                           \
        : CCloneable(e, c, engine, std::move(bindTo), kSpecies[Index]) {}                                              \
  }

TOB_GERM_GENERATOR(CBacily2GeneratorController, 1);
TOB_GERM_GENERATOR(CBacily3GeneratorController, 2);
TOB_GERM_GENERATOR(CBacily4GeneratorController, 3);
TOB_GERM_GENERATOR(CBacily5GeneratorController, 4);

#undef TOB_GERM_GENERATOR
