#pragma once
#include <string>
#include <vector>

#include "media/Timer.h"
#include "world/CCloneable.h"
#include "world/CEntityController.h"

// The "OK" click marker: removed 700 ms of game time after its first update.
class COKController : public CCloneable<COKController, CEntityController> {
public:
  using CCloneable::CCloneable;
  COKController(const COKController &other);

  void specificHandleMessages(KEvent *ev) override;
  void update() override;

  // Drops a marker beside the pointer of the click, where the pointer really is.
  static void placeMarker(CMapEntitiesCollection *collection, const KEvent *ev);

  Timer life{1000, false};
};

class CMapEntity_Game;
class CMapEntity_TextBox;

// The "CLOSED" sign: fades in once placed, and its card names what still keeps the day open.
class CClosedController : public CCloneable<CClosedController, CEntityController> {
public:
  using CCloneable::CCloneable;
  CClosedController(const CClosedController &other) : CCloneable(other) {}
  void onBind() override;
  void update() override;

  // "make 2 beds, empty the linen, 1 needs medicine, ..." for the ward's entities; "all done!".
  // Shorter by `brevity`: 1 names things in a word, 2 counts the patients together.
  static std::string whatIsLeft(const std::vector<CMapEntity_Game *> &entities, int brevity = 0);

private:
  // The longest list that fits the card on one line.
  std::string fitting() const;

  CMapEntity_TextBox *card = nullptr;
};

// The germ alarm lamp: its red light swells and shrinks while the lamp is on.
class CHlasicController : public CCloneable<CHlasicController, CEntityController> {
public:
  using CCloneable::CCloneable;
  void update() override;
  virtual void action() {}
};
