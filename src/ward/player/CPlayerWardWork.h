#pragma once
#include <vector>

#include "media/Timer.h"
#include "ward/player/TReach.h"

class CMapEntity;
class CMapEntity_Game;
class CMapEntity_Player;
class CMapEntitiesCollection;
class CPlayerBody;

// The ward half of the figure's work: the linen trolley, making beds, the spray and its stand, and
// the dispensers' items.
class CPlayerWardWork {
public:
  explicit CPlayerWardWork(CPlayerBody &body) : body(body) {}
  // Another figure's half: its first burst of spray is due at once.
  CPlayerWardWork(CPlayerBody &body, const CPlayerWardWork &) : body(body), sprayDue(true) {}

  // A treat goes into an empty hand; a second only while someone lies in bed to give it to.
  static bool treatWanted(bool holdingTreat, const std::vector<CMapEntity_Game *> &ward);
  // What the things she touches offer; nothing is done.
  void gather(const std::vector<CMapEntity *> &near, TReach &reach);
  // A burst takes no time: it goes off as she passes or stands by germs, the spray in her hand,
  // beside whatever work she does there, at most once a second.
  void sprayBy(const TReach &reach);
  // A new order: `forGerm` when its click was on a germ.
  void ordered(bool forGerm);
  // Sent to a germ that flew off before she came, no spray gone off on the way: she says so, once.
  void sayGermGone();

  // Her work here, each done when her work list picks it.
  void swapSpray();
  void takeFromDispenser();
  void makeBed();
  void emptyLinen();

private:
  CPlayerBody &body;
  Timer sprayTimer{1000, false};
  bool sprayDue = false;
  bool orderForGerm = false;
  bool sprayedSinceOrder = false;
  // Met at the last decision; looked up again every decision.
  bool germNear = false;
  CMapEntity_Game *dispenser = nullptr;
  CMapEntity_Game *bed = nullptr;
  CMapEntity_Game *stand = nullptr;
};
