#pragma once
// Random clicks, drags and keys on the whole game: title screen, days, maps, shop and laboratory.
// A sanitizer report, a crash or a fatal exit ends the process; a frame that takes longer than
// the watchdog's time ends it too, as a hang.
#include <unistd.h>

#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "Bot.h"

struct RandomSession {
  bool ran = false;
  long events = 0, received = 0, changesByInput = 0, gameMs = 0, dayFrames = 0;
  int dayVisits = 0;
  std::set<std::string> seen;
  // Each level met, in order, as "name (day|screen[, by input])".
  std::vector<std::string> path;
  std::vector<std::string> messages;
  // What ended the session early, as a fault.
  std::string fault;
};

// Ends once `days` times dayMs of game time have run on working days; a day is left after dayMs,
// another screen after a quarter of that.
inline RandomSession randomSession(int days, unsigned seed, bool verbose, long dayMs = 150000) {
  RandomSession out;
  long &events = out.events, &gameMs = out.gameMs, &dayFrames = out.dayFrames;
  int &dayVisits = out.dayVisits;
  std::set<std::string> &seen = out.seen;
  std::string why;
  bool ran = BotGame::run(
      [&](BotGame &g) {
        std::mt19937 rng(seed);
        auto pick = [&](int n) { return n <= 0 ? 0 : (int)(rng() % (unsigned)n); };
        g.setDifficulty(pick(3));
        const std::vector<std::string> extra = {"LAB 1", "LAB 2", "LAB 3", "ward_events", "ward_parents", "ward_day2"};
        // The level is told by the engine's count of levels built, never by its address.
        uint32_t built = ~0u;
        long enteredAt = 0;
        bool working = false, leaveNow = false, jumped = true;
        int uncounted = 0;
        const SDL_Scancode keys[] = {SDL_SCANCODE_ESCAPE, SDL_SCANCODE_RETURN, SDL_SCANCODE_SPACE, SDL_SCANCODE_P,
                                     SDL_SCANCODE_A,      SDL_SCANCODE_Z,      SDL_SCANCODE_BACKSPACE, SDL_SCANCODE_LEFT,
                                     SDL_SCANCODE_DOWN,   SDL_SCANCODE_1,      SDL_SCANCODE_TAB,   SDL_SCANCODE_M};
        while (dayFrames * BotGame::kFrameMs < days * dayMs) {
          // A frame stuck for a minute is a hang: the alarm ends the process.
          alarm(60);
          if (!g.alive()) {
            // A quit from the menu: the game starts over on the title screen.
            g.engine()->progression().setRunning(true);
            myWindow->setQuit(false);
            g.setDifficulty(pick(3));
            jumped = true;
          }
          CLevel_Game *current = g.level();
          if (g.levelsBuilt() != built) {
            // What the game changed to by itself after the input, not where the session jumped.
            if (!jumped) ++out.changesByInput;
            built = g.levelsBuilt();
            uncounted = 0;
            enteredAt = g.frameCount;
            working = current && current->getLevelTime() > 0;
            if (working) ++dayVisits;
            leaveNow = !working && pick(2) == 0;
            if (current) seen.insert(current->getLevelName());
            out.path.push_back((current ? current->getLevelName() : "none") + (working ? " (day" : " (screen") +
                               (jumped ? ")" : ", by input)"));
            if (verbose) std::printf("level %zu: %s\n", out.path.size(), out.path.back().c_str());
          }
          jumped = false;
          // A player who stays a while, then goes elsewhere: a day runs most of its length. The
          // title screen is often left at once for a map, a laboratory or another day.
          const long stay = (g.frameCount - enteredAt) * BotGame::kFrameMs;
          // Each jump builds a level: with three in a row not counted, the count has stopped and
          // the session, waiting for it to leave the screen, would jump on without end.
          if (uncounted >= 3) {
            out.fault = "the engine counted no level built in " + std::to_string(uncounted) +
                        " jumps since " + out.path.back();
            break;
          }
          if (stay > (working ? dayMs : dayMs / 4) || leaveNow) {
            leaveNow = false;
            int n = (int)g.levelNames().size();
            if (pick(4) == 0)
              g.goToLevel(extra[(size_t)pick((int)extra.size())]);
            else
              g.goToLevel(pick(n));
            jumped = true;
            ++uncounted;
            continue;
          }
          Bot look(g);
          std::vector<CMapEntity_Game *> es = current ? look.all() : std::vector<CMapEntity_Game *>();
          auto somewhere = [&](int &x, int &y) {
            if (!es.empty() && pick(3) != 0) {
              Bot::middle(es[(size_t)pick((int)es.size())], x, y);
            } else {
              x = pick(800);
              y = pick(600);
            }
          };
          int x, y, x2, y2;
          const long before = g.frameCount;
          const int what = pick(100);
          if (what < 45) {
            somewhere(x, y);
            g.click(x, y);
          } else if (what < 60) {
            somewhere(x, y);
            somewhere(x2, y2);
            g.drag(x, y, x2, y2, 1 + pick(6));
          } else if (what < 68) {
            SDL_Scancode k = keys[pick((int)(sizeof keys / sizeof keys[0]))];
            g.key(k, true);
            g.frame();
            g.key(k, false);
            g.frame();
          } else if (what < 72) {
            somewhere(x, y);
            g.click(x, y, 3);
          } else if (what < 80) {
            g.motion(pick(800), pick(600));
            g.frame();
          } else {
            g.frames(1 + pick(25));
          }
          ++events;
          if (working && g.levelsBuilt() == built) dayFrames += g.frameCount - before;
        }
        gameMs = g.frameCount * BotGame::kFrameMs;
        alarm(0);
      },
      &why);
  alarm(0);
  out.ran = ran;
  out.received = BotGame::eventsReceived();
  out.messages = BotGame::messages();
  if (!ran) {
    std::fprintf(stderr, "the game did not start: %s\n", why.c_str());
    return out;
  }
  std::printf("random input, seed %u: %d visits to working days (%.0f game s on them), %zu levels (%zu different, %ld "
              "changed to by input), %ld events sent and %ld received, %.0f game s in all ran clean\n",
              seed, dayVisits, dayFrames * BotGame::kFrameMs / 1000.0, out.path.size(), seen.size(), out.changesByInput,
              events, out.received, gameMs / 1000.0);
  for (const std::string &m : out.messages) std::printf("message box: %s\n", m.c_str());
  if (!out.fault.empty()) std::printf("%s\n", out.fault.c_str());
  return out;
}
