#pragma once

#include "world/CCloneable.h"
#include "world/CEntityController.h"

class CMapEntity_PerkIconClass;
class Timer;

// A perk icon's click and, for the timed perks, its activation: a warning flash in the last
// 5000 ms, then the icon counts a use and hides.
class CPerkIconController : public CEntityController {
public:
  CPerkIconController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                      std::string bindTo, int period);
  CPerkIconController(const CPerkIconController &other);
  CPerkIconController &operator=(const CPerkIconController &) = delete;
  ~CPerkIconController() override;

  void onBind() override;
  void specificHandleMessages(KEvent *ev) override;
  void update() override;

  bool isRunning() const { return running; }
  Timer *getTimer() const { return timer; }

protected:
  CMapEntity_PerkIconClass *icon() const;
  CMapEntity_Game *playerFigure() const;
  // What the perk does at the click and when its time is up.
  virtual void activate() = 0;
  virtual void expire() {}
  // Every frame before the flash and the expiry.
  virtual void work() {}

  bool running = false;
  Timer *timer = nullptr;
};

// The player figure walks twice as fast; its own speed comes back at the end.
class CPerkBurstIconController : public CCloneable<CPerkBurstIconController, CPerkIconController> {
public:
  CPerkBurstIconController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                           std::string bindTo)
      : CCloneable(entity, collection, engine, std::move(bindTo), 20000) {}
  float getStoredSpeed() const { return storedSpeed; }

protected:
  void activate() override;
  void expire() override;

private:
  float storedSpeed = 0.0f;
};

// New patients take the colour of a free bed while the icon is active (the patients read it).
class CPerkLuckIconController : public CCloneable<CPerkLuckIconController, CPerkIconController> {
public:
  CPerkLuckIconController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                          std::string bindTo)
      : CCloneable(entity, collection, engine, std::move(bindTo), 30000) {}

protected:
  void activate() override;
  void expire() override;
};

// Every germ on the ward is removed as soon as it exists while the perk runs.
class CPerkVirusIconController : public CCloneable<CPerkVirusIconController, CPerkIconController> {
public:
  CPerkVirusIconController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                           std::string bindTo)
      : CCloneable(entity, collection, engine, std::move(bindTo), 40000) {}

protected:
  void activate() override;
  void expire() override;
  void work() override;

private:
  bool clearing = false;
};

// Armed by the click; the player figure spends its uses on patients.
class CPerkCureTouchIconController : public CCloneable<CPerkCureTouchIconController, CPerkIconController> {
public:
  CPerkCureTouchIconController(CMapEntity_Game *entity, CMapEntitiesCollection *collection, CEngine *engine,
                               std::string bindTo)
      : CCloneable(entity, collection, engine, std::move(bindTo), 0) {}
  void onBind() override {}
  void update() override {}

protected:
  void activate() override;
};
