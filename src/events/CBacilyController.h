#pragma once
#include <memory>
#include <string>

#include "world/CCloneable.h"
#include "world/CEntityController.h"
#include "world/TEntityRef.h"

class CMapEntity_Bacily;
class CMapEntity_PostelClass;
class Timer;

// What sets one germ species apart.
struct TGermSpecies {
  const char *prototype;
  // Pixels per frame before the frame factor.
  float step;
  // The step grows with the difficulty factor.
  bool stepScaled;
  // Mood per feed tick before the difficulty factor.
  float loss;
  bool breeds;
};

// A germ: picks a bed, flies above it, drains the patient lying there every half second for
// four seconds, then picks again; the spray cloud kills it. The fourth species also breeds.
class CBacilyController : public CCloneable<CBacilyController, CEntityController> {
public:
  static const TGermSpecies kSpecies[5];
  // A germ stays this long at a bed, feeding every kFeedMs.
  static constexpr int kStayMs = 4000;
  static constexpr int kFeedMs = 500;
  // Fewer than this many `kGermClass` entities let a germ breed (and a generator release).
  static constexpr int kGermLimit = 5;

  CBacilyController(CMapEntity_Game *e, CMapEntitiesCollection *c, CEngine *engine, std::string bindTo,
                    const TGermSpecies &species = kSpecies[0]);
  CBacilyController(const CBacilyController &other);
  ~CBacilyController() override;
  void onBind() override {}
  void specificHandleMessages(KEvent *) override {}
  void update() override;

  // The mood change of one feed tick: the loss scaled by the difficulty factor and divided by
  // the charisma divisor, as a negative amount.
  static float drainFor(float loss, float difficulty, int charismaLevel);
  // Live entities of `kGermClass` in the collection.
  static int countGerms(CMapEntitiesCollection *collection);

  const TGermSpecies &getSpecies() const { return species; }
  // The chosen bed while the level lists it.
  CMapEntity_Game *getTargetBed() const { return targetBed.in(collection); }
  float getTargetX() const { return targetX; }
  float getTargetY() const { return targetY; }

private:
  bool pickBed();
  CMapEntity_PostelClass *liveBed() const;
  void fly(CMapEntity_Bacily *germ);
  void feed();
  void breed();
  // Tells the germ the bed it chose and what its stay there will still drain.
  void foretell(CMapEntity_Bacily *germ);
  float difficulty() const;
  float stepNow() const;

  TGermSpecies species;
  float targetX = 0.0f;
  float targetY = 0.0f;
  std::unique_ptr<Timer> stayTimer;
  std::unique_ptr<Timer> feedTimer;
  std::unique_ptr<Timer> breedTimer;
  TEntityRef<CMapEntity_Game> targetBed;
};

#define TOB_GERM_SPECIES(Name, Index)                                                                                  \
  class Name : public CCloneable<Name, CBacilyController> {                                                            \
  public:                                                                                                              \
    Name(CMapEntity_Game *e, CMapEntitiesCollection *c, CEngine *engine, std::string bindTo)                           \
        : CCloneable(e, c, engine, std::move(bindTo), kSpecies[Index]) {}                                              \
  }

TOB_GERM_SPECIES(CBacily2Controller, 1);
TOB_GERM_SPECIES(CBacily3Controller, 2);
TOB_GERM_SPECIES(CBacily4Controller, 3);
TOB_GERM_SPECIES(CBacily5Controller, 4);

#undef TOB_GERM_SPECIES
