#pragma once
#include <vector>

#include "media/Timer.h"
#include "ward/player/TReach.h"

class CMapEntity;
class CMapEntity_Game;
class CPlayerBody;

// The ward half of the figure's work: the linen trolley, making beds, the spray and its stand, and
// the dispensers' items.
class CPlayerWardWork {
public:
  explicit CPlayerWardWork(CPlayerBody &body) : body(body) {}
  // Another figure's half: its first burst of spray is due at once.
  CPlayerWardWork(CPlayerBody &body, const CPlayerWardWork &) : body(body), sprayDue(true) {}

  // What the trolleys, stands, dispensers and beds among the things offer; nothing is done.
  void gather(const std::vector<CMapEntity *> &things, TReach &reach);
  // A burst takes no time: it goes off as she passes or stands by germs, the spray in her hand,
  // beside whatever work she does there, at most once a second.
  void sprayBy(const TReach &reach);
  // A new order: `forGerm` when its click was on a germ.
  void ordered(bool forGerm);
  // Sent to a germ, she says once what kept her from it: it flew off before she came (no spray
  // gone off on the way), or she came without the spray.
  void answerGermOrder();

  // Her work here, each done at the thing her work list found for it.
  void swapSpray(CMapEntity_Game *stand);
  void takeFromDispenser(CMapEntity_Game *dispenser);
  void makeBed(CMapEntity_Game *bed);
  void emptyLinen();

private:
  CPlayerBody &body;
  Timer sprayTimer{1000, false};
  bool sprayDue = false;
  bool orderForGerm = false;
  bool sprayedSinceOrder = false;
  // A germ within reach at the last decision.
  bool germNear = false;
};
