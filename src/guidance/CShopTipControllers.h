#pragma once
#include <cstdint>

#include "world/CCloneable.h"
#include "world/CEntityController.h"
#include "guidance/CTipKit.h"

class CMapEntity;
class Timer;

// The shop's first-time tour: after 3 s six pages point at the money, the prices, a BUY button
// and a star; at the end the shop gets its focus back and the tour is not shown again.
class CTipShopController : public CCloneable<CTipShopController, CEntityController> {
public:
  CTipShopController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine, std::string bindTo);
  CTipShopController(const CTipShopController &other);
  CTipShopController &operator=(const CTipShopController &) = delete;
  ~CTipShopController() override;

  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;

  int getPage() const { return page; }
  int getRunState() const { return runState; }

private:
  void enterPage();
  void removeArrow(int slot);
  CMapEntity_Game *freeArrow(float x, float y, bool turned);

  TPointerFollow pointer;
  Timer *startTimer;
  int runState = 0;
  Timer *pageTimer;
  int page = 0;
  CMapEntity_Game *arrows[5] = {nullptr, nullptr, nullptr, nullptr, nullptr};
  CMapEntity *starDot = nullptr;
};

// Reminds the player to choose a perk; goes after 8 s of real time.
class CTipShopPerkController : public CCloneable<CTipShopPerkController, CEntityController> {
public:
  CTipShopPerkController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                         std::string bindTo);
  CTipShopPerkController(const CTipShopPerkController &other);
  CTipShopPerkController &operator=(const CTipShopPerkController &) = delete;
  ~CTipShopPerkController() override;

  void onBind() override;
  void update() override;

private:
  TPointerFollow pointer;
  Timer *life;
};

// Points at the perk icons for 7 s of real time while keeping every patient happy.
class CTipPerkController : public CCloneable<CTipPerkController, CEntityController> {
public:
  CTipPerkController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine, std::string bindTo);
  CTipPerkController(const CTipPerkController &other);
  CTipPerkController &operator=(const CTipPerkController &) = delete;
  ~CTipPerkController() override;

  void onBind() override;
  void update() override;

private:
  TPointerFollow pointer;
  Timer *life;
};

// Raises the perk tip once a run of the program, a second after the day starts.
class CTipPerkTriggerController : public CCloneable<CTipPerkTriggerController, CEntityController> {
public:
  CTipPerkTriggerController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                            std::string bindTo);
  CTipPerkTriggerController(const CTipPerkTriggerController &other);
  CTipPerkTriggerController &operator=(const CTipPerkTriggerController &) = delete;
  ~CTipPerkTriggerController() override;

  void specificHandleMessages(KEvent *ev) override;
  void update() override;

private:
  TPointerFollow pointer;
  Timer *poll;
};
