#pragma once
#include <vector>

#include "events/EventDayTestSupport.h"
#include "media/ZSprite.h"
#include "world/CMapEntity_TextBox.h"

// The event day with its germ generators, monkey and jester sent away, so the only germs, notes and
// patients on the ward are the ones a test brings in.
class CareTipDay : public ::testing::Test, public EventDayScratch {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(setUpDay(true));
    quietWard();
  }
  void TearDown() override { tearDownLab(); }

  void quietWard() {
    for (unsigned id : {69u, 246u, 215u, 198u})
      for (CMapEntity_Game *e : alive(id)) e->setKill(true);
    update();
  }

  CMapEntity_Game *one(unsigned id) const {
    std::vector<CMapEntity_Game *> found = alive(id);
    return found.size() == 1 ? found.front() : nullptr;
  }

  // The arrows a bubble carries.
  static std::vector<CMapEntity *> arrows(CMapEntity_Game *bubble) {
    std::vector<CMapEntity *> out;
    for (CMapEntity *e : bubble->carrying().getContainedList())
      if (e != bubble && e->getEntityID() == 189) out.push_back(e);
    return out;
  }

  static std::string shownText(CMapEntity_Game *bubble) {
    auto *box = dynamic_cast<CMapEntity_TextBox *>(bubble->getContainedEntity(1001));
    return box ? box->text : std::string("<no box>");
  }

  void pointerAt(int x, int y) {
    KInput::notePointer(x, y);
    update();
  }
};
