#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "world/CCloneable.h"
#include "world/CEntityController.h"

class CMapEntity_Podium;
class Timer;

// The band: ready every 35 s (the musicians' auras pulse); a click on the ready podium makes it
// play for 4 s, and 3 s into the play every patient gains mood.
class CPodiumController : public CCloneable<CPodiumController, CEntityController> {
public:
  CPodiumController(CMapEntity_Game *e, CMapEntitiesCollection *c, CEngine *engine, std::string bindTo);
  CPodiumController(const CPodiumController &other);
  ~CPodiumController() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;

  bool isPlaying() const { return playing != 0; }

private:
  bool cursorOver(CMapEntity_Podium *podium) const;
  void restartFlashes(CMapEntity_Podium *podium);
  void cheer();

  std::unique_ptr<Timer> readyTimer;
  std::unique_ptr<Timer> playTimer;
  std::unique_ptr<Timer> cheerTimer;
  int32_t playing = 0;
  int32_t highlight = 0;
};
