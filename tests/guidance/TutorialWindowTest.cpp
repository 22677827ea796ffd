#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "media/Frame.h"
#include "support/GameWindowDay.h"
#include "ward/player/CMapEntity_Player.h"
#include "world/CMapEntity_TextBox.h"
#include "world/kinds/CMapEntity_DiagnosticTool.h"
#include "world/kinds/CMapEntity_PacientClass.h"
#include "world/kinds/CMapEntity_PostelClass.h"
#include "world/kinds/CMapEntity_Tlakomer.h"
#include "world/kinds/EntityIds.h"
#include "world/kinds/Links.h"

// The "Tutorial" day in the real window, played by injected mouse input from the help trigger to
// the last bubble: each step's arrows point at what it asks for, and each step waits for it.

namespace {

class TutorialWindowTest : public GameWindowDay {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(setUpWindowDay());
    engineObj.setDifficulty(0.85f, 125, 106.25f);
    load("Tutorial");
  }

  void TearDown() override { tearDownWindowDay(); }

  // Waits draw one frame in kDrawEvery, for speed.
  static constexpr int kDrawEvery = 5;
  bool reach(const char *step, int frames) {
    return playUntil([&] { return bubble() == step; }, frames, kDrawEvery);
  }
  void still(const char *step, int frames) {
    for (int i = 0; i < frames; ++i) playFrame(false);
    EXPECT_EQ(bubble(), step) << "moved on by itself";
  }

  std::string bubble() {
    std::string name = "(none)";
    int n = 0;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (e->getEntityClassID() == kTutorialBubbleClass && !e->getKill()) {
        name = e->name;
        ++n;
      }
    return n > 1 ? "(" + std::to_string(n) + " bubbles)" : name;
  }
  bool captionShown(const std::string &text, float rightOf = -1000) {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (auto *t = dynamic_cast<CMapEntity_TextBox *>(e))
        if (t->text == text && t->getX() > rightOf) return true;
    return false;
  }
  std::string bubbleText() {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (e->getEntityClassID() == kTutorialBubbleClass && !e->getKill())
        if (auto *box = dynamic_cast<CMapEntity_TextBox *>(e->getContainedEntity(kTextBoxID))) return box->text;
    return "";
  }
  // With no place given, the arrow that stands free.
  CMapEntity_Game *arrowAt(float x = -1, float y = -1) {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (e->getEntityID() == 189 && !e->getKill() &&
          (x < 0 ? !e->carrying().getParent() : e->getX() == x && e->getY() == y))
        return e;
    return nullptr;
  }
  // The arrow at (x, y) points (down, or up when turned) at a spot within `slack` px of the target's
  // picture.
  ::testing::AssertionResult pointsAt(float x, float y, bool turned, CMapEntity *target, float slack = 16) {
    if (!arrowAt(x, y)) return ::testing::AssertionFailure() << "no arrow at " << x << ", " << y;
    if (!target) return ::testing::AssertionFailure() << "no target";
    Frame *own = arrowAt(x, y)->looks().getCurrentFrame();
    float tipX = x + 20, tipY = turned ? y : y + (own ? (float)own->getVyska() : 48);
    Frame *f = target->looks().getCurrentFrame();
    float w = f ? (float)f->getSirka() : 0, h = f ? (float)f->getVyska() : 0;
    float tx = target->getX(), ty = target->getY();
    if (tipX < tx - slack || tipX > tx + w + slack || tipY < ty - slack || tipY > ty + h + slack)
      return ::testing::AssertionFailure() << "the arrow at " << x << ", " << y << " misses " << target->name << " at "
                                           << tx << ", " << ty << " (" << w << " x " << h << ")";
    return ::testing::AssertionSuccess();
  }

  // The downward arrow's tip lands on what the person shows on screen.
  ::testing::AssertionResult tipOn(CMapEntity_Game *arrow, CMapEntity *person) {
    if (!arrow || !arrow->looks().getCurrentFrame()) return ::testing::AssertionFailure() << "no arrow";
    const int x = (int)arrow->getX() + 20,
              y = (int)arrow->getY() + (int)arrow->looks().getCurrentFrame()->getVyska() - 3;
    const framediff::Area a = shownBy(person);
    return ::testing::AssertionResult(x >= a.x0 && x <= a.x1 && y >= a.y0 && y <= a.y1) << "tip " << x << ", " << y;
  }

  CMapEntity_PacientClass *patient() {
    return dynamic_cast<CMapEntity_PacientClass *>(level->getEC()->getFirstEntityByClassID(kPatientClass));
  }
  CMapEntity_PostelClass *bed(uint16_t number) {
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (auto *b = dynamic_cast<CMapEntity_PostelClass *>(e))
        if (b->getBedNumber() == number) return b;
    return nullptr;
  }
  void shot(const char *name) {
    for (int i = 0; i < 3; ++i) playFrame();
    savePNG((std::string(TOB_BINARY_DIR) + "/" + name).c_str());
  }
};

TEST_F(TutorialWindowTest, TheTutorialIsPlayedByMouseFromTheHelpTriggerToItsLastBubble) {
  ASSERT_TRUE(reach("TUTORIAL1", 100)) << "the tutorial never started";
  // Left alone for 10 s, the waiting lesson stays readable where it was put.
  CMapEntity_Game *lesson = level->getEC()->getFirstEntityByClassID(kTutorialBubbleClass);
  for (int i = 0; i < 500; ++i) playFrame(i % kDrawEvery == 0);
  EXPECT_EQ(lesson->getY(), 0.0f);
  EXPECT_GT(shownBy(lesson->getContainedEntity(kTextBoxID)).count, 300) << "its words hidden";
  ASSERT_TRUE(playUntil([&] { return patient() != nullptr; }, 200, kDrawEvery)) << "nobody came";
  CMapEntity_PacientClass *p = patient();
  ASSERT_TRUE(playUntil([&] { float a = p->looks().getAlpha(); return a == -1.0f || a >= 1.0f; }, 120, kDrawEvery));
  auto *chair = dynamic_cast<CMapEntity_DiagnosticTool *>(level->getEC()->getFirstEntityByClassID(17));
  ASSERT_TRUE(chair && chair->getGauge());
  playFrame();
  EXPECT_TRUE(pointsAt(668, 350, false, chair));
  EXPECT_TRUE(tipOn(arrowAt(p->getX() + 10, p->getY() - 67), p)) << "above the patient";
  shot("tutorial-1-registration.png");

  // Registration: the chair, the gauge's peak, the bench. Bed 2 is shut meanwhile.
  dragOnto(p, chair);
  ASSERT_EQ(p->getPhase(), kPhaseOnChair);
  ASSERT_TRUE(reach("TUTORIAL1B", 20));
  playFrame();
  EXPECT_TRUE(bed(2)->isLocked());
  ASSERT_TRUE(playUntil([&] { return chair->getGauge()->full != 0; }, 600, kDrawEvery)) << "the gauge never peaked";
  EXPECT_EQ(bubble(), "TUTORIAL1B");
  EXPECT_EQ(p->getHearts(), 5);
  shot("tutorial-1b-gauge-full.png");
  still("TUTORIAL1B", 250);
  ASSERT_EQ(p->getPhase(), kPhaseOnChair) << "gone before the click the lesson teaches";
  clickOn(p);
  ASSERT_TRUE(reach("TUTORIAL2", 20));
  for (int i = 0; i < 10; ++i) playFrame();
  EXPECT_TRUE(pointsAt(96, 80, false, bed(1)));
  dragOnto(p, bed(2));
  EXPECT_NE(p->getPhase(), kPhaseInBed) << "bed 2 is shut";
  for (int i = 0; i < 30; ++i) playFrame();
  dragOnto(p, bed(1));
  ASSERT_EQ(p->getPhase(), kPhaseInBed);
  ASSERT_TRUE(reach("TUTORIAL2B", 20));

  // The outbreak holds until the doctor has examined her.
  ASSERT_TRUE(reach("TUTORIAL3", 3000)) << "no outbreak";
  playFrame();
  EXPECT_TRUE(pointsAt(96, 80, false, bed(1)));
  shot("tutorial-3-outbreak.png");
  still("TUTORIAL3", 500);
  EXPECT_EQ(p->getBedState(), kBedOutbreak) << "the outbreak does not pass by itself";
  EXPECT_EQ(p->getHearts(), 5);
  clickOn(bed(1));
  ASSERT_TRUE(playUntil([&] { return figure()->workPhase == CFigureActionLink::kExamining; }, 400, kDrawEvery)) << "no examination";
  EXPECT_EQ(bubble(), "TUTORIAL3");
  ASSERT_TRUE(reach("TUTORIAL4", 400));
  ASSERT_NE(figure()->getContainedEntity(kPrescriptionID), nullptr);
  CMapEntity_Game *cabinet = level->getEC()->getFirstEntityByClassID(kCabinetClass);
  playFrame();
  EXPECT_TRUE(pointsAt(458, 80, true, cabinet));

  // The prescription to the cabinet, the medicine to her bed.
  clickOn(cabinet);
  ASSERT_TRUE(reach("TUTORIAL5", 600));
  ASSERT_TRUE(reach("TUTORIAL6", 600)) << "no medicine made";
  CMapEntity_Game *lek = floorMedicine();
  ASSERT_NE(lek, nullptr);
  playFrame();
  CMapEntity_Game *arrow = arrowAt();
  ASSERT_NE(arrow, nullptr);
  const float ax = arrow->getX(), ay = arrow->getY();
  EXPECT_TRUE(pointsAt(ax, ay, true, lek)) << "the medicine lands under its arrow";
  EXPECT_TRUE(pointsAt(96, 80, false, bed(1)));
  shot("tutorial-6-medicine.png");
  // A click on the arrow's shaft, below the bottle, takes the bottle it points at.
  clickAt((int)ax + 20, (int)ay + 30);
  ASSERT_TRUE(playUntil([&] { return figure()->getContainedEntity(kMedicineID) != nullptr; }, 600, kDrawEvery))
      << "a click on the arrow took nothing";
  playFrame();
  EXPECT_EQ(arrowAt(), nullptr) << "the medicine arrow goes once it is picked up";
  EXPECT_NE(arrowAt(96, 80), nullptr);
  clickOn(bed(1));
  ASSERT_TRUE(reach("TUTORIAL7", 600));
  playFrame();
  EXPECT_NE(arrowAt(54, 170), nullptr);

  // Cured: she pays, and the next patient comes in, unclickable for now.
  ASSERT_TRUE(reach("TUTORIAL8", 4000)) << "never cured: " << p->getMeterFull();
  CMapEntity_PacientClass *next = nullptr;
  for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
    if (e != p && e->getEntityClassID() == kPatientClass) next = dynamic_cast<CMapEntity_PacientClass *>(e);
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(next->locked, 1);
  playFrame();
  EXPECT_FALSE(bed(2)->isLocked());
  EXPECT_TRUE(tipOn(arrowAt(96, 50), p)) << "on the patient waving the money";
  // The bubble at the foot of the screen leaves him in view on the couch, and a press on him
  // says why he does not come yet.
  ASSERT_TRUE(playUntil([&] { float a = next->looks().getAlpha(); return a == -1.0f || a >= 1.0f; }, 120, kDrawEvery));
  CMapEntity_Game *bubbleNow = level->getEC()->getFirstEntityByClassID(kTutorialBubbleClass);
  const int seen = shownBy(next).count;
  bubbleNow->looks().setVisible(false);
  const int whole = shownBy(next).count;
  bubbleNow->looks().setVisible(true);
  EXPECT_GE(seen * 20, whole * 19) << "the bubble hides the waiting patient: " << seen << " of " << whole << " px";
  shot("tutorial-8-payment.png");
  clickOn(next);
  EXPECT_TRUE(captionShown("Not yet: collect the money!"));
  dragOnto(next, chair);
  EXPECT_TRUE(captionShown("Not yet: collect the money!", 300)) << "no word where the drag ended";
  clickOn(bed(1));
  ASSERT_TRUE(reach("TUTORIAL9", 600)) << "not paid";

  // Tidying: the bed, then the sheets into the trolley.
  CMapEntity_Game *trolley = level->getEC()->getFirstEntityByClassID(30);
  ASSERT_TRUE(playUntil([&] { return !bed(1)->isMadeUp(); }, 200, kDrawEvery));
  clickOn(bed(1));
  ASSERT_TRUE(playUntil([&] { return figure()->getContainedEntity(kRubbishID) != nullptr; }, 600, kDrawEvery));
  playFrame();
  EXPECT_TRUE(pointsAt(540, 210, false, trolley));
  EXPECT_NE(bubbleText().find("trolley"), std::string::npos) << bubbleText();
  shot("tutorial-9-hamper.png");
  clickOn(trolley);
  ASSERT_TRUE(reach("TUTORIAL9B", 600));

  // Both beds unmade once more, made, and the sheets away.
  ASSERT_TRUE(reach("TUTORIAL9C", 300));
  playFrame();
  EXPECT_TRUE(pointsAt(88, 220, true, bed(1)));
  EXPECT_TRUE(pointsAt(248, 220, true, bed(2)));
  clickOn(bed(1));
  ASSERT_TRUE(playUntil([&] { return bed(1)->isMadeUp(); }, 600, kDrawEvery));
  playFrame();
  EXPECT_EQ(arrowAt(88, 220), nullptr);
  EXPECT_EQ(bubble(), "TUTORIAL9C");
  clickOn(bed(2));
  ASSERT_TRUE(reach("TUTORIAL9D", 600));
  playFrame();
  EXPECT_TRUE(pointsAt(530, 210, false, trolley));
  clickOn(next);
  EXPECT_TRUE(captionShown("Not yet: sheets in the trolley!")) << "beds made, sheets still in hand";
  clickOn(trolley);
  ASSERT_TRUE(reach("TUTORIAL9E", 600));

  // The new patient is the player's; the first tip's trigger takes over.
  ASSERT_TRUE(reach("TUTORIAL10", 260));
  EXPECT_EQ(next->locked, 0);
  EXPECT_FLOAT_EQ(next->getPressureSpeed(), 0.005f);
  bool tipTrigger = false;
  for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr()) tipTrigger |= e->name == "TIP1TRIGGER";
  EXPECT_TRUE(tipTrigger);
  // Gone after five seconds, unless the tips replace it sooner.
  ASSERT_TRUE(playUntil([&] { return bubble() != "TUTORIAL10"; }, 300, kDrawEvery)) << "the last bubble stays";
  // The first tips teach the click at the desk: she waits there for it, long past her own patience.
  dragOnto(next, chair);
  ASSERT_TRUE(playUntil([&] { return chair->getGauge()->full != 0; }, 1500, kDrawEvery)) << "the gauge never peaked";
  ASSERT_TRUE(reach("TIP2", 20));
  still("TIP2", 250);
  ASSERT_EQ(next->getPhase(), kPhaseOnChair) << "gone before the click the tip teaches";
  clickOn(next);
  EXPECT_EQ(next->getPhase(), kPhaseOnCouch);
}

} // namespace
