#pragma once
// The Human on the real game: its eyes take each frame as drawn (Eyes.h), its hand carries out
// its presses as window events, a drag's pointer moving frame by frame at the Human's pace.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Bot.h"
#include "Eyes.h"
#include "Human.h"

class HumanBot {
public:
  HumanBot(BotGame &game, uint32_t seed) : g(game), human(seed), eyes(game.engine()) {
    g.onFrame = [this]() {
      Screen sc = eyes.look(g.frameCount * BotGame::kFrameMs);
      static const char *at = std::getenv("TOB_SCREEN_AT");
      if (at && std::atol(at) / BotGame::kFrameMs == sc.t / BotGame::kFrameMs) print(sc);
      human.see(std::move(sc));
    };
  }
  ~HumanBot() { g.onFrame = nullptr; }
  HumanBot(const HumanBot &) = delete;
  HumanBot &operator=(const HumanBot &) = delete;

  DayResult playLevel(const std::string &difficulty, int limitMs = 15 * 60 * 1000) {
    Bot measure(g);
    return measure.playLevel(difficulty, limitMs, [this]() { tick(); });
  }

private:
  void tick() {
    HumanAction a;
    if (!human.decide(a)) {
      g.frame();
      return;
    }
    static const bool trace = std::getenv("TOB_BOT_TRACE") != nullptr;
    if (trace)
      std::printf("  %7.2fs %3d,%3d -> %3d,%3d %s\n", a.at / 1000.0, a.x, a.y, a.toX, a.toY, a.what.c_str());
    if (!a.drag) {
      g.click(a.x, a.y);
      return;
    }
    move(a.x, a.y, a.reachMs);
    g.button(true, a.x, a.y);
    g.frame();
    move(a.toX, a.toY, a.carryMs);
    g.button(false, a.toX, a.toY);
    g.frames(2);
  }
  // The pointer carried in a straight line from where it is, a step each frame.
  void move(int x, int y, long ms) {
    const int x0 = g.pointerX, y0 = g.pointerY;
    const long steps = std::max(1L, ms / BotGame::kFrameMs);
    for (long k = 1; k <= steps; ++k) {
      g.motion(x0 + (int)((x - x0) * k / steps), y0 + (int)((y - y0) * k / steps));
      g.frame();
    }
  }
  // What the Human sees on this frame (TOB_SCREEN_AT=ms).
  static void print(const Screen &sc) {
    Screen s = sc;
    s.resolve();
    for (const Seen &v : s.items)
      std::printf("SEEN %4ld o%3d %-20s %-12s fr%d %4.0f,%4.0f %3.0fx%3.0f shows %5d rgb %.2f,%.2f,%.2f a%.2f '%s'\n",
                  v.id, v.order, v.sprite.c_str(), v.look.c_str(), v.frame, v.x, v.y, v.w, v.h, v.visible, v.r, v.g,
                  v.b, v.alpha, v.caption.c_str());
  }

  BotGame &g;
  Human human;
  Eyes eyes;
};
