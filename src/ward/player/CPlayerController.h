#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "media/Timer.h"
#include "ward/player/CPlayerBody.h"
#include "ward/player/CPlayerPatientWork.h"
#include "ward/player/CPlayerWardWork.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"
#include "world/TEntityRef.h"
#include "world/kinds/Links.h"

class CMapEntity;
class CMapEntity_Player;

// The player figure's behaviour: a left click queues one walk order (action 0, priority 3) to
// the tile where the clicked thing is worked on; with that order at the head of the queue the
// figure walks tile by tile along the path finder's route; on each tile centre her work list
// decides what work the things she touches allow (take an item, make a bed, empty linen, ...).
class CPlayerController : public CCloneable<CPlayerController, CEntityController> {
public:
  enum : uint16_t { kWalking = 0, kExamining = CFigureActionLink::kExamining, kDeciding = 18 };

  CPlayerController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine, std::string bindTo);
  CPlayerController(const CPlayerController &other);

  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;

  // A right click or an emptied queue: the figure finishes the tile it steps to and stops there.
  void stopAfterStep();
  // The walk goal a left click with these entities under the pointer asks for, as a tile;
  // false when the click orders nothing.
  bool clickGoal(const std::vector<CMapEntity *> &under, float cursorX, float cursorY, int &tileX, int &tileY) const;
  // Queues a walk to a tile's centre, the order a left click gives; `forGerm` when the click was
  // on a germ.
  void orderWalkTo(int tileX, int tileY, bool forGerm = false);

  // What she is doing, for the tests and the bots that watch her: she stands where her last order
  // sent her, its work not yet done; the tile she steps to (-1 for none); her chain of work; her
  // patient and the work it needs.
  bool arrivedNow() const { return arrival; }
  int steppingToX() const { return nextTileX; }
  const CChainBonus &chain() const { return body.chain(); }
  const CPlayerPatientWork &patientWork() const { return patients; }

private:
  void leftClick();
  void pickUpOrder();
  void decide();
  // Her arrival's work is done, or nothing within reach needs it: it is spent, and when the walk
  // changed nothing in her hands she says why the rules refused it.
  void spendArrival(const std::vector<CMapEntity *> &near, bool workDone);
  bool awaitingNextCough(const TReach &reach) const;
  // Why the rules refuse the work these things ask for, in the doctor's words; empty when they
  // allow it. Judged on a click's targets, or on what an order aimed at once she has walked there.
  std::string refusal(const std::vector<CMapEntity *> &things);
  // Hands full, and which hand to free for the work `wanted` asks: one whose thing can be left
  // where she stands or at what she was sent to, else the one whose place is the shortest way
  // round on her way there.
  std::string handsFull(const std::vector<CMapEntity *> &sentTo, CMapEntity_Game *wanted);
  // How far out of her way from her foot to (toX, toY) freeing a hand takes her: below 0 where
  // `there` takes it, else by the best place of the ward that would; FLT_MAX where none would.
  float freeingWay(TWorkKind taker, const TReach &there, const THands &hands, float toX, float toY);
  // What her hands hold, as the work the reach offers asks it.
  THands handsFor(const TReach &reach) const;
  // What the things offer, judged as a click's targets, wherever she stands.
  TReach offersOf(const std::vector<CMapEntity *> &things);
  void pathStep();
  void arrive();
  void refreshFoot();
  float step() const;
  // One walking step towards the centre of a tile.
  void gotoSquare(int tileX, int tileY);
  bool jsemVCili();
  // What the figure touches: its body or its action box meets the entity's.
  std::vector<CMapEntity *> touched() const;
  // A prescription or medicine in her hand whose bed's patient leaves is for that bed's next
  // patient: she is told so once, when she takes it or when the patient goes.
  void watchBedItems();
  // An order of hers waits or works ahead of a new click: that click is judged when carried out.
  bool ordersAhead();
  // What her hands hold now, left then right (null for an empty hand).
  std::array<CMapEntity *, 2> holding() const;
  bool handsEmpty();

  CPlayerBody body;
  CPlayerPatientWork patients;
  CPlayerWardWork ward;
  // Her own figure, which owns this behaviour.
  CMapEntity_Player *player = nullptr;
  int32_t nextTileX = -1, nextTileY = -1;
  int32_t tileX = 0, tileY = 0;
  float footX = 0.0f, footY = 0.0f;
  Timer idleTimer;
  bool bored = false;
  // The order at the head of the queue is the one she walks for, or whose work she does there.
  bool walkingOrder = false;
  // She stands where an order sent her and the work it asked for is still to be done; the words
  // about what she finds there are still to be said.
  bool arrival = false;
  bool arrivalNews = false;
  // Her patient's cough that ended untreated is still to be told: the ring may run out while she
  // stands there, giving a drink first.
  bool coughNews = false;
  // The kinds of her patient's work (bits by TWorkKind) done this arrival.
  uint16_t patientWorkDone = 0;
  // Her walk orders numbered as given; the number of the one she walks for; the thing her last
  // work in passing was done at, and how many orders had been given by then.
  uint32_t ordersGiven = 0, orderNumber = 0;
  // When the order she walks for was given (game ms).
  int32_t orderedAt = 0;
  TEntityRef<CMapEntity> passedAt;
  uint32_t passedAfter = 0;
  // Her hands took or gave something since the order she walks for was picked up.
  bool handsChanged = false;
  std::array<TEntityRef<CMapEntity>, 2> lastHeld;
  // An order was picked up this update: its walk's hands are counted from the update's end.
  bool freshOrder = false;
  struct TBedItem {
    TEntityRef<CMapEntity> item;
    TEntityRef<CMapEntity> patient; // none once she was told it is gone
  };
  std::vector<TBedItem> bedItems;
};
