#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "media/Timer.h"
#include "ward/player/CChainBonus.h"
#include "world/CCloneable.h"
#include "world/CCaption.h"
#include "world/CEntityController.h"
#include "world/kinds/Links.h"

class CMapEntity;
class CMapEntity_FrontaAkci;
class CMapEntity_PacientClass;
class CMapEntity_PerkIconClass;
class CMapEntity_Player;

// The player figure's behaviour: a left click queues one walk order (action 0, priority 3) to
// the tile where the clicked thing is worked on; with that order at the head of the queue the
// figure walks tile by tile along the path finder's route; on each tile centre it decides what
// work the things it touches allow (take an item, make a bed, empty linen, the spray).
class CPlayerController : public CCloneable<CPlayerController, CEntityController> {
public:
  enum : uint16_t {
    kWalking = 0,
    kTakeMedicine = 2,
    kTreatOutbreak = 3,
    kTakeFromDispenser = 5,
    kGiveMedicine = 6,
    kGiveItem = 7,
    kHandInPrescriptions = 8,
    kMakeBed = 10,
    kEmptyLinen = 11,
    kExamining = CFigureActionLink::kExamining,
    kDeciding = 18,
  };

  // What she finds within her reach on a tile centre. Work done where an order sent her counts only
  // when the walk's arrival is its own.
  struct TReach {
    bool hamper = false;        // the linen trolley
    bool unmadeBed = false;     // an empty unmade bed she was sent to, a hand free
    bool dispenserItem = false; // a stocked dispenser, a hand free
    bool floorMedicine = false; // a bottle on the counter, a hand free
    // Her patient, at the bed she was sent to:
    bool outbreak = false;      // coughs, and she has a hand free
    bool medicineDue = false;   // waits for the medicine she holds
    bool itemWanted = false;    // would like the item she holds
    bool cabinet = false;       // the cabinet, for the prescriptions she holds
  };
  static uint16_t choose(const TReach &reach);

  CPlayerController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine, std::string bindTo);
  CPlayerController(const CPlayerController &other);

  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;

  // One walking step towards the centre of a tile.
  void gotoSquare(int tileX, int tileY);
  bool jsemVCili();
  // Within 15 px of the entity's work point on both axes.
  bool blizkoObjektu(CMapEntity_Game *e);
  // Pays a chain step of this kind into the level's money; returns the amount.
  // One step of the work chain: its sound, and the bonus it earns (most kinds earn from the
  // second step on); chainBonus pays a step's bonus, with its captions, at (x, y).
  unsigned chainStep(uint16_t kind);
  void chainBonus(uint16_t kind, float x, float y, const char *label, TCaptionKind captionKind = TCaptionKind::Plain);
  // A right click or an emptied queue: the figure finishes the tile it steps to and stops there.
  void stopAfterStep();

  // The walk goal a left click with these entities under the pointer asks for, as a tile;
  // false when the click orders nothing.
  bool clickGoal(const std::vector<CMapEntity *> &under, float cursorX, float cursorY, int &tileX, int &tileY) const;
  // Queues a walk to a tile's centre, the order a left click gives.
  void orderWalkTo(int tileX, int tileY);

  // The figure holds no prescription and writes none: a walk to the cabinet would hand nothing in.
  static bool nothingToHandIn(CMapEntity_Player *figure);
  // Why the rules refuse the work these things ask for, in the doctor's words; null when they allow
  // it. Judged on a click's targets, or on what an order aimed at once she has walked there.
  const char *refusal(const std::vector<CMapEntity *> &things) const;

  // Timer lengths of a copy by the upgrades bought.
  static int examMs(int diagnosticStars);
  static float walkSpeed(int speedStars);
  // Game-clock ms the figure needs to walk that far.
  static int walkMs(float distance, float speed, float speedFactor);

  int32_t nextTileX = -1, nextTileY = -1;
  int32_t tileX = 0, tileY = 0;
  float footX = 0.0f, footY = 0.0f;
  float savedX = 0.0f, savedY = 0.0f;
  // Kept across the examination; followed only through livePatient.
  CMapEntity_PacientClass *patient = nullptr;
  Timer examTimer;
  Timer idleTimer;
  Timer sprayTimer;
  CChainBonus chain;
  CMapEntity_Player *player = nullptr;
  CMapEntity_FrontaAkci *queue = nullptr;
  int32_t bored = 0;
  int32_t arrived = 0;
  int32_t sprayDue = 0;
  // Her hands took or gave something since the order she walks for was picked up.
  bool handsChanged = false;

private:
  friend class CPlayerPatientWork;
  friend class CPlayerWardWork;

  void leftClick();
  void pickUpOrder();
  void decide();
  void work();
  void pathStep();
  void arrive();
  void refreshFoot();
  float step() const;
  // What the figure touches: its body or its action box meets the entity's.
  std::vector<CMapEntity *> touched() const;
  void restOnDown();
  void playSound(const char *key);
  void caption(float x, float y, const std::string &text, TCaptionKind kind);
  // An order that cannot be done: the refusing sound and a caption that says why, at (x, y) or
  // over the doctor's head.
  void refuse(float x, float y, const std::string &why);
  void refuseHere(const std::string &why);
  // A caption centred over her head.
  void sayHere(const std::string &text);
  // A prescription or medicine in her hand whose bed's patient leaves is for that bed's next
  // patient: she is told so once, when she takes it or when the patient goes.
  void watchBedItems();
  // An order of hers waits or works ahead of a new click: that click is judged when carried out.
  bool ordersAhead();
  // What her hands hold now, left then right (null for an empty hand).
  std::array<CMapEntity *, 2> holding() const;
  std::array<CMapEntity *, 2> lastHeld{};
  // An order was picked up this update: its walk's hands are counted from the update's end.
  bool freshOrder = false;
  struct TBedItem {
    CMapEntity *item;
    CMapEntity *patient; // null once she was told it is gone
  };
  std::vector<TBedItem> bedItems;
  bool handsEmpty();
  // Pays `amount` with its caption at (x, y) and the chain's length beside it.
  void payChain(float x, float y, const char *label, unsigned amount, TCaptionKind captionKind = TCaptionKind::Plain);
  bool someoneInBed() const;

  // Met at the last decision; looked up again every decision, never kept across work.
  CMapEntity_Game *dispenser = nullptr;
  CMapEntity_Game *bed = nullptr;
  CMapEntity_Game *hamper = nullptr;
  CMapEntity_Game *cabinet = nullptr;
  CMapEntity_Game *medicine = nullptr;
};
