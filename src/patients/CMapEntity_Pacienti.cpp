#include "patients/CMapEntity_Pacienti.h"

#include <cstring>

#include "media/CLogger.h"
#include "media/Timer.h"
#include "media/ZSprite.h"
#include "media/makeString.h"

namespace {
const float BASE = -1.0f;
}

// name, sprite, id, kind, money, recovery, patience, pressure, celebrity, runsAway, disease,
// coughKind, coughPeriod, runAwayPeriod, headYOffset, fullMeter
const TSpecies kPacient1 = {"PACIENT1", "PACIENT2", 2000, 1, 1.0f, 0.4f, 0.017f, 0.022f, 0, 0, "Mad Cow Disease", 0, 0, 0, 0.0f, false};
const TSpecies kPacient2 = {"PACIENT2", "PACIENT1", 3000, 0, 0.5f, 0.5f, 0.008f, 0.01f, 0, 0, "Swimmers ear", 0, 0, 0, 0.0f, false};
const TSpecies kPacient3 = {"PACIENT3", "PACIENT3", 4000, 1, 8.0f, 0.3f, 0.07f, 0.008f, 1, 0, "B-Hives", 1, 2500, 0, 0.0f, false};
const TSpecies kPacient4 = {"PACIENT4", "PACIENT4", 5000, 0, 2.7f, 0.38f, 0.01f, 0.015f, 0, 0, "Horse Throat", 0, 0, 0, -15.0f, false};
const TSpecies kPacient5 = {"PACIENT5", "PACIENT5", 6000, 0, 4.0f, 0.27f, 0.014f, 0.0035f, 0, 0, "Hay Fever Fits", 1, 3000, 0, -9.0f, false};
const TSpecies kPacient9 = {"PACIENT9", "PACIENTSAMAN", 81, 0, 2.2f, 0.4f, 0.024f, 0.015f, 0, 0, "Elephantisis", 0, 0, 0, 0.0f, false};
const TSpecies kPacient10 = {"PACIENT10", "PACIENT10", 83, 1, 4.0f, 0.35f, 0.01f, 0.01f, 0, 0, "Shrunken head", 4, 1500, 0, 0.0f, false};
const TSpecies kPacient11 = {"PACIENT11", "PACIENT11", 99, 0, 9.0f, 0.18f, 0.015f, 0.008f, 0, 0, "3rd deg. sideburns", 4, 2500, 0, 0.0f, true};
const TSpecies kPacient12 = {"PACIENT12", "PACIENT12", 114, 1, 12.0f, 0.2f, 0.035f, 0.005f, 0, 0, "Leperchaun", 0, 0, 0, 0.0f, true};
const TSpecies kPacient13 = {"PACIENT13", "PACIENT13", 116, 3, 15.0f, 0.4f, 0.04f, BASE, 0, 0, nullptr, 0, 0, 0, 0.0f, true};
const TSpecies kPacientStarosta = {"PACIENTSTAROSTA", "PACIENTSTAROSTA", 7000, 1, 7.0f, 0.15f, 0.031f, BASE, 1, 0, "Conjuntiv-iris", 0, 0, 0, 0.0f, false};
const TSpecies kPacientSaman = {"PACIENTSAMAN", "PACIENT9", 103, 0, 20.0f, 0.2f, 0.024f, 0.002f, 1, 0, "Baboonic plague", 0, 0, 0, 0.0f, false};
const TSpecies kNemocnej1 = {"NEMOCNEJ1", "NEMOCNEJ1", 260, 0, 1.0f, 0.4f, 0.017f, BASE, 0, 0, "Sick", 1, 0, 0, 0.0f, true};
const TSpecies kBlazen1 = {"BLAZEN1", "BLAZEN1", 152, 0, 1.9f, 0.6f, 0.008f, BASE, 0, 0, "Bipolarbear Disorder", 0, 0, 0, 0.0f, false};
const TSpecies kBlazen2 = {"BLAZEN2", "BLAZEN2", 157, 1, 3.5f, 0.6f, 0.01f, 0.015f, 0, 0, "Squirrely", 2, 3000, 0, -3.0f, false};
const TSpecies kBlazen3 = {"BLAZEN3", "BLAZEN3", 164, 0, 7.0f, 0.3f, 0.015f, 0.009f, 0, 1, "Sheet Snatcher Syndrome", 0, 0, 12000, 0.0f, false};
const TSpecies kBlazen4 = {"BLAZEN4", "BLAZEN4", 170, 1, 8.5f, 0.25f, 0.01f, 0.007f, 0, 0, "Pearanoid", 4, 2200, 0, 0.0f, false};
const TSpecies kBlazenCelebrita = {"BLAZENCELEBRITA", "BLAZENCELEBRITA", 160, 0, 19.0f, 0.6f, 0.008f, 0.003f, 1, 0, "Napoleon Complex", 0, 0, 0, 0.0f, false};
const TSpecies kDitePacient1 = {"DITEPACIENT1", "DITEPACIENT1", 124, 4, 1.5f, 0.55f, 0.008f, 0.022f, 0, 0, "Polka Pox", 0, 0, 0, 0.0f, false};
const TSpecies kDitePacient2 = {"DITEPACIENT2", "DITEPACIENT2", 133, 4, 3.0f, 0.35f, 0.01f, 0.01f, 0, 0, "Mother Goose Bumps", 1, 3000, 0, 0.0f, false};
const TSpecies kDitePacient3 = {"DITEPACIENT3", "DITEPACIENT3", 137, 4, 4.5f, 0.35f, 0.025f, 0.03f, 0, 0, "Chicken Pox", 0, 0, 0, 0.0f, false};
const TSpecies kDitePacient4 = {"DITEPACIENT4", "DITEPACIENT4", 144, 4, 5.8f, 0.2f, 0.02f, 0.018f, 0, 0, "Catatonia", 2, 3000, 0, 0.0f, false};
const TSpecies kDiteHelmut = {"DITEHELMUT", "DITEHELMUT", 139, 4, 10.0f, 0.65f, 0.04f, BASE, 1, 0, "Shingles", 0, 0, 0, 0.0f, false};

namespace {
const TSpecies *const kAll[] = {&kPacient1, &kPacient2, &kPacient3, &kPacient4, &kPacient5, &kPacient9,
                                &kPacient10, &kPacient11, &kPacient12, &kPacient13, &kPacientStarosta,
                                &kPacientSaman, &kNemocnej1, &kBlazen1, &kBlazen2, &kBlazen3, &kBlazen4,
                                &kBlazenCelebrita, &kDitePacient1, &kDitePacient2, &kDitePacient3,
                                &kDitePacient4, &kDiteHelmut};
} // namespace

const TSpecies *findSpecies(const char *name) {
  for (const TSpecies *s : kAll)
    if (name && std::strcmp(s->name, name) == 0) return s;
  return nullptr;
}

void applySpeciesTo(CMapEntity_PacientClass &p, const TSpecies &s) {
  p.setKind(s.kind);
  p.setMoney(s.money);
  p.setRecoverySpeed(s.recoverySpeed);
  p.setPatience(s.patience);
  if (s.pressureSpeed >= 0.0f) p.setPressureSpeed(s.pressureSpeed);
  p.setCelebrity(s.celebrity != 0);
  p.setEntityID(s.id);
  p.looks().setSprite(s.sprite);
  p.name = s.name;
  if (p.looks().getSprite()) p.looks().getSprite()->nastavFrameset("FRAMESET1");
  p.setXY(p.getX(), p.getY());
  p.setWalkPenalty(200);
  CLogger::instance()->log("setting penalty for " + p.name + ": " + makeString(200));
  p.health = 100;
  p.setRunsAway(s.runsAway != 0);
  if (s.diseaseName) p.setDiseaseName(s.diseaseName);
}

void applyCopySettingsTo(CMapEntity_PacientClass &p, const TSpecies &s) {
  p.setCough(s.coughKind, s.coughPeriod);
  if (s.runAwayPeriod) p.setRunAwayPeriod(s.runAwayPeriod);
  if (s.headYOffset != 0.0f) {
    if (CMapEntity *head = p.getContainedEntityClass(CMapEntity_PacientClass::kHeadClass)) {
      head->setYOffset(s.headYOffset, false);
      head->syncWithParentPosition();
    }
  }
  if (s.fullMeter) {
    p.fillMeter(1.0f);
    p.synchronizujNaladu();
  }
}
