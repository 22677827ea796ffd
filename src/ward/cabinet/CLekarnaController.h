#pragma once
#include <cstdint>
#include <vector>

#include "world/CCloneable.h"
#include "world/CEntityController.h"

class CMapEntity_Game;
class CMapEntity_LekarnaClass;
class Timer;

// One medicine in preparation: the bed it is for and its own game-clock timer.
struct productionEntita {
  uint16_t bedNumber;
  Timer *timer;
};

// A cabinet takes in every prescription handed to it, prepares one medicine for each for its
// production time on the game clock and lays it out on its shelf; its nurse stands at the
// cabinet while it prepares.
class CLekarnaController : public CCloneable<CLekarnaController, CEntityController> {
public:
  using CCloneable::CCloneable;
  CLekarnaController(const CLekarnaController &other);
  ~CLekarnaController() override;

  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;
  // A press on a place of its counter where no medicine lies orders nothing: the place says so.
  void sayPlaceEmpty(int place);

  std::vector<productionEntita> production;
  int32_t hover = 0;
  int32_t lastMouseX = 0;
  int32_t lastMouseY = 0;

private:
  void showNurses(bool atCabinet);
  void showWork(CMapEntity_LekarnaClass *c);
  void announce(CMapEntity_Game *lek);
};
