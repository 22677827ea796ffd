#include <gtest/gtest.h>

#include <string>

#include "support/GLTestWindow.h"
#include "engine/KFont.h"
#include "engine/KText.h"
#include "media/CFontSeznam.h"
#include "support/LevelTestSupport.h"

namespace {

// A patient kind whose copies carry their hearts, as real patients do.
class HeartedPatient : public CMapEntity_Game {
public:
  HeartedPatient() : CMapEntity_Game(0, 0, false) {}
  HeartedPatient(const HeartedPatient &o) : CMapEntity_Game(o) {
    addEntity(CMapEntitiesFactory::instance()->cloneEntity("SRDICKA"), false, true);
  }
  HeartedPatient *clone() override { return new HeartedPatient(*this); }
};

// The whole table runs through the overlay below; here what it does not show.
TEST(DayRating, PageCarriesTheDayAndABonusNeverTakesMoneyBack) {
  TDayRating r = CDaySummary::rate(250, 100, 200, 50, 120, -1, false, 7, 1);
  EXPECT_EQ(r.page.money, 250);
  EXPECT_EQ(r.page.cured, 7);
  EXPECT_EQ(r.page.lost, 1);
  EXPECT_STREQ(r.sound, "LEVEL_GOOD");
  EXPECT_STREQ(CDaySummary::rate(150, 100, 200, 50, 120, -1, false, 0, 0).sound, "LEVEL_NORMAL");
  EXPECT_STREQ(CDaySummary::rate(50, 100, 200, 50, 120, -1, false, 0, 0).sound, "LEVEL_BAD");
  // An expert bonus set below the plain one, after a plain finish.
  EXPECT_EQ(CDaySummary::rate(250, 100, 200, 120, 50, 0, false, 0, 0).page.bonus, 0);
  EXPECT_EQ(CDaySummary::rate(250, 100, 200, 120, 50, 0, false, 0, 0).page.bankNote, "No new bonus: won before.");
  EXPECT_EQ(CDaySummary::rate(50, 100, 200, 120, 50, -1, false, 0, 0).page.bankNote, "Meet the goal for a bonus.");
  // A famous first cure is paid with a day won before too, and named whether paid or lost.
  TDayRating famous = CDaySummary::rate(150, 100, 200, 50, 120, 1, false, 0, 0, 887);
  EXPECT_TRUE(famous.payBonus && famous.page.bonus == 887 && famous.page.bankNote == "Added to your bank.");
  EXPECT_EQ(CDaySummary::rate(50, 100, 200, 50, 120, -1, false, 0, 0, 887, {"Shingles", "B-Hives", "Squirrely"}).page.famousNote,
            "The $887 extra for your first Shingles, B-Hives and Squirrely cures is lost.");
}

class EndOfDayTest : public LevelTest {
protected:
  void SetUp() override {
    LevelTest::SetUp();
    HeartedPatient *p = new HeartedPatient();
    p->name = "PACIENTH";
    p->setEntityID(40);
    p->setEntityClassID(15);
    CMapEntitiesFactory::instance()->addEntity(p);
  }

  // A working day of 1000 ms: goal 100, expert 200, bonuses 50 and 120.
  CLevel_Game *loadDay(const std::string &name = "Monday", const std::string &outro = "See you") {
    writeLevel("day", "name=\"" + name + "\" time=\"1000\" moneyLimit=\"100\" expertMoney=\"200\" m=\"50\" e=\"120\"");
    writeFile("data/maps/medium/day_outro.txt", outro);
    loadLevel("day");
    player = static_cast<TestPlayer *>(place("PLAYER", 0, 0));
    bed = static_cast<TestBed *>(place("POSTEL", 0, 0));
    place("STATUSBAR", 0, 0);
    return level;
  }

  // Frames of 50 ms of game time.
  void play(int ms) {
    for (int t = 0; t < ms; t += 50) playFrame(50);
  }

  TestWindow *summary() { return static_cast<TestWindow *>(level->getEC()->getEntityByID(1017)); }

  static std::string boxText(CMapEntity *window) {
    CMapEntity_TextBox *box = dynamic_cast<CMapEntity_TextBox *>(window->getContainedEntity(1001));
    return box ? box->text : "<no box>";
  }

  TestPlayer *player = nullptr;
  TestBed *bed = nullptr;
};

TEST_F(EndOfDayTest, DayStaysOpenUntilTheWardIsEmptyAndTidyThenSummaryAfterThreeSeconds) {
  loadDay();
  CMapEntity_Game *patient = place("PACIENT1", 0, 0);
  level->changeMoney(150);
  level->incCured();
  level->incLost();
  play(1000);
  EXPECT_FALSE(level->closed());
  EXPECT_EQ(countID(197), 0);
  play(50);
  EXPECT_TRUE(level->closed());
  EXPECT_EQ(countID(197), 1) << "the closed sign";

  // A patient, then an unmade bed, then rubbish in hand hold the day open.
  play(4000);
  EXPECT_FALSE(level->getDayOver());
  patient->setKill(true);
  bed->madeUp = false;
  play(4000);
  EXPECT_FALSE(level->getDayOver());
  bed->madeUp = true;
  CMapEntity *rubbish = player->addEntity("ODPAD");
  play(4000);
  EXPECT_FALSE(level->getDayOver());
  rubbish->setKill(true);
  playFrame(50);
  EXPECT_TRUE(level->getDayOver());

  // 3000 ms of game time later, not counting a pause.
  play(2900);
  CGlobals::instance()->paused = true;
  play(1000);
  CGlobals::instance()->paused = false;
  EXPECT_EQ(summary(), nullptr);
  play(100);
  ASSERT_NE(summary(), nullptr);
  TestWindow *w = summary();
  EXPECT_EQ(w->getX(), 260.0f);
  EXPECT_EQ(w->getY(), 50.0f);
  EXPECT_EQ(w->pageFills, 1);
  EXPECT_EQ(w->page.money, 150);
  EXPECT_EQ(w->page.title, "EXCELLENT WORK, DOCTOR!");
  EXPECT_EQ(w->page.cured, 1);
  EXPECT_EQ(w->page.lost, 1);
  EXPECT_EQ(w->page.bonus, 50);
  EXPECT_FALSE(w->page.expert);
  EXPECT_TRUE(w->endLevel);
  EXPECT_EQ(boxText(w), "See you");
  EXPECT_EQ(engineObj.getPlayer()->getMoney(), 50);
  EXPECT_EQ(engineObj.getPlayer()->wasLevelDone(3), 0);
  EXPECT_TRUE(w->getFocus());
  EXPECT_FALSE(player->getFocus()) << "the summary takes the focus";

  // Once only; with a closing text the level waits for the window to be closed.
  play(10000);
  EXPECT_EQ(countID(1017), 1);
  EXPECT_EQ(countID(197), 1);
  EXPECT_FALSE(level->getLevelOver());
  EXPECT_EQ(engineObj.getPlayer()->getMoney(), 50);
}

TEST_F(EndOfDayTest, ExpertFinishesPayByThePlayersRecord) {
  struct Case {
    const char *name;
    int previous;
    int money;
    int bank;
    int record;
  } cases[] = {{"Monday", -1, 200, 120, 1}, {"Monday", 0, 250, 70, 1},  {"Monday", 1, 250, 0, 1},
               {"Monday", 1, 150, 0, 1},    {"Tutorial", -1, 250, 120, -1}, {"Monday", -1, 99, 0, -1}};
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.name) + " previous " + std::to_string(c.previous) + " money " + std::to_string(c.money));
    delete engineObj.getPlayer();
    engineObj.progression().setPlayer(new CPlayer());
    if (c.previous >= 0) engineObj.getPlayer()->addLevelDone(3, c.previous);
    loadDay(c.name, "");
    level->changeMoney(c.money);
    play(1100 + 3100);
    TestWindow *w = summary();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(engineObj.getPlayer()->getMoney(), c.bank);
    EXPECT_EQ(engineObj.getPlayer()->wasLevelDone(3), c.record == -1 ? c.previous : c.record);
    EXPECT_EQ(w->page.expert, c.money >= 200);
    EXPECT_EQ(w->page.title, c.money >= 100 ? "EXCELLENT WORK, DOCTOR!" : "TRY AGAIN");
    EXPECT_EQ(boxText(w), "");
    // Captions once each, whatever the money did; the second waits for the first to fade.
    EXPECT_EQ(countID(63), c.money >= 100 ? 1 : 0);
    EXPECT_EQ(level->getEC()->getEntityByID(239)->getHealth(), c.money >= 100 ? 239 : 100) << "expert mark";

    // Without a closing text the level ends once the next 3000 ms of play have passed.
    EXPECT_FALSE(level->getLevelOver());
    play(3000);
    EXPECT_TRUE(level->getLevelOver());
  }
}

TEST_F(EndOfDayTest, CaptionsAppearOnceAndNeverOnALevelWithoutLength) {
  loadDay();
  level->changeMoney(100);
  play(100);
  level->changeMoney(-100);
  play(100);
  level->changeMoney(500);
  play(100);
  // Goal and expert reached at once: "EXPERT!" follows "GOAL!" once that has nearly faded.
  ASSERT_EQ(countID(63), 1);
  CMapEntity_Game *goal = level->getEC()->getEntityByID(63);
  EXPECT_EQ(goal->getX(), 300.0f);
  EXPECT_STREQ(goal->looks().getSprite()->getID(), "NAPISGOAL");
  goal->setAlpha(0.5f, true);
  play(100);
  EXPECT_EQ(countID(63), 1);
  goal->setAlpha(0.3f, true);
  play(100);
  EXPECT_EQ(countID(63), 2);
  EXPECT_TRUE(level->getGoalShown());
  EXPECT_TRUE(level->getExpertShown());

  // A screen without a clock: its goal of 0 counts as reached, but nothing of the day is shown.
  writeLevel("menu", "");
  loadLevel("menu");
  place("PLAYER", 0, 0);
  level->changeMoney(1000);
  play(10000);
  EXPECT_EQ(countID(63), 0);
  EXPECT_EQ(countID(197), 0);
  EXPECT_EQ(countID(1017), 0);
  EXPECT_FALSE(level->getDayOver());
  EXPECT_FALSE(level->getLevelOver());
}

TEST_F(EndOfDayTest, HelpWindowIntroducesTheDayAndANewPatientOnce) {
  writeFile("data/maps/medium/day_intro.txt", "Welcome to the ward");
  writeFile("data/maps/medium/day_introentity.txt", "PACIENTH\n");
  writeFile("data/maps/medium/day_entitydesc.txt", "Coughs a lot");
  loadDay();
  playFrame(20);
  playFrame(20);
  ASSERT_EQ(countID(1002), 1);
  TestWindow *w = static_cast<TestWindow *>(level->getEC()->getEntityByID(1002));
  EXPECT_EQ(w->getX(), 260.0f);
  EXPECT_EQ(w->getY(), 50.0f);
  EXPECT_TRUE(w->secondPage);
  EXPECT_TRUE(level->getHelpShown());
  EXPECT_TRUE(w->getFocus());
  EXPECT_FALSE(player->getFocus());

  // The window's own text box, then the day's name, "New patient!" and the description.
  std::vector<CMapEntity_TextBox *> boxes;
  for (CMapEntity *e : w->carrying().getContainedList())
    if (CMapEntity_TextBox *b = dynamic_cast<CMapEntity_TextBox *>(e)) boxes.push_back(b);
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[0]->text, "Welcome to the ward");
  EXPECT_EQ(boxes[1]->text, "Monday");
  EXPECT_EQ(boxes[1]->boxWidth, 155);
  EXPECT_EQ(boxes[1]->getX(), 325.0f);
  EXPECT_EQ(boxes[1]->getY(), 365.0f);
  EXPECT_EQ(boxes[2]->text, "New patient!");
  EXPECT_EQ(boxes[2]->fontName, "gamefont");
  EXPECT_EQ(boxes[2]->getX(), 510.0f);
  EXPECT_EQ(boxes[3]->text, "Coughs a lot");
  EXPECT_EQ(boxes[3]->fontName, "small2");
  EXPECT_EQ(boxes[3]->spacing, 1);
  EXPECT_EQ(boxes[3]->boxWidth, 110);
  EXPECT_FLOAT_EQ(boxes[3]->looks().getRed(), 0.36f);
  EXPECT_FLOAT_EQ(boxes[3]->looks().getBlue(), 0.23f);
  EXPECT_EQ(boxes[3]->getY(), 281.0f);

  CMapEntity *patient = w->getContainedEntity(40);
  ASSERT_NE(patient, nullptr);
  EXPECT_EQ(patient->getX(), 605.0f);
  EXPECT_EQ(patient->getY(), 114.0f);
  EXPECT_EQ(patient->looks().getAlpha(), 1.0f);
  ASSERT_NE(patient->getContainedEntity(92), nullptr);
  EXPECT_FALSE(patient->getContainedEntity(92)->looks().getVisible()) << "the hearts are hidden";
  EXPECT_TRUE(level->getEC()->contains(patient)) << "the introduced patient is in the level, drawn by the window";

  // A day without an intro text opens nothing.
  writeFile("data/maps/medium/day_intro.txt", "");
  loadDay();
  play(500);
  EXPECT_EQ(countID(1002), 0);
}

TEST_F(EndOfDayTest, UnknownIntroEntityEndsTheRunNamingItsFile) {
  writeFile("data/maps/medium/day_intro.txt", "Hello");
  writeFile("data/maps/medium/day_introentity.txt", "NOBODY");
  loadDay();
  EXPECT_EXIT(playFrame(20), ::testing::ExitedWithCode(255),
              "Entity NOBODY not found in global entity object! \\(file [^ ]*/data/maps/medium/day_introentity.txt\\)");
}

// The money and the goal at the bottom of the screen, in the colour of what has been reached.
class MoneyDrawGL : public GLTestWindow, public LevelScratch {
protected:
  void SetUp() override {
    GLTestWindow::SetUp();
    setUpLevel(false);
    writeTGA("goal.tga", 10, 10, 0, 0, 0);
    writeTGA("expert.tga", 10, 10, 0, 0, 0);
    fonts = new CFontSeznam();
    fonts->addFont("bed", std::string(TOB_BINARY_DIR) + "/data/gfx/bedfont.png", bedFontTable);
    engineObj.built().setFonts(fonts, engineObj.getSmallFont());
    writeLevel("day", "time=\"100000\" moneyLimit=\"100\" expertMoney=\"200\"");
    loadLevel("day");
  }
  void TearDown() override {
    tearDownLevel();
    delete fonts;
    GLTestWindow::TearDown();
  }

  // The brightest pixel of the strip left of x (the numbers are right-aligned there).
  static uint32_t brightest(int left, int right) {
    uint32_t best = 0;
    int bestSum = -1;
    for (int y = 575; y < 600; ++y)
      for (int x = left; x < right; ++x) {
        uint32_t p = pixel(x, y);
        int sum = (int)((p >> 24) & 0xFF) + (int)((p >> 16) & 0xFF) + (int)((p >> 8) & 0xFF);
        if (sum > bestSum) {
          bestSum = sum;
          best = p;
        }
      }
    return best;
  }

  uint32_t money() { return brightest(40, 130); }
  uint32_t target() { return brightest(190, 278); }

  void draw() {
    window()->setWorldView(0, 0, 0, 1, true);
    level->render(0, true, nullptr);
  }

  CFontSeznam *fonts = nullptr;
};

TEST_F(MoneyDrawGL, MoneyTakesTheColourOfTheGoalReached) {
  level->changeMoney(40);
  draw();
  savePNG((std::string(TOB_BINARY_DIR) + "/level_money.png").c_str());
  EXPECT_TRUE(near(money(), rgba(107, 56, 54), 3)) << std::hex << money();
  EXPECT_TRUE(near(target(), rgba(0, 77, 77), 3)) << std::hex << target();

  level->changeMoney(100);
  draw();
  EXPECT_TRUE(near(money(), rgba(0, 77, 77), 3)) << std::hex << money();
  EXPECT_TRUE(near(target(), rgba(0, 128, 0), 3)) << "the expert goal, once the goal is reached";

  level->changeMoney(100);
  draw();
  EXPECT_TRUE(near(money(), rgba(0, 128, 0), 3)) << std::hex << money();

  // The font is left opaque white for whoever draws next.
  fonts->setAktivniFont("bed");
  window()->setWorldView(0, 0, 0, 1, true);
  fonts->getAktivniFont()->drawStringFromRight(8L, 125, 580, 0.0f);
  EXPECT_TRUE(near(money(), rgba(255, 255, 255), 3)) << std::hex << money();
}

} // namespace
