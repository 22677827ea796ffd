#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "world/CCloneable.h"
#include "world/CEntityController.h"

class CMapEntity_Podium;
class Timer;

// The band: ready every 35 s (the musicians' auras pulse); a click on the ready podium or a
// musician makes it play for 4 s (the musicians' frames run meanwhile), and 3 s into the play every
// patient gains mood, a heart rising over each.
class CPodiumController : public CCloneable<CPodiumController, CEntityController> {
public:
  CPodiumController(CMapEntity_Game *e, CMapEntitiesCollection *c, CEngine *engine, std::string bindTo);
  CPodiumController(const CPodiumController &other);
  ~CPodiumController() override;
  // The band stands still until it plays, as it does after each play.
  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;

  bool isPlaying() const { return playing != 0; }

private:
  bool cursorOver(CMapEntity_Podium *podium) const;
  static void rest(CMapEntity_Podium *podium);
  void restartFlashes(CMapEntity_Podium *podium);

  std::unique_ptr<Timer> readyTimer;
  std::unique_ptr<Timer> playTimer;
  std::unique_ptr<Timer> cheerTimer;
  int32_t playing = 0;
  int32_t highlight = 0;
};
