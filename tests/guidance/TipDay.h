#pragma once
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "core/CEngine.h"
#include "core/CGameOptions.h"
#include "core/CLoadingScreen.h"
#include "core/CPlayer.h"
#include "engine/KFont.h"
#include "engine/KInput.h"
#include "engine/KText.h"
#include "game/CStartupTables.h"
#include "media/CFontSeznam.h"
#include "media/GameGlobals.h"
#include "support/GameDay.h"
#include "support/PatientState.h"
#include "world/CEntityControllersVzory_Game.h"
#include "world/CLevel_Game.h"
#include "world/CMapEntitiesCollection.h"
#include "world/CMapEntitiesFactory.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/Links.h"

// The generated "ward_tips" day through the game's own loader, prototype and behaviour tables,
// with the day's own arrivals kept away: the tests bring the patient they watch themselves.
class TipDay : public GameDayScratch {
public:
  void setUpDay(bool fakePictures, int clownHint = 0) {
    setUpGame(fakePictures);
    player->setClownHint(clownHint);
    KInput::mousePointerTo(400, 590);
  }

  void loadDay() {
    load("ward_tips");
    TLink<CCustomerGeneratorLink>::get()->setCustomerCount(level->getGenerator(), 0);
  }

  void tearDownDay() { tearDownGame(); }

  // One pass of the play state without drawing: the game clock and the level's update.
  void step() { update(); }

  void run(int ms) {
    for (int t = 0; t < ms; t += 20) step();
  }

  // Steps until the condition holds or the game time is up; true when it held.
  template <class Cond> bool runUntil(Cond cond, int ms) {
    for (int t = 0; t < ms; t += 20) {
      if (cond()) return true;
      step();
    }
    return cond();
  }

  // A patient of the first day with no behaviour of its own, so only the test and the tips
  // change it.
  CMapEntity_PacientClass *quietPatient(float x, float y) {
    auto *p = dynamic_cast<CMapEntity_PacientClass *>(CMapEntitiesFactory::instance()->cloneEntity("PACIENT1"));
    p->name = "QUIETPATIENT";
    p->setXY(x, y);
    p->setAlpha(1.0f, true);
    level->getEC()->addEntity(p);
    return p;
  }

  CMapEntity_PostelClass *bed() const {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (auto *b = dynamic_cast<CMapEntity_PostelClass *>(e)) return b;
    return nullptr;
  }

  void layIntoBed(CMapEntity_PacientClass *p, CMapEntity_PostelClass *b) {
    b->setUklizeno(true);
    ASSERT_NE(b->ulozPacienta(p, p->getColour()), 0);
    TPatientState::inBed(p, b, kBedLying);
  }

  // Run from its bed, which let it go and was forgotten.
  void takeOutOfBed(CMapEntity_PacientClass *p) {
    if (auto *b = dynamic_cast<CMapEntity_PostelClass *>(p->getBed())) b->vylozPacienta();
    p->forgetBed();
    TPatientState::setBedState(p, kBedLying);
    TPatientState::setPhase(p, kPhaseRunning);
  }
};
