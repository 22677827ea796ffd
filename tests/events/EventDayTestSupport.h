#pragma once
#include <vector>

#include "LabTestSupport.h"
#include "core/CEngine.h"
#include "events/CMapEntity_Bacily.h"
#include "support/PatientState.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/Links.h"

// The event day of the generated data set, with patients laid into its beds by hand: asleep, with a
// meter that sleep no longer lowers and their outbreaks used up, so their own behaviour leaves their
// mood alone and every change is the visitors' doing. The day's own arrivals stay away: only the
// hand-laid patients are on the ward.
class EventDayScratch : public LabScratch {
public:
  void setUpDay(bool fakePictures, const char *levelName = "ward_events") {
    setUpLab(fakePictures);
    engineObj.setDifficultyFactor(0.85f);
    engineObj.getPlayer()->setClownHint(1);
    load(levelName);
    TLink<CCustomerGeneratorLink>::get()->setCustomerCount(level->getGenerator(), 0);
    closeNotebook();
  }

  std::vector<CMapEntity_PostelClass *> beds() const {
    std::vector<CMapEntity_PostelClass *> out;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (e->getEntityClassID() == 13)
        if (CMapEntity_PostelClass *b = dynamic_cast<CMapEntity_PostelClass *>(e)) out.push_back(b);
    return out;
  }

  CMapEntity_PacientClass *layPatient(CMapEntity_PostelClass *bed, float mood) {
    CMapEntity_PacientClass *p =
        dynamic_cast<CMapEntity_PacientClass *>(CMapEntitiesFactory::instance()->cloneEntity("PACIENT1"));
    level->getEC()->addEntity(p);
    bed->setUklizeno(true);
    // Where and as the game lays a patient in: at the bed's head, asleep.
    p->setXOffset(38.0f, false);
    p->setYOffset(p->getKind() == 4 ? -7.0f : -10.0f, false);
    EXPECT_NE(bed->ulozPacienta(p, p->getColour()), 0);
    CPacientController::switchPacientFrameset(p, "LYING", false, true, true);
    CPacientController::switchPacientFrameset(p, "ILL3", true, false, false);
    TPatientState::inBed(p, bed, kBedSleeping);
    TPatientState::setMood(p, mood);
    TPatientState::setMeterFull(p, 0.5f);
    TPatientState::setOutbreakCount(p, p->getOutbreakMaxCount());
    // Shown at once: fading patients in is their own behaviour's work.
    p->setAlpha(1.0f, true);
    return p;
  }

  // The beds arrive in their carriers first; the working beds are set down a moment later.
  std::vector<CMapEntity_PacientClass *> fillBeds(float mood) {
    std::vector<CMapEntity_PacientClass *> out;
    EXPECT_TRUE(runUntil([&] { return alive(10000).empty(); }, 20000)) << "beds set down";
    for (CMapEntity_PostelClass *b : beds()) out.push_back(layPatient(b, mood));
    return out;
  }

  std::vector<CMapEntity_Game *> germs() const {
    std::vector<CMapEntity_Game *> out;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (e->getEntityClassID() == 27 && !e->getKill()) out.push_back(e);
    return out;
  }

  // Runs until the condition holds or the game time is up; true when it held.
  template <class Cond> bool runUntil(Cond cond, int ms) {
    for (int t = 0; t < ms; t += 20) {
      if (cond()) return true;
      update();
    }
    return cond();
  }

  void run(int ms) {
    for (int t = 0; t < ms; t += 20) update();
  }
};
