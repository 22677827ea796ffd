#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "guidance/CTipKit.h"
#include "ward/PlayerDay.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/EntityIds.h"

// The generated "Tutorial" day through the game's loader and tables, with what the guidance
// tests look at: the bubble on screen, its arrows and the ward's newest patient.
class GuidanceDay : public PlayerDay {
public:
  void setUpTutorial() { ASSERT_NO_FATAL_FAILURE(setUpDay(true, "Tutorial")); }

  // Runs frames until done() holds; false when the frames ran out.
  template <class Done> bool stepUntil(Done done, int frames) {
    for (int i = 0; i < frames; ++i) {
      if (done()) return true;
      step();
    }
    return done();
  }
  void steps(int n) {
    for (int i = 0; i < n; ++i) step();
  }

  // The tutorial's bubbles live only while the tests open them by hand.
  void withoutHelpTrigger() {
    for (CMapEntity_Game *t : named("HELPTRIGGER")) t->setKill(true);
    step();
  }
  void withoutArrivals() {
    for (CPacient &r : level->getPacienti()) r.count = 0;
  }

  CMapEntity_Game *open(const char *name, float x = 0, float y = 0) {
    CMapEntity_Game *e = tipkit::open(level->getEC(), name, x, y);
    step();
    return e;
  }

  // The live bubbles (`kTutorialBubbleClass`) by name, oldest first.
  std::vector<std::string> bubbles() {
    std::vector<std::string> out;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (e->getEntityClassID() == kTutorialBubbleClass && !e->getKill()) out.push_back(e->name);
    return out;
  }
  std::string bubble() {
    std::vector<std::string> b = bubbles();
    return b.size() == 1 ? b[0] : (b.empty() ? "(none)" : "(" + std::to_string(b.size()) + " bubbles)");
  }

  // Live pointing arrows with their screen positions.
  std::vector<CMapEntity_Game *> arrows() {
    std::vector<CMapEntity_Game *> out;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (e->getEntityID() == 189 && !e->getKill()) out.push_back(e);
    return out;
  }
  bool arrowAt(float x, float y) {
    for (CMapEntity_Game *a : arrows())
      if (a->getX() == x && a->getY() == y) return true;
    return false;
  }

  CMapEntity_PacientClass *patient() {
    return dynamic_cast<CMapEntity_PacientClass *>(level->getEC()->getFirstEntityByClassID(kPatientClass));
  }
  CMapEntity_PacientClass *arrived() {
    stepUntil([&] { return patient() != nullptr; }, 200);
    // Its behaviour binds in the next update.
    step();
    return patient();
  }
};
