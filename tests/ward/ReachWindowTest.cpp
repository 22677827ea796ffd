#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "events/CMapEntity_Opicka.h"
#include "media/Frameset.h"
#include "media/ZSprite.h"
#include "patients/CPacientController.h"
#include "support/GameWindowDay.h"
#include "support/PatientState.h"
#include "ward/player/CPlayerController.h"
#include "world/CMapEntity_TextBox.h"
#include "world/CPathFinder.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/EntityIds.h"

// Working days in the real window, played by injected mouse input: an outbreak answered in time
// from the cabinet and one answered too late on day 2, a monkey chased off by a click on the bed it
// rides, and a late day finished after closing with things lying over its unmade beds.

namespace {

class ReachWindowTest : public GameWindowDay {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(setUpWindowDay());
    engineObj.setDifficulty(0.85f, 125, 106.25f);
  }
  void TearDown() override { tearDownWindowDay(); }

  // The day with its notebook clicked away and its furniture arrived.
  void openDay(const char *name) {
    load(name);
    openWard();
  }

  CMapEntity_PostelClass *bed(uint16_t number) {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (CMapEntity_PostelClass *b = dynamic_cast<CMapEntity_PostelClass *>(e))
        if (b->getEntityClassID() == kBedClass && b->getBedNumber() == number && !b->getKill()) return b;
    return nullptr;
  }

  // A patient of the day's species resting in that bed, as the bench's drop leaves it.
  CMapEntity_PacientClass *resting(CMapEntity_PostelClass *b, const char *species) {
    auto *p = dynamic_cast<CMapEntity_PacientClass *>(CMapEntitiesFactory::instance()->cloneEntity(species));
    level->getEC()->addEntity(p);
    playFrame();
    p->setXY(b->getX() + 38.0f, b->getY() - 10.0f);
    EXPECT_GT(b->ulozPacienta(p, p->getColour()), 0);
    // Where laying into bed puts the patient and its blanket.
    p->setXOffset(38.0f, false);
    p->setYOffset(-10.0f, false);
    p->syncWithParentPosition();
    if (CMapEntity *blanket = p->getContainedEntityClass(CMapEntity_PostelClass::kBlanketClass)) {
      blanket->setXOffset(-38.0f, false);
      blanket->setYOffset(60.0f, false);
      blanket->syncWithParentPosition();
    }
    // As laying in leaves it: the front rail in front of the blanket.
    if (CMapEntity *rail = b->getContainedEntityClass(CMapEntity_PostelClass::kRailClass)) rail->setSortZ(4, false);
    b->containedCopiesUpdate();
    TPatientState::inBed(p, b, kBedLying);
    TPatientState::setMeterFull(p, 0.9f);
    TPatientState::setOutbreakPeriod(p, 10000000);
    p->addEntity(CMapEntitiesFactory::instance()->cloneEntity("BAR"), true, true);
    return p;
  }

  void breakOut(CMapEntity_PacientClass *p) { dynamic_cast<CPacientController *>(p->getController())->startOutbreak(); }
  void playMs(int ms) {
    for (int t = 0; t < ms; t += 20) playFrame(t % 100 == 0);
  }

  int captions(const std::string &text) {
    int n = 0;
    for (CMapEntity_Game *e : named("BONUSTEXT"))
      n += static_cast<CMapEntity_BonusText *>(e)->text == text;
    return n;
  }
  // The tile the figure's foot stands on.
  void footTile(int &tx, int &ty) {
    Frame *f = figure()->looks().getCurrentFrame();
    Rect b = f->getBoundingBox();
    tx = ((int)figure()->getX() + b.x + b.w / 2) / 32;
    ty = ((int)figure()->getY() + b.y + b.h / 2) / 32;
  }
  std::string shot(const char *name) { return std::string(TOB_BINARY_DIR) + "/reach-" + name + ".png"; }
};

// From the cabinet's work spot, an outbreak answered 4 s after it starts is examined, even at the
// bed farthest away; one answered 7 s late ends in "Too late!". Empty-handed, a click on the cabinet
// is refused where she stands.
TEST_F(ReachWindowTest, OnDayTwoAnOutbreakAnsweredAfterFourSecondsIsExaminedAndAfterSevenIsTooLate) {
  ASSERT_NO_FATAL_FAILURE(openDay("ward_day2"));
  CMapEntity_Game *cabinet = level->getEC()->getFirstEntityByClassID(kCabinetClass);
  ASSERT_NE(cabinet, nullptr);
  // She starts on the cabinet's work spot: where a click on the cabinet leads.
  int cx = 0, cy = 0, tx = 0, ty = 0;
  middle(cabinet, cx, cy);
  std::vector<CMapEntity *> under{cabinet};
  ASSERT_TRUE(dynamic_cast<CPlayerController *>(figure()->getController())->clickGoal(under, (float)cx, (float)cy, tx, ty));
  uint16_t sx = 0, sy = 0;
  CPathFinder::instance()->showAPath((uint16_t)tx, (uint16_t)ty, (uint16_t)tx, (uint16_t)ty, &sx, &sy);
  footTile(tx, ty);
  ASSERT_TRUE(tx == sx && ty == sy) << "she starts at " << tx << "," << ty << ", the cabinet's spot is " << sx << "," << sy;

  // The day's perk tip would hang over the counter in the pictures.
  ASSERT_TRUE(playUntil([&] { return first("TIPPERK") != nullptr; }, 200, 5));
  first("TIPPERK")->setKill(true);
  const float x0 = figure()->getX(), y0 = figure()->getY();
  clickOn(cabinet);
  EXPECT_TRUE(named("OK").empty()) << "a refused click leaves no click marker";
  for (int i = 0; i < 30; ++i) playFrame();
  EXPECT_EQ(captions("No prescription"), 1);
  EXPECT_TRUE(figure()->getX() == x0 && figure()->getY() == y0 && figure()->goalX == -1) << "she set off";
  savePNG(shot("no-prescription").c_str());

  // The bed whose spot is farthest from the cabinet's (the third, at the left).
  CMapEntity_PostelClass *far = bed(3);
  ASSERT_NE(far, nullptr);
  CMapEntity_PacientClass *p = resting(far, "PACIENT1");
  breakOut(p);
  ASSERT_EQ(p->getBedState(), kBedOutbreak);
  playMs(4000);
  clickOn(far);
  ASSERT_TRUE(playUntil([&] { return figure()->workPhase == CPlayerController::kExamining; }, 150)) << "not examined";
  EXPECT_EQ(p->getBedState(), kBedWaitingMedicine);
  for (int i = 0; i < 10; ++i) playFrame();
  savePNG(shot("examined-after-4s").c_str());

  // The prescription in her hand; the cabinet glows and an arrow points at it until it is handed in.
  ASSERT_TRUE(playUntil([&] { return figure()->getContainedEntity(kPrescriptionID) != nullptr; }, 200));
  for (int i = 0; i < 30; ++i) playFrame();
  EXPECT_TRUE(cabinet->getHighlightOn());
  EXPECT_NE(cabinet->CMapEntity::getContainedEntity(189), nullptr);
  savePNG(shot("prescription").c_str());
  clickOn(cabinet);
  ASSERT_TRUE(playUntil([&] { return figure()->getContainedEntity(kPrescriptionID) == nullptr; }, 300));
  // At work: its busy picture with the bar, the nurse beside it; then the bottle with its caption.
  ASSERT_TRUE(playUntil(
      [&] { return std::string(cabinet->looks().getSprite()->getAktivniFrameset()->getID()) == "FRAMESET1"; }, 20));
  CMapEntity_Game *nurse = level->getEC()->getFirstEntityByClassID(25);
  ASSERT_NE(nurse, nullptr);
  EXPECT_TRUE(nurse->looks().getVisible());
  for (int i = 0; i < 60; ++i) playFrame();
  savePNG(shot("cabinet-at-work").c_str());
  ASSERT_TRUE(playUntil([&] { return floorMedicine() != nullptr; }, 300));
  for (int i = 0; i < 10; ++i) playFrame();
  EXPECT_EQ(captions("Medicine ready!"), 1);
  EXPECT_FALSE(nurse->looks().getVisible());
  savePNG(shot("medicine-ready").c_str());

  // Answered 7 s after it began, from the cabinet: the outbreak has ended.
  CMapEntity_PacientClass *q = resting(bed(1), "PACIENT4");
  breakOut(q);
  playMs(7000);
  ASSERT_EQ(q->getBedState(), kBedSleeping) << "the outbreak should have ended untreated";
  clickOn(bed(1));
  ASSERT_TRUE(playUntil([&] { return captions("Too late!") == 1; }, 150)) << "no word at the bed";
  EXPECT_EQ(q->getBedState(), kBedSleeping);
  for (int i = 0; i < 8; ++i) playFrame();
  savePNG(shot("too-late").c_str());
}

// A monkey riding a patient is chased off by a click on that patient's bed.
TEST_F(ReachWindowTest, OnAMonkeyDayAClickOnTheRiddenPatientsBedChasesTheMonkeyOff) {
  ASSERT_NO_FATAL_FAILURE(openDay("day09"));
  for (uint16_t n = 1; n <= 4; ++n) {
    ASSERT_NE(bed(n), nullptr) << n;
    resting(bed(n), "PACIENT2");
  }
  CMapEntity_Opicka *monkey = nullptr;
  auto riding = [&] {
    for (CMapEntity_Game *e : named("OPICKA"))
      if (auto *m = dynamic_cast<CMapEntity_Opicka *>(e))
        if (m->stav == CMapEntity_Opicka::kRiding) monkey = m;
    return monkey != nullptr;
  };
  ASSERT_TRUE(playUntil(riding, 3000, 10)) << "no monkey rode";
  CMapEntity_PostelClass *ridden = nullptr;
  for (uint16_t n = 1; n <= 4; ++n) {
    auto *p = dynamic_cast<CMapEntity_PacientClass *>(bed(n)->getOccupant());
    if (p && p->getTormentor() == monkey) ridden = bed(n);
  }
  ASSERT_NE(ridden, nullptr);
  savePNG(shot("monkey-riding").c_str());
  const int money = level->getMoney();
  clickOn(ridden);
  ASSERT_TRUE(playUntil([&] { return captions("MONKEY DEFEATED +80") == 1; }, 200)) << "the monkey stayed";
  EXPECT_GE(level->getMoney(), money + 80);
  for (int i = 0; i < 10; ++i) playFrame();
  savePNG(shot("monkey-defeated").c_str());
}

// Bed 4 shows its wear long before it breaks; the repairman dropped on it 2 s after the break
// keeps a patient who lay down at full mood. The patient stays hidden, the rail in plain view.
TEST_F(ReachWindowTest, OnDayThreeBedFourWarnsBeforeItBreaksAndIsMendedInTime) {
  ASSERT_NO_FATAL_FAILURE(openDay("day03"));
  auto *four = dynamic_cast<CMapEntity_PostelClass *>(first("POSTEL4"));
  CMapEntity_Game *man = first("OPRAVAR");
  ASSERT_TRUE(four && man);
  CMapEntity_PacientClass *p = resting(four, "PACIENT1");
  TPatientState::setMood(p, 1.0f);
  // The bed's lower half, its front rail, as drawn with the patient aside.
  const int x0 = (int)four->getX(), y0 = (int)four->getY();
  auto railLooksLike = [&](const std::vector<unsigned char> &other) {
    draw();
    return framediff::changed(grab(), other, x0, y0 + 60, x0 + 149, y0 + 119).count < 150;
  };
  p->looks().setVisible(false);
  draw();
  const std::vector<unsigned char> whole = grab();
  four->setHealth(30);
  int ms = 0, wearSeen = -1;
  for (; four->getHealth() > 0 && ms < 40000; ms += 240) {
    for (int i = 0; i < 12; ++i) playFrame(false);
    TPatientState::setMeterFull(p, 0.9f);
    if (wearSeen < 0 && !railLooksLike(whole)) wearSeen = ms;
  }
  ASSERT_EQ(four->getHealth(), 0) << "the bed never broke";
  EXPECT_GE(ms - (wearSeen < 0 ? ms : wearSeen), 10000) << "the wear showed " << ms - wearSeen << " ms before the break";
  for (int i = 0; i < 100; ++i) playFrame();
  dragOnto(man, four);
  pushMotion(400, 300);
  for (int i = 0; i < 200; ++i) playFrame(i % 10 == 0);
  EXPECT_EQ(p->getBed(), four) << "the patient left at mood " << p->getMood();
  EXPECT_TRUE(railLooksLike(whole)) << "the mended bed looks worn";

  // Broken under a patient waving her bill, and mended: she waves it still, and a click takes it.
  p->looks().setVisible(true);
  TPatientState::setMeterFull(p, 0.0f);
  four->setHealth(2);
  ASSERT_TRUE(playUntil([&] { return four->getHealth() == 0; }, 200));
  dragOnto(man, four);
  ASSERT_TRUE(playUntil([&] { return four->getHealth() >= 100; }, 300)) << "not mended";
  EXPECT_STREQ(p->getContainedEntityClass(CMapEntity_PacientClass::kHandClass)->looks().getSprite()->getAktivniFrameset()->getID(), "GIVEMONEY");
  clickOn(p);
  EXPECT_TRUE(playUntil([&] { return p->getPhase() == kPhasePaid; }, 400)) << "the click took no money";
}

// After closing, with a toy in her hand over one unmade bed and a germ over another, a click on
// either bed's picture makes it; the CLOSED sign says what is left, and the day ends once nothing is.
TEST_F(ReachWindowTest, AfterClosingALateDaysUnmadeBedsAreMadeWhateverLiesOverThem) {
  ASSERT_NO_FATAL_FAILURE(openDay("day26"));
  level->finishClock();
  ASSERT_TRUE(playUntil([&] { return first("CLOSED") != nullptr; }, 20));
  CMapEntity_PostelClass *one = bed(1), *four = bed(4);
  ASSERT_TRUE(one && four);
  one->setUklizeno(false);
  four->setUklizeno(false);
  // A busy ward's list stays on the card's one line, over no bed.
  TPatientState::setBedState(resting(bed(2), "PACIENT1"), kBedWaitingMedicine);
  TPatientState::setBedState(resting(bed(3), "PACIENT1"), kBedGivingMoney);
  CMapEntity_PacientClass *front = resting(bed(5), "PACIENT1");
  // Unmade under its patient, the bed is not one to make: the patient holds the day.
  bed(5)->setUklizeno(false);
  figure()->addEntity(std::string("ODPAD"));
  for (int i = 0; i < 5; ++i) playFrame();
  CMapEntity_TextBox *card = dynamic_cast<CMapEntity_TextBox *>(first("CLOSED")->getContainedEntity(kTextBoxID));
  ASSERT_NE(card, nullptr);
  EXPECT_NE(card->text.find(" 2 beds"), std::string::npos) << card->text;
  fonts->setAktivniFont("small2");
  EXPECT_LE(fonts->getAktivniFont()->getStringWidth(card->text.c_str(), 0.0f), (float)card->boxWidth) << card->text;
  // The sign, in place, stands over the head of bed 5's patient: an outbreak there shows through.
  breakOut(front);
  for (int i = 0; i < 110; ++i) playFrame(i % 10 == 0);
  float cx = 0, cy = 0;
  front->outbreakRingCentre(cx, cy);
  int lit = 0;
  for (int y = 393; y <= 411; ++y)
    for (int x = (int)cx - 15; x <= (int)cx + 15; ++x) {
      const uint32_t c = pixel(x, y);
      lit += (c >> 24) > 200 && ((c >> 16) & 0xFF) > 150 && ((c >> 8) & 0xFF) < 120;
    }
  EXPECT_GE(lit, 16) << "the outbreak ring under the sign is hidden";
  EXPECT_EQ(card->looks().getAlpha(), 1.0f) << "the see-through sign's words are as pale as it";
  savePNG(shot("closed-sign-busy").c_str());
  figure()->removeEntity(figure()->getContainedEntity(kRubbishID));
  // Whoever came in before closing goes, so only the beds and the linen keep the day open.
  for (int i = 0; i < 120; ++i) {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (e->getEntityClassID() == kPatientClass) e->setKill(true);
    playFrame();
  }
  for (uint16_t n : {2, 3, 5}) bed(n)->setUklizeno(true);
  playFrame();
  EXPECT_EQ(card->text, "Left: make 2 beds");
  savePNG(shot("closed-sign").c_str());

  // She stands at bed 1's work spot, a toy in her right hand lying over the bed's picture.
  CMapEntity *drink = figure()->addEntity(std::string("DRINK"));
  CMapEntity *toy = figure()->addEntity(std::string("TOY"));
  ASSERT_TRUE(drink && toy);
  figure()->removeEntity(drink);
  Frame *f = figure()->looks().getCurrentFrame();
  Rect foot = f->getBoundingBox();
  const int sx = (int)(one->getX() + (float)one->approachX) / 32, sy = (int)(one->getY() + (float)one->approachY) / 32;
  figure()->setXY((float)(sx * 32 + 16 - foot.x - foot.w / 2), (float)(sy * 32 + 16 - foot.y - foot.h / 2));
  for (int i = 0; i < 5; ++i) playFrame();
  int toyX = 0, toyY = 0;
  middle(toy, toyX, toyY);
  Rect pic = one->looks().getCurrentFrame()->getActionBoundingBox();
  ASSERT_TRUE(toyX >= (int)one->getX() + pic.x && toyX < (int)one->getX() + pic.x + pic.w && toyY >= (int)one->getY() + pic.y &&
              toyY < (int)one->getY() + pic.y + pic.h)
      << "the toy at " << toyX << "," << toyY << " is not over the bed";
  savePNG(shot("toy-over-bed").c_str());
  clickAt(toyX, toyY);
  ASSERT_TRUE(playUntil([&] { return one->isMadeUp(); }, 300)) << "a click on the toy over bed 1 made nothing";
  clickOn(level->getEC()->getFirstEntityByClassID(30));
  ASSERT_TRUE(playUntil([&] { return figure()->getContainedEntity(kRubbishID) == nullptr; }, 300));

  // A germ over bed 4.
  CMapEntity_Game *germ = CMapEntitiesFactory::instance()->cloneEntity("BACILY");
  int bx = 0, by = 0;
  middle(four, bx, by);
  germ->setXY((float)bx - 16.0f, (float)by - 16.0f);
  level->getEC()->addEntity(germ);
  playFrame();
  clickAt(bx, by);
  ASSERT_TRUE(playUntil([&] { return four->isMadeUp(); }, 300)) << "a click over the germ on bed 4 made nothing";
  for (int i = 0; i < 5; ++i) playFrame();
  EXPECT_EQ(card->text, "Left: empty the linen");
  clickOn(level->getEC()->getFirstEntityByClassID(30));
  ASSERT_TRUE(playUntil([&] { return figure()->getContainedEntity(kRubbishID) == nullptr; }, 300));
  ASSERT_TRUE(playUntil([&] { return level->getEC()->getEntityByID(1017) != nullptr; }, 1500, 10)) << "the day never ended";
}

} // namespace
