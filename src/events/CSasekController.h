#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "world/CCloneable.h"
#include "world/CEntityController.h"

class CMapEntity_Sasek;
class Timer;

// The jester's visits: away for a long random while, walks in to x 740, blinks and waits for
// the left button, then performs (every patient gains mood) or walks out by himself.
class CSasekController : public CCloneable<CSasekController, CEntityController> {
public:
  static constexpr float kStandX = 740.0f;
  static constexpr float kOffX = 800.0f;

  CSasekController(CMapEntity_Game *e, CMapEntitiesCollection *c, CEngine *engine, std::string bindTo);
  CSasekController(const CSasekController &other);
  ~CSasekController() override;
  void onBind() override;
  void specificHandleMessages(KEvent *) override {}
  void update() override;

  int getAppearancePeriod() const;
  int getStayPeriod() const;

private:
  void hover(CMapEntity_Sasek *jester);
  void waitForClick(CMapEntity_Sasek *jester);
  void perform(CMapEntity_Sasek *jester);

  std::unique_ptr<Timer> appearanceTimer;
  std::unique_ptr<Timer> stayTimer;
  int32_t highlight = 0;
};
