#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdlib>
#include <set>
#include <utility>

#include "LabTestSupport.h"
#include "engine/KEvent.h"
#include "events/CDNAController.h"
#include "events/CMapEntity_MiniGameSummaryWindow.h"
#include "events/CScoreLog.h"
#include "world/CMapEntity_TextBox.h"
#include "world/TEntityRef.h"

// The laboratory headless: set-up, drags into dishes, the set records, the countdown and the
// summary's pay-out and score log.

namespace {

class LabTest : public ::testing::Test, public LabScratch {
protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(setUpLab(true)); }
  void TearDown() override { tearDownLab(); }

  void pointer(float x, float y, int frames = 2) {
    KInput::notePointer((int)x, (int)y);
    for (int i = 0; i < frames; ++i) update();
  }

  void button(bool down, int frames = 2) {
    KInput::noteButton(1, down);
    for (int i = 0; i < frames; ++i) update();
  }

  // Drags the piece with the pointer and lets it go over the dish.
  void dragOnto(CMapEntity_DNA *piece, CMapEntity_Miska *dish) {
    pointer(piece->getX() + 24, piece->getY() + 24);
    button(true);
    pointer(dish->getX() + 44, dish->getY() + 26, 3);
    button(false);
  }

  void fillSet() {
    for (CMapEntity_Miska *dish : dishes()) {
      CMapEntity_DNA *piece = pieceFor(dish);
      ASSERT_NE(piece, nullptr);
      dragOnto(piece, dish);
      ASSERT_EQ(dish->filled, 1);
    }
  }

  void click() {
    KEvent ev{};
    ev.type = K_EVENT_MOUSEDOWN;
    ev.button = 1;
    level->handleMessages(&ev);
  }

  bool said(const std::string &text) const {
    for (CMapEntity_Game *e : named("BONUSTEXT"))
      if (static_cast<CMapEntity_TextBox *>(e)->text == text) return true;
    return false;
  }

  CMiniGameSummaryController *summary() const {
    CMapEntity_Game *w = level->getEC()->getEntityByID(323);
    return w ? dynamic_cast<CMiniGameSummaryController *>(w->getController()) : nullptr;
  }

  // Runs the game until the countdown has opened the summary and the summary has bound.
  void runOutTheClock() {
    for (int i = 0; i < 4000 && !summary(); ++i) update();
    ASSERT_NE(summary(), nullptr);
  }
};

TEST_F(LabTest, ADayStartsWithSeventyPiecesAndItsOwnDishCount) {
  load("LAB 3");
  update();
  EXPECT_EQ(loosePieces().size(), 70u);
  std::vector<CMapEntity_Miska *> set = dishes();
  ASSERT_EQ(set.size(), 3u);
  std::set<std::pair<int, int>> asked;
  for (CMapEntity_Miska *d : set) {
    EXPECT_EQ(d->value, 400);
    CMapEntity_DNA *t = templateOf(d);
    ASSERT_NE(t, nullptr);
    asked.insert({t->getColour(), t->getStrands()});
    EXPECT_EQ(t->looks().getCurrentFrame()->getAW(), 0) << "a template is never grabbed";
  }
  EXPECT_EQ(asked.size(), 3u) << "no two dishes of a set ask for the same piece";
  for (CMapEntity_DNA *p : loosePieces()) {
    // Drawn in 332..668, then one frame of drift.
    EXPECT_GE(p->getX(), 331);
    EXPECT_LE(p->getX(), 669);
    EXPECT_GE(p->getStrands(), 1);
    EXPECT_LE(p->getStrands(), 7);
    EXPECT_LE(p->looks().getCurrentFrame()->getAW(), 48);
  }
}

TEST_F(LabTest, DraggedPiecesFillDishesAndACompletedSetIsRecordedOnceThenReplaced) {
  load("LAB 3");
  closeNotebook();
  ASSERT_EQ(dishes().size(), 3u);
  const size_t before = loosePieces().size();

  // A wrong piece is used up without filling the dish, and two come for it.
  CMapEntity_Miska *first = dishes()[0];
  CMapEntity_DNA *wrong = pieceFor(first);
  wrong->setStrands(templateOf(first)->getStrands() % 7 + 1);
  const TEntityRef<CMapEntity_Game> wrongRef(wrong);
  dragOnto(wrong, first);
  EXPECT_EQ(first->filled, 0);
  EXPECT_FALSE(wrongRef.in(level->getEC()));
  EXPECT_EQ(loosePieces().size(), before + 1);
  EXPECT_TRUE(said("Wrong colour or dots!"));
  dragOnto(pieceFor(first), first);
  EXPECT_TRUE(said("Match!"));
  EXPECT_FALSE(said("Wrong colour or dots!")) << "the match answers the refusal";
  dragOnto(pieceFor(first), first);
  EXPECT_TRUE(said("This dish is full!"));

  ASSERT_NO_FATAL_FAILURE(fillSet());
  update();
  CMiskaSetController *set = setController();
  ASSERT_NE(set, nullptr);
  ASSERT_EQ(set->getRecords().size(), 1u);
  EXPECT_EQ(set->getRecords()[0].value, 400);
  EXPECT_EQ(set->getRecords()[0].strands, 3);

  // The fade holds the countdown; about two seconds later the next set of four appears.
  const int32_t left = countdown()->timeLeft;
  for (int i = 0; i < 40; ++i) update();
  EXPECT_EQ(countdown()->timeLeft, left) << "the clock stands still while the set fades";
  EXPECT_EQ(set->getRecords().size(), 1u) << "recorded once, not every frame of the fade";
  for (int i = 0; i < 80 && dishes().size() != 4; ++i) update();
  ASSERT_EQ(dishes().size(), 4u);
  EXPECT_EQ(dishes()[0]->value, 500);
  for (int i = 0; i < 5; ++i) update();
  EXPECT_LT(countdown()->timeLeft, left) << "and runs on with the new set";
}

TEST_F(LabTest, PiecesTurnBackOnceOnLeavingTheBandAndAreReplacedAtTheEdges) {
  load("LAB 1");
  closeNotebook();
  CMapEntity_DNA *p = loosePieces()[0];
  p->setXY(331, 200);
  p->xSpeed = -1.0f;
  p->ySpeed = 0.0f;
  update();
  update();
  EXPECT_FLOAT_EQ(p->xSpeed, 1.0f) << "turned back on crossing";
  float x = p->getX();
  for (int i = 0; i < 3; ++i) update();
  EXPECT_FLOAT_EQ(p->xSpeed, 1.0f) << "and not again on its way back in";
  EXPECT_GT(p->getX(), x + 2) << "it moves back instead of trembling";

  // Released far outside, a piece already heading inward keeps going.
  p->setXY(200, 200);
  update();
  EXPECT_FLOAT_EQ(p->xSpeed, 1.0f);

  p->setXY(500, 1);
  p->ySpeed = -2.0f;
  p->xSpeed = 0.0f;
  const TEntityRef<CMapEntity_Game> leaving(p);
  update();
  EXPECT_FALSE(leaving.in(level->getEC()));
  bool replaced = false;
  for (CMapEntity_DNA *q : loosePieces()) replaced = replaced || (q->getX() == 500.0f && q->getY() == 460.0f);
  EXPECT_TRUE(replaced) << "a piece leaving at the top comes back at the bottom";
}

TEST_F(LabTest, TheSummaryListsTheSetsPaysOnlyAfterTheTotalAndLogsOneBlock) {
  load("LAB 1");
  closeNotebook();
  ASSERT_EQ(countdown()->timeLeft, 40000);
  EXPECT_EQ(CMapEntity_MiniGameOver::clockText(countdown()->timeLeft), "00:40");
  ASSERT_NO_FATAL_FAILURE(fillSet());
  for (int i = 0; i < 200 && dishes().size() != 2; ++i) update();
  ASSERT_EQ(dishes().size(), 2u);
  ASSERT_NO_FATAL_FAILURE(fillSet());
  ASSERT_NO_FATAL_FAILURE(runOutTheClock());
  CMiniGameSummaryController *s = summary();
  const int money = engineObj.getPlayer()->getMoney();

  // A click while the notebook opens shows every line as soon as it is open, and closes nothing.
  click();
  update();
  CMapEntity_MiniGameSummarySesit *sesit = dynamic_cast<CMapEntity_MiniGameSummarySesit *>(
      level->getEC()->getEntityByID(323)->getContainedEntity(324));
  ASSERT_NE(sesit, nullptr);
  for (int i = 0; i < 20 && !s->totalShown(); ++i) update();
  ASSERT_TRUE(s->totalShown()) << "the lines come at once, not one a second";
  EXPECT_EQ(sesit->leftLines[1], "2 DISHES x $300 = ");
  EXPECT_EQ(sesit->rightLines[1], "$600");
  ASSERT_NE(summary(), nullptr);
  EXPECT_FALSE(level->getLevelOver());
  EXPECT_EQ(s->getTotal(), 200 + 600);
  const std::string expected = "\n" + std::string(66, '-') + "\nMINIGAME LAB 1 SCORE : 800\n" + std::string(66, '-');
  EXPECT_EQ(read("levellog.txt"), expected);

  click();
  update();
  EXPECT_TRUE(level->getLevelOver());
  EXPECT_EQ(engineObj.getPlayer()->getMoney(), money + 800) << "paid into the player's bank";
  EXPECT_EQ(level->getMoney(), 0) << "not the day's money";
  EXPECT_FALSE(CGlobals::instance()->paused);
  for (int i = 0; i < 100; ++i) update();
  EXPECT_EQ(read("levellog.txt"), expected) << "exactly one block";
}

TEST_F(LabTest, WithoutADishSetTheSummaryCountsNothingAndALogItCannotWriteDoesNotStopIt) {
  load("LAB 1");
  closeNotebook();
  // The dish set goes: the summary has no records to read.
  CMapEntity_Game *set = level->getEC()->getEntityByID(355);
  set->setKill(true);
  update();
  ASSERT_EQ(level->getEC()->getEntityByID(355), nullptr);
  mkdir("levellog.txt", 0755);
  debug = 1;
  ASSERT_NO_FATAL_FAILURE(runOutTheClock());
  CMiniGameSummaryController *s = summary();
  for (int i = 0; i < 200 && !s->totalShown(); ++i) update();
  ASSERT_TRUE(s->totalShown());
  EXPECT_EQ(s->getTotal(), 0);
  EXPECT_NE(read("log.txt").find("Cannot open levellog.txt"), std::string::npos);
  click();
  update();
  EXPECT_TRUE(level->getLevelOver()) << "play goes on to the end of the level";
}

TEST(ScoreLog, ABlockCutShortIsTakenBackOut) {
  char tmpl[] = "/tmp/tob_levellog_XXXXXX";
  ASSERT_NE(mkdtemp(tmpl), nullptr);
  const std::string path = std::string(tmpl) + "/levellog.txt";
  ASSERT_TRUE(appendScoreLog(path, "LAB 3", 1200));
  const std::string one = LabScratch::read(path);
  EXPECT_EQ(one, scoreLogBlock("LAB 3", 1200));
  EXPECT_EQ(one.back(), '-') << "the file never ends with a line feed";

  // A file size limit lets only part of the next block in.
  struct rlimit old;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit tight = old;
  tight.rlim_cur = one.size() + 20;
  void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
  const bool appended = appendScoreLog(path, "LAB 2", 600);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(appended);
  EXPECT_EQ(LabScratch::read(path), one) << "no partial block stays behind";
  std::remove(path.c_str());
  rmdir(tmpl);
}

} // namespace
