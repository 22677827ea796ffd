#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Bot.h"
#include "RandomInput.h"

// The bot plays sampled days of the campaign lists in the real window; `test_bot --all` plays every
// working day of every difficulty (or of one, with --difficulty=easy|medium|hard) and prints the table,
// `test_bot --level=NAME` one level, `test_bot --random=N` a random session
// of N game days; with `--no-cure` the bot never examines nor medicates.

namespace {

struct Sample {
  int difficulty;
  const char *level;
};

void PrintTo(const Sample &s, std::ostream *os) { *os << BotGame::difficultyName(s.difficulty) << " " << s.level; }

std::string sampleName(const ::testing::TestParamInfo<Sample> &info) {
  std::string n = std::string(BotGame::difficultyName(info.param.difficulty)) + "_" + info.param.level;
  for (char &c : n)
    if (!isalnum((unsigned char)c)) c = '_';
  return n;
}

// Frame times of one run: min, median, p95 and max.
std::string frameFigures(std::vector<double> ms) {
  if (ms.empty()) return "no frames";
  std::sort(ms.begin(), ms.end());
  char buf[160];
  std::snprintf(buf, sizeof buf, "frame ms: min %.2f median %.2f p95 %.2f max %.2f (%zu frames)", ms.front(),
                ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back(), ms.size());
  return buf;
}

class BotDay : public ::testing::TestWithParam<Sample> {};

// A day played to its end through mouse events alone: it closes with its summary, the bot keeps
// patients alive, and a day won leads on to the next entry of the list as the game goes on.
TEST_P(BotDay, PlaysTheDayToItsEnd) {
  const Sample s = GetParam();
  std::string why;
  bool ran = BotGame::run(
      [&](BotGame &g) {
        g.setDifficulty(s.difficulty);
        const std::string diff = BotGame::difficultyName(s.difficulty);
        const int index = g.indexOf(s.level);
        g.goToLevel(std::string(s.level));
        ASSERT_NE(g.level(), nullptr);
        ASSERT_EQ(g.level()->getLevelName().empty(), false);
        Bot bot(g);
        g.frameMs.clear();
        DayResult r = bot.playLevel(diff);
        std::printf("%s\n%s\n", r.line().c_str(), frameFigures(g.frameMs).c_str());
        EXPECT_TRUE(r.finished) << r.line();
        if (r.kind == "day") {
          EXPECT_GT(r.cured, 0) << r.line();
          EXPECT_GE(r.cured, r.lost) << r.line();
        } else {
          EXPECT_GT(r.money, 0) << "the laboratory paid a grant: " << r.line();
        }
        if (r.kind == "day" && r.won() && index >= 0 && index + 1 < (int)g.levelNames().size()) {
          g.frames(5);
          ASSERT_NE(g.level(), nullptr);
          EXPECT_EQ(g.level()->getLevelName().empty(), false);
          EXPECT_EQ(g.engine()->getSoucasnyLevel(), index + 1) << "a won day leads to the next entry";
        }
      },
      &why);
  ASSERT_TRUE(ran) << why;
  for (const std::string &m : BotGame::messages()) ADD_FAILURE() << "message box: " << m;
}

// Short days keep the sample quick under the sanitizers; --all plays the lists' own days.
INSTANTIATE_TEST_SUITE_P(Sampled, BotDay,
                         ::testing::Values(Sample{0, "ward_short"}, Sample{2, "ward_short"}, Sample{1, "LAB 1"}),
                         sampleName);

// Every working day of the three lists, each from the list's own order with the player record
// carried on: the day, the map after it with the shop, the next day.
int playAll(int onlyDifficulty, bool noCure) {
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
            Bot bot(g);
            bot.noCure = noCure;
            g.frameMs.clear();
            DayResult r = bot.playLevel(diff);
            r.level = names[i];
            if (r.kind == "day" && wardFrames.size() < g.frameMs.size()) wardFrames = g.frameMs;
            std::printf("%s\n", r.line().c_str());
            std::fflush(stdout);
            results.push_back(r);
            // On through the map (shop, star) when the day was won; a day lost comes again, so
            // the bot moves on by the skip.
            if (r.won() && i + 1 < names.size() && g.engine()->getSoucasnyLevel() == i + 1) {
              Bot mapBot(g);
              if (mapBot.named("MAPSTAR")) mapBot.playLevel(diff, 120000);
            }
          }
        }
      },
      &why);
  if (!ran) {
    std::fprintf(stderr, "the game did not start: %s\n", why.c_str());
    return 2;
  }
  int won = 0, expert = 0;
  double speed = 0;
  for (const DayResult &r : results) {
    won += r.won() ? 1 : 0;
    expert += r.finished && r.money >= r.expert && r.kind == "day" ? 1 : 0;
    speed += r.speed();
  }
  std::printf("\n%zu days: %d reached the goal, %d the expert goal; mean speed x%.1f real time\n", results.size(),
              won, expert, results.empty() ? 0.0 : speed / results.size());
  std::printf("longest ward day's %s\n", frameFigures(wardFrames).c_str());
  for (const std::string &m : BotGame::messages()) std::printf("message box: %s\n", m.c_str());
  return won == (int)results.size() ? 0 : 1;
}

// One level of one list by name, for looking into a day: its line of the table.
int playOne(int difficulty, const std::string &name, bool noCure) {
  std::string why;
  bool won = false;
  bool ran = BotGame::run(
      [&](BotGame &g) {
        g.setDifficulty(difficulty);
        g.goToLevel(name);
        if (!g.level()) return;
        Bot bot(g);
        bot.noCure = noCure;
        DayResult r = bot.playLevel(BotGame::difficultyName(difficulty));
        std::printf("%s\n", r.line().c_str());
        won = r.won();
      },
      &why);
  if (!ran) std::fprintf(stderr, "the game did not start: %s\n", why.c_str());
  return ran && won ? 0 : 1;
}

// A short seeded session of random input on the whole game.
TEST(RandomInput, ASeededSessionRunsCleanThroughScreensAndADay) { EXPECT_EQ(randomSession(1, 7, false, 40000), 0); }

} // namespace

int main(int argc, char **argv) {
  setvbuf(stdout, nullptr, _IOLBF, 0);
  int onlyDifficulty = -1;
  bool noCure = false;
  for (int i = 1; i < argc; ++i) {
    noCure = noCure || std::strcmp(argv[i], "--no-cure") == 0;
    for (int d = 0; d < 3; ++d)
      if (std::string(argv[i]) == std::string("--difficulty=") + BotGame::difficultyName(d)) onlyDifficulty = d;
  }
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--all") == 0) return playAll(onlyDifficulty, noCure);
    if (std::strncmp(argv[i], "--level=", 8) == 0) return playOne(onlyDifficulty < 0 ? 1 : onlyDifficulty, argv[i] + 8, noCure);
    if (std::strncmp(argv[i], "--random=", 9) == 0) {
      unsigned seed = 1;
      for (int j = 1; j < argc; ++j)
        if (std::strncmp(argv[j], "--seed=", 7) == 0) seed = (unsigned)std::atoi(argv[j] + 7);
      return randomSession(std::atoi(argv[i] + 9), seed, true);
    }
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
