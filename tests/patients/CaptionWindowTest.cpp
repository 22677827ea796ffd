#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "support/GameWindowDay.h"
#include "media/GameGlobals.h"
#include "support/PatientState.h"
#include "ward/player/CMapEntity_Player.h"
#include "ward/staff/CClosedController.h"
#include "world/CCaption.h"
#include "world/CEntityKit.h"
#include "world/CMapEntity_TextBox.h"
#include "world/kinds/CMapEntity_DiagnosticTool.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_Tlakomer.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/EntityIds.h"

// The demonstration ward in the real window, watched as a person watches the money: each payment
// rises as its own caption with its amount, where it was earned, and the money rises by no more
// than the captions say, through the whole stay of a patient; a bed's colour multiplier shows
// whenever a chain runs there, on an empty bed too.

namespace {

class CaptionWindowTest : public GameWindowDay {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(setUpWindowDay());
    load("ward_demo");
  }
  void TearDown() override { tearDownWindowDay(); }

  // Runs a step; the money it raises is the sum of the "... +N" captions that came up meanwhile
  // (a caption's memory may serve a later one: only captions still shown count as seen).
  // Returns such a caption, or null.
  template <class Step> CMapEntity_Game *watched(Step step) {
    const int before = level->getMoney();
    step();
    std::set<uint64_t> shown;
    int labelled = 0;
    CMapEntity_Game *paying = nullptr;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr()) {
      auto *t = dynamic_cast<CMapEntity_BonusText *>(e);
      if (!t || !shown.insert(e->getSerial()).second || seen.count(e->getSerial()) || t->text.rfind('+') == std::string::npos) continue;
      labelled += std::atoi(t->text.c_str() + t->text.rfind('+') + 1);
      paying = e;
    }
    seen.swap(shown);
    EXPECT_EQ(labelled, level->getMoney() - before) << "money rose by " << level->getMoney() - before;
    return paying;
  }
  CMapEntity_Game *drop(CMapEntity *e, CMapEntity *onto) {
    int x, y;
    actionMiddle(onto, x, y);
    return watched([&] { dragTo(e, x, y); });
  }
  // Frames until at least `n` entities of the kind, standing whole, pass `test`; those that do.
  template <class T, class Test> std::vector<T *> waitFor(size_t n, Test test) {
    std::vector<T *> found;
    for (int i = 0; i < 6000 && found.size() < n; ++i) {
      watched([&] { playFrame(i % 20 == 0); });
      found.clear();
      for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
        if (T *t = dynamic_cast<T *>(e))
          if ((e->looks().getAlpha() == -1.0f || e->looks().getAlpha() >= 1.0f) && test(t)) found.push_back(t);
    }
    return found;
  }
  // Watched frames until `done`, at most `frames`.
  template <class Done> bool until(Done done, int frames) {
    for (int i = 0; i < frames && !done(); ++i) watched([&] { playFrame(); });
    return done();
  }
  void click(CMapEntity *e) {
    watched([&] { clickOn(e); });
  }
  static bool near(CMapEntity_Game *caption, CMapEntity *source) {
    return caption && std::hypot(caption->getX() - source->getX(), caption->getY() - source->getY()) < 80.0f;
  }

  std::set<uint64_t> seen;
};

TEST_F(CaptionWindowTest, EveryPaymentShowsItsOwnCaptionAndEveryBedItsChain) {
  for (int i = 0; i < 60; ++i) playFrame(false);
  pushButton(1, true, 400, 300);
  pushButton(1, false, 400, 300);
  auto arrived = [](CMapEntity_PacientClass *q) { return q->getPhase() == kPhaseArrived; };
  auto waiting = waitFor<CMapEntity_PacientClass>(2, arrived);
  ASSERT_GE(waiting.size(), 2u) << "two patients never waited together";
  CMapEntity_PacientClass *p = waiting[0];

  // Both desk chairs taken: the full desk pays at the chair just taken.
  CMapEntity_Game *chair1 = level->getEC()->getEntityByID(1), *chair2 = level->getEC()->getEntityByID(126);
  ASSERT_TRUE(chair1 && chair2);
  EXPECT_EQ(drop(p, chair1), nullptr);
  EXPECT_TRUE(near(drop(waiting[1], chair2), chair2)) << "the full desk's caption";

  // On to the bench, then into a bed of the patient's colour: the colour bonus, at that bed.
  auto free = [&](CMapEntity_PostelClass *b) {
    return p->getPhase() == kPhaseOnCouch && !b->carrying().getParent() && !b->getOccupant();
  };
  auto beds = waitFor<CMapEntity_PostelClass>(2, free);
  ASSERT_GE(beds.size(), 2u) << "the patient never reached the bench, or no two beds stood free";
  beds[0]->setBarva(p->getColour());
  EXPECT_TRUE(near(drop(p, beds[0]), beds[0])) << "the colour bonus's caption";
  ASSERT_EQ(beds[0]->getOccupant(), p);
  ASSERT_EQ(beds[0]->getBonusMultiplier(), 2);

  // What is said over the patient's hearts, the bed's number, the card visitors hold up or a
  // bottle's number stands clear of them.
  {
    CMapEntity *rail = beds[0]->getContainedEntityClass(CMapEntity_PostelClass::kRailClass);
    CMapEntity *hearts = p->getContainedEntity(CMapEntity_PacientClass::kHeartsID);
    CMapEntity_Game *pair = add("RODICE1", 560, 380), *bottle = add("LEK", 420, 110);
    ASSERT_TRUE(rail && hearts);
    auto wordsOf = [](CMapEntity *e) {
      const Rect r = e->looks().getCurrentFrame()->getWordsBox();
      return framediff::Area{(int)e->getX() + r.x, (int)e->getY() + r.y, (int)e->getX() + r.x + r.w - 1,
                             (int)e->getY() + r.y + r.h - 1, r.w * r.h};
    };
    const framediff::Area bar = shownBy(hearts), plate = wordsOf(rail), card = wordsOf(pair), label = wordsOf(bottle);
    ASSERT_GT(bar.count, 0) << "no hearts shown";
    ASSERT_GT(plate.count, 0) << "the bed's number is not known";
    ASSERT_GT(card.count, 0) << "the visitors' card is not known";
    ASSERT_GT(label.count, 0) << "the bottle's number is not known";
    CMapEntitiesCollection *c = level->getEC();
    CMapEntity_BonusText *said[] = {
        CCaption::show(c, (float)plate.x0 - 20, (float)plate.y0, "CLEANUP +85", TCaptionKind::Plain),
        static_cast<CMapEntity_BonusText *>(entitykit::refuse(c, (float)bar.x0, (float)bar.y0, "Too late!")),
        static_cast<CMapEntity_BonusText *>(entitykit::refuse(c, (float)card.x0 - 30, (float)card.y0, "No prescription")),
        static_cast<CMapEntity_BonusText *>(entitykit::refuse(c, (float)label.x0 - 60, (float)label.y0, "Take the spray first"))};
    for (int i = 0; i < 40 && !HasFailure(); ++i, playFrame(false))
      for (CMapEntity_BonusText *t : said) {
        const framediff::Area box{(int)t->getX(), (int)t->getY(), (int)(t->getX() + t->width) - 1, (int)(t->getY() + t->height) - 1, 1};
        EXPECT_FALSE(box.meets(plate)) << t->text << " over the bed's number";
        EXPECT_FALSE(box.meets(bar)) << t->text << " over the hearts";
        EXPECT_FALSE(box.meets(wordsOf(pair))) << t->text << " over the visitors' card";
        EXPECT_FALSE(box.meets(label)) << t->text << " over the bottle's number";
      }
    // Said by the test, not paid: gone before the money is watched again.
    for (CMapEntity_BonusText *t : said) t->setKill(true);
    pair->setKill(true);
    bottle->setKill(true);
    playFrame(false);
  }

  // The full cure meter shows whole: hiding the head uncovers none of it.
  const float cure = p->getMeterFull();
  TPatientState::setMeterFull(p, 1.0f);
  CMapEntity *head = p->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass);
  const framediff::Area meter = shownBy(p->getContainedEntity(CMapEntity_PacientClass::kMeterID));
  ASSERT_GT(meter.count, 0) << "no cure meter";
  draw();
  std::vector<unsigned char> headShown = grab();
  head->looks().setVisible(false);
  draw();
  EXPECT_EQ(framediff::changed(headShown, grab(), meter.x0, meter.y0, meter.x1, meter.y1).count, 0)
      << "the head hides part of the cure meter";
  head->looks().setVisible(true);
  TPatientState::setMeterFull(p, cure);

  // What a bed looks like with multiplier 2 against 1, all else the same.
  auto label = [&](CMapEntity_PostelClass *b) {
    const uint16_t kept = b->getBonusMultiplier();
    TPatientState::setBedRun(b, 2);
    draw();
    std::vector<unsigned char> two = grab();
    TPatientState::setBedRun(b, 1);
    draw();
    TPatientState::setBedRun(b, kept);
    return framediff::changed(two, grab(), (int)b->getX(), (int)b->getY(), (int)b->getX() + 160, (int)b->getY() + 140);
  };
  EXPECT_FALSE(label(beds[0]).empty()) << "no x2 on the bed of the patient who earned it";
  EXPECT_FALSE(beds[1]->getOccupant());
  EXPECT_FALSE(label(beds[1]).empty()) << "no x2 on an empty bed, which the next patient of its colour continues";

  // The rest of the stay, every frame watched: the examination, the medicine (in time, the fast
  // service), the cure and the patient's payment, the figure's chain of work, the linen emptied.
  CMapEntity_PostelClass *bed = beds[0];
  ASSERT_TRUE(until([&] { return p->getBedState() == kBedOutbreak; }, 3000)) << "no outbreak";
  click(bed);
  ASSERT_TRUE(until([&] { return figure()->getContainedEntity(kPrescriptionID) != nullptr; }, 800)) << "no examination";
  click(level->getEC()->getFirstEntityByClassID(kCabinetClass));
  ASSERT_TRUE(until([&] { return floorMedicine() != nullptr; }, 1000)) << "no medicine made";
  click(floorMedicine());
  ASSERT_TRUE(until([&] { return figure()->getContainedEntity(kMedicineID) != nullptr; }, 600));
  click(bed);
  ASSERT_TRUE(until([&] { return p->getBedState() == kBedGivingMoney; }, 4000)) << "never cured";
  const int cured = level->getCured();
  click(bed);
  ASSERT_TRUE(until([&] { return level->getCured() > cured; }, 600)) << "not paid";
  ASSERT_TRUE(until([&] { return bed->getOccupant() == nullptr && !bed->isMadeUp(); }, 200));
  click(bed);
  ASSERT_TRUE(until([&] { return figure()->getContainedEntity(kRubbishID) != nullptr; }, 600)) << "bed not made";
  click(level->getEC()->getFirstEntityByClassID(kTrolleyClass));
  EXPECT_TRUE(until([&] { return figure()->getContainedEntity(kRubbishID) == nullptr; }, 600)) << "linen kept";
}

// Said together at one spot, or at the window's edges, captions stand apart near where they were
// earned, whole and off a tip's arrow while they rise (a quick one waits below a slow one), off a
// big word as it grows, off painted labels and off a lesson opened at the top; a run's length
// stays with its bonus; a refusal said again, or answered by a match, goes.
TEST_F(CaptionWindowTest, CaptionsSaidTogetherStandApartWholeAndOffTheArrows) {
  ASSERT_NO_FATAL_FAILURE(openWard());
  CMapEntitiesCollection *c = level->getEC();
  CMapEntity_Game *arrow = add("SIPKA", 300, 150), *stand = first("ANTIV"), *lesson = nullptr;
  arrow->setSortZ(8, false);
  const Rect anti = stand->looks().getCurrentFrame()->getWordsBox();
  ASSERT_GT(anti.w, 0) << "the stand's label is not known";
  std::map<std::string, std::pair<float, float>> earned;
  auto say = [&](CMapEntity_Game *t, float x, float y) { earned[static_cast<CMapEntity_BonusText *>(t)->text] = {x, y}; };
  say(CCaption::show(c, 300, 200, "MONKEY DEFEATED +80", TCaptionKind::Cash), 300, 200);
  say(CCaption::show(c, 300, 200, "FAST SERVICE +51", TCaptionKind::Cash), 300, 200);
  say(entitykit::refuse(c, 300, 200, "Too late!"), 300, 200);
  say(CCaption::show(c, 400, -20, "Medicine ready!", TCaptionKind::Ready), 400, -20);
  say(entitykit::refuse(c, 420, 20, "No prescription"), 420, 20);
  for (int i = 0; i < 2; ++i) entitykit::refuse(c, 600, 300, "Wait for the tip to finish!");
  entitykit::refuse(c, 790, 400, "Hands full: put the spray back");
  entitykit::refuse(c, -10, 450, "Hands full: give the drink away");
  level->showBigWord(240, 330, "", "");
  for (const char *no : {"No drink yet", "No toy yet"}) say(entitykit::refuse(c, 400, 30, no), 400, 30);
  const float ax = stand->getX() + (float)anti.x, ay = stand->getY() + (float)anti.y;
  say(CCaption::show(c, ax, ay, "CASH +1136", TCaptionKind::Plain), ax, ay);
  CMapEntity_BonusText *run = CCaption::payRun(c, nullptr, 560, 240, "CLEANUP +", 75, 3, paleta[8]);
  struct TBox {
    float x0, y0, x1, y1;
    bool meets(const TBox &o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
  };
  // A picture's box, zoomed about the picture's middle as the big word grows.
  auto boxOf = [](CMapEntity_Game *e, float z) {
    const Frame *f = e->looks().getCurrentFrame();
    const Rect b = f->getBoundingBox();
    const float w = f->getSirka() / 2.0f, h = f->getVyska() / 2.0f, mx = e->getX() + w, my = e->getY() + h;
    return TBox{mx + (b.x - w) * z, my + (b.y - h) * z, mx + (b.x + b.w - w) * z, my + (b.y + b.h - h) * z};
  };
  for (int frame = 0; frame < 90; ++frame) {
    if (frame == 30) entitykit::refuse(c, 500, 480, "Wrong colour or dots!");
    if (frame == 40) CCaption::sayPlainly(c, 510, 485, "Match!", TCaptionKind::Ready);
    if (frame == 45) CCaption::show(c, 300, 390, "CASH +35", TCaptionKind::Plain);
    if (frame == 50) lesson = add("TIPHLASIC", 0, 0);
    if (frame == 55) CCaption::show(c, 250, 60, "CASH +40", TCaptionKind::Plain);
    playFrame(frame % 10 == 0);
    CMapEntity_Game *word = c->getEntityByID(kBigWordID);
    ASSERT_TRUE(word && !word->getKill());
    std::vector<TBox> taken = {boxOf(arrow, 1.0f), boxOf(word, word->looks().getZoom()),
                               {ax, ay, ax + (float)anti.w, ay + (float)anti.h}};
    if (lesson && !lesson->getKill()) taken.push_back({0, 0, 800, (float)lesson->looks().getCurrentFrame()->getVyska()});
    std::vector<std::pair<CMapEntity_BonusText *, TBox>> shown;
    for (CMapEntity_Game *e : *c->getEntitiesPtr())
      if (auto *t = dynamic_cast<CMapEntity_BonusText *>(e))
        if (!t->getKill() && t->looks().getAlpha() > 0.0f)
          shown.push_back({t, {t->getX(), t->getY(), t->getX() + t->width, t->getY() + t->height}});
    ASSERT_TRUE(frame > 0 || shown.size() == 12u) << "the refusal said twice shows once";
    for (auto &[t, box] : shown) {
      EXPECT_TRUE(box.x0 >= 8 && box.x1 <= 792 && box.y0 >= 8) << t->text << " at " << t->getX();
      EXPECT_FALSE(frame > 40 && t->text == "Wrong colour or dots!") << "a match did not answer the refusal";
      const auto at = frame == 0 ? earned.find(t->text) : earned.end();
      EXPECT_TRUE(at == earned.end() || std::hypot(t->getX() - at->second.first, t->getY() - at->second.second) < 170.0f)
          << t->text << " far from where it was earned";
      for (const TBox &o : taken) EXPECT_FALSE(box.meets(o)) << t->text << " on the arrow, a word, a label or a lesson, frame " << frame;
      for (auto &[o, other] : shown)
        EXPECT_FALSE(o != t && box.meets(other)) << t->text << " over " << o->text << " at frame " << frame;
    }
    if (frame == 10) {
      // The run's length in its colour (cyan) at the head of its bonus, not apart from it.
      std::vector<unsigned char> px = grab();
      int lead = 0;
      for (int y = (int)run->getY(); y < (int)(run->getY() + run->height); ++y)
        for (int x = (int)run->getX(); x < (int)run->getX() + 30; ++x) {
          const unsigned char *p = &px[((size_t)y * 800 + x) * 4];
          lead += p[0] < 90 && p[1] > 180 && p[2] > 180;
        }
      EXPECT_GT(lead, 20) << "no 3x before CLEANUP +75";
    }
    if (frame == 60 || frame == 80) savePNG((std::string(TOB_BINARY_DIR) + "/captions_apart" + std::to_string(frame) + ".png").c_str());
    if (HasFailure()) break;
  }
}

// On the band's day the CLOSED sign stands near its place hiding no face and no label, and turns
// see-through when the doctor walks under it; the podium shows its five lamps whole.
TEST_F(CaptionWindowTest, TheClosedSignHidesNoFaceAndThePodiumShowsItsLamps) {
  load("day22");
  ASSERT_NO_FATAL_FAILURE(openWard());
  CMapEntity_Game *sign = add("CLOSED", 374, 391), *podium = first("PODIUM");
  ASSERT_TRUE(podium);
  playFrame();
  const Frame *f = sign->looks().getCurrentFrame();
  const float x0 = sign->getX(), y0 = sign->getY(), x1 = x0 + f->getSirka(), y1 = y0 + f->getVyska();
  EXPECT_LT(std::fabs(y0 - 391.0f), 120.0f) << "the sign went far";
  auto under = [&](CMapEntity *e, Rect r) {
    return x0 < e->getX() + r.x + r.w && e->getX() + r.x < x1 && y0 < e->getY() + r.y + r.h && e->getY() + r.y < y1;
  };
  for (uint32_t id : {kMusician1ID, kMusician2ID}) {
    CMapEntity *m = podium->getContainedEntity(id);
    Rect face = m->looks().getCurrentFrame()->getActionBoundingBox();
    face.h = face.h * 2 / 5;
    EXPECT_FALSE(under(m, face)) << "the sign over a musician's head at " << y0;
  }
  EXPECT_FALSE(under(podium, podium->looks().getCurrentFrame()->getWordsBox())) << "the sign over BAND";
  ASSERT_TRUE(playUntil([&] { return sign->looks().getAlpha() >= 1.0f; }, 300, 50)) << "the sign never showed";
  figure()->setXY(x0 + 100, y0 - 20);
  EXPECT_TRUE(playUntil([&] { return sign->looks().getAlpha() <= CClosedController::kOverPatientAlpha; }, 200))
      << "the sign hides the doctor's face";
  // Along the lamps' row, five runs of lamp colour (yellow or grey), each a whole lamp wide; a
  // rim's pixel or two is no lamp.
  draw();
  std::vector<int> runs;
  for (int x = (int)podium->getX(), y = (int)podium->getY() + 56, in = 0; x < (int)podium->getX() + 176; ++x) {
    const uint32_t p = pixel(x, y);
    const int r = p >> 24, g = (p >> 16) & 255, b = (p >> 8) & 255;
    const bool lamp = (r > 200 && g > 180 && b < 140) || (std::abs(r - g) < 20 && std::abs(g - b) < 24 && r > 120 && r < 180);
    if (lamp && !in) runs.push_back(0);
    if (lamp) ++runs.back();
    in = lamp;
    if (!lamp && !runs.empty() && runs.back() < 3) runs.pop_back();
  }
  ASSERT_EQ(runs.size(), 5u) << "the podium's lamps " << ::testing::PrintToString(runs);
  for (int w : runs) EXPECT_GE(w, 8) << "a lamp cut";
}

} // namespace
