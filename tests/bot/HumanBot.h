#pragma once
// The Human on the real game: its eyes turn the level into a Screen of what is drawn each frame,
// its hands carry out its presses as window events.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "Bot.h"
#include "Human.h"
#include "menus/CMapEntity_MenuButton.h"
#include "ward/beds/CMapEntity_PostelParts.h"
#include "world/CMapEntity_TextBox.h"

class Eyes {
public:
  Screen look(CLevel_Game *level, long t) {
    Screen s;
    s.t = t;
    if (!level || !level->getEC()) return s;
    std::map<const CMapEntity *, long> nowIds;
    std::vector<CMapEntity_Game *> drawn;
    for (CMapEntity_Game *e : *level->getEC()->getEntitiesPtr())
      if (isDrawn(e)) {
        drawn.push_back(e);
        auto it = ids.find(e);
        nowIds[e] = it != ids.end() ? it->second : next++;
      }
    ids.swap(nowIds);
    for (CMapEntity_Game *e : drawn) {
      Seen v;
      v.id = ids[e];
      v.name = e->name;
      ZSprite *sp = e->getSprite();
      Frameset *fs = sp->getAktivniFrameset();
      v.sprite = sp->getID();
      v.look = fs->getID();
      v.frame = fs->getAktivniIndex();
      const float zoom = e->getZoom() > 0 ? e->getZoom() : 1.0f;
      v.x = e->getX();
      v.y = e->getY();
      v.w = (float)fs->getAktivniSirka() * zoom;
      v.h = (float)fs->getAktivniVyska() * zoom;
      Bot::middle(e, v.aimX, v.aimY);
      v.r = e->getRed();
      v.g = e->getGreen();
      v.b = e->getBlue();
      v.alpha = e->getAlpha() == -1.0f ? 1.0f : e->getAlpha();
      v.caption = caption(e);
      for (CMapEntity *c = e->getParent(); c; c = c->getParent()) {
        auto it = ids.find(c);
        if (it == ids.end()) continue;
        if (!v.carrier) v.carrier = it->second;
        v.top = it->second;
      }
      if (!v.top) v.top = v.id;
      s.items.push_back(v);
    }
    return s;
  }

private:
  static bool isDrawn(CMapEntity_Game *e) {
    for (CMapEntity *c = e; c; c = c->getParent())
      if (c->getKill() || !c->getVisible()) return false;
    ZSprite *sp = e->getSprite();
    Frameset *fs = sp ? sp->getAktivniFrameset() : nullptr;
    if (!fs || std::string(fs->getID()) == "INVISIBLE" || std::string(sp->getID()) == "EMPTY") return false;
    const float a = e->getAlpha();
    if (a != -1.0f && a < 0.25f) return false;
    const float w = (float)fs->getAktivniSirka(), h = (float)fs->getAktivniVyska();
    return e->getX() + w > 0 && e->getX() < 800 && e->getY() + h > 0 && e->getY() < 600;
  }
  // The text drawn on a picture.
  static std::string caption(CMapEntity_Game *e) {
    if (auto *t = dynamic_cast<CMapEntity_TextBox *>(e)) return t->text;
    if (auto *b = dynamic_cast<CMapEntity_MenuButton *>(e)) return b->label;
    if (auto *m = dynamic_cast<CMapEntity_Lek *>(e)) return std::to_string(m->bedNumber);
    if (dynamic_cast<CMapEntity_PostelDolniMriz *>(e))
      if (auto *bed = dynamic_cast<CMapEntity_PostelClass *>(e->getParent())) return std::to_string(bed->getBedNumber());
    if (auto *page = dynamic_cast<CMapEntity_SummarySesit *>(e)) return page->title;
    return "";
  }

  std::map<const CMapEntity *, long> ids;
  long next = 1;
};

// Plays a level as the Human: the same result as the Bot's, figures read from the level only for
// the table.
class HumanBot {
public:
  HumanBot(BotGame &game, uint32_t seed) : g(game), human(seed) {
    g.onFrame = [this]() {
      Screen sc = eyes.look(g.level(), g.frameCount * BotGame::kFrameMs);
      static const char *dbg = std::getenv("TOB_SCREEN_AT");
      if (dbg && sc.t / 20 == std::atol(dbg) / 20)
        for (const Seen &v : sc.items)
          std::printf("SEEN %3ld c%3ld t%3ld %-18s %-14s %-12s fr%d %4.0f,%4.0f %3.0fx%3.0f aim %d,%d rgb %.2f,%.2f,%.2f a%.2f '%s'\n", v.id, v.carrier, v.top, v.name.c_str(), v.sprite.c_str(), v.look.c_str(), v.frame, v.x, v.y, v.w, v.h, v.aimX, v.aimY, v.r, v.g, v.b, v.alpha, v.caption.c_str());
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
    if (trace) std::printf("  %7.2fs %3d,%3d -> %3d,%3d %s\n", a.at / 1000.0, a.x, a.y, a.toX, a.toY, a.what.c_str());
    if (a.drag)
      g.drag(a.x, a.y, a.toX, a.toY, 15);
    else
      g.click(a.x, a.y);
  }

  BotGame &g;
  Human human;
  Eyes eyes;
};
