#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Bot.h"
#include "HumanBot.h"
#include "RandomInput.h"
#include "media/CRandom.h"

// The bot plays sampled days of the campaign lists in the real window; `test_bot --all` plays every
// working day of every difficulty (or of one, with --difficulty=easy|medium|hard) and prints the table,
// `test_bot --level=NAME` one level, `test_bot --random=N` a random session of N game days; `--human`
// plays as the newcomer of Human.h, `--seed=N` seeds the game's chances; `--all` plays a lost day
// again up to four times (`--tries=N`; one try by default with `--no-cure`, whose bot
// never examines nor medicates); `--no-draw` leaves the working days undrawn, for speed (with
// `--human`, who sees only what is drawn, its pictures are noted at their blits and not painted).

namespace {

// Frame times of one run: min, median, p95 and max.
std::string frameFigures(std::vector<double> ms) {
  if (ms.empty()) return "no frames";
  std::sort(ms.begin(), ms.end());
  char buf[160];
  std::snprintf(buf, sizeof buf, "frame ms: min %.2f median %.2f p95 %.2f max %.2f (%zu frames)", ms.front(),
                ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back(), ms.size());
  return buf;
}

const char *const kWonTitle = "EXCELLENT WORK, DOCTOR!";
const uint32_t kBotDaySeed = 1;

// A menu button clicked once it shows, as a player waits for it.
void clickWhenShown(BotGame &g, const char *name) {
  Bot menu(g);
  for (int i = 0; i < 500 && !(menu.named(name) && Bot::shown(menu.named(name))); ++i) g.frame();
  ASSERT_NE(menu.named(name), nullptr) << name << " never showed";
  g.frames(25);
  menu.clickOn(menu.named(name));
}

// From the title screen through NEW GAME, the hero and the opening comic to the Tutorial.
void startNewGame(BotGame &g) {
  ASSERT_NO_FATAL_FAILURE(clickWhenShown(g, "MENUBUTTONNEWGAME"));
  ASSERT_NO_FATAL_FAILURE(clickWhenShown(g, "MENUBUTTONMALE"));
  ASSERT_TRUE(g.waitForEntry("comic_start")) << "the hero leads to the opening comic, not " << g.listEntry();
  g.frames(100);
  g.click(400, 300);
  ASSERT_TRUE(g.waitForEntry("Tutorial")) << "a click turns the comic page, not to " << g.listEntry();
}

#ifdef __SANITIZE_ADDRESS__
// The sanitizer build runs many times slower: there each day's expert goal is met (so the shop has
// something to sell) and its clock run out as it opens, and the newcomer goes on from its summary.
// The changes of screen, where freed memory would be used, stay the same; the optimised build
// plays the days whole.
const bool kWholeDays = false;
#else
const bool kWholeDays = true;
#endif

DayResult playDay(BotGame &g, const std::string &diff) {
  if (!kWholeDays) {
    g.level()->changeMoney(g.level()->getExpertMoney());
    g.level()->finishClock();
  }
  return HumanBot(g, kBotDaySeed).playLevel(diff);
}

// The start a new player makes, every change of screen the game's own: the title screen, NEW GAME,
// the hero, the opening comic turned by a click, the Tutorial, the map's shop and star, the second
// day, the days played by the newcomer of Human.h, who knows the game only from what is drawn.
// Each day is won: the money at the goal or above when the summary opens, and the summary says so.
// The second day pays the attentive newcomer a tenth more than its goal (on every seed tried),
// though not its expert goal, which asks more than a newcomer makes on medium and hard: a ward
// that pays too little fails here though its plain goal might still be met.
TEST(BotDay, WinsTheTutorialAndTheSecondDayReachedFromTheTitleScreen) {
  std::string why;
  bool ran = BotGame::run(
      [&](BotGame &g) {
        ASSERT_EQ(g.listEntry(), "menu");
        const std::string diff = g.engine()->getObtiznostString();
        ASSERT_NO_FATAL_FAILURE(startNewGame(g));
        DayResult r = playDay(g, diff);
        std::printf("%s\n", r.line().c_str());
        EXPECT_TRUE(r.won()) << r.line();
        EXPECT_EQ(r.title, kWonTitle) << r.line();
        ASSERT_TRUE(g.waitForEntry("map1")) << "the Tutorial's summary leads to the map, not " << g.listEntry();
        const int before = g.engine()->getPlayer()->getMoney();
        EXPECT_TRUE(HumanBot(g, kBotDaySeed).playLevel(diff, 120000).finished) << "the map's star was never taken";
        EXPECT_LT(g.engine()->getPlayer()->getMoney(), before) << "the shop sold nothing";
        ASSERT_TRUE(g.waitForEntry("ward_day2")) << "the star leads to the second day, not " << g.listEntry();
        ASSERT_GT(g.level()->getLevelTime(), 0) << "the second day is a working day";
        g.frameMs.clear();
        DayResult r2 = playDay(g, diff);
        std::printf("%s\n%s\n", r2.line().c_str(), frameFigures(g.frameMs).c_str());
        EXPECT_TRUE(r2.won()) << r2.line();
        EXPECT_EQ(r2.title, kWonTitle) << r2.line();
        if (!kWholeDays) return;
        EXPECT_GE(r2.cured, 1) << r2.line();
        EXPECT_GE(r2.money, r2.goal * 11 / 10) << r2.line();
        if (diff != "easy") {
          EXPECT_LT(r2.money, r2.expert) << r2.line();
        }
      },
      &why, kBotDaySeed);
  ASSERT_TRUE(ran) << why;
  for (const std::string &m : BotGame::messages()) ADD_FAILURE() << "message box: " << m;
}

// A won day is kept once its summary shows: the window closed on the Tutorial's summary, the next
// start's CONTINUE leads to the map after it, with the day's bonus in the bank. The win is staged:
// the goal met and the clock run out on the empty ward.
TEST(BotDay, AWonDayIsKeptWhenTheWindowClosesOnItsSummary) {
  char tmpl[] = "/tmp/tob_kept_XXXXXX";
  ASSERT_NE(mkdtemp(tmpl), nullptr);
  const std::string home = tmpl;
  int bank = -1;
  std::string why;
  bool ran = BotGame::run(
      [&](BotGame &g) {
        ASSERT_NO_FATAL_FAILURE(startNewGame(g));
        CLevel_Game *day = g.level();
        const uint32_t built = g.levelsBuilt();
        day->changeMoney(day->getMoneyLimit());
        day->finishClock();
        Bot bot(g);
        for (long i = 0; i < 3000 && g.alive() && g.levelsBuilt() == built && !day->getSummaryShown(); ++i)
          bot.dayTick();
        ASSERT_TRUE(g.levelsBuilt() == built && day->getSummaryShown()) << "the Tutorial never ended";
        bank = g.engine()->getPlayer()->getMoney();
        g.frames(50);
        g.closeWindow();
        ASSERT_FALSE(g.alive()) << "the game did not take the window's close";
      },
      &why, kBotDaySeed, home);
  ASSERT_TRUE(ran) << why;
  ASSERT_GT(bank, 0);
  ran = BotGame::run(
      [&](BotGame &g) {
        ASSERT_NO_FATAL_FAILURE(clickWhenShown(g, "MENUBUTTONCONTINUE"));
        EXPECT_TRUE(g.waitForEntry("map1")) << "CONTINUE leads to " << g.listEntry();
        EXPECT_EQ(g.engine()->getPlayer()->getMoney(), bank);
      },
      &why, kBotDaySeed, home);
  std::system(("rm -rf '" + home + "'").c_str());
  ASSERT_TRUE(ran) << why;
}

// Two runs of one day with one seed, in one process, print the same line, whatever was drawn
// before the day: the level's build seeds the game's one random source.
TEST(BotSeed, TwoRunsOfADayWithOneSeedPrintTheSameLine) {
  std::vector<std::string> lines;
  for (int run = 0; run < 2; ++run) {
    std::string why;
    bool ran = BotGame::run(
        [&](BotGame &g) {
          g.setDifficulty(2);
          for (int i = 0; i < run * 7; ++i) CRandom::draw();
          g.goToLevel(std::string("ward_short"));
          Bot bot(g);
          lines.push_back(bot.playLevel("hard").line());
        },
        &why, 4242);
    ASSERT_TRUE(ran) << why;
  }
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], lines[1]);
}

// Plays the level standing now: as the bot or as the Human.
DayResult playHere(BotGame &g, const std::string &diff, bool human, uint32_t seed, bool noCure = false,
                   int limitMs = 15 * 60 * 1000) {
  if (human) return HumanBot(g, seed).playLevel(diff, limitMs);
  Bot bot(g);
  bot.noCure = noCure;
  return bot.playLevel(diff, limitMs);
}

// Every working day of the three lists, each from the list's own order with the player record
// carried on: the day, the map after it with the shop, the next day. A lost day comes again, as
// the game rebuilds it, up to `tries` times; then on through the map as after a win (with one try,
// straight on to the next day).
int playAll(int onlyDifficulty, uint32_t seed, bool human, bool noCure, int tries) {
  // A person's next try meets other chances: each try of a day is built from a seed of its own.
  const uint32_t kTrySeedStep = 1000003u;
  std::vector<DayResult> results;
  std::vector<double> wardFrames;
  std::string why;
  bool ran = BotGame::run(
      [&](BotGame &g) {
        for (int d = 0; d < 3; ++d) {
          if (onlyDifficulty >= 0 && d != onlyDifficulty) continue;
          g.setDifficulty(d);
          const std::string diff = BotGame::difficultyName(d);
          std::vector<std::string> names = g.levelNames();
          for (size_t i = 0; i < names.size(); ++i) {
            const bool lab = names[i].rfind("LAB", 0) == 0;
            if (!BotGame::isWorkingDay(diff, names[i]) && !lab) continue;
            // Without cures only the days after the Tutorial tell anything.
            if (noCure && (lab || names[i] == "Tutorial")) continue;
            if (g.engine()->getSoucasnyLevel() != i || !g.level() || g.level()->getLevelName().empty())
              g.goToLevel((int)i);
            DayResult r;
            for (int t = 1; t <= (lab ? 1 : tries); ++t) {
              // A summary left standing is no day to play again: the day is built anew.
              if (t > 1 && g.level() && g.level()->getSummaryShown()) g.goToLevel((int)i);
              // The game builds the day again as a lost try ends, with the seed fixed now.
              CRandom::fixSeed(seed + kTrySeedStep * (uint32_t)t);
              g.frameMs.clear();
              r = playHere(g, diff, human, seed + (uint32_t)i + kTrySeedStep * (uint32_t)(t - 1), noCure);
              r.level = names[i];
              r.attempt = t;
              if (r.kind == "day" && wardFrames.size() < g.frameMs.size()) wardFrames = g.frameMs;
              std::printf("%s\n", r.line().c_str());
              std::fflush(stdout);
              results.push_back(r);
              if (r.won() || !r.finished || g.engine()->getSoucasnyLevel() != i) break;
            }
            CRandom::fixSeed(seed);
            if (i + 1 >= names.size()) continue;
            // A day given up moves on to the entry after it, the map where there is one; a day
            // lost with one try goes straight on to the next day.
            if (!r.won() && tries > 1 && g.engine()->getSoucasnyLevel() == i) g.goToLevel((int)i + 1);
            // On through the map (shop, star).
            if (g.engine()->getSoucasnyLevel() == i + 1 && Bot(g).named("MAPSTAR"))
              playHere(g, diff, human, seed + (uint32_t)i, noCure, 120000);
          }
        }
      },
      &why, seed);
  if (!ran) {
    std::fprintf(stderr, "the game did not start: %s\n", why.c_str());
    return 2;
  }
  int days = 0, won = 0, firstTry = 0, expert = 0;
  double speed = 0, slowest = 0;
  for (const DayResult &r : results) {
    days += r.attempt == 1 ? 1 : 0;
    won += r.won() ? 1 : 0;
    firstTry += r.won() && r.attempt == 1 ? 1 : 0;
    expert += r.finished && r.money >= r.expert && r.kind == "day" ? 1 : 0;
    speed += r.speed();
    if (slowest == 0 || r.speed() < slowest) slowest = r.speed();
  }
  std::printf("\n%d days in %zu tries: %d reached the goal (%d at the first try), %d the expert goal; speed x%.1f "
              "real time (slowest day x%.1f)\n",
              days, results.size(), won, firstTry, expert, results.empty() ? 0.0 : speed / results.size(), slowest);
  std::printf("longest ward day's %s\n", frameFigures(wardFrames).c_str());
  for (const std::string &m : BotGame::messages()) std::printf("message box: %s\n", m.c_str());
  return won == days ? 0 : 1;
}

// One level of one list by name, for looking into a day: its line of the table.
int playOne(int difficulty, const std::string &name, uint32_t seed, bool human, bool noCure) {
  std::string why;
  bool won = false;
  bool ran = BotGame::run(
      [&](BotGame &g) {
        g.setDifficulty(difficulty);
        g.goToLevel(name);
        if (!g.level()) return;
        DayResult r = playHere(g, BotGame::difficultyName(difficulty), human, seed, noCure);
        std::printf("%s\n", r.line().c_str());
        won = r.won();
      },
      &why, seed);
  if (!ran) std::fprintf(stderr, "the game did not start: %s\n", why.c_str());
  return ran && won ? 0 : 1;
}

// A short seeded session of random input on the whole game runs clean, and its input reaches
// the game: events arrive through the game's own callback and move it between screens. Its path
// follows what stands on each screen, so the seed is one whose session crosses several screens;
// run again in the same process, over what memory the first run left, it takes the same path.
TEST(RandomInput, ASeededSessionRunsCleanThroughScreensAndADay) {
  RandomSession r = randomSession(1, 8, true, 20000);
  ASSERT_TRUE(r.ran);
  ASSERT_EQ(r.fault, "");
  EXPECT_TRUE(r.messages.empty()) << r.messages.front();
  EXPECT_GE(r.seen.size(), 3u);
  EXPECT_GE(r.changesByInput, 1);
  EXPECT_GE(r.received, 500);
  EXPECT_EQ(randomSession(1, 8, false, 20000).path, r.path);
}

} // namespace

int main(int argc, char **argv) {
  setvbuf(stdout, nullptr, _IOLBF, 0);
  int onlyDifficulty = -1;
  uint32_t seed = 1;
  bool human = false;
  bool noCure = false;
  bool undrawn = false;
  int tries = 0;
  for (int i = 1; i < argc; ++i) {
    human = human || std::strcmp(argv[i], "--human") == 0;
    noCure = noCure || std::strcmp(argv[i], "--no-cure") == 0;
    undrawn = undrawn || std::strcmp(argv[i], "--no-draw") == 0;
    for (int d = 0; d < 3; ++d)
      if (std::string(argv[i]) == std::string("--difficulty=") + BotGame::difficultyName(d)) onlyDifficulty = d;
    if (std::strncmp(argv[i], "--seed=", 7) == 0) seed = (uint32_t)std::strtoul(argv[i] + 7, nullptr, 10);
    if (std::strncmp(argv[i], "--tries=", 8) == 0) tries = std::max(1, std::atoi(argv[i] + 8));
  }
  // A day that pays nothing without cures is not worth a second try.
  if (tries == 0) tries = noCure ? 1 : 4;
  // The newcomer sees only what is drawn: undrawn, its pictures are still noted, only not painted.
  if (undrawn && !human) CEngine::setDrawLevel(false);
  Drawing::get().unpainted = undrawn && human;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--all") == 0) return playAll(onlyDifficulty, seed, human, noCure, tries);
    if (std::strncmp(argv[i], "--level=", 8) == 0)
      return playOne(onlyDifficulty < 0 ? 1 : onlyDifficulty, argv[i] + 8, seed, human, noCure);
    if (std::strncmp(argv[i], "--random=", 9) == 0) {
      RandomSession r = randomSession(std::atoi(argv[i] + 9), seed, true);
      return r.ran && r.fault.empty() && r.messages.empty() ? 0 : 1;
    }
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
