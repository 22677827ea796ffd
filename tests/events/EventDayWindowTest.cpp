#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "EventDayTestSupport.h"
#include "engine/KDrawList.h"
#include "engine/KFont.h"
#include "engine/KPTK.h"
#include "engine/KText.h"
#include "events/CCharisma.h"
#include "events/CMapEntity_Opicka.h"
#include "events/CMapEntity_Sasek.h"
#include "events/COpickaController.h"
#include "media/CFakeTime.h"
#include "media/CFontSeznam.h"
#include "support/GameWindowDay.h"
#include "support/PatientState.h"
#include "support/WindowPixels.h"
#include "ward/staff/CMapEntity_Marker.h"

// The event day in the real window: a germ after the alarm, over a bed and gone under the spray;
// a monkey riding a patient until the player figure reaches it; the day looking the same drawn
// from its kept picture, and shown in parts, as drawn quad by quad.

namespace {

class EventDayWindowGL : public WindowDay<EventDayScratch> {
protected:
  void SetUp() override {
    openWindow();
    ASSERT_NO_FATAL_FAILURE(setUpLab(false));
    engineObj.setDifficultyFactor(0.85f);
    engineObj.getPlayer()->setClownHint(1);
    load("ward_events");
    // The day opens with its notebook, which holds the game until it is clicked away.
    for (int i = 0; i < 200 && !CGlobals::instance()->paused; ++i) playFrame();
    ASSERT_TRUE(CGlobals::instance()->paused);
    save("events_intro.png");
    pushButton(1, true, 400, 300);
    pushButton(1, false, 400, 300);
    for (int i = 0; i < 3; ++i) playFrame();
    ASSERT_FALSE(CGlobals::instance()->paused);
  }

  void TearDown() override {
    tearDownLab();
    closeWindow();
  }

  // Pixels of the box that differ clearly from the earlier picture of it.
  static int changed(const std::vector<unsigned char> &a, const std::vector<unsigned char> &b) {
    int n = 0;
    for (size_t i = 0; i + 3 < a.size(); i += 4)
      if (std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) + std::abs(a[i + 2] - b[i + 2]) > 60) ++n;
    return n;
  }

  static void save(const char *name) { window()->saveBackBuffer((std::string(TOB_BINARY_DIR) + "/" + name).c_str(), 3, 0, 0); }
};

TEST_F(EventDayWindowGL, AGermComesFourSecondsAfterTheAlarmFliesToABedAndTheSprayTakesIt) {
  for (CMapEntity_Game *e : alive(246)) e->setKill(true);
  for (CMapEntity_Game *e : alive(215)) e->setKill(true);
  uint32_t alarmAt = 0;
  auto *lamp = dynamic_cast<CMapEntity_Hlasic *>(level->getEC()->getEntityByID(271));
  ASSERT_NE(lamp, nullptr);
  for (int i = 0; i < 150 && !alarmAt; ++i) {
    playFrame();
    if (lamp->on) alarmAt = CFakeTime::instance()->ms;
  }
  ASSERT_NE(alarmAt, 0u) << "the alarm lamp lights up";
  save("events_alarm.png");
  while (germs().empty() && CFakeTime::instance()->ms - alarmAt < 4200) playFrame();
  ASSERT_EQ(germs().size(), 1u);
  EXPECT_NEAR(CFakeTime::instance()->ms - alarmAt, 4000, 40);
  CMapEntity_Game *germ = germs()[0];
  auto *state = static_cast<CMapEntity_Bacily *>(germ);
  for (int i = 0; i < 600 && state->stav != CMapEntity_Bacily::kFeeding; ++i) playFrame();
  ASSERT_EQ(state->stav, CMapEntity_Bacily::kFeeding) << "over a bed";
  playFrame();
  const int gx = (int)germ->getX(), gy = (int)germ->getY();
  const std::vector<unsigned char> withGerm = grab(gx, gy, 48, 48);
  save("events_germ.png");

  // The figure carrying the spray steps up to it and sprays.
  CMapEntity_Game *figure = level->getEC()->getEntityByID(7);
  ASSERT_NE(figure, nullptr);
  figure->addEntity(std::string("SPREJ"));
  figure->setXY(germ->getX() - 20, germ->getY() - 20);
  for (int i = 0; i < 10 && alive(71).empty(); ++i) playFrame();
  ASSERT_FALSE(alive(71).empty()) << "the spray cloud";
  playFrame();
  save("events_spray.png");
  for (int i = 0; i < 60; ++i) playFrame();
  EXPECT_TRUE(germs().empty());
  EXPECT_GT(changed(withGerm, grab(gx, gy, 48, 48)), 300) << "the germ no longer shows";
}

TEST_F(EventDayWindowGL, TheMonkeyLowersAPatientsMoodUntilThePlayerFigureReachesIt) {
  for (unsigned id : {69u, 246u, 198u}) {
    for (CMapEntity_Game *e : alive(id)) e->setKill(true);
  }
  // Awake when the monkey lands, so the ride shows on her face: asleep she keeps her sleeping one.
  for (CMapEntity_PacientClass *p : fillBeds(0.9f)) TPatientState::setBedState(p, kBedLying);
  CMapEntity_Opicka *monkey = nullptr;
  for (int i = 0; i < 1700 && !monkey; ++i) {
    update();
    if (!alive(214).empty()) monkey = static_cast<CMapEntity_Opicka *>(alive(214)[0]);
  }
  ASSERT_NE(monkey, nullptr);
  COpickaController *ride = nullptr;
  ASSERT_TRUE(playUntil([&] { return (ride = dynamic_cast<COpickaController *>(monkey->getController())) && ride->getBed(); }, 10));
  auto *bed = dynamic_cast<CMapEntity_PostelClass *>(ride->getBed());
  ASSERT_NE(bed, nullptr);
  auto *patient = dynamic_cast<CMapEntity_PacientClass *>(bed->getOccupant());
  ASSERT_NE(patient, nullptr);
  CMapEntity *head = patient->getContainedEntityClass(CMapEntity_PacientClass::kHeadClass);
  CMapEntity *bar = patient->getContainedEntity(CMapEntity_PacientClass::kHeartsID);
  ASSERT_TRUE(head && bar);
  for (int i = 0; i < 300 && monkey->stav != CMapEntity_Opicka::kRiding; ++i) playFrame();
  ASSERT_EQ(monkey->stav, CMapEntity_Opicka::kRiding);
  ASSERT_EQ(ride->getRider(), patient);
  for (int i = 0; i < 130; ++i) playFrame();
  save("events_monkey.png");
  EXPECT_LT(patient->getMood(), 0.9f - 0.3f) << "bitten at least twice";

  // The ride reads on screen: the monkey's hand on the patient's head, her face in tears and her
  // hearts blinking on a red badge.
  EXPECT_STREQ(CCharisma::faceOf(head), "VERYBAD");
  const Rect box = head->looks().getCurrentFrame()->getBoundingBox();
  const int hx = (int)head->getX() + box.x, hy = (int)head->getY() + box.y;
  const std::vector<unsigned char> ridden = grab(hx, hy, box.w, box.h);
  monkey->looks().setVisible(false);
  draw();
  EXPECT_GT(changed(ridden, grab(hx, hy, box.w, box.h)), 40) << "the monkey's picture reaches the patient's head";
  monkey->looks().setVisible(true);
  auto redFrames = [&] {
    int frames = 0;
    for (int i = 0; i < 25; ++i) {
      playFrame();
      const std::vector<unsigned char> badge = grab((int)bar->getX(), (int)bar->getY(), 33, 16);
      int red = 0;
      for (size_t p = 0; p + 3 < badge.size(); p += 4) red += badge[p] > 170 && badge[p + 1] < 40 && badge[p + 2] < 50;
      if (red > 33 * 16 / 5) ++frames;
    }
    return frames;
  };
  EXPECT_GE(redFrames(), 8) << "the hearts warn on a red badge";
  // No heart left, she goes when the ride ends; till then the doctor can still save her.
  TPatientState::setMood(patient, 0.05f);
  ASSERT_TRUE(playUntil([&] { return patient->getMood() <= 0.0f; }, 100));
  EXPECT_GE(redFrames(), 8) << "the last hearts' warning went dark under the rider";
  ASSERT_EQ(patient->getTormentor(), monkey);
  const float bitten = patient->getMood();
  const int hearts = patient->getHearts();

  CMapEntity_Game *player = level->getEC()->getEntityByID(7);
  player->setXY(monkey->getX(), monkey->getY() + 10);
  for (int i = 0; i < 20; ++i) playFrame();
  save("events_monkey_defeated.png");
  EXPECT_EQ(monkey->stav, CMapEntity_Opicka::kLeaving);
  EXPECT_GT(patient->getMood(), bitten);
  EXPECT_GE(patient->getHearts(), hearts);
  EXPECT_EQ(patient->getTormentor(), nullptr);
  EXPECT_STREQ(CCharisma::faceOf(head), CMapEntity_PacientClass::faceFor(patient->getMood())) << "her own face is back";
  EXPECT_EQ(patient->getPhase(), kPhaseInBed) << "saved at her last moment";
  EXPECT_EQ(level->getMoney(), 80);
}

// Patients in every bed, germs, the monkey and the jester, the pointer moving over the furniture:
// each frame drawn from the kept picture in batches equals the same frame sent quad by quad, in
// the window and scaled to a full screen.
class KeptPictureWindowGL : public EventDayWindowGL {
protected:
  void TearDown() override {
    window()->toggleFullScreen(false);
    EventDayWindowGL::TearDown();
  }

  void compareKeptAndDirect(int frames) {
    for (CMapEntity_PostelClass *bed : beds()) layPatient(bed, 0.6f);
    KDrawList &drawing = window()->drawList();
    const long redraws = drawing.redraws();
    size_t mostKept = 0;
    for (int i = 0; i < frames; ++i) {
      if (i % 25 == 0) pushMotion(60 + (i * 37) % 680, 60 + (i * 53) % 480);
      playFrame();
      mostKept = std::max(mostKept, drawing.keptPieces());
      if (i % 8) continue;
      const std::vector<unsigned char> kept = grab();
      drawing.setDirect(true);
      draw();
      const std::vector<unsigned char> direct = grab();
      drawing.setDirect(false);
      framediff::Area diff;
      for (size_t p = 0; p < kept.size(); p += 4)
        if (std::memcmp(&kept[p], &direct[p], 3)) ++diff.count;
      if (diff.count) diff = framediff::changed(kept, direct);
      ASSERT_EQ(diff.count, 0) << "frame " << i << ": " << diff;
    }
    EXPECT_GT(mostKept, 20u) << "the furniture is kept";
    EXPECT_GT(drawing.redraws() - redraws, 3) << "the picture follows the day";
    EXPECT_FALSE(germs().empty());
  }
};

// As the game shows its frames (no clear, the flip) the screen's picture is drawn and shown only
// where it changed. What the window shows then (in full screen, where the X screen holds the
// scaled picture, what the back buffer holds) equals the frame drawn whole, quad by quad.
class ShownInPartsWindowGL : public KeptPictureWindowGL {
protected:
  void compareShownAndDirect(int frames) {
    window()->setMaxFrameRate(0);
    KDrawList &drawing = window()->drawList();
    const unsigned long onScreen = window()->isFullScreen() ? 0 : gameproc::findTopWindow("Tobrulant");
    int inParts = 0;
    for (int i = 0; i < frames; ++i) {
      if (i % 25 == 0) pushMotion(60 + (i * 37) % 680, 60 + (i * 53) % 480);
      pumpAll();
      update();
      window()->setWorldView(0, 0, 0, 1, false);
      level->render(0, true, screen);
      window()->flipBackBuffer(false, false);
      if (drawing.shownParts()) ++inParts;
      if (i % 8) continue;
      std::vector<unsigned char> shown = grab();
      if (onScreen) {
        const gameproc::Pixels x = gameproc::grabWindow(onScreen, 0, 0, 800, 600);
        ASSERT_EQ(x.data.size(), (size_t)800 * 600 * 3);
        for (size_t p = 0; p < (size_t)800 * 600; ++p) std::memcpy(&shown[p * 4], &x.data[p * 3], 3);
      }
      drawing.setDirect(true);
      draw();
      const std::vector<unsigned char> direct = grab();
      drawing.setDirect(false);
      framediff::Area diff;
      for (size_t p = 0; p < shown.size(); p += 4)
        if (std::memcmp(&shown[p], &direct[p], 3)) ++diff.count;
      if (diff.count) diff = framediff::changed(shown, direct);
      ASSERT_EQ(diff.count, 0) << "frame " << i << ": " << diff;
    }
    EXPECT_GT(inParts, frames / 2) << "most frames are shown in parts";
    window()->setMaxFrameRate(100);
  }
};

TEST_F(ShownInPartsWindowGL, ABusyDayShownWhereItChangedLooksAsDrawnWhole) {
  for (CMapEntity_PostelClass *bed : beds()) layPatient(bed, 0.6f);
  compareShownAndDirect(600);
  window()->toggleFullScreen(true);
  ASSERT_TRUE(window()->isFullScreen());
  pumpAll();
  compareShownAndDirect(400);
}

TEST_F(KeptPictureWindowGL, ABusyDayLooksTheSameFromTheKeptPictureAsDrawnQuadByQuad) {
  compareKeptAndDirect(1200);
  save("events_kept_picture.png");
}

TEST_F(KeptPictureWindowGL, ScaledToAFullScreenTheKeptPictureLooksTheSameToo) {
  window()->toggleFullScreen(true);
  ASSERT_TRUE(window()->isFullScreen());
  pumpAll();
  compareKeptAndDirect(800);
  save("events_kept_picture_scaled.png");
}

TEST_F(EventDayWindowGL, TheJesterStandsWholeInTheWindowAndClickableAllHisWait) {
  auto *jester = static_cast<CMapEntity_Sasek *>(level->getEC()->getEntityByID(kJesterID));
  ASSERT_TRUE(runUntil([&] { return jester->stav == CMapEntity_Sasek::kWaiting; }, 56000));
  for (int ms = 0; jester->stav == CMapEntity_Sasek::kWaiting; ms += 80, update(), update(), update(), update()) {
    const framediff::Area shown = shownBy(jester);
    const Rect box = jester->looks().getCurrentFrame()->getActionBoundingBox();
    const int left = (int)jester->getX() + box.x, top = (int)jester->getY() + box.y;
    EXPECT_TRUE(shown.h() >= 95 && shown.x1 < 799 && shown.inside(left, top, left + box.w, top + box.h)) << shown << ms;
  }
}

} // namespace
